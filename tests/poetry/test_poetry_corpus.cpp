#include "tests/poetry/fixture_corpus.h"

#include <gtest/gtest.h>

namespace {

TEST(PoetryCorpusTest, HoldsTheLinesOfTheNineCollectionsInOrder)
{
    const PoetryCorpus& corpus = fixtureCorpus();
    // Notes and files outside the collections (poet.song.*, ci.song.2019y, authors) are left
    // out; 唐诗 files go by number (0, 200, 1000), and traditional text is simplified. 大学 and
    // 中庸 are labelled by the book alone, 论语 and 孟子 by their chapters.
    std::vector<std::string> expected = {
        "诗经·关雎：关关雎鸠，在河之洲。",
        "诗经·关雎：窈窕淑女，君子好逑。",
        "诗经·关雎：参差荇菜，左右流之！",
        "诗经·采薇：昔我往矣，杨柳依依。",
        "诗经·采薇：今我来思，雨雪霏霏。",
        "诗经·云汉：群公先正，则不我助。",
        "楚辞·离骚（屈原）：帝高阳之苗裔兮，朕皇考曰伯庸；",
        "楚辞·离骚（屈原）：依前圣以节中兮，喟凭心而历兹。",
        "楚辞·离骚（屈原）：字余曰灵均。",
        "楚辞·离骚（屈原）：皇览揆余初度兮，肇锡余以嘉名：名余曰正则兮，字余曰灵均。",
        "论语·学而篇：子曰：“学而时习之，不亦说乎？",
        "论语·学而篇：有朋自远方来，不亦乐乎？",
        "论语·学而篇：人不知而不愠，不亦君子乎？”",
        "论语·子张篇：子夏曰：“虽小道必有可观者焉，致远恐泥，是以君子不为也。”",
        "大学：大学之道，在明明德，在亲民，在止于至善。",
        "大学：嘉树乔木，在彼中阿。",
        "中庸：天命之谓性，率性之谓道，修道之谓教。",
        "孟子·梁惠王上：孟子见梁惠王。",
        "孟子·梁惠王上：王曰：「叟不远千里而来，亦将有以利吾国乎？」",
        "孟子·公孙丑上：曰：「我知言，我善养吾浩然之气。」",
        "唐诗·帝京篇十首 一（太宗皇帝）：秦川雄帝宅，函谷壮皇居。",
        "唐诗·帝京篇十首 一（太宗皇帝）：绮殿千寻起，离宫百雉余。",
        "唐诗·杂诗（无名氏）：君子逑之好。",
        "唐诗·杂诗（无名氏）：明明依依。",
        "唐诗·静夜思（李白）：床前明月光，疑是地上霜。",
        "唐诗·静夜思（李白）：举头望明月，低头思故乡。",
        "唐诗·古意（无名氏）：庭前植嘉木，众鸟各有栖。",
        "宋词·导引（和岘）：气和玉烛，睿化著鸿明。",
        "宋词·导引（和岘）：好梦逑心。",
        "宋词·采桑子（欧阳修）：群芳过后西湖好，狼籍残红。",
        "元曲·天净沙・秋思（马致远）：夕阳西下，断肠人在天涯。",
    };
    // 128 lines of filler before the last, so that 西 has a gap of 128 lines between two.
    expected.insert(expected.end() - 1, 128, "元曲·天净沙・秋思（马致远）：呀。");
    ASSERT_EQ(corpus.lineCount(), expected.size());
    for (std::uint32_t line = 0; line < corpus.lineCount(); ++line)
        EXPECT_EQ(corpus.sourceText(line), expected[line]) << line;
    EXPECT_EQ(corpus.lineText(25), "举头望明月，低头思故乡。");
    const std::pair<std::uint32_t, int> collectionOfLine[] = {
        {5, 0}, {9, 1}, {10, 2}, {15, 3}, {16, 4}, {19, 5}, {26, 6}, {29, 7}, {30, 8}, {158, 8}};
    for (const auto& [line, collection] : collectionOfLine)
        EXPECT_EQ(corpus.collectionOf(line), collection) << line;
}

struct Source {
    std::u32string givenName;
    Collections collections;
    std::string source;
};

class SourceTest : public testing::TestWithParam<Source> {};

TEST_P(SourceTest, IsTheFirstLineHoldingTheCharactersTogetherElseInOneClause)
{
    EXPECT_EQ(fixtureCorpus().sourceOf(GetParam().givenName, GetParam().collections),
              GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SourceTest,
    testing::Values(
        Source{U"好逑", allCollections, "诗经·关雎：窈窕淑女，君子好逑。"},
        // Within one clause when no line has them next to each other.
        Source{U"逑好", allCollections, "唐诗·杂诗（无名氏）：君子逑之好。"},
        Source{U"好逑", tangshi | songci, "宋词·导引（和岘）：好梦逑心。"},
        Source{U"好逑", shijing | chuci, "诗经·关雎：窈窕淑女，君子好逑。"}, Source{U"好逑", 0, ""},
        // Next to each other in a later collection before within a clause in an earlier one.
        Source{U"嘉木", allCollections, "唐诗·古意（无名氏）：庭前植嘉木，众鸟各有栖。"},
        Source{U"嘉木", daxue | songci, "大学：嘉树乔木，在彼中阿。"},
        // Never across clauses: not 群公先正，则不我助, nor across ： or “.
        Source{U"正则", allCollections,
               "楚辞·离骚（屈原）：皇览揆余初度兮，肇锡余以嘉名：名余曰正则兮，字余曰灵均。"},
        Source{U"正则", shijing, ""}, Source{U"嘉正", allCollections, ""},
        Source{U"曰学", allCollections, ""},
        Source{U"致远", allCollections,
               "论语·子张篇：子夏曰：“虽小道必有可观者焉，致远恐泥，是以君子不为也。”"},
        Source{U"浩然", allCollections, "孟子·公孙丑上：曰：「我知言，我善养吾浩然之气。」"},
        Source{U"天命", allCollections, "中庸：天命之谓性，率性之谓道，修道之谓教。"},
        // A collection's lines end where the next one's begin.
        Source{U"学而", chuci, ""}, Source{U"学", chuci, ""},
        Source{U"学而", lunyu, "论语·学而篇：子曰：“学而时习之，不亦说乎？"},
        Source{U"西", allCollections, "宋词·采桑子（欧阳修）：群芳过后西湖好，狼籍残红。"},
        Source{U"西", yuanqu, "元曲·天净沙・秋思（马致远）：夕阳西下，断肠人在天涯。"},
        Source{U"依依", allCollections, "诗经·采薇：昔我往矣，杨柳依依。"},
        Source{U"依依", chuci | tangshi, "唐诗·杂诗（无名氏）：明明依依。"},
        Source{U"依依", chuci, ""},
        Source{U"依", chuci | tangshi, "楚辞·离骚（屈原）：依前圣以节中兮，喟凭心而历兹。"},
        Source{U"明", allCollections, "大学：大学之道，在明明德，在亲民，在止于至善。"},
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
    testing::Values(Search{U"依依", 500, 2, {3, 23}}, Search{U"李白", 500, 2, {24, 25}},
                    Search{U"杂诗", 500, 2, {22, 23}}, Search{U"屈原", 500, 4, {6, 7, 8, 9}},
                    Search{U"明", 500, 5, {14, 23, 24, 25, 27}}, Search{U"明", 2, 5, {14, 23}},
                    Search{U"关", 500, 3, {0, 1, 2}}, Search{U"君子好逑。", 500, 1, {1}},
                    Search{U"马致远", 2, 129, {30, 31}}, Search{U"好逑宋", 500, 0, {}},
                    Search{U"收", 500, 0, {}}, Search{U"", 500, 0, {}}));

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
