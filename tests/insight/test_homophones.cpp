#include "hanzi/character_info.h"
#include "hanzi/utf8.h"
#include "insight/homophones.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

using Readings = std::vector<std::string>;

std::vector<Syllable> syllablesOf(const Readings& readings)
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
    {"a neutral tone in the name", {"fàn", "tong"}, 1, "饭桶（不雅）、饭筒"},
    {"other tones are 近音", {"fán", "tóng"}, 1, "饭桶（近音·不雅）、饭筒（近音）"},
    {"a name that is a word", {"wáng", "guó"}, 1, "王国、亡国"},
    {"three by frequency, then the unseemly",
     {"qīng", "fú"},
     1,
     "轻浮、清福、轻拂、情妇（近音·不雅）、情夫（近音·不雅）"},
    {"同音 before 近音", {"gǒu", "shǐ"}, 1, "狗屎（不雅）、够湿（近音）、够溼（近音）"},
    {"three 近音, then the unseemly",
     {"gōu", "shǐ"},
     1,
     "够湿（近音）、够溼（近音）、沟施（近音）、狗屎（近音·不雅）"},
    {"3-3 of a word reads 2-3", {"góu", "shǐ"}, 1, "狗屎（不雅）、够湿（近音）、够溼（近音）"},
    {"3-3 of a name reads 2-3", {"mǎ", "yǐ"}, 1, "蚂蚁、麻衣（近音）、痲衣（近音）"},
    {"3-3-3 reads 2-2-3", {"zhǎn", "lǎn", "guǎn"}, 1, "展览馆"},
    {"3-2-3 is not 2-2-3", {"zhǎn", "lán", "guǎn"}, 1, "展览馆（近音）"},
    {"ü is not u", {"nǚ", "ér"}, 1, "女儿"},
    {"u is not ü", {"nú", "ěr"}, 1, "努尔、奴尔"},
    // A word sounds as it is read, not as any reading of its characters: 淫乐 is yín lè.
    {"a polyphone by the word's reading", {"yīn", "yuè"}, 1, "音乐、隐约（近音）、银月（近音）"},
    {"the other reading", {"yīn", "lè"}, 1, "喑了、淫乐（近音）"},
    {"a neutral tone in the word", {"dù", "zǐ", "téng"}, 1, "肚子疼（不雅）"},
    {"windows list only unseemly words", {"fàn", "tǒng", "yī"}, 1, "饭桶（不雅）"},
    {"windows in order, 同音 first",
     {"jiàn", "rén", "chū", "shēng"},
     1,
     "贱人（不雅）、奸人（近音·不雅）、畜生（近音·不雅）、畜牲（近音·不雅）"},
    {"a window of the surname alone is not heard", {"sì", "shī", "měi"}, 2, ""},
    {"the surname's last character and the given name",
     {"měi", "sì", "shī"},
     2,
     "死尸（近音·不雅）"},
    {"a word two windows hear is listed once", {"jǐ", "jí", "jī"}, 1, "鸡鸡（近音·不雅）"},
    {"a name longer than any word", {"fàn", "tǒng", "fàn", "tǒng", "fàn"}, 1, "饭桶（不雅）"},
    {"a character without reading", {"fàn", ""}, 1, ""},
    {"a syllable no word has", {"fàn", "xyz"}, 1, ""},
};

// Syllables SyllableOf() never gives are heard as no word.
TEST(HomophoneText, IgnoresSyllablesOutOfTheTable)
{
    const Syllable fan = SyllableOf("fàn");
    for (const Syllable odd : {Syllable(-2), Syllable(0x7FF8), Syllable(-0x8000)}) {
        const std::vector<Syllable> name{fan, odd, odd};
        EXPECT_EQ(HomophoneText(name, 1), "");
        EXPECT_FALSE(HasUnseemlyHomophone(name, 1));
    }
}

class Homophones : public testing::TestWithParam<HomophoneCase> {};

TEST_P(Homophones, ListTheWordsInOrder)
{
    const HomophoneCase& c = GetParam();
    const std::vector<Syllable> syllables = syllablesOf(c.readings);
    EXPECT_EQ(HomophoneText(syllables, c.givenBegin), c.text);
    const bool unseemly = c.text.find("不雅）") != std::string::npos;
    EXPECT_EQ(HasUnseemlyHomophone(syllables, c.givenBegin), unseemly);
    std::vector<Syllable> toneless;
    for (const Syllable syllable : syllables)
        toneless.push_back(WithoutTone(syllable));
    EXPECT_EQ(HasUnseemlyHomophone(toneless, c.givenBegin), unseemly);
}

