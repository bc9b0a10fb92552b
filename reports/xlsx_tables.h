#pragma once
// The tables the program prints or writes as CSV, typed for a workbook: the
// rows of the text or CSV writers, never computed again.
//
// A block of records becomes one XlsxTable. Its first record is the header
// when the block has more than one record and no field of the first is a
// number or a station. A column whose fields are all numbers (a lone "-"
// stands for none) is stored as numbers, each with the decimals it shows. A
// column of K-notation stations ("K12+345.678", "K13+060.000(2区)",
// "K13+100.000=K13+050.000": the station before the zone or the "=") gains a
// column of the same stations as numbers in metres beside it ("桩号(m)");
// a numeric column whose name holds 桩号 gains the K notation ("桩号(K)").
// A column of angle texts (d°mˊs", a leading 左/右 or '-' kept in the text)
// gains decimal degrees ("转角(度)"), unless the table already has that
// column.
//
// Numbers are stored with every digit the command computed when its notes
// (FixedTextLog) are given: the cell holds the full value, its format the
// decimals the text showed, and the text is that value rounded.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/numbers/number_text.h"
#include "reports/xlsx_writer.h"

namespace tarvelo {

using TextRecords = std::vector<std::vector<std::string>>;

// The records split at empty records into blocks; empty blocks dropped.
std::vector<TextRecords> RecordBlocks(const TextRecords& records);

// The full values behind the numbers of a command's rows, taken in the
// rows' order (top to bottom, left to right): a field with a decimal point
// (a station's metres for a K-notation field) that one of the next notes
// wrote gets that note's value, and the notes before it are passed over; a
// field no note wrote keeps the value its text reads.
class FullValues {
public:
    explicit FullValues(std::vector<FixedTextLog::Entry> notes) : notes_(std::move(notes)) {}
    // shown: the field's number text; read: the value the text reads.
    double Of(const std::string& shown, double read);

private:
    std::vector<FixedTextLog::Entry> notes_;
    std::size_t next_ = 0;
};

// Whether a table gains the columns above (stations in metres or K
// notation, angles in degrees) or keeps the columns it was written with: a
// file the program reads back by column position (route, break, profile
// files) must keep them.
enum class XlsxColumns { Added, AsWritten };

// One block as a typed table named sheet, with title as its first row;
// full, when given, supplies the full values (blocks in order).
XlsxTable TypedXlsxTable(std::string sheet, std::string title, const TextRecords& block,
                         FullValues* full = nullptr, XlsxColumns columns = XlsxColumns::Added);

// Every block of records as a typed table, in order: the first named first,
// each later one laterName(block) (first when laterName is empty); a name
// used already gets the block's number (1-based) appended.
std::vector<XlsxTable> TypedXlsxTables(const TextRecords& records, const std::string& first,
                                       const std::function<std::string(const TextRecords&)>& laterName,
                                       FullValues* full, XlsxColumns columns = XlsxColumns::Added);

// A table the program writes as a CSV file, written as a workbook instead:
// writeCsv writes the CSV to the scratch path it is given (its full values
// noted as it formats them), and its tables go to path as sheet (the first;
// the title is the sheet's name), atomically. Errors: writeCsv's own, or
// the workbook writer's.
FileStatus WriteCsvAsXlsx(const QString& path, const std::string& sheet, XlsxColumns columns,
                          const std::function<FileStatus(const QString& csvPath)>& writeCsv);

// d°mˊs" text -> decimal degrees, sign from a leading '-' (左/右 dropped).
// false for anything else.
bool ReadDmsText(const std::string& text, double* degrees);

}  // namespace tarvelo
