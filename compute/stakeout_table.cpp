#include "compute/stakeout_table.h"

#include <cstring>

#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

bool GoesOn(double k, double end, double interval)
{
    return interval >= 0 ? k <= end : k >= end;
}

std::string RefusalFor(double start, double end, double interval, std::size_t* rows)
{
    const auto count = CountTableRows(start, end, interval);
    if (!count) {
        if (interval == 0) return "计算间距J不能为0，请重新输入！";
        // An interval below the station's precision never moves it on.
        if (start + interval == start)
            return "计算间距J相对于起点桩号太小，桩号无法递增，请重新输入！";
        return "计算点数超过" + std::to_string(kMaxTableRows) +
               "个，请加大计算间距J或缩短起止桩号范围！";
    }
    *rows = *count;
    return {};
}

// Runs the stake loop: K = start, start + J, ... by repeated addition, so
// the end station appears only when the accumulated station reaches it
// without passing it. Calls emit(K, point) per stake.
template <typename Emit>
void ForEachStake(const CurveState& s, const TableParams& p, std::size_t rows, Emit emit)
{
    double k = p.start;
    for (std::size_t i = 0; i < rows; ++i) {
        emit(k, PointAtStation(s, k, p.m, p.a));
        k += p.interval;
    }
}

}  // namespace

std::optional<std::size_t> CountTableRows(double start, double end, double interval,
                                          std::size_t limit)
{
    std::size_t n = 0;
    // Counting by the same additions as the table, stopping past the limit,
    // bounds the work however small the interval is.
    for (double k = start; GoesOn(k, end, interval); k += interval) {
        if (interval == 0 || n == limit) return std::nullopt;
        ++n;
    }
    return n;
}

namespace {

// The table's lines for a count of rows already checked, handed to sink.
TableStreamResult StreamCountedRows(const CurveState& s, const TableParams& p, std::size_t rows,
                                    std::string_view eol, const std::function<void(std::string_view)>& sink)
{
    TableStreamResult r;
    constexpr std::size_t kPiece = 64 * 1024;
    std::string t;
    t.reserve(kPiece + 256 + p.offsetText.size() + p.skewText.size());
    t.append(kTableHeader).append(eol);
    try {
        ForEachStake(s, p, rows, [&](double k, const CentrelinePoint& pt) {
            AppendGeneral(t, k);
            t.append("   ").append(p.offsetText).append("  ").append(p.skewText).append("  ");
            AppendFixed(t, pt.x, 4);
            t.append("  ");
            AppendFixed(t, pt.y, 4);
            t.append("   ");
            AppendDmsText(t, pt.azimuth);
            t.append(eol);
            ++r.rows;
            if (t.size() >= kPiece) {
                sink(t);
                t.clear();
            }
        });
    } catch (const FloatFault& fault) {
        r.fault = fault.what();
    }
    if (!t.empty()) sink(t);
    return r;
}

}  // namespace

TableStreamResult StreamStakeoutTable(const CurveState& s, const TableParams& p, std::string_view eol,
                                      const std::function<void(std::string_view)>& sink)
{
    std::size_t rows = 0;
    if (std::string refusal = RefusalFor(p.start, p.end, p.interval, &rows); !refusal.empty()) {
        TableStreamResult r;
        r.refusal = refusal;
        return r;
    }
    return StreamCountedRows(s, p, rows, eol, sink);
}

TableResult BuildStakeoutTable(const CurveState& s, const TableParams& p)
{
    TableResult r;
    std::size_t rows = 0;
    if (std::string refusal = RefusalFor(p.start, p.end, p.interval, &rows); !refusal.empty()) {
        r.refusal = refusal;
        return r;
    }
    r.text.reserve(64 + rows * (56 + p.offsetText.size() + p.skewText.size()));
    // The rows are counted once, here: the whole text is reserved for them.
    const TableStreamResult streamed =
        StreamCountedRows(s, p, rows, "\r\n", [&](std::string_view piece) { r.text.append(piece); });
    r.rows = streamed.rows;
    r.fault = streamed.fault;
    return r;
}

StakeRowsResult ComputeStakeRows(const CurveState& s, const TableParams& p)
{
    StakeRowsResult r;
    std::size_t rows = 0;
    if (std::string refusal = RefusalFor(p.start, p.end, p.interval, &rows); !refusal.empty()) {
        r.refusal = refusal;
        return r;
    }
    r.rows.reserve(rows);
    try {
        ForEachStake(s, p, rows, [&](double k, const CentrelinePoint& pt) {
            r.rows.push_back({k, pt.x, pt.y, pt.azimuth});
        });
    } catch (const FloatFault& fault) {
        r.fault = fault.what();
    }
    return r;
}

}  // namespace tarvelo

namespace tarvelo {

TableParamsResult ReadTableParams(const std::string& offset, const std::string& skew,
                                  const std::string& interval, const std::string& start,
                                  const std::string& end)
{
    const struct {
        const std::string& text;
        TableField field;
        const char* message;
    } checks[] = {
        {offset, TableField::Offset, kOffsetMissingMessage},
        {skew, TableField::Skew, kSkewMissingMessage},
        {interval, TableField::Interval, kIntervalMissingMessage},
        {start, TableField::Start, kStartMissingMessage},
        {end, TableField::End, kEndMissingMessage},
    };
    TableParamsResult r;
    for (const auto& c : checks) {
        if (IsBlank(c.text)) {
            r.failed = c.field;
            r.message = c.message;
            return r;
        }
    }
    TableParams p;
    p.m = Checked(ReadLeadingNumber(offset), "计算偏距m");
    p.a = DmsToDegrees(Checked(ReadLeadingNumber(skew), "计算偏角a"));
    p.start = Checked(ReadLeadingNumber(start), "起点桩号K");
    p.end = Checked(ReadLeadingNumber(end), "止点桩号K");
    p.interval = Checked(ReadLeadingNumber(interval), "计算间距J");
    p.offsetText = offset;
    p.skewText = skew;
    r.params = std::move(p);
    return r;
}

}  // namespace tarvelo
