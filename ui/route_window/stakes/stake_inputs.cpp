#include "ui/route_window/stakes/stake_inputs.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"
#include "compute/route_station_text.h"

namespace tarvelo {

namespace {

bool Read(const std::string& text, double* v)
{
    return ParseWholeNumber(text, v) && std::isfinite(*v);
}

}  // namespace

StakeInputsRead ReadStakeInputs(const StakeInputTexts& t, const Route* route)
{
    StakeInputsRead out;
    const auto fail = [&](StakeField field, const char* caption, const std::string& text) {
        out.failed = field;
        out.message = std::string(caption) + "不是数：“" + text + "”。";
        return out;
    };
    RouteTableParams p;
    if (!Read(t.interval, &p.interval)) return fail(StakeField::Interval, "间距", t.interval);
    const std::string_view start = TrimSpaces(t.start), end = TrimSpaces(t.end);
    // A displayed station typed on a route: its own station, or the route's reason.
    const auto station = [&](StakeField field, const char* caption, const std::string& text,
                             std::optional<double>* v) {
        if (!route) {
            double read = 0;
            if (!Read(text, &read)) return false;
            *v = read;
            return true;
        }
        const TypedStation typed = ReadRouteStation(*route, text);
        if (typed.station) {
            *v = typed.station;
            return true;
        }
        out.failed = field;
        out.message = std::string(caption) + "“" + std::string(TrimSpaces(text)) + "”：" + typed.error;
        return false;
    };
    if (!start.empty() && start != TrimSpaces(t.startDefault) &&
        !station(StakeField::Start, "起点桩号", t.start, &p.start))
        return route ? out : fail(StakeField::Start, "起点桩号", t.start);
    if (!end.empty() && end != TrimSpaces(t.endDefault) && !station(StakeField::End, "止点桩号", t.end, &p.end))
        return route ? out : fail(StakeField::End, "止点桩号", t.end);
    if (!Read(t.offset, &p.m)) return fail(StakeField::Offset, "偏距", t.offset);
    double skew;
    if (!Read(t.skew, &skew)) return fail(StakeField::Skew, "斜交角", t.skew);
    p.a = DmsToDegrees(skew);
    p.mainPoints = t.mainPoints;
    out.params = p;
    return out;
}

}  // namespace tarvelo
