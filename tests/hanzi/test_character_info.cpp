#include "hanzi/character_info.h"

#include <gtest/gtest.h>

namespace {

using Readings = std::vector<std::string>;

struct KnownCharacter {
    char32_t codePoint;
    Readings readings;
    int strokes;
    bool generalStandard;
    std::string definition;
};

TEST(CharacterTable, KnowsWellKnownCharacters)
{
    const KnownCharacter known[] = {
        {U'美', {"měi"}, 9, true, "beautiful, pretty; pleasing"},
        {U'乐', {"lè", "yuè"}, 5, true, "happy, glad; enjoyable; music"},
        {U'单', {"dān", "chán", "shàn"}, 8, true, "single, individual, only; lone"},
        {U'王', {"wáng", "wàng", "yù"}, 4, true, "king, ruler; royal; surname"},
        {U'㐀', {"qiū"}, 5, false, "(same as U+4E18 丘) hillock or mound"},
        // Every reading in the order of the fields, whatever a name reads.
        {U'罗', {"luō", "luó"}, 8, true, "net for catching birds; gauze"},
    };
    for (const KnownCharacter& character : known) {
        SCOPED_TRACE(static_cast<unsigned>(character.codePoint));
        const std::optional<CharacterInfo> info = LookUpCharacter(character.codePoint);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->readings, character.readings);
        EXPECT_EQ(info->strokes, character.strokes);
        EXPECT_EQ(info->generalStandard, character.generalStandard);
        EXPECT_EQ(info->definition, character.definition);
    }
    // Past the last code point (every one up to it is checked against the Unihan files).
    EXPECT_FALSE(LookUpCharacter(0x110000));
    EXPECT_FALSE(LookUpCharacter(0xFFFFFFFF));
}

struct NameReadingCase {
    char32_t codePoint;
    const char* customary; // readings.front(), kept as it was
    const char* inName;
    std::size_t modernReadings;
};

TEST(CharacterTable, ReadsANameWithATone)
{
    const NameReadingCase cases[] = {
        // kMandarin gives a reading the 2013 general standard list does not have.
        {U'罗', "luō", "luó", 2},
        {U'卓', "zhuō", "zhuó", 2},
        {U'珩', "háng", "héng", 2},
        // Toneless customary readings.
        {U'子', "zi", "zǐ", 2},
        {U'地', "de", "dì", 2},   // kMandarin "de dì": the toned value the list has too
        {U'了', "le", "liǎo", 3}, // liào is a dictionary reading too
        // The list's first reading (alphabetical) is not the usual one.
        {U'行', "xíng", "xíng", 5},
        {U'长', "zhǎng", "zhǎng", 2},
        {U'乛', "ya", "ya", 1}, // no toned reading anywhere
        {U'美', "měi", "měi", 1},
        {U'英', "yīng", "yīng", 1}, // the archaic yāng is no modern reading
    };
    for (const NameReadingCase& entry : cases) {
        SCOPED_TRACE(static_cast<unsigned>(entry.codePoint));
        const std::optional<CharacterInfo> info = LookUpCharacter(entry.codePoint);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->readings.front(), entry.customary);
        EXPECT_EQ(info->readingInName(), entry.inName);
        EXPECT_EQ(info->modernReadings, entry.modernReadings);
    }
}

struct SurnameCase {
    std::u32string surname;
    Readings readings;
};

TEST(SurnameReadings, PreferTheSurnameReading)
{
    const SurnameCase cases[] = {
        {U"", {}},
        {U"单", {"shàn"}},
        {U"王", {"wáng"}},
        {U"诸葛", {"zhū", "gě"}},
        {U"单于", {"chán", "yú"}},
        // Not a compound of the list: the first character alone takes its surname reading.
        {U"单王", {"shàn", "wáng"}},
        {U"诸葛王", {"zhū", "gé", "wáng"}},
        {U"?单", {"", "dān"}},
        {U"a\uFFFD", {"", ""}},
        {U"子", {"zǐ"}},
        {U"罗", {"luó"}},
        {U"翟", {"zhái"}},
    };
    for (const SurnameCase& entry : cases) {
        SCOPED_TRACE(entry.readings.size());
        EXPECT_EQ(SurnameReadings(entry.surname), entry.readings);
    }
}

struct ToneCase {
    const char* syllable;
    int tone;
};

TEST(ToneOf, ReadsEveryKindOfMark)
{
    const ToneCase cases[] = {
        {"mā", 1},      {"má", 2},       {"mǎ", 3},
        {"mà", 4},      {"ma", 0},       {"", 0},
        {"lǖ", 1},      {"lǘ", 2},       {"lǚ", 3},
        {"lǜ", 4},      {"lü", 0},       {"ḿ", 2},
        {"ń", 2},       {"ň", 3},        {"ǹg", 4},
        {"ế", 2},       {"ề", 4},        {"MÀ", 4},
        {"Ǖ", 1},       {"m\u0300", 4},  {"e\u0302\u0304", 1},
        {"ê\u030C", 3}, {"n\u0301g", 2}, {"hm\u0304", 1},
        {"\xE1", 0},    {"\xFF\xC3", 0}, {"a\xCC", 0},
    };
    for (const ToneCase& entry : cases)
        EXPECT_EQ(ToneOf(entry.syllable), entry.tone) << entry.syllable;
}

} // namespace
