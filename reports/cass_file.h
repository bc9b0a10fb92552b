#pragma once
// The CASS coordinate file (.dat) that field controllers and CASS read:
// one point a line, "点名,编码,Y(东),X(北),高程" — east before north — GBK
// bytes, every line ending in CR LF, coordinates to 4 decimals, the code
// field empty, the elevation empty or to 3 decimals.
//
// Rows are appended to a byte string one at a time, so that a table of any
// length can stream into a file (see reports/stake_file_export.h).

#include <optional>
#include <string>
#include <string_view>

#include "compute/route_table.h"

namespace tarvelo {

// Appends one row: name, empty code, y and x with 4 decimals (halves away
// from zero), the elevation with 3 decimals or nothing, CR LF. The name is
// UTF-8 and is written in GBK. Returns false and appends nothing when the
// name is empty, holds a comma, CR or LF (it would split the row), or a
// character GBK cannot hold. Non-finite x, y or elevation throw FloatFault.
bool AppendCassRow(std::string& out, std::string_view name, double x, double y,
                   std::optional<double> elevation);

// The point name of a stake: its station as EntryStationText writes it with
// 3 decimals ("K12+345.678"; in a 长链's overlap with its zone,
// "K13+075.000(1区)", so that the two points of one station keep apart on a
// rover; a break row "断链-K13+100.000=K13+050.000"), after the main point's
// name and "-" when the row is a main point or an end of the route
// ("ZH-K12+345.678", "QD-K0+000.000").
std::string StakeName(const RouteTableEntry& entry);

// AppendCassRow for a table row, named by StakeName. Always appends (the
// name holds no comma or line break, and GBK holds 区 and 断链). Throws FloatFault for a non-finite number.
void AppendCassStakeRow(std::string& out, const RouteTableRow& row, std::optional<double> elevation);

}  // namespace tarvelo
