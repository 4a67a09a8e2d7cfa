#include "gbk_literals.h"
#include "naming/gbk_text.h"
#include "naming/name_combiner.h"
#include "naming/name_list.h"

#include <gtest/gtest.h>

using namespace gbk_literals;
using Names = std::vector<std::string>;

namespace {

struct Case {
    const char* label;
    std::string surname;
    std::string candidates;
    Names twoCharacter;
    Names threeCharacter;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.label;
}

class NameCombinerCases : public testing::TestWithParam<Case> {};

TEST_P(NameCombinerCases, TwoCharacterNames)
{
    const Case& c = GetParam();
    EXPECT_EQ(NameCombiner::twoCharacterNames(c.surname, c.candidates), c.twoCharacter);
}

TEST_P(NameCombinerCases, ThreeCharacterNames)
{
    const Case& c = GetParam();
    EXPECT_EQ(NameCombiner::threeCharacterNames(c.surname, c.candidates), c.threeCharacter);
}

TEST_P(NameCombinerCases, IndexedFormHasTheSameRows)
{
    const Case& c = GetParam();
    for (const auto& [mode, expected] : {std::pair{NameMode::TwoCharacter, c.twoCharacter},
                                         std::pair{NameMode::ThreeCharacter, c.threeCharacter}}) {
        const NameList list(c.surname, c.candidates, mode);
        ASSERT_EQ(list.size(), expected.size());
        for (std::size_t row = 0; row < expected.size(); ++row)
            EXPECT_EQ(list.at(row), expected[row]) << "row " << row;
    }
}

const std::string w = wang;
const std::string wm = wang + mei;
const std::string wl = wang + li;

INSTANTIATE_TEST_SUITE_P(
    Examples, NameCombinerCases,
    testing::Values(
        Case{"separators and spaces between two characters", wang,
             fullComma + mei + " " + li + fullStop, Names{wm, wl},
             Names{wm + mei, wm + li, wl + mei, wl + li}},
        Case{"a repeated character", wang, mei + li + mei, Names{wm, wl},
             Names{wm + mei, wm + li, wm + mei, wl + mei, wl + li, wl + mei, wm + mei, wm + li,
                   wm + mei}},
        Case{"empty surname gives bare units", "", mei + li, Names{mei, li},
             Names{mei + mei, mei + li, li + mei, li + li}},
        Case{"odd length: a trailing single byte", wang, mei + "a", Names{wm},
             Names{wm + mei, wm + "a", w + "a" + mei, w + "aa"}},
        Case{"single bytes shift the pairing", wang, "ab" + mei, Names{w + "ab", wm},
             Names{w + "abab", w + "ab" + mei, wm + "ab", wm + mei}},
        Case{"surname with a trailing space is kept", wang + " ", mei, Names{w + " " + mei},
             Names{w + " " + mei + mei}},
        Case{"matches respect character boundaries", wang, bei + an + beiLow,
             Names{w + bei, w + an, w + beiLow},
             Names{w + bei + bei, w + bei + an, w + bei + beiLow, w + an + bei, w + an + an,
                   w + an + beiLow, w + beiLow + bei, w + beiLow + an, w + beiLow + beiLow}},
        Case{"empty candidates", wang, "", Names{}, Names{}},
        Case{"separators only", wang, ",. " + fullComma + fullStop + " ,", Names{}, Names{}},
        Case{"tabs and ideographic spaces are not separators", "", "\t\xA1\xA1", Names{"\t\xA1"},
             Names{"\t\xA1\t\xA1", "\t\xA1\xA1", "\xA1\t\xA1", "\xA1\xA1"}}));

struct Removal {
    const char* label;
    std::string text;
    std::string pattern;
    std::string expected;
};

void PrintTo(const Removal& r, std::ostream* os)
{
    *os << r.label;
}

class RemoveAllCases : public testing::TestWithParam<Removal> {};

TEST_P(RemoveAllCases, RemovesOnlyMatchesOnCharacterBoundaries)
{
    const Removal& r = GetParam();
    EXPECT_EQ(gbk::removeAll(r.text, r.pattern), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, RemoveAllCases,
    testing::Values(
        Removal{"a match across two characters is no match", an + beiLow, bei, an + beiLow},
        Removal{"every repeat goes", mei + li + mei + mei, mei, li},
        Removal{"the walk restarts behind a match ending on a lead byte",
                "a\xB1"
                "a\xB1",
                "a\xB1", ""},
        Removal{"a lead byte swallows the byte after it", "\xB1,", ",", "\xB1,"},
        Removal{"a lone lead byte at the end is a character", "a\xB1", "\xB1", "a"},
        Removal{"0x80 and 0xFF are single-byte characters", "\x80\xFF\x80", "\xFF\x80", "\x80"},
        Removal{"removal does not rescan what it joined", "aabb", "ab", "ab"},
        Removal{"an empty pattern removes nothing", mei, "", mei}));

TEST(CleanCandidates, RemovesOnlyTheFiveSeparators)
{
    EXPECT_EQ(
        NameCombiner::cleanCandidates(mei + "," + li + "." + wang + " " + fullComma + fullStop),
        mei + li + wang);
    EXPECT_EQ(NameCombiner::cleanCandidates(" ,." + fullComma + fullStop), "");
    // Tab, ideographic space (A1 A1) and the enumeration comma (A1 A2) stay.
    EXPECT_EQ(NameCombiner::cleanCandidates("\t\xA1\xA1\xA1\xA2"), "\t\xA1\xA1\xA1\xA2");
    // A lead byte takes the separator behind it as its second byte.
    EXPECT_EQ(NameCombiner::cleanCandidates("\xB1,\xB1.\xB1 "), "\xB1,\xB1.\xB1 ");
}

TEST(NameList, CountsRowsInSixtyFourBits)
{
    // 70,000 units give 4.9 billion rows, more than 32 bits can count.
    const std::string units(2 * 70'000, '\xC3');
    const NameList list(wang, units, NameMode::ThreeCharacter);
    EXPECT_EQ(list.size(), 4'900'000'000ULL);
    EXPECT_EQ(list.at(list.size() - 1), wang + "\xC3\xC3\xC3\xC3");

    std::string mixed = units;
    mixed.replace(2 * 69'999, 2, li);
    const NameList last(wang, mixed, NameMode::ThreeCharacter);
    EXPECT_EQ(last.at(last.size() - 1), wang + li + li);
    EXPECT_EQ(last.at(last.size() - 2), wang + li + "\xC3\xC3");
}

TEST(NameList, DefaultIsEmpty)
{
    EXPECT_TRUE(NameList().empty());
    EXPECT_TRUE(NameList(wang, ", ", NameMode::TwoCharacter).empty());
}

} // namespace
