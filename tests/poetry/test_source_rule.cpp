#include "insight/name_insight.h"
#include "insight/name_source.h"
#include "shortlist/tick_rules.h"
#include "tests/poetry/fixture_corpus.h"
#include "tests/support/gbk_test_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

const GbkCharacters pool{
    {"\xCD\xF5", U'王'}, {"\xBA\xC3", U'好'}, {"\xE5\xCF", U'逑'}, {"\xD2\xC0", U'依'},
    {"\xC3\xF7", U'明'}, {"\xD4\xC2", U'月'}, {"\xBE\xFD", U'君'}, {"\xD7\xD3", U'子'},
    {"\xCB\xAA", U'霜'}, {"\xBC\xCE", U'嘉'}, {"\xC4\xBE", U'木'}, {"\xD5\xFD", U'正'},
    {"\xD4\xF2", U'则'}, {"\xCA\xD5", U'收'},
};

std::u32string decode(std::string_view gbk)
{
    return decodeWith(pool, gbk);
}

// 好逑依明月君子霜嘉木正则收 (收 is in no line), 好 again and a stray byte.
const std::string candidates = "\xBA\xC3\xE5\xCF\xD2\xC0\xC3\xF7\xD4\xC2\xBE\xFD\xD7\xD3\xCB\xAA"
                               "\xBC\xCE\xC4\xBE\xD5\xFD\xD4\xF2\xCA\xD5\xBA\xC3\xFF";

struct RuleCase {
    NameMode mode;
    Collections collections;
};

class SourceRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(SourceRuleTest, TicksExactlyTheRowsWithoutASourceAndWalksTheSources)
{
    const NameInsight insight(NameList("\xCD\xF5", candidates, GetParam().mode), decode);
    const PoetryCorpus& corpus = fixtureCorpus();
    const std::uint64_t rows = insight.names().size();
    const auto ticked =
        matchingRows(*rowsWithoutSource(insight, corpus, GetParam().collections, {}), rows, {});
    ASSERT_TRUE(ticked);
    std::uint64_t withSource = 0;
    RowSources sources(insight, corpus, GetParam().collections);
    for (std::uint64_t row = 0; row < rows; ++row) {
        const std::string source = sourceOfRow(insight, corpus, GetParam().collections, row);
        std::string walked;
        sources.append(walked, row);
        EXPECT_EQ(walked, source) << row;
        const bool none = source.empty();
        withSource += none ? 0 : 1;
        EXPECT_EQ(ticked->contains(static_cast<std::uint32_t>(row)), none) << row;
    }
    // The cases are chosen so that some rows have a source and some do not.
    EXPECT_GT(withSource, 0u);
    EXPECT_LT(withSource, rows);
}

INSTANTIATE_TEST_SUITE_P(Collections, SourceRuleTest,
                         testing::Values(RuleCase{NameMode::ThreeCharacter, allCollections},
                                         RuleCase{NameMode::ThreeCharacter, tangshi | songci},
                                         RuleCase{NameMode::ThreeCharacter, shijing | chuci},
                                         RuleCase{NameMode::ThreeCharacter, daxue | tangshi},
                                         RuleCase{NameMode::ThreeCharacter, chuci | lunyu | yuanqu},
                                         RuleCase{NameMode::TwoCharacter, allCollections},
                                         RuleCase{NameMode::TwoCharacter, songci}));

TEST(SourceRuleTest, NoCollectionTicksEveryRow)
{
    const NameInsight insight(NameList("\xCD\xF5", candidates, NameMode::ThreeCharacter), decode);
    const auto ticked = matchingRows(*rowsWithoutSource(insight, fixtureCorpus(), 0, {}),
                                     insight.names().size(), {});
    EXPECT_EQ(ticked->count(), insight.names().size());
}

// A progress that asks to stop, at once or after the lines, gives no pattern; the shares it is
// told rise within [0, 1].
TEST(SourceRuleTest, StopsWhenTheProgressAsksIt)
{
    const std::pair<NameMode, int> cases[] = {
        {NameMode::ThreeCharacter, 1}, {NameMode::ThreeCharacter, 2}, {NameMode::TwoCharacter, 1}};
    for (const auto& [mode, stopAt] : cases) {
        const NameInsight insight(NameList("\xCD\xF5", candidates, mode), decode);
        std::vector<double> reported;
        EXPECT_FALSE(rowsWithoutSource(insight, fixtureCorpus(), allCollections, [&](double done) {
            reported.push_back(done);
            return static_cast<int>(reported.size()) < stopAt;
        }));
        EXPECT_EQ(reported.size(), static_cast<std::size_t>(stopAt));
        EXPECT_TRUE(std::ranges::is_sorted(reported));
        EXPECT_GE(reported.front(), 0);
        EXPECT_LE(reported.back(), 1);
    }
}

TEST(SourceRuleTest, RowSourceReadsTheGivenNameOnly)
{
    // No line holds 王好逑: the surname takes no part.
    const NameInsight insight(NameList("\xCD\xF5", "\xBA\xC3\xE5\xCF", NameMode::ThreeCharacter),
                              decode);
    EXPECT_EQ(givenNameOf(insight, 1), U"好逑");
    EXPECT_EQ(sourceOfRow(insight, fixtureCorpus(), allCollections, 1),
              "诗经·关雎：窈窕淑女，君子好逑。");
}

} // namespace
