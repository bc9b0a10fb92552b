#include "compute/route_table.h"

#include <cmath>

#include "compute/route_station_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

enum Source { kMain = 0, kEnds = 1, kMultiple = 2 };

std::string Metres(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

// The route's main points inside [start, end], in station order.
std::vector<RouteTableEntry> MainPointsIn(const Route& route, double start, double end)
{
    std::vector<RouteTableEntry> out;
    for (const RouteMainPoint& m : route.mainPoints())
        if (m.station >= start - kSameStation && m.station <= end + kSameStation)
        {
            RouteTableEntry e;
            e.station = m.station;
            e.kind = m.name;
            e.jd = m.serving;
            out.push_back(e);
        }
    return out;
}

}  // namespace

std::optional<std::string> CheckRouteTable(const Route& route, const RouteTableParams& p,
                                           std::size_t* rows)
{
    if (!std::isfinite(p.interval) || p.interval <= 0) return "计算间距J必须大于0。";
    if (!std::isfinite(p.m) || !std::isfinite(p.a)) return "偏距和偏角必须是有限的数。";
    const double start = p.start.value_or(route.start().station);
    const double end = p.end.value_or(route.end().station);
    if (!std::isfinite(start) || !std::isfinite(end)) return "起止桩号必须是有限的数。";
    const double s0 = route.start().station, s1 = route.end().station;
    if (start < s0 || start > s1 || end < s0 || end > s1)
        return "起止桩号必须在线路范围 " + Metres(s0) + " ~ " + Metres(s1) + " m 之内。";
    if (start > end) return "起点桩号不能大于止点桩号。";
    const std::string tooMany = "计算点数超过 " + std::to_string(kMaxRouteTableRows) +
                                " 个，请加大计算间距J或缩短起止桩号范围。";
    if (route.hasBreaks()) {
        std::size_t multiples = 0;
        if (auto refusal = CheckZoneMultiples(route.chainage(), p.interval, route.Displayed(start),
                                              route.Displayed(end), kMaxRouteTableRows, &multiples))
            return refusal;
    } else {
        if (!(std::fabs(start / p.interval) <= kMaxMultiple && std::fabs(end / p.interval) <= kMaxMultiple))
            return "起止桩号相对于计算间距J太大，无法逐桩计算，请加大计算间距J。";
        // The multiples alone decide most refusals without counting.
        const double multiples = std::floor(end / p.interval) - std::ceil(start / p.interval) + 1;
        if (!(multiples <= static_cast<double>(kMaxRouteTableRows))) return tooMany;
    }
    RouteTableCursor cursor(route, p);
    RouteTableEntry e;
    std::size_t n = 0;
    while (cursor.Next(&e))
        if (++n > kMaxRouteTableRows) return tooMany;
    *rows = n;
    return std::nullopt;
}

RouteTableCursor::RouteTableCursor(const Route& route, const RouteTableParams& p)
    : route_(route),
      start_(p.start.value_or(route.start().station)),
      end_(p.end.value_or(route.end().station)),
      interval_(p.interval)
{
    startIsRoute_ = std::fabs(start_ - route.start().station) <= kSameStation;
    endIsRoute_ = std::fabs(end_ - route.end().station) <= kSameStation;
    // Whole multiples n·J inside [start, end], each computed as n·J so that
    // no rounding accumulates along a long road. Beyond kMaxMultiple the
    // multiples are no longer whole numbers apart in a double: there are none
    // (CheckRouteTable refuses such a table).
    if (route.hasBreaks()) {
        std::size_t rows = 0;
        const DisplayedStation from = route.Displayed(start_), to = route.Displayed(end_);
        if (!CheckZoneMultiples(route.chainage(), interval_, from, to, kMaxRouteTableRows, &rows)) {
            zones_.emplace(route.chainage(), interval_, from, to);
            ChainageStake next;
            if (zones_->Next(&next)) zoneNext_ = next;
        }
    } else if (interval_ > 0 && std::fabs(start_ / interval_) <= kMaxMultiple &&
        std::fabs(end_ / interval_) <= kMaxMultiple) {
        long long first = static_cast<long long>(std::ceil(start_ / interval_));
        long long last = static_cast<long long>(std::floor(end_ / interval_));
        if (static_cast<double>(first) * interval_ < start_) ++first;
        if (static_cast<double>(last) * interval_ > end_) --last;
        n_ = first;
        nLast_ = last;
    }
    if (p.mainPoints) mains_ = MainPointsIn(route, start_, end_);
    if (start_ == end_) endDone_ = true;  // one row, not two
}

