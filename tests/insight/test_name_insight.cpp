#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"
#include "insight/name_insight.h"
#include "insight/text_facts.h"
#include "tests/support/gbk_test_decoder.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// Decodes the few GBK characters these tests use, and ASCII; anything else is U+FFFD, as
// the window's codec gives for bytes that do not decode.
std::u32string decode(std::string_view gbk)
{
    static const GbkCharacters characters{
        {"\xCD\xF5", U'王'}, {"\xC3\xC0", U'美'}, {"\xC0\xF6", U'丽'}, {"\xC0\xD6", U'乐'},
        {"\xB5\xA5", U'单'}, {"\xD6\xEE", U'诸'}, {"\xB8\xF0", U'葛'}, {"\x81\x41", U'丄'},
        {"\xB6\xC5", U'杜'}, {"\xD7\xD3", U'子'}, {"\xCC\xDA", U'腾'}, {"\xB7\xB6", U'范'},
        {"\xCD\xB3", U'统'},
    };
    return decodeWith(characters, gbk);
}

struct RowCase {
    const char* what;
    std::string surname;
    std::string candidates;
    NameMode mode;
    std::uint64_t row;
    std::string column;
    int strokes;
};

const RowCase rowCases[] = {
    {"three characters", "\xCD\xF5", "\xC3\xC0\xC0\xF6", NameMode::ThreeCharacter, 1,
     "wáng měi lì（2-3-4）  20 画", 20},
    {"surname reading first, customary after", "\xB5\xA5", "\xB5\xA5\xC3\xC0",
     NameMode::TwoCharacter, 0, "shàn dān（4-1）  16 画", 16},
    {"compound surname", "\xD6\xEE\xB8\xF0", "\xC0\xD6", NameMode::TwoCharacter, 0,
     "zhū gě lè（1-3-4）  27 画", 27},
    {"question mark and undecodable bytes", "?", "\xC3\xC0\x81", NameMode::ThreeCharacter, 1,
     "? měi ?（?-3-?）  9 画", 9},
    {"nothing covered", "?", "??", NameMode::TwoCharacter, 0, "", 0},
    {"toneless first reading toned in a name", "\xB6\xC5", "\xD7\xD3\xCC\xDA",
     NameMode::ThreeCharacter, 1, "dù zǐ téng（4-3-2）  23 画  ⚠谐音不雅", 23},
    {"two letters in one unit", "\xCD\xF5", "ab", NameMode::TwoCharacter, 0,
     "wáng ? ?（2-?-?）  4 画", 4},
};

class RowFacts : public testing::TestWithParam<RowCase> {};

TEST_P(RowFacts, JoinThePerCharacterFacts)
{
    const RowCase& c = GetParam();
    const NameInsight insight(NameList(c.surname, c.candidates, c.mode), decode);
    EXPECT_EQ(insight.columnText(c.row), c.column);
    EXPECT_EQ(insight.totalStrokes(c.row), c.strokes);

    // The same name given as text, as a favourite is, reads the same.
    std::string name;
    for (const char32_t codePoint : decode(insight.names().at(c.row)))
        utf8::append(name, codePoint);
    const TextFacts facts = textFactsOf(name, static_cast<int>(decode(c.surname).size()));
    EXPECT_EQ(facts.readings, insight.readings(c.row));
    EXPECT_EQ(facts.levels, insight.levels(c.row));
    EXPECT_EQ(facts.homophones, insight.homophones(c.row));
    EXPECT_EQ(facts.strokes, c.strokes);
}

TEST(TextFacts, TakeACompoundSurnameOnlyWhenAGivenNameFollows)
{
    const std::pair<const char*, int> cases[] = {
        {"诸葛亮", 2}, {"令狐冲", 2}, {"令狐", 1}, {"诸葛", 1}, {"张伟", 1}, {"张", 1},
    };
    for (const auto& [name, surnameLength] : cases)
        EXPECT_EQ(surnameLengthOf(name), surnameLength) << name;
}

INSTANTIATE_TEST_SUITE_P(NameInsight, RowFacts, testing::ValuesIn(rowCases));

