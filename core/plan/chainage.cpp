#include "core/plan/chainage.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

// How a break row is named in a refusal: by its file line when it has one.
std::string BreakRow(int index, int line)
{
    if (line > 0) return "第 " + std::to_string(line) + " 行的断链";
    return "第 " + std::to_string(index + 1) + " 个断链";
}

// "区段 0 和 1", "区段 0、1 和 2".
std::string ZoneList(const std::vector<int>& zones)
{
    std::string out = "区段 ";
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (i > 0) out += i + 1 == zones.size() ? " 和 " : "、";
        out += std::to_string(zones[i]);
    }
    return out;
}

}  // namespace

ChainageBuilt Chainage::Build(double startStation, double routeDistance,
                              const std::vector<BreakInput>& breaks)
{
    ChainageBuilt out;
    const auto fail = [&](int row, int line, std::string message) {
        out.error = ChainageIssue{row, line, std::move(message)};
        return out;
    };
    if (!std::isfinite(startStation)) return fail(-1, 0, "线路的起点桩号不是有限的数，无法计算断链。");
    if (!std::isfinite(routeDistance) || routeDistance < 0)
        return fail(-1, 0, "线路的长度不是有限的非负数，无法计算断链。");

    Chainage c;
    c.startStation_ = startStation;
    c.length_ = routeDistance;
    // The scale of the slack: rounding grows with the largest magnitude in
    // play, whichever station or distance it belongs to.
    double scale = std::max({1.0, std::fabs(startStation), routeDistance});
    for (const BreakInput& b : breaks)
        for (double v : {b.back, b.ahead})
            if (std::isfinite(v)) scale = std::max(scale, std::fabs(v));
    c.slack_ = 1e-9 * scale;
    const double slack = c.slack_;
    c.breaks_.reserve(breaks.size());
    // The zone before the next break: where it starts, as a distance and as
    // the station displayed there.
    double zoneDistance = 0, zoneStation = startStation;
    for (std::size_t k = 0; k < breaks.size(); ++k) {
        const BreakInput& b = breaks[k];
        const int row = static_cast<int>(k);
        const std::string who = BreakRow(row, b.line);
        if (!std::isfinite(b.back) || !std::isfinite(b.ahead))
            return fail(row, b.line, who + "的" + (std::isfinite(b.back) ? "断后" : "断前") +
                                         "桩号不是有限的数。");
        const std::string text = FormatBreakText(b.back, b.ahead);
        if (std::fabs(b.back - b.ahead) <= slack)
            return fail(row, b.line, who + " " + text + " 的断前桩号与断后桩号相同，这不是断链。");
        // The station the zone would reach at the route's end.
        const double reach = zoneStation + (routeDistance - zoneDistance);
        if (!std::isfinite(reach))
            return fail(row, b.line, who + " " + text + " 之前的桩号超出了数的范围。");
        if (b.back < zoneStation - slack) {
            if (k == 0)
                return fail(row, b.line, who + " " + text + " 的断前桩号在线路起点桩号 " +
                                             FormatKStation(startStation) + " 之前。");
            return fail(row, b.line, who + " " + text + " 的断前桩号在前一个断链 " +
                                         FormatBreakText(breaks[k - 1].back, breaks[k - 1].ahead) +
                                         " 的断后桩号之前；断链应按线路顺序排列。");
        }
        if (b.back > reach + slack)
            return fail(row, b.line, who + " " + text + " 的断前桩号超出了线路终点（按这一段的桩号，终点为 " +
                                         FormatKStation(reach) + "）。");
        // Within the slack a back station is moved onto the zone's ends.
        const double distance = std::clamp(zoneDistance + (b.back - zoneStation), zoneDistance, routeDistance);
        c.breaks_.push_back(ChainBreak{b.name, b.back, b.ahead, b.line, distance});
        zoneDistance = distance;
        zoneStation = b.ahead;
    }
    if (!std::isfinite(zoneStation + (routeDistance - zoneDistance)))
        return fail(static_cast<int>(breaks.size()) - 1, breaks.empty() ? 0 : breaks.back().line,
                    "线路终点的桩号超出了数的范围。");
    out.chainage = std::move(c);
    return out;
}

