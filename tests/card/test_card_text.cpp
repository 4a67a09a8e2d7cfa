#include "card/card_text.h"
#include "card/spoken_pinyin.h"
#include "tests/poetry/fixture_corpus.h"
#include "tests/support/gbk_test_decoder.h"

#include <gtest/gtest.h>

namespace {

struct Syllable {
    const char* reading;
    const char* numbered;
};

class NumberedSyllable : public testing::TestWithParam<Syllable> {};

TEST_P(NumberedSyllable, SpellsWhatThePinyinVoiceReads)
{
    EXPECT_EQ(numberedSyllable(GetParam().reading), GetParam().numbered);
}

INSTANTIATE_TEST_SUITE_P(SpokenPinyin, NumberedSyllable,
                         testing::Values(Syllable{"dù", "du4"}, Syllable{"lǘ", "lv2"},
                                         Syllable{"lüè", "lve4"}, Syllable{"Nǚ", "nv3"},
                                         Syllable{"da", "da5"}, Syllable{"ê̄", "ei1"},
                                         Syllable{"ňg", "ng3"}, // a combining caron
                                         Syllable{"ḿ", "m2"}, Syllable{"", ""}));

struct Name {
    const char* what;
    const char* name;
    std::size_t surnameLength;
    const char* spoken;
};

class SpokenName : public testing::TestWithParam<Name> {};

// The readings are those the tooltips show, surname readings included.
TEST_P(SpokenName, ReadsTheNamesOwnReadings)
{
    const Name& name = GetParam();
    EXPECT_EQ(cardTextOfName(name.name, name.surnameLength, "").spoken, name.spoken);
}

INSTANTIATE_TEST_SUITE_P(
    SpokenPinyin, SpokenName,
    testing::Values(Name{"toneless customary reading toned", "杜子腾", 1, "du4 zi3 teng2"},
                    Name{"surname reading of a polyphone", "单单", 1, "shan4 dan1"},
                    Name{"ü as v", "吕女", 1, "lv3 nv3"},
                    Name{"compound surname", "诸葛亮", 2, "zhu1 ge3 liang4"},
                    Name{"the same compound read apart", "诸葛亮", 1, "zhu1 ge2 liang4"},
                    Name{"neutral tone", "王垯", 1, "wang2 da5"},
                    Name{"a character the table lacks is left out", "王\uE000美", 1, "wang2 mei3"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SpokenPinyin, EspeakReadsItWithThePinyinVoice)
{
    EXPECT_EQ(speechArguments("du4 zi3 teng2"),
              (std::vector<std::string>{"-v", "cmn-latn-pinyin", "du4 zi3 teng2"}));
}

struct Card {
    const char* name;
    std::size_t surnameLength;
    const char* strokes;
    const char* levels;
    const char* homophones; // a word it must list, or "" for none at all
    const char* standard;
    const char* firstGivenSpoken;
    std::size_t meanings; // 字义 lines
};

class CardTexts : public testing::TestWithParam<Card> {};

TEST_P(CardTexts, TellTheNamesFacts)
{
    const Card& expected = GetParam();
    const CardText card = cardTextOfName(expected.name, expected.surnameLength, "源");
    EXPECT_EQ(card.name, expected.name);
    EXPECT_EQ(card.strokes, expected.strokes);
    EXPECT_EQ(card.levels, expected.levels);
    if (*expected.homophones)
        EXPECT_NE(card.homophones.find(expected.homophones), std::string::npos) << card.homophones;
    else
        EXPECT_EQ(card.homophones, "");
    EXPECT_EQ(card.standard, expected.standard);
    ASSERT_GT(card.characters.size(), expected.surnameLength);
    EXPECT_EQ(card.characters[expected.surnameLength].spoken(), expected.firstGivenSpoken);
    EXPECT_EQ(card.source, "源");
    EXPECT_EQ(card.meanings.size(), expected.meanings);
    for (std::size_t i = 0; i < card.meanings.size(); ++i) {
        // Given-name characters only, in order, each once.
        const std::string& character = card.characters[expected.surnameLength + i].text;
        EXPECT_EQ(card.meanings[i].substr(0, character.size() + 3), character + "：");
    }
}

INSTANTIATE_TEST_SUITE_P(
    CardText, CardTexts,
    testing::Values(Card{"杜子腾", 1, "杜 7 + 子 3 + 腾 13 = 23", "仄仄平", "肚子疼",
                         "都在《通用规范汉字表》内", "子 zǐ", 2},
                    Card{"王丄丄", 1, "王 4 + 丄 2 + 丄 2 = 8", "平仄仄", "",
                         "「丄」不在《通用规范汉字表》内，户籍登记和身份证系统可能无法录入",
                         "丄 shàng", 0},
                    Card{"诸葛亮", 2, "诸 10 + 葛 12 + 亮 9 = 31", "平仄仄", "诸葛亮",
                         "都在《通用规范汉字表》内", "亮 liàng", 1},
                    Card{"王\uE000", 1, "王 4 + \uE000 ? = 4", "平？", "",
                         "都在《通用规范汉字表》内", "\uE000", 0},
                    Card{"王美美", 1, "王 4 + 美 9 + 美 9 = 22", "平仄仄", "",
                         "都在《通用规范汉字表》内", "美 měi", 1}));

// A list's row reads as the same name given as text, and its source comes from the collections
// asked for.
TEST(CardText, OfARowTakesItsSourceFromTheCollections)
{
    static const GbkCharacters characters{
        {"\xCD\xF5", U'王'}, {"\xBA\xC3", U'好'}, {"\xE5\xCF", U'逑'}};
    const NameInsight insight(NameList("\xCD\xF5", "\xBA\xC3\xE5\xCF", NameMode::ThreeCharacter),
                              [](std::string_view gbk) { return decodeWith(characters, gbk); });
    const CardText row = cardTextOfRow(insight, 1, fixtureCorpus(), shijing);
    EXPECT_EQ(row.name, "王好逑");
    EXPECT_EQ(row.source, "诗经·关雎：窈窕淑女，君子好逑。");
    EXPECT_EQ(row.spoken, cardTextOfName("王好逑", 1, "").spoken);
    EXPECT_EQ(row.strokes, cardTextOfName("王好逑", 1, "").strokes);
    EXPECT_EQ(cardTextOfRow(insight, 1, fixtureCorpus(), songci).source,
              "宋词·导引（和岘）：好梦逑心。");
    EXPECT_EQ(cardTextOfRow(insight, 1, fixtureCorpus(), chuci).source, "");
}

} // namespace
