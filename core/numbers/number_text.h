#pragma once
// Reading numbers from the texts of input boxes, and writing numbers as text.
//
// All functions are locale-independent: "." is the decimal separator whatever
// the system locale says.

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// True when text is empty after removing leading and trailing space
// characters (U+0020 only; a tab is not a space here).
bool IsBlank(std::string_view text);

// text without its leading and trailing space characters.
std::string_view TrimSpaces(std::string_view text);

// The lenient reader. Spaces, tabs and line feeds anywhere are skipped; an
// optional sign, digits, one "." and an optional exponent (e/E, optional sign,
// digits) are read; reading stops at the first other character. A text with no
// leading number reads as 0 ("abc" -> 0, "12abc" -> 12, "3 378 226.731" ->
// 3378226.731, "10+021.359" -> 10). Never returns NaN. A number too large for
// a double returns +-infinity (the caller's Checked() turns that into a
// fault); one too small returns +-0.
double ReadLeadingNumber(std::string_view text);

// The strict test: true when the whole text, apart from leading and trailing
// spaces, is one number (optional sign, digits with an optional "." or a "."
// followed by digits, optional exponent). On success *value holds it (which may
// be infinite for a huge exponent). "0", "0.0", "-0" and "+5" are numbers;
// "", " ", "abc", "12abc", "1 2", "." and "1e" are not.
bool ParseWholeNumber(std::string_view text, double* value);

// Result-label form: v rounded to 4 decimals, exact halves to even, written in
// the shortest plain decimal form (no trailing zeros, no point for a whole
// number). 1.19993143 -> "1.1999", 12.5 -> "12.5", 360.00004 -> "360",
// -0.00004 -> "0". Values needing more than 15 significant digits fall back to
// FormatGeneral. Precondition: v finite (throws FloatFault otherwise).
std::string FormatRounded4(double v);

// Appends v in the fixed pattern with `decimals` decimals ("0.0000" for 4): at
// least one digit before the point, exact halves rounded away from zero,
// leading "-" when the rounded value is negative (-0.00001 -> "0.0000").
// 0 <= decimals <= 17. Precondition: v finite (throws FloatFault otherwise).
void AppendFixed(std::string& out, double v, int decimals);
std::string FormatFixed(double v, int decimals);

// While a FixedTextLog lives, every AppendFixed on its thread also notes the
// value and decimals it was given, in writing order, so that a
// writer that types a command's printed rows (the workbook) can store the
// full value behind each shown number without formatting anything again.
// Logs nest: the innermost one on the thread takes the notes.
class FixedTextLog {
public:
    struct Entry {
        double value;  // the value it was given (finite); FormatFixed(value,
        int decimals;  // decimals) is the text it wrote
    };
    FixedTextLog();
    ~FixedTextLog();
    FixedTextLog(const FixedTextLog&) = delete;
    FixedTextLog& operator=(const FixedTextLog&) = delete;
    const std::vector<Entry>& entries() const { return entries_; }
    // The notes taken out (the log keeps taking new ones).
    std::vector<Entry> Release() { return std::move(entries_); }

private:
    friend void AppendFixed(std::string& out, double v, int decimals);
    FixedTextLog* outer_;
    std::vector<Entry> entries_;
};

// General text: 15 significant digits, no trailing zeros, exponent form
// ("1e+15", "1e-05") outside [1e-4, 1e15) as printf's %.15g; -0 -> "0".
// The lenient reader reads every such text back to the same 15-digit value.
// Precondition: v finite (throws FloatFault otherwise).
void AppendGeneral(std::string& out, double v);
std::string FormatGeneral(double v);

// Shortest text that reads back to exactly v (std::to_chars): "0.1", "1e+300",
// "-0". v finite (a non-finite v gives to_chars' "inf" or "nan", which no
// reader takes back).
std::string RoundTripText(double v);

}  // namespace tarvelo
