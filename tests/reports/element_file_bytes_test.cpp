// Element files as a spreadsheet saves them: GBK or UTF-8 with a byte-order
// mark, CR LF. The file layer decodes; the reader sees the same rows.

#include <gtest/gtest.h>

#include <QByteArray>

#include "core/files/element_file.h"
#include "reports/table_file.h"

namespace tarvelo {
namespace {

ElementFileParse ParseBytes(const QByteArray& bytes)
{
    const FileResult<std::string> text = DecodeTableBytes(bytes);
    EXPECT_TRUE(text.ok());
    if (!text.ok()) return {};
    EXPECT_TRUE(IsElementFileHeader(*text.value));
    return ParseElementFile(*text.value);
}

TEST(ElementFileBytes, GbkAndUtf8WithMarkGiveTheSameRows)
{
    // Code page 936: 长 b3a4, 度 b6c8, 左 d7f3, 右 d3d2.
    const QByteArray gbk = QByteArray::fromHex(
        "6e616d652c7374612c582c592c617a2c"  // name,sta,X,Y,az,
        "b3a4b6c8"                          // 长度
        "0d0a"
        "4c312c4b312b3030302c302c302c302e33302c3130300d0a"  // L1,K1+000,0,0,0.30,100
        "53312c2c2c2c2c35302c696e662c3230302cd7f30d0a"      // S1,,,,,50,inf,200,左
        "43312c2c2c2c2c32302c3230302c3230302cd3d20d0a");    // C1,,,,,20,200,200,右
    const QByteArray utf8 = QByteArray("\xEF\xBB\xBF") +
                            "name,sta,X,Y,az,长度\r\nL1,K1+000,0,0,0.30,100\r\nS1,,,,,50,inf,200,左\r\n"
                            "C1,,,,,20,200,200,右\r\n";
    for (const QByteArray& bytes : {gbk, utf8}) {
        const ElementFileParse p = ParseBytes(bytes);
        ASSERT_TRUE(p.errors.empty()) << p.errors[0].message;
        ASSERT_EQ(p.rows.size(), 3u);
        EXPECT_EQ(*p.rows[0].station, 1000);
        EXPECT_EQ(*p.rows[0].azimuth, 0.5);
        EXPECT_EQ(p.rows[0].line, 2);
        EXPECT_EQ(p.rows[1].turn, -1);
        EXPECT_EQ(p.rows[2].turn, 1);
        EXPECT_EQ(p.rows[2].startRadius, 200);
    }
}

}  // namespace
}  // namespace tarvelo
