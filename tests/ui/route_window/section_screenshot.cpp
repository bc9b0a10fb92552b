// Renders the route window's 横断面 tab offscreen with the shipped example
// (route, profile, cross sections) at one stake of the stake table, so the
// picture shows a superelevated section with its elevations:
//
//   section_screenshot ROUTE PROFILE SECTIONS OUT.png [STATION]
//
// STATION (metres, default 12600, on JD3's circle at 6 %) must be a stake of
// the 20 m table. Any message box is an error: it is printed and the tool
// ends with exit code 1.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <deque>

#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/stakes/stake_section_model.h"
#include "ui/ui_services.h"

namespace {

// Answers the open dialogs with the given files in turn.
class FileDesktop : public tarvelo::UiServices {
public:
    explicit FileDesktop(std::deque<QString> files) : files_(std::move(files)) {}
    void showMessage(QWidget*, const QString& title, const QString& text, tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        std::exit(1);
    }
    QString getSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&) override
    {
        if (files_.empty()) return {};
        QString next = files_.front();
        files_.pop_front();
        return next;
    }
    bool startProgram(const QString&, const QStringList&, QString*) override { return false; }
    bool openLocation(const QString&, QString*) override { return false; }

private:
    std::deque<QString> files_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: section_screenshot ROUTE PROFILE SECTIONS OUT.png [STATION]\n");
        return 2;
    }
    const double station = argc == 6 ? std::atof(argv[5]) : 12600;
    FileDesktop desktop({QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                         QString::fromLocal8Bit(argv[3])});
    tarvelo::RouteWindow window(desktop, {});
    // Larger than the window's first size, most of it to the views, so the
    // section stands out beside its table.
    window.resize(1600, 900);
    window.show();
    QApplication::processEvents();
    window.findChild<QAction*>(QStringLiteral("importAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("importProfileAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("importSectionsAction"))->trigger();
    if (!window.document()->route()) {
        std::fprintf(stderr, "the route is refused: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    auto* panel = window.findChild<tarvelo::SectionPanel*>(QStringLiteral("sectionPanel"));
    if (!panel->sections()) {
        std::fprintf(stderr, "the cross sections are refused\n");
        return 1;
    }
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    auto* stakes = window.findChild<QTableView*>(QStringLiteral("stakeTable"));
    auto* model = static_cast<tarvelo::StakeSectionModel*>(stakes->model());
    int row = -1;
    for (int i = 0; i < model->rowCount(); ++i)
        if (model->entry(static_cast<std::size_t>(i)).station == station) row = i;
    if (row < 0) {
        std::fprintf(stderr, "no stake at %g in the 20 m table\n", station);
        return 2;
    }
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({560, 1040});
    window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->setCurrentWidget(panel);
    QApplication::processEvents();
    stakes->setCurrentIndex(model->index(row, 0));
    stakes->scrollTo(model->index(row, 0));
    panel->view()->fit();
    QApplication::processEvents();
    const QString path = QString::fromLocal8Bit(argv[4]);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return 0;
}
