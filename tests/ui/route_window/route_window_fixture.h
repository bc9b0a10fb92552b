#pragma once
// The real main window on the fake desktop with its route window opened
// from the tools menu, both shown; controls found by objectName.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "core/plan/route.h"
#include "core/files/route_file.h"
#include "tests/ui/support/fake_ui_services.h"
#include "tests/ui/support/widget_test.h"
#include "ui/main_window/main_window.h"
#include "ui/route_window/route_window.h"

namespace tarvelo::uitest {

// A road of five JDs with unequal, missing and equal spirals (the shipped
// example's geometry), stations given only at QD.
inline const char kFiveJdRoute[] =
    "点名,X,Y,桩号,R,Ls1,Ls2\n"
    "QD,3378000.000,455000.000,10000.000,,,\n"
    "JD1,3378820.356,455310.742,,800,150,120\n"
    "JD2,3379305.118,456215.903,,600,0,100\n"
    "JD3,3379112.540,457020.275,,450,90,\n"
    "JD4,3379705.661,457618.330,,1500,180,180\n"
    "JD5,3380012.874,458630.517,,350,80,80\n"
    "ZD,3380718.225,458742.068,,,,\n";

// A right angle worked by hand: north 1000 m from QD (station 0) to JD1,
// then east 1000 m to ZD. With R 300 and no spirals T = R·tan 45° = 300,
// L = 300·π/2 = 471.2389, so ZY = 700, QZ = 935.6194, YZ = 1171.2389 and the
// route ends at 1171.2389 + 1000 − 300 = 1871.2389.
inline const char kRightAngleRoute[] =
    "QD,0,0,0\n"
    "JD1,1000,0,,300,0,0\n"
    "ZD,1000,1000\n";

// The route the engine builds from a route file's text (no window involved).
inline Route RouteOfText(const std::string& text)
{
    const RouteFileParse parsed = ParseRouteFile(text);
    EXPECT_TRUE(parsed.errors.empty()) << (parsed.errors.empty() ? "" : parsed.errors[0].message);
    Route::Built built = Route::Build(parsed.rows);
    EXPECT_TRUE(built.route.has_value()) << (built.error ? built.error->message : "");
    return std::move(*built.route);
}

class RouteWindowTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        main = std::make_unique<MainWindow>(desktop);
        showAndActivate(main.get());
        route = openFromMenu();
        if (route) showAndActivate(route);
    }

    void TearDown() override
    {
        main.reset();  // takes the route window with it
        WidgetTest::TearDown();
    }

    // Chooses 工具 → 线路计算 and returns the visible route window.
    RouteWindow* openFromMenu()
    {
        findChildByName<QAction>(main.get(), "XianLu")->trigger();
        RouteWindow* found = nullptr;
        for (QWidget* w : visibleTopLevelWindows())
            if (w->objectName() == QLatin1String("RouteWindow")) found = qobject_cast<RouteWindow*>(w);
        EXPECT_NE(found, nullptr) << "no visible RouteWindow";
        return found;
    }

    template <typename T>
    T* child(const char* name) { return findChildByName<T>(route, QString::fromLatin1(name)); }
    QTableView* table(const char* name) { return child<QTableView>(name); }
    QAbstractItemModel* model(const char* name) { return table(name)->model(); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    void press(const char* name) { child<QPushButton>(name)->click(); }
    void trigger(const char* action) { child<QAction>(action)->trigger(); }
    QString status() { return child<QLabel>("routeStatus")->text(); }

    QString cell(const char* tableName, int row, int column)
    {
        QAbstractItemModel* m = model(tableName);
        return m->data(m->index(row, column)).toString();
    }
    QVariant cellRole(const char* tableName, int row, int column, int role)
    {
        QAbstractItemModel* m = model(tableName);
        return m->data(m->index(row, column), role);
    }
    // An edit of one JD table cell as the table's editor commits it.
    void typeCell(int row, int column, const QString& text)
    {
        QAbstractItemModel* m = model("jdTable");
        ASSERT_TRUE(m->setData(m->index(row, column), text, Qt::EditRole));
    }

    // A file in the test's folder holding `bytes`; its path.
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // 文件 → 导入线路 of a route file with this text.
    void importText(const QByteArray& text, const QString& name = QStringLiteral("route.csv"))
    {
        desktop.queueFileAnswer(writeFile(name, text));
        trigger("importAction");
    }

    std::string messageTexts() const
    {
        std::string all;
        for (const auto& m : desktop.messages) all += m.text.toStdString() + "\n";
        return all;
    }

    QTemporaryDir dir;
    FakeUiServices desktop;
    std::unique_ptr<MainWindow> main;
    RouteWindow* route = nullptr;
};

}  // namespace tarvelo::uitest
