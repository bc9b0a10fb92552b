// Every station the route window shows on a route with chain breaks is a
// displayed station, with its zone where a 长链 shows it twice, and it reads
// back (as `route point --station` reads it) to the place it stands for:
// the example road with its breaks, profile and sections, and the element
// ramp with its breaks.

#include <QAbstractItemModel>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "compute/route_station_text.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/profile/profile_label.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/stakes/stake_section_model.h"

namespace tarvelo::uitest {
namespace {

QByteArray SourceFile(const char* path)
{
    QFile f(QStringLiteral(TARVELO_SOURCE_DIR "/") + QString::fromLatin1(path));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    return f.readAll();
}

const std::regex kToken(R"(K-?\d+\+\d{3}(\.\d+)?(\(\d+区\))?)");

std::vector<std::string> Tokens(const QString& text)
{
    const std::string s = text.toStdString();
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), kToken); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

// Text shows stations to the millimetre.
constexpr double kPrinted = 0.0005 + 1e-6;

class RouteWindowStations : public RouteWindowTest {
protected:
    void Load(const char* routeFile, const char* breaksFile)
    {
        importText(SourceFile(routeFile), QStringLiteral("route.csv"));
        desktop.queueFileAnswer(writeFile(QStringLiteral("breaks.csv"), SourceFile(breaksFile)));
        trigger("importBreaksAction");
        ASSERT_NE(route->document()->route(), nullptr) << messageTexts();
        ASSERT_TRUE(route->document()->route()->hasBreaks());
    }
    const Route& R() { return *route->document()->route(); }
    // The design check's verdict of a row (its last column).
    QString panelVerdict(int row)
    {
        QAbstractItemModel* m = model("checkTable");
        return m->data(m->index(row, m->columnCount() - 1)).toString();
    }

    // The route's own station of a shown token; fails the test when the
    // token does not read as one displayed station (ambiguous, a gap, ...).
    std::optional<double> Read(const std::string& token, const std::string& where)
    {
        const TypedStation t = ReadRouteStation(R(), token);
        EXPECT_TRUE(t.station) << where << ": “" << token << "” " << t.error;
        return t.station;
    }
    // Every token of a text reads back.
    int EveryTokenReads(const QString& text, const std::string& where)
    {
        const std::vector<std::string> tokens = Tokens(text);
        for (const std::string& t : tokens) Read(t, where);
        return int(tokens.size());
    }

