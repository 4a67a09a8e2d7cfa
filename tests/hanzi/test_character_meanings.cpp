#include "hanzi/character_meaning.h"
#include "hanzi/meaning_file.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct FileCase {
    const char* what;
    const char* text;
    const char* error; // the start of the one message, or nullptr when the line is taken
};

TEST(MeaningFile, TakesOnlyLinesThatFollowItsRules)
{
    const FileCase cases[] = {
        {"plain", "子\t儿子，孩子；果实，种子\n", nullptr},
        {"every punctuation mark", "轩\t高大（如\"轩昂\"）；“轩”：《诗》·窗—廊、门\n", nullptr},
        {"four Han characters", "子\t儿子孩子\n", nullptr},
        {"forty Han characters",
         "子\t一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十\n",
         nullptr},
        {"carriage return", "子\t儿子，孩子\r\n", nullptr},
        {"comments and blank lines", "# 字义\n\n子\t儿子，孩子\n", nullptr},
        {"three Han characters", "子\t儿子，孩\n", "line 1: 「子」(U+5B50): the meaning has 3 Han"},
        {"forty-one",
         "子\t一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一\n",
         "line 1: 「子」(U+5B50): the meaning has 41 Han"},
        {"pinyin", "子\t儿子，孩子，zǐ\n",
         "line 1: 「子」(U+5B50): the meaning holds the Latin letter 「z」"},
        {"tone mark", "子\t儿子，孩子ǐ\n",
         "line 1: 「子」(U+5B50): the meaning holds the Latin letter 「ǐ」"},
        {"full-width letter", "子\t儿子，孩子Ａ\n",
         "line 1: 「子」(U+5B50): the meaning holds the Latin"},
        {"digit", "子\t儿子，孩子1\n",
         "line 1: 「子」(U+5B50): the meaning holds 「1」(U+0031), which"},
        {"full stop", "子\t儿子，孩子。\n", "line 1: 「子」(U+5B50): the meaning holds 「。」"},
        {"outside the general list", "㐀\t小土山，丘陵\n",
         "line 1: 「㐀」(U+3400) is not in the 2013"},
        {"two characters", "子子\t儿子，孩子\n", "line 1: 「子子」 is not one character"},
        {"no tab", "子 儿子，孩子\n", "line 1: not 字<TAB>meaning"},
        {"not UTF-8", "子\t儿子\xFF孩子\n", "line 1: not UTF-8"},
        {"twice", "子\t儿子，孩子\n子\t果实，种子\n",
         "line 2: 「子」(U+5B50) again, first on line 1"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream in(c.text);
        const meaning_file::Contents contents = meaning_file::read(in);
        if (!c.error) {
            EXPECT_TRUE(contents.errors.empty()) << contents.errors.front();
            ASSERT_EQ(contents.entries.size(), 1u);
            continue;
        }
        ASSERT_EQ(contents.errors.size(), 1u);
        EXPECT_TRUE(contents.errors.front().starts_with(c.error)) << contents.errors.front();
    }
}

// Every line of the project's file is what the program's table answers, and characters without
// a line have no meaning.
TEST(CharacterMeanings, AnswerWhatTheFileSays)
{
    std::ifstream in(CHARACTER_MEANINGS);
    const meaning_file::Contents contents = meaning_file::read(in);
    ASSERT_TRUE(contents.errors.empty());
    ASSERT_FALSE(contents.entries.empty());
    char32_t previous = 0;
    for (const meaning_file::Entry& entry : contents.entries) {
        for (char32_t between = previous + 1; between < entry.character; ++between)
            ASSERT_EQ(MeaningOf(between), "") << static_cast<unsigned>(between);
        ASSERT_EQ(MeaningOf(entry.character), entry.meaning);
        previous = entry.character;
    }
    for (const char32_t outside :
         {char32_t(0), char32_t(previous + 1), char32_t(0x10FFFF), char32_t(-1)})
        EXPECT_EQ(MeaningOf(outside), "");
}

} // namespace
