#include "codec/gbk_codec.h"
#include "codec/imported_text.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

struct Conversion {
    const char* label;
    QString text;
    std::string bytes;
};

void PrintTo(const Conversion& c, std::ostream* os)
{
    *os << c.label;
}

class BothDirections : public testing::TestWithParam<Conversion> {};

TEST_P(BothDirections, EncodesAndDecodes)
{
    const Conversion& c = GetParam();
    EXPECT_EQ(GbkCodec::encode(c.text), c.bytes);
    EXPECT_EQ(GbkCodec::decode(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BothDirections,
    testing::Values(Conversion{"surname", QStringLiteral("王"), "\xCD\xF5"},
                    Conversion{"separators", QStringLiteral("，美 丽。"),
                               "\xA3\xAC\xC3\xC0 \xC0\xF6\xA1\xA3"},
                    Conversion{"characters on a boundary", QStringLiteral("北氨卑"),
                               "\xB1\xB1\xB0\xB1\xB1\xB0"},
                    Conversion{"mixed widths", QStringLiteral("ab美"), "ab\xC3\xC0"},
                    Conversion{"the euro sign is one byte", QStringLiteral("€"), "\x80"},
                    Conversion{"empty", QString(), ""}));

TEST(GbkCodec, UnrepresentableCharactersBecomeQuestionMarks)
{
    // An emoji (a surrogate pair) is one character, so one question mark.
    EXPECT_EQ(GbkCodec::encode(QStringLiteral("王😀美")), "\xCD\xF5?\xC3\xC0");
    EXPECT_EQ(GbkCodec::encode(QStringLiteral("\u0E01")), "?"); // Thai
    // Characters the converter would drop silently: a soft hyphen, a zero-width space, a
    // byte order mark and a lone high surrogate at the end.
    EXPECT_EQ(GbkCodec::encode(QStringLiteral("\u00AD\u200B\uFEFF")), "???");
    EXPECT_EQ(GbkCodec::encode(QStringLiteral("a") + QChar(0xD800)), "a?");
    EXPECT_EQ(GbkCodec::encode(QChar(0xD800) + QStringLiteral("a")), "?a");
}

TEST(GbkCodec, BytesThatDoNotDecodeShowAsReplacementCharacters)
{
    const QChar replacement = QChar::ReplacementCharacter;
    // A unit cut from the middle of a character: a lone lead byte at the end.
    EXPECT_EQ(GbkCodec::decode("\xC3\xC0\xC3"), QStringLiteral("美") + replacement);
    EXPECT_EQ(GbkCodec::decode("\xC3"), QString(replacement));
    // A lead byte followed by a byte that cannot be its second byte.
    EXPECT_EQ(GbkCodec::decode("\x81 a"), replacement + QStringLiteral(" a"));
    // Every lead byte cut off at the end shows as one replacement character.
    for (int byte = 0x81; byte <= 0xFE; ++byte) {
        const std::string cut{static_cast<char>(byte)};
        EXPECT_EQ(GbkCodec::decode("a" + cut), QStringLiteral("a") + replacement) << byte;
    }
}

TEST(ImportedText, ReadsTheEncodingsPartnersSave)
{
    const QString names = QStringLiteral("张伟\r\n李白\r诸葛亮明");
    const std::string utf8 = names.toStdString();
    const auto utf16 = [&names](QStringConverter::Encoding encoding) {
        return QByteArray(QStringEncoder(encoding)(names)).toStdString();
    };
    const std::pair<const char*, std::string> cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-16 little-endian", "\xFF\xFE" + utf16(QStringConverter::Utf16LE)},
        {"UTF-16 big-endian", "\xFE\xFF" + utf16(QStringConverter::Utf16BE)},
        {"GBK", GbkCodec::encode(names)},
    };
    for (const auto& [label, bytes] : cases)
        EXPECT_EQ(importedText(bytes), utf8) << label;
    // 0x81 0x20 is neither UTF-8 nor GBK; behind a mark, what does not decode is replaced.
    EXPECT_EQ(importedText("\xCD\xF5\x81\x20"), std::nullopt);
    EXPECT_EQ(importedText("\xEF\xBB\xBF\xCD\xF5"), "\uFFFD\uFFFD");
    EXPECT_EQ(importedText(""), "");
}

} // namespace
