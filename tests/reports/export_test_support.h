#pragma once
// What the export tests share: a scratch folder, running the independent
// Python readers (Debian's /usr/bin/python3 with python3-ezdxf), and the
// engine's own centreline sampled along a route.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

#include "core/plan/route.h"

namespace tarvelo::testing {

struct PythonRun {
    int exitCode = -1;
    QByteArray out, err;
    QJsonObject json;
};

// Runs scripts/<script> from this folder with the system Python (pyenv's
// python3 on PATH lacks Debian's modules).
inline PythonRun RunPythonCheck(const char* script, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{QStringLiteral(TARVELO_EXPORT_TEST_DIR "/") + QString::fromLatin1(script)} + args);
    PythonRun r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.err = "timed out";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.json = QJsonDocument::fromJson(r.out).object();
    return r;
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// "station,x,y" lines of the engine's centreline every `step` metres from
// the start to the end of the route, plus every element's two ends.
inline QByteArray CentrelineCsv(const Route& route, double step)
{
    std::string out;
    const auto add = [&](double k) {
        const std::optional<RouteStake> s = route.PointAt(k, 0, 90);
        if (!s) return;
        char buf[128];
        std::snprintf(buf, sizeof buf, "%.6f,%.6f,%.6f\n", k, s->point.x, s->point.y);
        out += buf;
    };
    const double start = route.start().station, end = route.end().station;
    for (long n = 0; start + n * step <= end; ++n) add(start + n * step);
    add(end);
    for (const RouteElement& e : route.elements()) {
        add(e.startStation);
        add(e.endStation);
    }
    return QByteArray::fromStdString(out);
}

}  // namespace tarvelo::testing