// The tooltip's 字义 line of `character`, empty while the table has no meaning for it.
std::string meaningLine(std::string_view character, char32_t codePoint)
{
    const std::string_view meaning = MeaningOf(codePoint);
    return meaning.empty() ? ""
                           : "字义：" + std::string(character) + ' ' + std::string(meaning) + '\n';
}

TEST(NameInsight, TooltipTellsReadingsStrokesPolyphonesMeaningsAndGlosses)
{
    ASSERT_FALSE(MeaningOf(U'美').empty());
    const NameInsight insight(NameList("\xCD\xF5", "\xC3\xC0\xC0\xD6", NameMode::ThreeCharacter),
                              decode);
    EXPECT_EQ(insight.tooltip(1), "王美乐\n"
                                  "读音：wáng měi lè（2-3-4）\n"
                                  "笔画：王 4 + 美 9 + 乐 5 = 18\n"
                                  "多音字：乐 lè / yuè\n" +
                                      meaningLine("美", U'美') +
                                      "英译：美 beautiful, pretty; pleasing\n" +
                                      meaningLine("乐", U'乐') +
                                      "英译：乐 happy, glad; enjoyable; music\n"
                                      "平仄：平仄仄");
    // The surname's meaning is not told; a repeated character's once.
    const std::string tip = insight.tooltip(0); // 王美美
    EXPECT_EQ(tip.find("字义：王"), std::string::npos);
    EXPECT_EQ(tip.find("字义：美"), tip.rfind("字义：美"));
    EXPECT_NE(tip.find("字义：美"), std::string::npos);
}

TEST(NameInsight, TellsLevelsAndHomophonesOfTheWholeName)
{
    // 范统 and 范腾 of 范 and 统腾; 子 reads zǐ in the name, so 杜子 is 仄仄.
    const NameInsight fan(NameList("\xB7\xB6", "\xCD\xB3\xCC\xDA", NameMode::TwoCharacter), decode);
    const std::string tip = fan.tooltip(0);
    EXPECT_EQ(tip.substr(tip.find("\n平仄")), "\n平仄：仄仄\n谐音：饭桶（不雅）、饭筒");
    EXPECT_EQ(fan.soundLines(0), "平仄：仄仄\n谐音：饭桶（不雅）、饭筒");
    EXPECT_EQ(fan.columnText(0), "fàn tǒng（4-3）  17 画  ⚠谐音不雅");
    EXPECT_EQ(fan.levels(1), "仄平");
    EXPECT_FALSE(fan.hasUnseemlyHomophone(1));
    const NameInsight du(NameList("\xB6\xC5", "\xD7\xD3?", NameMode::ThreeCharacter), decode);
    EXPECT_EQ(du.levels(1), "仄仄？");
    EXPECT_NE(du.tooltip(3).find("\n平仄：仄？？"), std::string::npos); // 杜??
    EXPECT_EQ(du.homophones(3), "");
}

TEST(NameInsight, WarnsOnceForEachCharacterOutsideTheStandardList)
{
    const NameInsight insight(NameList("\x81\x41", "\x81\x41?", NameMode::ThreeCharacter), decode);
    const std::string warning = "「丄」不在《通用规范汉字表》内";
    const std::string tip = insight.tooltip(0); // 丄丄丄
    EXPECT_EQ(tip.find(warning), tip.rfind(warning));
    EXPECT_NE(tip.find(warning), std::string::npos);
    EXPECT_EQ(insight.outsideStandard(0), std::vector<bool>({true, true, true}));

    // '?' gets neither insight nor warning.
    EXPECT_EQ(NameInsight(NameList("?", "??", NameMode::TwoCharacter), decode).tooltip(0), "???");
    EXPECT_EQ(insight.outsideStandard(2), std::vector<bool>({true, false, true})); // 丄?丄
}

// A favourite kept as text reads as the same name in a list does.
TEST(TextFacts, ReadLikeTheRows)
{
    EXPECT_EQ(textFactsOf("罗子行", 1).readings, "luó zǐ xíng");
    EXPECT_EQ(textFactsOf("杜子腾", 1).homophones, "肚子疼（不雅）");
    EXPECT_EQ(textFactsOf("单于卓", 2).readings, "chán yú zhuó");
}

} // namespace
