#pragma once
// The route window with the example road loaded into its 横断面 tab: route
// (optionally with its chain breaks), profile, cross sections, roadbed
// template and surveyed points, each through the window's own file
// commands; and tarvelo-cli run on the same files, its CSV read back.

#include <QDoubleSpinBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStringList>

#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/slope/template_pane.h"
#include "ui/route_window/tables/template_table_model.h"

namespace tarvelo::uitest {

inline QString Example(const char* name) { return QStringLiteral(TARVELO_SOURCE_DIR "/examples/") + name; }

// The fields of CSV text (a UTF-8 BOM, quoted fields, CR LF), row by row.
inline std::vector<std::vector<QString>> SplitCsv(const QString& text)
{
    std::vector<std::vector<QString>> rows;
    std::vector<QString> row;
    QString field;
    bool quoted = false, any = false;
    const QString t = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (quoted) {
            if (c == u'"' && i + 1 < t.size() && t[i + 1] == u'"') field += u'"', ++i;
            else if (c == u'"') quoted = false;
            else field += c;
        } else if (c == u'"') {
            quoted = any = true;
        } else if (c == u',') {
            row.push_back(field), field.clear();
        } else if (c == u'\n') {
            row.push_back(field), field.clear();
            rows.push_back(row), row.clear();
        } else if (c != u'\r') {
            field += c, any = true;
        }
    }
    if (!field.isEmpty() || !row.empty()) row.push_back(field), rows.push_back(row);
    return rows;
}

class SlopeWindowTest : public RouteWindowTest {
protected:
    SectionPanel* panel() { return child<SectionPanel>("sectionPanel"); }
    SectionView* view() { return child<SectionView>("sectionView"); }
    TemplateTableModel* templates() { return panel()->templatePane()->model(); }
    QString templateStatus() { return child<QLabel>("templateStatus")->text(); }

    void importWith(const char* action, const QString& path)
    {
        desktop.queueFileAnswer(path);
        trigger(action);
    }
    void importPoints(const char* button, const QString& path)
    {
        desktop.queueFileAnswer(path);
        child<QPushButton>(button)->click();
    }
    // The example road; with breaks its stations as displayed across
    // examples/breaks-example.csv.
    void loadExample(bool breaks = false)
    {
        importWith("importAction", Example(breaks ? "route-example-breaks.csv" : "route-example.csv"));
        if (breaks) importWith("importBreaksAction", Example("breaks-example.csv"));
        importWith("importProfileAction", Example("profile-example.csv"));
        importWith("importSectionsAction", Example(breaks ? "sections-example-breaks.csv" : "sections-example.csv"));
        importWith("importTemplateAction", Example("template-example.csv"));
        ASSERT_TRUE(panel()->sections()) << child<QLabel>("sectionStatus")->text().toStdString();
        ASSERT_TRUE(panel()->roadbed()) << templateStatus().toStdString();
    }
    // The cli's arguments for the example road, as loadExample loads it.
    QStringList exampleArguments(bool breaks) const
    {
        QStringList a = {QStringLiteral("--route"), Example(breaks ? "route-example-breaks.csv" : "route-example.csv")};
        if (breaks) a << QStringLiteral("--breaks") << Example("breaks-example.csv");
        a << QStringLiteral("--profile") << Example("profile-example.csv") << QStringLiteral("--sections")
          << Example(breaks ? "sections-example-breaks.csv" : "sections-example.csv") << QStringLiteral("--template")
          << Example("template-example.csv");
        return a;
    }
    // tarvelo-cli with these arguments; its standard output. *status its exit code.
    QString runCli(const QStringList& arguments, int* status = nullptr)
    {
        QProcess cli;
        cli.start(QStringLiteral(TARVELO_CLI_PATH), arguments);
        EXPECT_TRUE(cli.waitForFinished(60000));
        if (status) *status = cli.exitCode();
        return QString::fromUtf8(cli.readAllStandardOutput());
    }
    // `route <command> ... --format csv` read back.
    std::vector<std::vector<QString>> cliCsv(const QString& command, QStringList arguments)
    {
        const QString out = dir.filePath(command + QStringLiteral(".csv"));
        QFile::remove(out);
        runCli(QStringList{QStringLiteral("route"), command} + arguments +
               QStringList{QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--out"), out});
        QFile f(out);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << out.toStdString();
        return SplitCsv(QString::fromUtf8(f.readAll()));
    }
    // Every header and cell of the table equals the CSV's.
    void expectTableIs(const char* tableName, const std::vector<std::vector<QString>>& csv)
    {
        QAbstractItemModel* m = model(tableName);
        ASSERT_EQ(std::size_t(m->rowCount()) + 1, csv.size());
        ASSERT_EQ(std::size_t(m->columnCount()), csv[0].size());
        for (int c = 0; c < m->columnCount(); ++c)
            EXPECT_EQ(m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), csv[0][std::size_t(c)]);
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                EXPECT_EQ(cell(tableName, r, c), csv[std::size_t(r) + 1][std::size_t(c)])
                    << tableName << " row " << r + 1 << " column " << c + 1;
    }
};

}  // namespace tarvelo::uitest
