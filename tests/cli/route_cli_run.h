#pragma once
// What the route command-line tests share: running `tarvelo-cli route ...`
// in process, and a folder of their own for the files it reads.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <sstream>
#include <string>
#include <vector>

#include "cli/route_cli.h"

namespace tarvelo::testing {

struct RouteCliRun {
    int status;
    std::string out, err;
};

// `tarvelo-cli route <args...>`: its status, stdout and stderr.
inline RouteCliRun RunRoute(std::vector<std::string> args)
{
    args.insert(args.begin(), "route");
    RouteCliRun r;
    std::ostringstream out;
    r.status = RunRouteCli(args, out, r.err);
    r.out = out.str();
    return r;
}

class RouteCliFiles : public ::testing::Test {
protected:
    // Writes bytes to name in the test's own folder; returns the path.
    std::string Write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path.toStdString();
    }
    std::string Write(const char* name, const std::string& bytes)
    {
        return Write(name, QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
    std::string Write(const char* name, const char* bytes) { return Write(name, QByteArray(bytes)); }
    QTemporaryDir dir_;
};

}  // namespace tarvelo::testing