bool RouteTableCursor::Peek(int source, RouteTableEntry* e) const
{
    switch (source) {
    case kMain:
        if (mainNext_ >= mains_.size()) return false;
        *e = mains_[mainNext_];
        return true;
    case kEnds:
        if (!startDone_) {
            *e = {};
            e->station = start_;
            e->kind = startIsRoute_ ? "QD" : "";
            return true;
        }
        if (!endDone_) {
            *e = {};
            e->station = end_;
            e->kind = endIsRoute_ ? "ZD" : "";
            return true;
        }
        return false;
    default:
        if (zones_) {
            if (!zoneNext_) return false;
            const ChainageStake& z = *zoneNext_;
            *e = {};
            e->station = route_.start().station + z.distance;
            e->zone = z.zone;
            if (z.isBreak()) {
                // At the back station, its zone the one before the break.
                e->kind = "断链";
                e->displayed = z.back;
                e->zone = z.zone - 1;
                e->ahead = z.station;
            } else {
                e->displayed = z.station;
            }
            return true;
        }
        if (n_ > nLast_) return false;
        *e = {static_cast<double>(n_) * interval_, 0, 0, std::nullopt, "", std::nullopt};
        return true;
    }
}

void RouteTableCursor::Take(int source)
{
    switch (source) {
    case kMain: ++mainNext_; break;
    case kEnds:
        if (!startDone_)
            startDone_ = true;
        else
            endDone_ = true;
        break;
    default:
        if (zones_) {
            ChainageStake next;
            if (zones_->Next(&next))
                zoneNext_ = next;
            else
                zoneNext_.reset();
            break;
        }
        ++n_;
        break;
    }
}

bool RouteTableCursor::Next(RouteTableEntry* out)
{
    // The lowest candidate of the three sources opens the row; every
    // candidate within kSameStation of it joins the row. A main point names
    // the row and gives its station, then a range end, then a multiple.
    RouteTableEntry e;
    int first = -1;
    double lowest = 0;
    for (int src = 0; src < 3; ++src)
        if (Peek(src, &e) && (first < 0 || e.station < lowest)) {
            first = src;
            lowest = e.station;
        }
    if (first < 0) return false;
    // A chain break is a row of its own, never merged with another: the
    // point it names may also be a main point or an end of the range.
    if (Peek(kMultiple, &e) && e.ahead && e.station <= lowest + kSameStation) {
        Take(kMultiple);
        *out = e;
        return true;
    }
    const auto markTwice = [this](RouteTableEntry* row) {
        row->twice = StationShownTwice(route_, row->displayed);
    };
    bool have = false;
    int bestSource = 3;
    for (int src = 0; src < 3; ++src) {
        while (Peek(src, &e) && e.station <= lowest + kSameStation && !e.ahead) {
            if (src < bestSource || (src == bestSource && !have)) {
                *out = e;
                bestSource = src;
                have = true;
            }
            Take(src);
        }
    }
    if (have && !out->ahead && !(zones_ && bestSource == kMultiple)) {
        // Main points, range ends and multiples without breaks: the displayed
        // station of the route's own.
        const DisplayedStation d = route_.Displayed(out->station);
        out->displayed = d.station;
        out->zone = d.zone;
    }
    if (have) markTwice(out);
    return have;
}

std::string EntryStationText(const RouteTableEntry& e, int decimals)
{
    if (e.ahead) return FormatBreakText(e.displayed, *e.ahead, decimals);
    std::string s = FormatKStation(e.displayed, decimals);
    if (e.twice) s += ZoneMark(e.zone);
    return s;
}

RouteTableRow ComputeRouteTableRow(const Route& route, const RouteTableEntry& e,
                                   const RouteTableParams& p)
{
    // Entries lie in the route's range; a main point a hair outside it (the
    // row tolerance) is looked up at the nearer end.
    double k = e.station;
    if (k < route.start().station) k = route.start().station;
    if (k > route.end().station) k = route.end().station;
    const std::optional<RouteStake> stake = route.PointAt(k, p.m, p.a);
    if (!stake) throw FloatFault("桩号");
    return {e, *stake};
}

}  // namespace tarvelo
