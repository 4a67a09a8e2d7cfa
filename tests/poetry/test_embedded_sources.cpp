#include "poetry/embedded_corpus.h"
#include "tests/poetry/collection_bits.h"

#include <gtest/gtest.h>

namespace {

struct Source {
    std::u32string givenName;
    Collections collections;
    std::string source;
};

class EmbeddedSourceTest : public testing::TestWithParam<Source> {};

TEST_P(EmbeddedSourceTest, IsTheLineTheNameComesFrom)
{
    EXPECT_EQ(embeddedCorpus().sourceOf(GetParam().givenName, GetParam().collections),
              GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    Names, EmbeddedSourceTest,
    testing::Values(
        // Not 诗经·云汉 "群公先正，则不我助".
        Source{U"正则", allCollections, "楚辞·离骚（屈原）：名余曰正则兮，字余曰灵均。"},
        Source{U"浩然", allCollections, "孟子·公孙丑上：曰：「我知言，我善养吾浩然之气。」"},
        Source{U"致远", allCollections,
               "论语·子张篇：子夏曰：“虽小道必有可观者焉，致远恐泥，是以君子不为也。”"},
        Source{U"嘉木", allCollections, "唐诗·过新丰道中（储光羲）：诏书植嘉木，众言桃李好。"},
        // Not "徽假大王按，弦因少女吟".
        Source{U"徽因", allCollections, ""},
        Source{U"至善", allCollections, "大学：大学之道，在明明德，在亲民，在止于至善。"},
        Source{U"中和", Collections(allCollections & ~chuci), "中庸：致中和，天地位焉，万物育焉。"},
        Source{U"天涯", yuanqu,
               "元曲·双调・大德歌（四首）春（关汉卿）：夏俏冤家，在天涯，偏那里绿杨堪系马？"}));

} // namespace
