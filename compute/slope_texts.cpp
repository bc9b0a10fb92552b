#include "compute/slope_texts.h"

#include <cmath>

#include "compute/route_station_text.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

std::string F3(double v) { return FormatFixed(v, 3); }
std::string F4(double v) { return FormatFixed(v, 4); }
std::string Signed3(double v)
{
    const std::string t = FormatFixed(v, 3);
    return t.front() == '-' || t == "0.000" ? t : "+" + t;
}
std::string SideWord(double offset) { return offset < 0 ? "左" : "右"; }

const char* PartWord(LevelPart p)
{
    switch (p) {
    case LevelPart::Road: return "路基顶";
    case LevelPart::Fill: return "填方边坡";
    case LevelPart::Cut: break;
    }
    return "挖方边坡";
}

}  // namespace

const std::vector<std::string>& SlopeHeader()
{
    static const std::vector<std::string> header = {
        "点名", "桩号", "偏距", "侧", "填挖", "路基边缘偏距", "路基边缘高程", "放样点", "放样点偏距",
        "X",    "Y",    "放样点高程", "级", "移动", "设计高程", "高差", "说明"};
    return header;
}

std::vector<std::string> SlopeRowTexts(const Route& r, const std::string& name, const SlopeStake& s)
{
    std::vector<std::string> row(SlopeHeader().size());
    row[kSlopeName] = name;
    if (s.outcome != SlopeOutcome::Outside) {
        row[kSlopeStation] = RouteStationText(r, s.station);
        row[kSlopeOffset] = F3(std::fabs(s.offset));
        if (s.outcome != SlopeOutcome::Centre) row[kSlopeSide] = SideWord(s.offset);
    }
    if (s.outcome != SlopeOutcome::Ok) {
        row[kSlopeReason] = s.reason;
        return row;
    }
    const bool fill = s.branch == SlopeBranch::Fill;
    row[kSlopeBranch] = fill ? "填" : "挖";
    row[kSlopeHingeOffset] = F3(std::fabs(s.hinge.offset));
    row[kSlopeHingeZ] = F3(s.hinge.z);
    row[kSlopeCatch] = fill ? "坡脚" : "坡口";
    row[kSlopeCatchOffset] = F3(std::fabs(s.catchPoint.offset));
    row[kSlopeX] = F4(s.catchX);
    row[kSlopeY] = F4(s.catchY);
    row[kSlopeCatchZ] = F3(s.catchPoint.z);
    row[kSlopeLevel] = std::to_string(s.catchPoint.level);
    const std::string move = F3(std::fabs(s.move));
    row[kSlopeMove] = move == "0.000" ? "到位" : (s.move > 0 ? "向外 " : "向内 ") + move;
    if (s.designZ) {
        row[kSlopeDesignZ] = F3(*s.designZ);
        row[kSlopeDz] = Signed3(*s.dz);
    }
    return row;
}

const std::vector<std::string>& LevelHeader()
{
    static const std::vector<std::string> header = {"点名",     "桩号", "偏距", "侧",   "部位", "实测高程",
                                                    "设计高程", "高差", "高低", "结论", "说明"};
    return header;
}

std::vector<std::string> LevelRowTexts(const Route& r, const std::string& name, double z, const LevelCheck& c)
{
    std::vector<std::string> row(LevelHeader().size());
    row[kLevelName] = name;
    row[kLevelZ] = F3(z);
    if (c.outcome != LevelOutcome::Outside) {
        row[kLevelStation] = RouteStationText(r, c.station);
        row[kLevelOffset] = F3(std::fabs(c.offset));
        if (row[kLevelOffset] != "0.000") row[kLevelSide] = SideWord(c.offset);
    }
    if (c.outcome != LevelOutcome::Ok) {
        row[kLevelVerdict] = "无法检测";
        row[kLevelReason] = c.reason;
        return row;
    }
    row[kLevelPart] = PartWord(c.part);
    row[kLevelDesignZ] = F3(c.designZ);
    row[kLevelDz] = Signed3(c.dz);
    row[kLevelHighLow] = row[kLevelDz] == "0.000" ? "平" : c.dz > 0 ? "高" : "低";
    row[kLevelVerdict] = c.within ? "合格" : "超限";
    return row;
}

LevelSummary SummariseLevels(const std::vector<std::string>& names, const std::vector<LevelCheck>& checks)
{
    LevelSummary s;
    s.points = checks.size();
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const LevelCheck& c = checks[i];
        if (c.outcome != LevelOutcome::Ok) {
            ++s.unchecked;
            continue;
        }
        ++(c.within ? s.within : s.beyond);
        if (!s.maxDz || std::fabs(c.dz) > std::fabs(*s.maxDz)) {
            s.maxDz = c.dz;
            s.maxName = i < names.size() ? names[i] : std::string();
        }
    }
    return s;
}

std::vector<std::string> LevelSummaryLines(const LevelSummary& s)
{
    std::vector<std::string> lines = {"检测 " + std::to_string(s.points) + " 点：合格 " + std::to_string(s.within) +
                                      " 点，超限 " + std::to_string(s.beyond) + " 点，无法检测 " +
                                      std::to_string(s.unchecked) + " 点。"};
    if (s.maxDz)
        lines.push_back("最大高差 " + Signed3(*s.maxDz) + " m" + (s.maxName.empty() ? "" : "（" + s.maxName + "）"));
    return lines;
}

}  // namespace tarvelo