double Chainage::zoneStartDistance(int z) const
{
    return z == 0 ? 0.0 : breaks_.at(static_cast<std::size_t>(z - 1)).distance;
}

double Chainage::zoneEndDistance(int z) const
{
    return z == zoneCount() - 1 ? length_ : breaks_.at(static_cast<std::size_t>(z)).distance;
}

double Chainage::zoneStartStation(int z) const
{
    return z == 0 ? startStation_ : breaks_.at(static_cast<std::size_t>(z - 1)).ahead;
}

double Chainage::zoneEndStation(int z) const
{
    if (z == zoneCount() - 1) return zoneStartStation(z) + (length_ - zoneStartDistance(z));
    return breaks_.at(static_cast<std::size_t>(z)).back;
}

double Chainage::lowestStation() const
{
    double lo = startStation_;
    for (const ChainBreak& b : breaks_) lo = std::min(lo, b.ahead);
    return lo;
}

double Chainage::highestStation() const
{
    double hi = endStation();
    for (const ChainBreak& b : breaks_) hi = std::max(hi, b.back);
    return hi;
}

std::string Chainage::ZoneText(int z) const
{
    return "区段 " + std::to_string(z) + "（" + FormatKStation(zoneStartStation(z)) + " ~ " +
           FormatKStation(zoneEndStation(z)) + "）";
}

std::optional<DisplayedStation> Chainage::StationAt(double distance) const
{
    if (std::isnan(distance)) return std::nullopt;
    if (distance < -slack_ || distance > length_ + slack_) return std::nullopt;
    distance = std::clamp(distance, 0.0, length_);
    // The zone after every break at or before the distance.
    const auto after = std::upper_bound(breaks_.begin(), breaks_.end(), distance,
                                        [](double d, const ChainBreak& b) { return d < b.distance; });
    const int z = static_cast<int>(after - breaks_.begin());
    return DisplayedStation{zoneStartStation(z) + (distance - zoneStartDistance(z)), z};
}

std::vector<int> Chainage::ZonesOf(double station) const
{
    std::vector<int> zones;
    if (!std::isfinite(station)) return zones;
    for (int z = 0; z < zoneCount(); ++z)
        if (station >= zoneStartStation(z) - slack_ && station <= zoneEndStation(z) + slack_)
            zones.push_back(z);
    return zones;
}

