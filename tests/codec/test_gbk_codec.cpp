#include "codec/gbk_codec.h"

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

} // namespace
