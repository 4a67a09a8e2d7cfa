// The 字义 table covers the 7,000 characters of the general standard list most used in jieba's
// dictionary: for each character the sum of the frequencies of the words it appears in (each
// word once, single-character words included), ties by code point.
#include "hanzi/character_info.h"
#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unordered_map>

namespace {

constexpr std::size_t kCovered = 7000;

// The characters of the general standard list, most used first.
std::vector<char32_t> ranking()
{
    std::unordered_map<char32_t, std::uint64_t> use;
    std::ifstream in(JIEBA_DICTIONARY);
    EXPECT_TRUE(in) << "cannot open " << JIEBA_DICTIONARY;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string word;
        std::uint64_t frequency = 0;
        if (!(fields >> word >> frequency))
            continue;
        std::u32string characters = utf8::decodeAll(word);
        std::ranges::sort(characters);
        const auto repeats = std::ranges::unique(characters);
        characters.erase(repeats.begin(), repeats.end());
        for (const char32_t c : characters)
            use[c] += frequency;
    }
    std::vector<char32_t> listed;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (const std::optional<CharacterInfo> info = LookUpCharacter(c);
            info && info->generalStandard)
            listed.push_back(c);
    }
    std::ranges::stable_sort(listed, [&use](char32_t a, char32_t b) {
        const auto of = [&use](char32_t c) {
            const auto found = use.find(c);
            return found == use.end() ? 0 : found->second;
        };
        return of(a) > of(b);
    });
    return listed;
}

TEST(MeaningCoverage, EveryOneOfTheMostUsedCharactersHasAMeaning)
{
    const std::vector<char32_t> ranked = ranking();
    ASSERT_EQ(ranked.size(), 8105u);
    // Name characters in the middle of the ranking, counted from 1.
    for (const auto& [character, place] :
         {std::pair{U'汐', 4183}, std::pair{U'曦', 4393}, std::pair{U'玥', 6858}})
        EXPECT_EQ(std::ranges::find(ranked, character) - ranked.begin() + 1, place);

    // The characters no reviewer was sure of are listed in a file of their own; the table and
    // that list must agree, so a meaning lost from the table fails here, and so does one added
    // without taking its character off the list.
    std::u32string wanted;
    std::ifstream list(MISSING_MEANINGS);
    ASSERT_TRUE(list) << "cannot open " << MISSING_MEANINGS;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.front() != '#')
            wanted += utf8::decodeAll(line);
    }
    std::u32string missing;
    for (std::size_t i = 0; i < kCovered; ++i) {
        if (MeaningOf(ranked[i]).empty())
            missing += ranked[i];
    }
    std::string text;
    for (const char32_t c : missing)
        utf8::append(text, c);
    EXPECT_EQ(missing, wanted) << "without a meaning, most used first: " << text;
    EXPECT_LE(missing.size(), kCovered / 100) << "more than one in a hundred left out";
}

} // namespace
