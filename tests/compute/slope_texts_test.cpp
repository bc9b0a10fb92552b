// The rows of slope staking and the level check as the crew reads them (the
// texts the command line and the route window share): every outcome, the
// rounding at the edges (a move or Δh that rounds to nothing, an offset
// that rounds to the centre), and the level summary.

#include <gtest/gtest.h>

#include "compute/slope_texts.h"
#include "tests/compute/right_angle_route.h"

namespace tarvelo {
namespace {

SlopeStake Stake(SlopeOutcome outcome, double station, double offset)
{
    SlopeStake s;
    s.outcome = outcome;
    s.station = station;
    s.offset = offset;
    if (outcome != SlopeOutcome::Ok) s.reason = "说明";
    return s;
}

TEST(SlopeTexts, EachOutcomeFillsItsCellsAndRoundsAtTheEdges)
{
    const Route road = RightAngleRoute();
    SlopeStake fill = Stake(SlopeOutcome::Ok, 100, 14);
    fill.branch = SlopeBranch::Fill;
    fill.hinge = {5.25, 360.68};
    fill.catchPoint = {15.2704, 354, 1};
    fill.catchX = 100;
    fill.catchY = 15.27045;
    fill.move = 1.2704;
    fill.designZ = 354.8471;
    fill.dz = -0.8471;
    SlopeStake cut = Stake(SlopeOutcome::Ok, 250.5, -9.0004);
    cut.branch = SlopeBranch::Cut;
    cut.hinge = {-5.25, 353.316};
    cut.catchPoint = {-9.0, 358, 2};
    cut.move = -0.0004;  // rounds to nothing: in place
    SlopeStake in = cut;
    in.move = -1.4375;   // an exact half rounds away from zero
    in.designZ = 359.9164;
    in.dz = 0.0004;      // rounds to 0.000: no sign
    const struct {
        SlopeStake stake;
        std::vector<std::string> row;
    } cases[] = {
        {Stake(SlopeOutcome::Outside, 0, 0), {"P", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "说明"}},
        {Stake(SlopeOutcome::Centre, 20, 0.0004),
         {"P", "K0+020.000", "0.000", "", "", "", "", "", "", "", "", "", "", "", "", "", "说明"}},
        {Stake(SlopeOutcome::NoTemplate, 20, -3),
         {"P", "K0+020.000", "3.000", "左", "", "", "", "", "", "", "", "", "", "", "", "", "说明"}},
        {fill,
         {"P", "K0+100.000", "14.000", "右", "填", "5.250", "360.680", "坡脚", "15.270", "100.0000", "15.2705",
          "354.000", "1", "向外 1.270", "354.847", "-0.847", ""}},
        {cut,
         {"P", "K0+250.500", "9.000", "左", "挖", "5.250", "353.316", "坡口", "9.000", "0.0000", "0.0000", "358.000",
          "2", "到位", "", "", ""}},
        {in,
         {"P", "K0+250.500", "9.000", "左", "挖", "5.250", "353.316", "坡口", "9.000", "0.0000", "0.0000", "358.000",
          "2", "向内 1.438", "359.916", "0.000", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row[1] + " " + c.row[13]);
        EXPECT_EQ(SlopeRowTexts(road, "P", c.stake), c.row);
        EXPECT_EQ(c.row.size(), SlopeHeader().size());
    }
}

TEST(SlopeTexts, LevelRowsSayHighLowAndTheVerdictAndTheSummaryNamesTheLargest)
{
    const Route road = RightAngleRoute();
    const auto check = [](LevelOutcome o, double offset, LevelPart part, double designZ, double dz, bool within) {
        LevelCheck c;
        c.outcome = o;
        c.station = 300;
        c.offset = offset;
        c.part = part;
        c.designZ = designZ;
        c.dz = dz;
        c.within = within;
        if (o != LevelOutcome::Ok) c.reason = "说明";
        return c;
    };
    const std::vector<LevelCheck> checks = {
        check(LevelOutcome::Ok, -4.5, LevelPart::Road, 360.41, 0.003, true),
        check(LevelOutcome::Ok, 0.0004, LevelPart::Road, 360.5, -0.0004, true),
        check(LevelOutcome::Ok, 10, LevelPart::Fill, 357.513, -0.016, false),
        check(LevelOutcome::Ok, 12, LevelPart::Cut, 359.916, 0.016, false),
        check(LevelOutcome::NoProfile, 3, LevelPart::Road, 0, 0, false),
        check(LevelOutcome::Outside, 0, LevelPart::Road, 0, 0, false),
    };
    const std::vector<std::vector<std::string>> rows = {
        {"L1", "K0+300.000", "4.500", "左", "路基顶", "360.413", "360.410", "+0.003", "高", "合格", ""},
        {"L2", "K0+300.000", "0.000", "", "路基顶", "360.500", "360.500", "0.000", "平", "合格", ""},
        {"L3", "K0+300.000", "10.000", "右", "填方边坡", "357.497", "357.513", "-0.016", "低", "超限", ""},
        {"L4", "K0+300.000", "12.000", "右", "挖方边坡", "359.932", "359.916", "+0.016", "高", "超限", ""},
        {"L5", "K0+300.000", "3.000", "右", "", "360.000", "", "", "", "无法检测", "说明"},
        {"L6", "", "", "", "", "352.000", "", "", "", "无法检测", "说明"},
    };
    const double z[] = {360.413, 360.4996, 357.497, 359.932, 360, 352};
    std::vector<std::string> names;
    for (std::size_t i = 0; i < checks.size(); ++i) {
        names.push_back(rows[i][0]);
        EXPECT_EQ(LevelRowTexts(road, rows[i][0], z[i], checks[i]), rows[i]) << i;
    }
    // The first of two equal |Δh| is the largest.
    const LevelSummary s = SummariseLevels(names, checks);
    EXPECT_EQ(LevelSummaryLines(s), (std::vector<std::string>{"检测 6 点：合格 2 点，超限 2 点，无法检测 2 点。",
                                                               "最大高差 -0.016 m（L3）"}));
    EXPECT_EQ(LevelSummaryLines(SummariseLevels({}, {})),
              (std::vector<std::string>{"检测 0 点：合格 0 点，超限 0 点，无法检测 0 点。"}));
}

}  // namespace
}  // namespace tarvelo
