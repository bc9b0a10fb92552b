#include "compute/design_check_json.h"

#include <cstdio>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

void Key(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void Number(std::string& out, const char* key, const std::optional<double>& v)
{
    Key(out, key);
    out += v ? RoundTripText(Checked(*v, "复核结果")) : "null";
    out += ',';
}

void Int(std::string& out, const char* key, const std::optional<int>& v)
{
    Key(out, key);
    out += v ? std::to_string(*v) : "null";
    out += ',';
}

void Row(std::string& out, const DesignCheckRow& r)
{
    const bool unreadable = r.kind == DesignClass::Unreadable;
    out += '{';
    Int(out, "line", r.line);
    Key(out, "name");
    out += unreadable && r.name.empty() ? "null" : JsonString(r.name);
    out += ',';
    Number(out, "station", r.station);
    Int(out, "zone", r.zone);
    Number(out, "x", r.x);
    Number(out, "y", r.y);
    Number(out, "dx", r.dx);
    Number(out, "dy", r.dy);
    Number(out, "distance", r.distance);
    Number(out, "dz", r.dz);
    Number(out, "foot_station", r.footStation);
    Number(out, "foot_offset", r.footOffset);
    Key(out, "class");
    out += JsonString(DesignClassWord(r.kind));
    if (unreadable) {
        out += ',';
        Key(out, "reason");
        out += JsonString(r.reason);
    }
    out += '}';
}

}  // namespace

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string DesignCheckJson(const DesignCheckResult& result)
{
    std::string out = "{\"rows\":[";
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        if (i) out += ',';
        Row(out, result.rows[i]);
    }
    const DesignCheckSummary& s = result.summary;
    out += "],\"summary\":{\"rows\":" + std::to_string(s.rows) + ",\"classes\":{";
    for (std::size_t c = 0; c < kDesignClassCount; ++c) {
        if (c) out += ',';
        Key(out, DesignClassWord(DesignClass(c)));
        out += std::to_string(s.classes[c]);
    }
    out += "},";
    Number(out, "max_distance", s.maxDistance);
    Int(out, "max_distance_line", s.maxDistanceLine);
    Number(out, "max_dz", s.maxDz);
    Int(out, "max_dz_line", s.maxDzLine);
    Number(out, "rms", s.rms);
    out.back() = '}';  // the last comma
    out += '}';
    return out;
}

}  // namespace tarvelo