DistanceLookup Chainage::DistanceAt(double station, std::optional<int> zone) const
{
    DistanceLookup out;
    if (!std::isfinite(station)) {
        out.error = "桩号不是有限的数。";
        out.miss = StationMiss::Other;
        return out;
    }
    const auto inZone = [&](int z) {
        const double d = zoneStartDistance(z) + (station - zoneStartStation(z));
        out.distance = std::clamp(d, zoneStartDistance(z), zoneEndDistance(z));
        out.zone = z;
        return out;
    };
    const std::string text = "桩号 " + FormatKStation(station);
    if (zone) {
        const int z = *zone;
        if (z < 0 || z >= zoneCount()) {
            out.error = "区段 " + std::to_string(z) + " 不存在：" +
                        (empty() ? std::string("这条线路没有断链，只有区段 0。")
                                 : "这条线路的区段为 0 ~ " + std::to_string(zoneCount() - 1) + "。");
            out.miss = StationMiss::Other;
            return out;
        }
        if (station < zoneStartStation(z) - slack_ || station > zoneEndStation(z) + slack_) {
            out.error = text + " 不在" + ZoneText(z) + "之内。";
            out.miss = StationMiss::Other;
            return out;
        }
        return inZone(z);
    }

    // A break's own stations name the break point.
    std::optional<double> point;
    int pointZone = -1;
    bool several = false;
    for (std::size_t k = 0; k < breaks_.size(); ++k) {
        const ChainBreak& b = breaks_[k];
        const bool back = Near(station, b.back), ahead = Near(station, b.ahead);
        if (!back && !ahead) continue;
        if (point && !Near(*point, b.distance)) several = true;
        if (!point) {
            point = b.distance;
            pointZone = static_cast<int>(k) + (back ? 0 : 1);
        }
    }
    bool elsewhere = false;  // another zone shows the station away from the break
    if (point && !several)
        for (int z : ZonesOf(station))
            if (!Near(zoneStartDistance(z) + (station - zoneStartStation(z)), *point)) elsewhere = true;
    if (point && !several && !elsewhere) {
        out.distance = point;
        out.zone = pointZone;
        return out;
    }

    const std::vector<int> zones = ZonesOf(station);
    if (zones.size() == 1) return inZone(zones.front());
    if (zones.empty()) {
        for (const ChainBreak& b : breaks_)
            if (b.back < station && station < b.ahead) {
                out.error = text + " 落在断链 " + FormatBreakText(b.back, b.ahead) + " 的短链之中，不存在。";
                out.miss = StationMiss::Gap;
                return out;
            }
        out.error = text + " 不在线路的桩号范围 " + FormatKStation(lowestStation()) + " ~ " +
                    FormatKStation(highestStation()) + " 之内。";
        out.miss = StationMiss::Other;
        return out;
    }
    std::string where;
    for (const ChainBreak& b : breaks_)
        if (b.isLong() && b.ahead <= station && station <= b.back) {
            where = "落在断链 " + FormatBreakText(b.back, b.ahead) + " 的长链之中，";
            break;
        }
    out.error = text + " " + where + "在" + ZoneList(zones) + " 里各有一处，请指明区段。";
    out.miss = StationMiss::Ambiguous;
    return out;
}

// ---------------------------------------------------------------------------

namespace {

struct Span {
    long long first = 0, last = -1;  // the multiples n·J listed in the zone
    bool ok = true;                  // false: a station too far from 0 for J
};

bool BreakInRange(const Chainage& c, int k, double fromDistance, double toDistance)
{
    const double d = c.breaks()[static_cast<std::size_t>(k)].distance;
    return fromDistance <= d && d <= toDistance;
}

// The multiples of zone z within [from, to], without those on a listed break.
Span ZoneSpan(const Chainage& c, double J, DisplayedStation from, DisplayedStation to,
              double fromDistance, double toDistance, int z)
{
    Span s;
    const double lo = z == from.zone ? from.station : c.zoneStartStation(z);
    const double hi = z == to.zone ? to.station : c.zoneEndStation(z);
    if (!(std::fabs(lo / J) <= kMaxZoneMultiple && std::fabs(hi / J) <= kMaxZoneMultiple)) {
        s.ok = false;
        return s;
    }
    if (lo > hi) return s;
    // The quotients are rounded: step the whole numbers onto the exact bounds.
    long long first = static_cast<long long>(std::ceil(lo / J));
    long long last = static_cast<long long>(std::floor(hi / J));
    if (static_cast<double>(first - 1) * J >= lo) --first;
    if (static_cast<double>(first) * J < lo) ++first;
    if (static_cast<double>(last + 1) * J <= hi) ++last;
    if (static_cast<double>(last) * J > hi) --last;
    if (first <= last && z >= 1 && BreakInRange(c, z - 1, fromDistance, toDistance) &&
        std::fabs(static_cast<double>(first) * J - c.zoneStartStation(z)) <= c.slack())
        ++first;
    if (first <= last && z + 1 < c.zoneCount() && BreakInRange(c, z, fromDistance, toDistance) &&
        std::fabs(static_cast<double>(last) * J - c.zoneEndStation(z)) <= c.slack())
        --last;
    s.first = first;
    s.last = last;
    return s;
}

}  // namespace

