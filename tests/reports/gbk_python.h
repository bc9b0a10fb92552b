#pragma once
// What the report tests share to read a written file back independently:
// Python's own GBK codec (Debian's python3), not the program's decoder.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

#include <string>

namespace tarvelo::testing {

// The file at path decoded from GBK by Python, as UTF-8; "<python failed: ...>"
// when Python could not decode it.
inline std::string DecodeGbkWithPython(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys; sys.stdout.buffer.write(open(sys.argv[1], 'rb').read()"
                            ".decode('gbk').encode('utf-8'))"),
             path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return "<python failed: " + p.readAllStandardError().toStdString() + ">";
    return p.readAllStandardOutput().toStdString();
}

// The file's bytes, "<missing>" when it cannot be read.
inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

}  // namespace tarvelo::testing
