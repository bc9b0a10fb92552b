// Ground-section files: the three forms read, written and read back; the
// relative form against the absolute one; bad sections listed, not skipped.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/files/ground_file.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {
namespace {

// A route from K10+000 to K11+000 without breaks: distance = station − 10000.
std::optional<SectionStation> ReadStation(const std::string& field, std::string* error)
{
    double s = 0;
    if (!ReadStationField(field, &s)) {
        *error = "不是桩号";
        return std::nullopt;
    }
    if (s < 10000 || s > 11000) {
        *error = "不在线路范围内";
        return std::nullopt;
    }
    return SectionStation{s - 10000, s, 0};
}

std::string Label(const GroundSection& g) { return FormatKStation(g.at().station); }

const char* const kCsv =
    "桩号,偏距,高程\n"
    "K10+040,-12.5,101.20\n"
    "K10+020,-10.0,100.50\n"
    "K10+020,0,100.000\n"
    "K10+020,8.25,99.10\n"
    "K10+040,0,100.80\n"
    "K10+020,-3.1,100.25\n"
    "K10+040,6,100.10\n"
    "K10+040,14.4,99.9\n";

void ExpectSameSections(const std::vector<GroundSection>& a, const std::vector<GroundSection>& b, const char* what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i].at().distance, b[i].at().distance, 1e-6) << what;
        ASSERT_EQ(a[i].points().size(), b[i].points().size()) << what << " section " << i;
        for (std::size_t k = 0; k < a[i].points().size(); ++k) {
            EXPECT_NEAR(a[i].points()[k].offset, b[i].points()[k].offset, 1e-6) << what;
            EXPECT_NEAR(a[i].points()[k].z, b[i].points()[k].z, 1e-6) << what;
        }
    }
}

TEST(GroundFile, CsvReadsGroupedByStationInRouteOrder)
{
    const GroundFileContent c = ParseGroundFile(kCsv, ReadStation);
    ASSERT_TRUE(c.ok()) << c.refused;
    EXPECT_EQ(c.form, GroundFileForm::Csv);
    EXPECT_TRUE(c.problems.empty());
    ASSERT_EQ(c.sections.size(), 2u);
    EXPECT_EQ(c.sections[0].at().station, 10020);
    ASSERT_EQ(c.sections[0].points().size(), 4u);
    EXPECT_EQ(c.sections[0].points()[1].offset, -3.1);
    EXPECT_EQ(c.sections[0].points()[1].z, 100.25);
    EXPECT_EQ(c.sections[1].points().front().offset, -12.5);
    EXPECT_EQ(DescribeGroundFile(c), "读入 2 个断面（桩号,偏距,高程 格式）");
}

TEST(GroundFile, ThreeFormsWrittenAndReadBack)
{
    const GroundFileContent csv = ParseGroundFile(kCsv, ReadStation);
    ASSERT_TRUE(csv.ok());
    // Every section crosses the centre line at a point, so the relative form
    // needs no interpolation and holds exactly these points.
    const GroundFileContent again = ParseGroundFile(FormatGroundCsv(csv.sections, Label), ReadStation);
    ASSERT_TRUE(again.ok()) << again.refused;
    ExpectSameSections(csv.sections, again.sections, "csv");

    const std::string hdm = FormatGroundHdm(csv.sections, Label);
    EXPECT_EQ(hdm.substr(0, 33), "BEGIN,K10+020.000\n-10,100.5\n-3.1,");
    const GroundFileContent fromHdm = ParseGroundFile(hdm, ReadStation);
    ASSERT_TRUE(fromHdm.ok()) << fromHdm.refused;
    EXPECT_EQ(fromHdm.form, GroundFileForm::Hdm);
    ExpectSameSections(csv.sections, fromHdm.sections, "hdm");

    const RelativeGroundText rel = FormatGroundRelative(csv.sections, Label);
    EXPECT_EQ(rel.written, 2u);
    // K10+020: left −3.1 then −10.0 from the centre (100.000); right 8.25.
    EXPECT_EQ(rel.text.substr(0, rel.text.find('\n', 18) + 1), "K10+020.000\n2\t3.1\t0.25\t6.9\t0.25\n");
    const CentreGroundContent centre = ParseCentreGroundFile(rel.centreGround, ReadStation);
    ASSERT_TRUE(centre.ok());
    ASSERT_EQ(centre.points.size(), 2u);
    EXPECT_EQ(centre.points[1].z, 100.8);
    const GroundFileContent fromRel = ParseGroundFile(rel.text, ReadStation, &centre.points);
    ASSERT_TRUE(fromRel.ok()) << fromRel.refused;
    EXPECT_EQ(fromRel.form, GroundFileForm::HdmRelative);
    ExpectSameSections(csv.sections, fromRel.sections, "relative");
}

