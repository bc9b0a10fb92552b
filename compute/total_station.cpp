#include "compute/total_station.h"

#include <cmath>

#include "core/numbers/float_fault.h"
#include "core/plan/route.h"

namespace tarvelo {

namespace {

// Points closer than this (metres) are one point: no direction between them.
constexpr double kSamePoint = 1e-4;

bool Finite(const std::optional<double>& v) { return !v || std::isfinite(*v); }

long long PowerOfTen(int n)
{
    long long p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The angle in units of 10^-decimals seconds, rounded, within one circle.
long long CircleUnits(double degrees, int decimals, long long* perSecond)
{
    Checked(degrees, "水平角");
    *perSecond = PowerOfTen(decimals);
    const long long circle = 360LL * 3600 * *perSecond;
    const double a = NormaliseAzimuth(degrees);
    long long units = std::llround(a * 3600 * static_cast<double>(*perSecond));
    if (units >= circle) units -= circle;
    return units;
}

}  // namespace

RoundedDms RoundAngleToDms(double degrees, int secondDecimals)
{
    secondDecimals = secondDecimals < 0 ? 0 : secondDecimals > 2 ? 2 : secondDecimals;
    long long perSecond = 1;
    const long long units = CircleUnits(degrees, secondDecimals, &perSecond);
    const long long perMinute = 60 * perSecond, perDegree = 3600 * perSecond;
    RoundedDms out;
    out.degrees = static_cast<int>(units / perDegree);
    out.minutes = static_cast<int>(units % perDegree / perMinute);
    out.seconds = static_cast<double>(units % perMinute) / static_cast<double>(perSecond);
    return out;
}

std::string FormatAngleDms(double degrees, int secondDecimals)
{
    secondDecimals = secondDecimals < 0 ? 0 : secondDecimals > 2 ? 2 : secondDecimals;
    long long perSecond = 1;
    const long long units = CircleUnits(degrees, secondDecimals, &perSecond);
    const long long perMinute = 60 * perSecond, perDegree = 3600 * perSecond;
    const long long secondUnits = units % perMinute;
    std::string out = std::to_string(units / perDegree) + "\u00B0" + std::to_string(units % perDegree / perMinute) +
                      "\u02CA" + std::to_string(secondUnits / perSecond);
    if (secondDecimals > 0) {
        std::string fraction = std::to_string(secondUnits % perSecond);
        fraction.insert(0, static_cast<std::size_t>(secondDecimals) - fraction.size(), '0');
        out += "." + fraction;
    }
    return out + "\"";
}

double AngleToDmsNumber(double degrees, int secondDecimals)
{
    secondDecimals = secondDecimals < 0 ? 0 : secondDecimals > 2 ? 2 : secondDecimals;
    long long perSecond = 1;
    const long long units = CircleUnits(degrees, secondDecimals, &perSecond);
    const long long perMinute = 60 * perSecond, perDegree = 3600 * perSecond;
    // ddd mm ss[ff] as one whole number over 10^(4 + decimals): an exact
    // integer divided by an exact power of ten gives the double nearest the
    // decimal, as reading "138.2832" would.
    const long long digits = units / perDegree * 100 * 100 * perSecond +
                             units % perDegree / perMinute * 100 * perSecond + units % perMinute;
    return static_cast<double>(digits) / static_cast<double>(10000 * perSecond);
}

StakeoutResult ComputeStakeout(const InstrumentStation& station, const Backsight& backsight,
                               const std::vector<StakeTarget>& targets)
{
    StakeoutResult result;
    const auto refuse = [&](std::string message) {
        result.refusal = std::move(message);
        return result;
    };
    if (!std::isfinite(station.x) || !std::isfinite(station.y)) return refuse("测站坐标不是有限的数。");
    if (!Finite(station.elevation)) return refuse("测站高程不是有限的数。");
    if (!Finite(station.instrumentHeight)) return refuse("仪器高不是有限的数。");
    if (!std::isfinite(station.targetHeight)) return refuse("棱镜高不是有限的数。");

    StakeoutData data;
    const bool point = backsight.x || backsight.y;
    if (point && backsight.azimuth) return refuse("后视只能给后视点坐标或后视方位角中的一种。");
    if (point) {
        if (!backsight.x || !backsight.y) return refuse("后视点缺少 X 或 Y 坐标。");
        if (!std::isfinite(*backsight.x) || !std::isfinite(*backsight.y))
            return refuse("后视点坐标不是有限的数。");
        const double dx = *backsight.x - station.x, dy = *backsight.y - station.y;
        const double d = std::hypot(dx, dy);
        if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(d))
            return refuse("测站到后视点的距离超出了可计算的范围。");
        if (d < kSamePoint) return refuse("测站与后视点重合，无法定向，请另选后视点。");
        data.backsightAzimuth = AzimuthOf(dx, dy);
        data.backsightDistance = d;
    } else if (backsight.azimuth) {
        if (!std::isfinite(*backsight.azimuth)) return refuse("后视方位角不是有限的数。");
        data.backsightAzimuth = NormaliseAzimuth(*backsight.azimuth);
    } else {
        return refuse("缺少后视：请给出后视点坐标或后视方位角。");
    }

    // The elevation of a target's foot when it is sighted level.
    std::optional<double> sightBase;
    if (station.elevation && station.instrumentHeight) {
        sightBase = *station.elevation + *station.instrumentHeight - station.targetHeight;
        if (!std::isfinite(*sightBase)) return refuse("测站高程加仪器高超出了可计算的范围。");
    }

    data.lines.reserve(targets.size());
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const StakeTarget& t = targets[k];
        const std::string who = "放样点“" + (t.name.empty() ? "第 " + std::to_string(k + 1) + " 个" : t.name) + "”";
        if (!std::isfinite(t.x) || !std::isfinite(t.y)) return refuse(who + "的坐标不是有限的数。");
        if (!Finite(t.elevation)) return refuse(who + "的设计高程不是有限的数。");
        StakeoutLine line;
        line.name = t.name;
        const double dx = t.x - station.x, dy = t.y - station.y;
        line.distance = std::hypot(dx, dy);
        if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(line.distance))
            return refuse(who + "到测站的距离超出了可计算的范围。");
        if (line.distance < kSamePoint) {
            line.note = kStakeAtStationNote;
        } else {
            line.azimuth = AzimuthOf(dx, dy);
            line.angle = NormaliseAzimuth(*line.azimuth - data.backsightAzimuth);
        }
        if (t.elevation && sightBase) {
            line.designAboveSight = *t.elevation - *sightBase;
            if (!std::isfinite(*line.designAboveSight)) return refuse(who + "的高差超出了可计算的范围。");
        }
        data.lines.push_back(std::move(line));
    }
    result.data = std::move(data);
    return result;
}

}  // namespace tarvelo