std::optional<std::string> CheckZoneMultiples(const Chainage& c, double interval,
                                              DisplayedStation from, DisplayedStation to,
                                              std::size_t maxRows, std::size_t* rows)
{
    if (!std::isfinite(interval) || interval <= 0) return "计算间距J必须大于0。";
    const DistanceLookup a = c.DistanceAt(from.station, from.zone);
    if (!a.distance) return "起点：" + a.error;
    const DistanceLookup b = c.DistanceAt(to.station, to.zone);
    if (!b.distance) return "止点：" + b.error;
    if (from.zone > to.zone || *a.distance > *b.distance) return "起点在止点之后。";
    const std::string tooMany = "计算点数超过 " + std::to_string(maxRows) +
                                " 个，请加大计算间距J或缩短起止桩号范围。";
    double count = 0;  // a double: the sum of huge spans must not wrap
    for (int z = from.zone; z <= to.zone; ++z) {
        const Span s = ZoneSpan(c, interval, from, to, *a.distance, *b.distance, z);
        if (!s.ok) return "起止桩号相对于计算间距J太大，无法逐桩计算，请加大计算间距J。";
        if (s.first <= s.last) count += static_cast<double>(s.last - s.first) + 1;
        if (z == from.zone && z >= 1 && BreakInRange(c, z - 1, *a.distance, *b.distance)) ++count;
        if (z + 1 < c.zoneCount() && BreakInRange(c, z, *a.distance, *b.distance)) ++count;
        if (count > static_cast<double>(maxRows)) return tooMany;
    }
    *rows = static_cast<std::size_t>(count);
    return std::nullopt;
}

ZoneMultiples::ZoneMultiples(const Chainage& chainage, double interval, DisplayedStation from,
                             DisplayedStation to)
    : c_(chainage), interval_(interval), from_(from), to_(to), zone_(from.zone)
{
    fromDistance_ = c_.DistanceAt(from.station, from.zone).distance.value_or(0);
    toDistance_ = c_.DistanceAt(to.station, to.zone).distance.value_or(-1);
    EnterZone();
}

void ZoneMultiples::EnterZone()
{
    n_ = 0;
    nLast_ = -1;
    if (zone_ < 0 || zone_ > to_.zone || zone_ >= c_.zoneCount()) return;
    const Span s = ZoneSpan(c_, interval_, from_, to_, fromDistance_, toDistance_, zone_);
    if (!s.ok) return;
    n_ = s.first;
    nLast_ = s.last;
}

bool ZoneMultiples::Next(ChainageStake* out)
{
    const auto breakRow = [&](int k) {
        const ChainBreak& b = c_.breaks()[static_cast<std::size_t>(k)];
        *out = ChainageStake{b.distance, b.ahead, k + 1, k, b.back};
        return true;
    };
    while (zone_ >= 0 && zone_ <= to_.zone && zone_ < c_.zoneCount()) {
        switch (phase_) {
        case 0:
            phase_ = 1;
            if (zone_ == from_.zone && zone_ >= 1 && BreakInRange(c_, zone_ - 1, fromDistance_, toDistance_))
                return breakRow(zone_ - 1);
            break;
        case 1:
            if (n_ <= nLast_) {
                const double station = static_cast<double>(n_++) * interval_;
                const double d0 = c_.zoneStartDistance(zone_);
                const double d = std::clamp(d0 + (station - c_.zoneStartStation(zone_)), d0,
                                            c_.zoneEndDistance(zone_));
                *out = ChainageStake{d, station, zone_, -1, 0};
                return true;
            }
            phase_ = 2;
            break;
        default: {
            const int z = zone_++;
            phase_ = 1;
            EnterZone();
            if (z + 1 < c_.zoneCount() && BreakInRange(c_, z, fromDistance_, toDistance_))
                return breakRow(z);
            break;
        }
        }
    }
    return false;
}

}  // namespace tarvelo