    // Makes the 20 m stake table and checks each row's station cell: it
    // reads back to the row's own station (to the printed millimetre) and
    // is never the continuous position.
    void StakeCellsReadBack()
    {
        press("stakeButton");
        auto* stakes = static_cast<StakeSectionModel*>(model("stakeTable"));
        ASSERT_GT(stakes->rowCount(), 20);
        int twice = 0;
        for (int row = 0; row < stakes->rowCount(); ++row) {
            const RouteTableEntry e = stakes->entry(std::size_t(row));
            const QString text = stakes->data(stakes->index(row, 0), Qt::DisplayRole).toString();
            const std::vector<std::string> tokens = Tokens(text);
            ASSERT_FALSE(tokens.empty()) << text.toStdString();
            if (e.ahead) continue;  // the break row: "K…=K…", both sides the break point
            if (text.contains(QStringLiteral("区"))) ++twice;
            const auto own = Read(tokens.front(), "stake row " + std::to_string(row));
            if (own) {
                EXPECT_NEAR(*own, e.station, kPrinted) << text.toStdString();
            }
        }
        EXPECT_GT(twice, 0) << "no stake of the 长链's overlap carries its zone";
    }
};

TEST_F(RouteWindowStations, EveryStationOfTheExampleRoadWithBreaksIsDisplayed)
{
    Load("examples/route-example-breaks.csv", "examples/breaks-example.csv");
    desktop.queueFileAnswer(writeFile(QStringLiteral("profile.csv"), SourceFile("examples/profile-example.csv")));
    trigger("importProfileAction");
    desktop.queueFileAnswer(
        writeFile(QStringLiteral("sections.csv"), SourceFile("examples/sections-example-breaks.csv")));
    trigger("importSectionsAction");
    ASSERT_NE(route->profilePanel()->profile(), nullptr) << child<QLabel>("profileStatus")->text().toStdString();
    auto* sections = child<SectionPanel>("sectionPanel");
    ASSERT_NE(sections->sections(), nullptr) << child<QLabel>("sectionStatus")->text().toStdString();

    StakeCellsReadBack();

    // Statuses: the route's, the profile's, the sections' (the range K10+000
    // to K15+201.070 as displayed, not K15+191.070).
    EXPECT_GT(EveryTokenReads(child<QLabel>("profileStatus")->text(), "profile status"), 0);
    const QString sectionStatus = child<QLabel>("sectionStatus")->text();
    EXPECT_GT(EveryTokenReads(sectionStatus, "section status"), 0);
    EXPECT_FALSE(sectionStatus.contains(QStringLiteral("K15+191.070"))) << sectionStatus.toStdString();

    // The profile's grade-point labels: the stations the file gives.
    int labels = 0;
    QStringList gradePoints;
    for (QGraphicsItem* item : child<QGraphicsView>("profileView")->scene()->items())
        if (auto* label = dynamic_cast<ProfileLabel*>(item)) {
            labels += EveryTokenReads(label->lines().join(QLatin1Char(' ')), "profile label");
            gradePoints << label->lines().front();
        }
    EXPECT_GE(labels, 6);
    EXPECT_TRUE(gradePoints.contains(QStringLiteral("K11+540.000"))) << gradePoints.join(' ').toStdString();
    EXPECT_TRUE(gradePoints.contains(QStringLiteral("K12+900.000")));

    // The section drawing of a stake in the overlap: its title names the
    // stake's own place, with the zone.
    auto* stakes = static_cast<StakeSectionModel*>(model("stakeTable"));
    int inOverlap = -1;
    for (int row = 0; row < stakes->rowCount(); ++row)
        if (!stakes->entry(std::size_t(row)).ahead &&
            stakes->data(stakes->index(row, 0), Qt::DisplayRole).toString().contains(QStringLiteral("区")))
            inOverlap = row;
    ASSERT_GE(inOverlap, 0);
    table("stakeTable")->setCurrentIndex(stakes->index(inOverlap, 0));
    const auto& drawing = child<SectionView>("sectionView")->drawing();
    ASSERT_TRUE(drawing.has_value());
    EXPECT_TRUE(drawing->stationText.contains(QStringLiteral("区"))) << drawing->stationText.toStdString();
    const auto own = Read(drawing->stationText.toStdString(), "section title");
    if (own) {
        EXPECT_NEAR(*own, stakes->entry(std::size_t(inOverlap)).station, kPrinted);
    }

    // The design check of stakes in the overlap, given without their zone:
    // 需指明区段, and the station and foot cells read back.
    const std::string design = "点名,桩号,X,Y\nA,K13+075," + FormatFixed(3379376.7923, 4) + "," +
                               FormatFixed(457286.7256, 4) + "\nB,K13+075(2区),3379411.9596,457322.2679\n";
    desktop.queueFileAnswer(writeFile(QStringLiteral("design.csv"), QByteArray::fromStdString(design)));
    press("loadDesignButton");
    QAbstractItemModel* checks = model("checkTable");
    ASSERT_EQ(checks->rowCount(), 2);
    int checked = 0;
    // Row A's own station is the design's, as written (its verdict asks for
    // the zone); every other station cell reads back.
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < checks->columnCount(); ++column) {
            const QString head = checks->headerData(column, Qt::Horizontal).toString();
            if (row == 0 && head == QStringLiteral("桩号")) continue;
            checked += EveryTokenReads(checks->data(checks->index(row, column)).toString(), "check cell");
        }
    EXPECT_GE(checked, 3);
    EXPECT_EQ(panelVerdict(0), QStringLiteral("需指明区段"));
}

TEST_F(RouteWindowStations, EveryStationOfTheElementRampWithBreaksIsDisplayed)
{
    Load("examples/ramp-elements.csv", "examples/ramp-breaks.csv");
    StakeCellsReadBack();
    // A section table typed with zones on the ramp: K0+580 of each zone.
    desktop.queueFileAnswer(writeFile(QStringLiteral("s.csv"),
                                      "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n"
                                      "K0+000,3.5,3.5,-2,-2\nK0+580(1区),4,4,-2,-2\n"
                                      "K0+580(2区),5,5,-2,-2\nK0+860,3.5,3.5,-2,-2\n"));
    trigger("importSectionsAction");
    auto* sections = child<SectionPanel>("sectionPanel");
    ASSERT_NE(sections->sections(), nullptr) << child<QLabel>("sectionStatus")->text().toStdString() << messageTexts();
    // The two K0+580 are 30 m apart along the road.
    const auto& rows = sections->sections()->rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NEAR(rows[2].station - rows[1].station, 30, 1e-9);
    EXPECT_GT(EveryTokenReads(child<QLabel>("sectionStatus")->text(), "section status"), 0);
}

}  // namespace
}  // namespace tarvelo::uitest
