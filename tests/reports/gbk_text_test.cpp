#include "reports/gbk_text.h"

#include <gtest/gtest.h>

#include "gbk_reference.h"

namespace tarvelo {
namespace {

using test_support::ReferenceGbk;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(EncodeGbk, GivesTheCodePageBytesOfLabelsAndSigns)
{
    const char* const texts[] = {
        "交点坐标X(N)",
        "曲线转角a(左负右正,格式:d.ms、14°18ˊ10″为14.1810)",
        "切线角βo1 =2.2918",
        "计算：\r\n复核：",
        "",
    };
    for (const char* text : texts) {
        const FileResult<QByteArray> bytes = EncodeGbk(U(text));
        ASSERT_TRUE(bytes.ok()) << text;
        EXPECT_EQ(bytes.value->toStdString(), ReferenceGbk(text)) << text;
    }
}

// Signs where the GBK tables in use differ between systems: the bytes are
// those of code page 936 (Windows' own table, which the Windows build
// converts with), so that both builds write the same files.
TEST(EncodeGbk, SignsAreTheCodePage936BytesOnEverySystem)
{
    struct Case {
        const char* text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"\u00B7", QByteArray::fromHex("a1a4")},  // middle dot
        {"\u2014", QByteArray::fromHex("a1aa")},  // em dash
        {"\u2015", QByteArray::fromHex("a844")},  // horizontal bar
        {"\u2026", QByteArray::fromHex("a1ad")},  // ellipsis
        {"\u20AC", QByteArray::fromHex("80")},    // euro, the one single byte above 7F
        {"\u3000", QByteArray::fromHex("a1a1")},  // ideographic space
        {"\uFF0C", QByteArray::fromHex("a3ac")},  // full-width comma
        {"\u00B0\u2032\u2033", QByteArray::fromHex("a1e3a1e4a1e5")},  // degree, minute, second
    };
    for (const Case& c : cases) {
        const FileResult<QByteArray> bytes = EncodeGbk(U(c.text));
        ASSERT_TRUE(bytes.ok()) << c.text;
        EXPECT_EQ(bytes.value->toHex().toStdString(), c.bytes.toHex().toStdString()) << c.text;
        const FileResult<DecodedText> back = DecodeTextBytes(c.bytes);
        ASSERT_TRUE(back.ok()) << c.text;
        EXPECT_EQ(back.value->text, U(c.text));
        EXPECT_EQ(back.value->encoding, TextEncoding::Gbk) << c.text;
    }
}

// A lone surrogate half is no character: refused, not written as "?".
TEST(EncodeGbk, LoneSurrogateIsRefused)
{
    QString text = U("K1");
    text.append(QChar(0xD83D));
    text.append(U("2"));
    const FileResult<QByteArray> bytes = EncodeGbk(text);
    EXPECT_FALSE(bytes.ok());
    ASSERT_TRUE(bytes.error.has_value());
    EXPECT_TRUE(bytes.error->contains(QLatin1String("U+D83D"))) << bytes.error->toStdString();
    EXPECT_TRUE(bytes.error->contains(U("第 1 行第 3 列"))) << bytes.error->toStdString();
}

TEST(EncodeGbk, RefusesCharactersGbkLacksInsteadOfWritingQuestionMarks)
{
    struct Case {
        const char* text;
        const char* named;     // the character the message must name
        const char* position;  // its line and column
    };
    const Case cases[] = {
        {"12\xF0\x9F\x98\x80", "U+1F600", "第 1 行第 3 列"},  // emoji, outside the BMP
        {"ab\r\nc한", "U+D55C", "第 2 行第 2 列"},             // Hangul is not in GBK
        {"x\n\xF0\x9F\x98\x80y\xF0\x9F\x98\x80", "U+1F600", "第 2 行第 1 列"},
    };
    for (const Case& c : cases) {
        const FileResult<QByteArray> bytes = EncodeGbk(U(c.text));
        EXPECT_FALSE(bytes.ok()) << c.text;
        EXPECT_FALSE(bytes.value.has_value());
        ASSERT_TRUE(bytes.error.has_value());
        EXPECT_TRUE(bytes.error->contains(QLatin1String(c.named))) << bytes.error->toStdString();
        EXPECT_TRUE(bytes.error->contains(U(c.position))) << bytes.error->toStdString();
    }
}

TEST(DecodeTextBytes, ReadsGbkAndFallsBackToUtf8)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* text;  // expected, UTF-8
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"GBK label", ReferenceGbk("1.5 交点坐标X(N)\r\n"), "1.5 交点坐标X(N)\r\n", TextEncoding::Gbk},
        {"ASCII only", "12\r34\n", "12\r34\n", TextEncoding::Gbk},
        {"empty", "", "", TextEncoding::Gbk},
        // The UTF-8 bytes of "、1" cannot be GBK (0x81 cannot lead 0x31).
        {"UTF-8 without mark", "d.ms\xE3\x80\x81" "14", "d.ms、14", TextEncoding::Utf8},
        // A mark says UTF-8 even where the bytes would also be GBK.
        {"UTF-8 with mark", "\xEF\xBB\xBF" "7 \xE4\xBA\xA4\xE7\x82\xB9", "7 交点", TextEncoding::Utf8},
        {"mark only", "\xEF\xBB\xBF", "", TextEncoding::Utf8},
        // The mark is skipped also before GBK text that is not UTF-8.
        {"mark then GBK", "\xEF\xBB\xBF" + ReferenceGbk("交点"), "交点", TextEncoding::Gbk},
        {"Ctrl-Z at the end", "5\r\n\x1A", "5\r\n\x1A", TextEncoding::Gbk},
    };
    for (const Case& c : cases) {
        const FileResult<DecodedText> decoded = DecodeTextBytes(QByteArray::fromStdString(c.bytes));
        ASSERT_TRUE(decoded.ok()) << c.name << ": " << decoded.error->toStdString();
        EXPECT_EQ(decoded.value->text.toStdString(), std::string(c.text)) << c.name;
        EXPECT_EQ(decoded.value->encoding, c.encoding) << c.name;
    }
}

TEST(DecodeTextBytes, RefusesBytesThatAreNoText)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        // The lead byte of 交 (BD BB) without its second byte.
        {"GBK cut off at the end", "12 \xBD"},
        {"lead byte before a digit, no UTF-8 either", "\xBD" "1\xFF"},
        {"NUL bytes", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
        {"ASCII control", "1\x01" "2"},
        {"UTF-8 with mark, cut off, not GBK either", "\xEF\xBB\xBF" "5\xE4"},
    };
    for (const Case& c : cases) {
        const FileResult<DecodedText> decoded = DecodeTextBytes(QByteArray::fromStdString(c.bytes));
        EXPECT_FALSE(decoded.ok()) << c.name;
        EXPECT_TRUE(decoded.error.has_value() && !decoded.error->isEmpty()) << c.name;
    }
}

}  // namespace
}  // namespace tarvelo