INSTANTIATE_TEST_SUITE_P(HomophoneText, Homophones, testing::ValuesIn(homophoneCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// The syllables of a name given as text whose first character is the surname.
std::vector<Syllable> nameSyllables(const std::string& name)
{
    const std::u32string characters = utf8::decodeAll(name);
    std::vector<std::string> readings = SurnameReadings(characters.substr(0, 1));
    for (const char32_t c : characters.substr(1)) {
        const std::optional<CharacterInfo> info = LookUpCharacter(c);
        readings.emplace_back(info ? info->readingInName() : "");
    }
    return syllablesOf(readings);
}

struct NameCase {
    std::string name;
    std::string text;
};

// Names read by their characters, the surname by the surname table.
TEST(HomophoneText, OfNames)
{
    const NameCase cases[] = {
        {"范统", "饭桶（不雅）、饭筒"},
        {"沈京兵", "神经病（近音·不雅）"},
        {"杜子腾", "肚子疼（不雅）"},
        {"纪吉姬", "鸡鸡（近音·不雅）"},
        // Heard by any reading of their characters, these sounded like 恶心, 乌龟, 流氓, 狐臭.
        {"吴欣怡", ""},
        {"吴俊杰", ""},
        {"刘梦瑶", ""},
        {"胡秀英", ""},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(HomophoneText(nameSyllables(c.name), 1), c.text) << c.name;
}

// Whether `text` lists `word` as unseemly, 同音 or 近音.
bool listsAsUnseemly(const std::string& text, const std::string& word)
{
    const std::string listed = "、" + text + "、";
    return listed.find("、" + word + "（不雅）、") != std::string::npos ||
           listed.find("、" + word + "（近音·不雅）、") != std::string::npos;
}

// Each listed word is in the table as an unseemly dictionary word: a name read like it, by some
// reading of each character, hears it.
TEST(UnseemlyWords, AreDictionaryWordsOfTheTable)
{
    std::ifstream in(UNSEEMLY_WORDS);
    ASSERT_TRUE(in);
    int count = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::vector<std::string>> readings{{}};
        for (const char32_t c : utf8::decodeAll(line)) {
            const std::optional<CharacterInfo> info = LookUpCharacter(c);
            std::vector<std::vector<std::string>> longer;
            for (const std::vector<std::string>& start : readings) {
                for (const std::string& reading : info ? info->readings : Readings{""}) {
                    longer.push_back(start);
                    longer.back().push_back(reading);
                }
            }
            readings = std::move(longer);
        }
        EXPECT_TRUE(std::ranges::any_of(readings, [&line](const Readings& name) {
            return listsAsUnseemly(HomophoneText(syllablesOf(name), 0), line);
        })) << line;
        ++count;
    }
    EXPECT_GE(count, 400);
}

// The lines of a data file of this folder that are neither empty nor comments, split into words.
std::vector<std::vector<std::string>> dataLines(const char* name)
{
    std::ifstream in(std::string(TEST_DATA_DIR "/") + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> lines;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (!words.empty() && words.front().front() != '#')
            lines.push_back(std::move(words));
    }
    return lines;
}

TEST(UnseemlyWords, CatchTheJokeNames)
{
    int caught = 0;
    const auto lines = dataLines("joke_names.txt");
    for (const std::vector<std::string>& line : lines) {
        ASSERT_EQ(line.size(), 2u);
        const std::string text = HomophoneText(nameSyllables(line[0]), 1);
        const bool heard = listsAsUnseemly(text, line[1]);
        EXPECT_TRUE(heard) << line[0] << " → " << text;
        caught += heard;
    }
    EXPECT_GE(lines.size(), 40u);
    std::cout << caught << " of " << lines.size() << " joke names caught\n";
}

// Ordinary names are not marked: the list holds no word that most names sound like.
TEST(UnseemlyWords, SpareCommonNames)
{
    const auto lines = dataLines("common_names.txt");
    std::vector<std::string> surnames;
    std::vector<std::string> given;
    for (const std::vector<std::string>& line : lines) {
        std::vector<std::string>& block = line.front() == "姓" ? surnames : given;
        block.insert(block.end(), line.begin() + 1, line.end());
    }
    int marked = 0;
    for (const std::string& surname : surnames) {
        for (const std::string& name : given) {
            const std::vector<Syllable> syllables = nameSyllables(surname + name);
            if (HasUnseemlyHomophone(syllables, 1)) {
                ++marked;
                std::cout << surname + name << " → " << HomophoneText(syllables, 1) << '\n';
            }
        }
    }
    std::cout << marked << " of " << surnames.size() * given.size() << " common names marked\n";
    EXPECT_EQ(surnames.size() * given.size(), 3600u);
    EXPECT_LE(marked, 2); // 杨伟 is a joke name as much as an ordinary one
}

} // namespace