TEST(GroundFile, RelativeFormAgainstTheAbsoluteOne)
{
    // A design program's relative file, spaces and commas mixed, and the
    // absolute section it stands for, worked out by hand from the centre
    // elevations 352.400 (K10+000) and 353.000 (K10+100), interpolated at
    // K10+050 to 352.700.
    const char* relative =
        "10050\n"
        "3 2.5 -0.1 4 -1.2, 6 0.5\n"
        "2\t3.75\t0.05\t10\t2.0\n";
    const char* absolute =
        "BEGIN,10050:1\n"
        "-12.5,351.9\n-6.5,351.4\n-2.5,352.6\n0,352.7\n3.75,352.75\n13.75,354.75\n";
    const CentreGroundContent centre = ParseCentreGroundFile("station,elevation\nK10+000,352.400\nK10+100,353.000\n", ReadStation);
    ASSERT_TRUE(centre.ok());
    const GroundFileContent rel = ParseGroundFile(relative, ReadStation, &centre.points);
    const GroundFileContent abs = ParseGroundFile(absolute, ReadStation);
    ASSERT_TRUE(rel.ok()) << rel.refused;
    ASSERT_TRUE(abs.ok()) << abs.refused;
    ExpectSameSections(abs.sections, rel.sections, "relative vs absolute");

    // Without centre elevations the relative form cannot be read.
    const GroundFileContent none = ParseGroundFile(relative, ReadStation);
    EXPECT_FALSE(none.ok());
    EXPECT_NE(none.refused.find("中桩地面高程"), std::string::npos);
}

TEST(GroundFile, BadSectionsAreListedAndLeftOut)
{
    struct Case {
        const char* what;
        const char* text;
        std::size_t sections;
        std::vector<std::string> says;  // one per problem, in order
    };
    const std::vector<Case> cases = {
        {"csv: a non-number, one point, outside the route, a bad station",
         "桩号,偏距,高程\n"
         "K10+020,-5,100\nK10+020,5,abc\n"
         "K10+030,-5,100\nK10+030,5,100\n"
         "K10+040,1,100\n"
         "K12+000,1,100\nK12+000,2,100\n"
         "K1x,1,100\n",
         1,
         {"第 7 行：桩号 K12+000：不在线路范围内", "第 8 行：桩号 K12+000", "第 9 行：桩号 K1x：不是桩号",
          "第 3 行：偏距和高程须为数；桩号 K10+020 的断面（第 2 行起）未读入",
          "桩号 K10+040 的断面（第 6 行起）未读入：断面只有 1 个点"}},
        {"hdm: a line before BEGIN, a bad point line, a repeated station, equal offsets",
         "1,2\n"
         "BEGIN,10020\n-5,100\n5,100\n"
         "BEGIN,10030:2\n-5,100\nx\n5,100\n"
         "BEGIN,K10+020\n-5,101\n5,101\n"
         "BEGIN,10040\n1,100\n1,101\n",
         1,
         {"第 1 行：在第一个 BEGIN 行之前", "第 7 行：应为 偏距,高程 两个数；桩号 10030 的断面（第 5 行起）未读入",
          "偏距相同", "第 9 行：断面的桩号与第 2 行起的断面相同"}},
        {"relative: a count that does not match, a negative distance, a missing side",
         "10020\n1 2 0.1\n1 2 -0.1\n"
         "10030\n2 2 0.1\n0\n"
         "10040\n1 -2 0.1\n0\n"
         "10050\n0\n",
         1,
         {"第 5 行：点数为 2，应有 4 个数，实有 2 个", "第 8 行：第 1 对的平距为负", "第 10 行：桩号 10050 之后应有左、右两行"}},
    };
    const CentreGroundContent centre = ParseCentreGroundFile("10000,100\n10100,100\n", ReadStation);
    ASSERT_TRUE(centre.ok());
    for (const Case& c : cases) {
        const GroundFileContent g = ParseGroundFile(c.text, ReadStation, &centre.points);
        ASSERT_TRUE(g.ok()) << c.what << ": " << g.refused;
        EXPECT_EQ(g.sections.size(), c.sections) << c.what;
        ASSERT_EQ(g.problems.size(), c.says.size()) << c.what;
        for (std::size_t i = 0; i < c.says.size(); ++i)
            EXPECT_NE(g.problems[i].find(c.says[i]), std::string::npos) << c.what << ": " << g.problems[i];
    }
}

