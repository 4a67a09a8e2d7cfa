#include "hanzi/character_info.h"
#include "hanzi/utf8.h"
#include "insight/homophones.h"

#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<Syllable> syllablesOf(const std::vector<std::string>& readings)
{
    std::vector<Syllable> syllables;
    for (const std::string& reading : readings)
        syllables.push_back(SyllableOf(reading));
    return syllables;
}

struct HomophoneCase {
    const char* what;
    std::vector<std::string> readings;
    std::size_t givenBegin;
    std::string text;
};

const HomophoneCase homophoneCases[] = {
    {"unseemly word first", {"fàn", "tǒng"}, 1, "饭桶（不雅）、饭筒"},
    {"a name that is a word", {"wáng", "guó"}, 1, "王国、亡国、芒果"},
    {"three by frequency, then the unseemly",
     {"qīng", "fú"},
     1,
     "倾覆、轻浮、情妇（不雅）、情夫（不雅）"},
    {"ü is not u", {"nǚ", "ér"}, 1, "女儿"},
    {"u is not ü", {"nú", "ěr"}, 1, "努尔、奴尔"},
    {"a polyphone by one reading", {"yīn", "yuè"}, 1, "音乐、隐约、淫乐"},
    {"a polyphone by another", {"yīn", "lè"}, 1, "音乐、淫乐、喑了"},
    {"a toneless reading", {"dù", "zi", "téng"}, 1, "肚子疼"},
    {"windows list only unseemly words", {"fàn", "tǒng", "yī"}, 1, "饭桶（不雅）"},
    {"windows in order",
     {"jiàn", "rén", "chū", "shēng"},
     1,
     "贱人（不雅）、奸人（不雅）、畜生（不雅）、畜牲（不雅）"},
    {"a window of the surname alone is not heard", {"sì", "shī", "měi"}, 2, ""},
    {"the surname's last character and the given name", {"měi", "sì", "shī"}, 2, "死尸（不雅）"},
    {"a character without reading", {"fàn", ""}, 1, ""},
    {"a syllable no word has", {"fàn", "xyz"}, 1, ""},
};

class Homophones : public testing::TestWithParam<HomophoneCase> {};

TEST_P(Homophones, ListTheWordsInOrder)
{
    const HomophoneCase& c = GetParam();
    const std::vector<Syllable> syllables = syllablesOf(c.readings);
    EXPECT_EQ(HomophoneText(syllables, c.givenBegin), c.text);
    EXPECT_EQ(HasUnseemlyHomophone(syllables, c.givenBegin),
              c.text.find("（不雅）") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(HomophoneText, Homophones, testing::ValuesIn(homophoneCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Each listed word is in the table as an unseemly dictionary word: a name read like it hears it.
TEST(UnseemlyWords, AreDictionaryWordsOfTheTable)
{
    std::ifstream in(UNSEEMLY_WORDS);
    ASSERT_TRUE(in);
    int count = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> readings;
        for (std::size_t i = 0; i < line.size();) {
            const utf8::Decoded decoded = utf8::decodeAt(line, i);
            i += decoded.length;
            const std::optional<CharacterInfo> info = LookUpCharacter(decoded.codePoint);
            readings.emplace_back(info ? info->readingInName() : "");
        }
        EXPECT_NE(HomophoneText(syllablesOf(readings), 0).find(line + "（不雅）"),
                  std::string::npos)
            << line;
        ++count;
    }
    EXPECT_GE(count, 400);
}

} // namespace
