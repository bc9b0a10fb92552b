#pragma once
// A small, separate GBK encoder for the expected bytes of the file tests: the
// code page 936 bytes of each character the labels and titles use, from the
// code page table itself, so that expected files do not come from the
// encoder under test.

#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarvelo::test_support {

// utf8 with every non-ASCII character replaced by its GBK bytes. Throws for a
// character missing from the table (the test is then incomplete).
inline std::string ReferenceGbk(const std::string& utf8)
{
    static const std::map<std::string, std::string> kTable = {
        {"°", "a1e3"},
        {"ˊ", "a840"},
        {"β", "a6c2"},
        {"″", "a1e5"},
        {"、", "a1a2"},
        {"中", "d6d0"},
        {"为", "ceaa"},
        {"五", "cee5"},
        {"交", "bdbb"},
        {"位", "cebb"},
        {"值", "d6b5"},
        {"偏", "c6ab"},
        {"内", "c4da"},
        {"切", "c7d0"},
        {"半", "b0eb"},
        {"及", "bcb0"},
        {"右", "d3d2"},
        {"号", "bac5"},
        {"和", "bacd"},
        {"圆", "d4b2"},
        {"坐", "d7f8"},
        {"增", "d4f6"},
        {"复", "b8b4"},
        {"外", "cde2"},
        {"大", "b4f3"},
        {"失", "caa7"},
        {"左", "d7f3"},
        {"差", "b2ee"},
        {"式", "cabd"},
        {"径", "beb6"},
        {"成", "b3c9"},
        {"方", "b7bd"},
        {"曲", "c7fa"},
        {"果", "b9fb"},
        {"标", "b1ea"},
        {"核", "bacb"},
        {"格", "b8f1"},
        {"桩", "d7ae"},
        {"正", "d5fd"},
        {"点", "b5e3"},
        {"理", "c0ed"},
        {"监", "bce0"},
        {"直", "d6b1"},
        {"移", "d2c6"},
        {"程", "b3cc"},
        {"算", "cbe3"},
        {"素", "cbd8"},
        {"线", "cfdf"},
        {"缓", "bbba"},
        {"表", "b1ed"},
        {"要", "d2aa"},
        {"角", "bdc7"},
        {"计", "bcc6"},
        {"负", "b8ba"},
        {"距", "bee0"},
        {"转", "d7aa"},
        {"里", "c0ef"},
        {"长", "b3a4"},
        {"：", "a3ba"},
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const auto it = kTable.find(utf8.substr(i, length));
        if (it == kTable.end()) throw std::runtime_error("no reference GBK bytes for " + utf8.substr(i, length));
        out += QByteArray::fromHex(QByteArray::fromStdString(it->second)).toStdString();
        i += length;
    }
    return out;
}

// The lines, each followed by CR LF, in reference GBK.
inline std::string ReferenceFile(const std::initializer_list<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines) out += ReferenceGbk(line) + "\r\n";
    return out;
}

inline std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// All bytes of a file, or "<missing>" when it cannot be read.
inline std::string FileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

inline void PutFileBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write test file");
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

}  // namespace tarvelo::test_support
