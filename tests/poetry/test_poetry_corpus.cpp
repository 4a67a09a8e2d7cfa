#include "tests/poetry/fixture_corpus.h"

#include <gtest/gtest.h>

namespace {

TEST(PoetryCorpusTest, HoldsTheLinesOfTheFourCollectionsInOrder)
{
    const PoetryCorpus& corpus = fixtureCorpus();
    // Notes and files outside the four collections (poet.song.*, ci.song.2019y, authors) are
    // left out; 唐诗 files go by number (0, 200, 1000), and traditional text is simplified.
    const std::vector<std::string> expected = {
        "诗经·关雎：关关雎鸠，在河之洲。",
        "诗经·关雎：窈窕淑女，君子好逑。",
        "诗经·关雎：参差荇菜，左右流之！",
        "诗经·采薇：昔我往矣，杨柳依依。",
        "诗经·采薇：今我来思，雨雪霏霏。",
        "楚辞·离骚（屈原）：帝高阳之苗裔兮，朕皇考曰伯庸；",
        "楚辞·离骚（屈原）：依前圣以节中兮，喟凭心而历兹。",
        "楚辞·离骚（屈原）：字余曰灵均。",
        "唐诗·帝京篇十首 一（太宗皇帝）：秦川雄帝宅，函谷壮皇居。",
        "唐诗·帝京篇十首 一（太宗皇帝）：绮殿千寻起，离宫百雉余。",
        "唐诗·杂诗（无名氏）：君子逑之好。",
        "唐诗·杂诗（无名氏）：明明依依。",
        "唐诗·静夜思（李白）：床前明月光，疑是地上霜。",
        "唐诗·静夜思（李白）：举头望明月，低头思故乡。",
        "宋词·导引（和岘）：气和玉烛，睿化著鸿明。",
        "宋词·导引（和岘）：好梦逑心。",
    };
    ASSERT_EQ(corpus.lineCount(), expected.size());
    for (std::uint32_t line = 0; line < corpus.lineCount(); ++line)
        EXPECT_EQ(corpus.sourceText(line), expected[line]) << line;
    EXPECT_EQ(corpus.lineText(13), "举头望明月，低头思故乡。");
    EXPECT_EQ(corpus.collectionOf(7), 1);
    EXPECT_EQ(corpus.collectionOf(15), 3);
}

struct Source {
    std::u32string givenName;
    Collections collections;
    std::string source;
};

class SourceTest : public testing::TestWithParam<Source> {};

TEST_P(SourceTest, IsTheFirstLineHoldingTheCharactersInOrder)
{
    EXPECT_EQ(fixtureCorpus().sourceOf(GetParam().givenName, GetParam().collections),
              GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SourceTest,
    testing::Values(
        Source{U"好逑", allCollections, "诗经·关雎：窈窕淑女，君子好逑。"},
        Source{U"逑好", allCollections, "唐诗·杂诗（无名氏）：君子逑之好。"},
        Source{U"好逑", tangshi | songci, "宋词·导引（和岘）：好梦逑心。"},
        Source{U"好逑", shijing | chuci, "诗经·关雎：窈窕淑女，君子好逑。"}, Source{U"好逑", 0, ""},
        Source{U"依依", allCollections, "诗经·采薇：昔我往矣，杨柳依依。"},
        Source{U"依依", chuci | tangshi, "唐诗·杂诗（无名氏）：明明依依。"},
        Source{U"依依", chuci, ""},
        Source{U"依", chuci | tangshi, "楚辞·离骚（屈原）：依前圣以节中兮，喟凭心而历兹。"},
        Source{U"明", allCollections, "唐诗·杂诗（无名氏）：明明依依。"},
        Source{U"明月", allCollections, "唐诗·静夜思（李白）：床前明月光，疑是地上霜。"},
        Source{U"月明", allCollections, ""},
        Source{U"壮", allCollections, "唐诗·帝京篇十首 一（太宗皇帝）：秦川雄帝宅，函谷壮皇居。"},
        Source{U"壯", allCollections, ""}, Source{U"霜霜", allCollections, ""},
        Source{U"收", allCollections, ""}, Source{U"", allCollections, ""}));

struct Search {
    std::u32string query;
    std::size_t limit;
    std::uint64_t count;
    std::vector<std::uint32_t> lines;
};

class SearchTest : public testing::TestWithParam<Search> {};

TEST_P(SearchTest, FindsLinesByTextTitleOrAuthor)
{
    const PoetryCorpus::SearchResult result =
        fixtureCorpus().search(GetParam().query, GetParam().limit);
    EXPECT_EQ(result.count, GetParam().count);
    EXPECT_EQ(result.lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SearchTest,
    testing::Values(Search{U"依依", 500, 2, {3, 11}}, Search{U"李白", 500, 2, {12, 13}},
                    Search{U"杂诗", 500, 2, {10, 11}}, Search{U"屈原", 500, 3, {5, 6, 7}},
                    Search{U"明", 500, 4, {11, 12, 13, 14}}, Search{U"明", 2, 4, {11, 12}},
                    Search{U"关", 500, 3, {0, 1, 2}}, Search{U"君子好逑。", 500, 1, {1}},
                    Search{U"好逑宋", 500, 0, {}}, Search{U"收", 500, 0, {}},
                    Search{U"", 500, 0, {}}));

TEST(PoetryCorpusTest, RejectsBytesThatAreNoCorpus)
{
    std::vector<std::uint32_t> words(64, 0);
    const auto bytes = std::as_bytes(std::span(words));
    EXPECT_THROW(PoetryCorpus{bytes}, std::runtime_error);
    words[0] = corpus_format::magic;
    words[1] = 1'000'000; // more symbols than bytes
    EXPECT_THROW(PoetryCorpus{bytes}, std::runtime_error);
    EXPECT_THROW(PoetryCorpus{bytes.first(8)}, std::runtime_error);
}

} // namespace