TEST(GroundFile, WholeFileRefusedOnlyWhenNothingReads)
{
    for (const char* text : {"", "# only a comment\n", "桩号,偏距,高程\nK10+020,1,100\n", "BEGIN,abc\n1,2\n3,4\n",
                             "桩号,偏距\nK10+020,1\n"}) {
        const GroundFileContent g = ParseGroundFile(text, ReadStation);
        EXPECT_FALSE(g.ok()) << text;
        EXPECT_TRUE(g.sections.empty()) << text;
        EXPECT_FALSE(g.refused.empty()) << text;
    }
    // A broken first data row is data, refused with its line, not a header.
    const GroundFileContent g = ParseGroundFile("K10+0x0,1,100\nK10+020,1,100\nK10+020,2,100\n", ReadStation);
    ASSERT_TRUE(g.ok());
    ASSERT_EQ(g.problems.size(), 1u);
    EXPECT_NE(g.problems[0].find("第 1 行"), std::string::npos);
}

TEST(GroundFile, RelativeFormOfASectionWithoutACentrePoint)
{
    // The centre elevation is interpolated between −2 (100) and 2 (101), and
    // said so; a section entirely right of the centre line is named and left out.
    const GroundFileContent g = ParseGroundFile("BEGIN,10020\n-2,100\n2,101\nBEGIN,10040\n1,100\n3,100\n", ReadStation);
    ASSERT_TRUE(g.ok());
    const RelativeGroundText rel = FormatGroundRelative(g.sections, Label);
    EXPECT_EQ(rel.written, 1u);
    ASSERT_EQ(rel.notes.size(), 2u);
    EXPECT_EQ(rel.notes[0], "桩号 K10+020.000：中桩地面高程 100.500（由左右两点内插）");
    EXPECT_NE(rel.notes[1].find("未写入相对格式"), std::string::npos);
    EXPECT_EQ(rel.centreGround, "桩号,高程\nK10+020.000,100.5\n");
}

TEST(GroundFile, RelativeFormReadsBackAPointWithinAMicrometreOfTheCentreLine)
{
    // 4e-7 m right of the centre line is written as the centre point, not as
    // a second point at offset 0 that the reader would refuse.
    const GroundFileContent g = ParseGroundFile("BEGIN,10020\n-2,100\n0.0000004,100.5\n2,101\n", ReadStation);
    ASSERT_TRUE(g.ok());
    const RelativeGroundText rel = FormatGroundRelative(g.sections, Label);
    const CentreGroundContent centre = ParseCentreGroundFile(rel.centreGround, ReadStation);
    const GroundFileContent back = ParseGroundFile(rel.text, ReadStation, &centre.points);
    ASSERT_TRUE(back.ok()) << back.refused;
    EXPECT_TRUE(back.problems.empty());
    ASSERT_EQ(back.sections[0].points().size(), 3u);
    EXPECT_NEAR(back.sections[0].points()[1].z, 100.5, 1e-6);
}

TEST(GroundFile, CentreGroundElevations)
{
    const CentreGroundContent c = ParseCentreGroundFile("桩号,高程\nK10+100,353\nK10+000,352.4\n", ReadStation);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(*CentreGroundAt(c.points, 0), 352.4);
    EXPECT_NEAR(*CentreGroundAt(c.points, 25), 352.55, 1e-12);
    EXPECT_EQ(*CentreGroundAt(c.points, 100), 353);
    EXPECT_FALSE(CentreGroundAt(c.points, 100.01));
    EXPECT_FALSE(CentreGroundAt(c.points, NAN));
    const CentreGroundContent bad = ParseCentreGroundFile("K10+000,352.4\nK10+000,352.5\nK10+050,x\n", ReadStation);
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.points.empty());
    EXPECT_EQ(bad.errors.size(), 2u);
}

}  // namespace
}  // namespace tarvelo
