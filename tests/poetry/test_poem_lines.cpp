#include "poetry/poem_lines.h"

#include <gtest/gtest.h>

namespace {

struct Cut {
    const char* text;
    std::vector<std::string> lines;
};

class PoemLinesTest : public testing::TestWithParam<Cut> {};

TEST_P(PoemLinesTest, CutsAfterEveryEndMarkAndDropsNotes)
{
    EXPECT_EQ(poemLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PoemLinesTest,
    testing::Values(Cut{"关关雎鸠，在河之洲。窈窕淑女，君子好逑。",
                        {"关关雎鸠，在河之洲。", "窈窕淑女，君子好逑。"}},
                    Cut{"问君何能尔？心远地自偏！欲辨已忘言；",
                        {"问君何能尔？", "心远地自偏！", "欲辨已忘言；"}},
                    Cut{"  床前明月光，\u3000疑是地上霜。\t 举头望明月 ",
                        {"床前明月光，\u3000疑是地上霜。", "举头望明月"}},
                    Cut{"无标点的残句", {"无标点的残句"}}, Cut{"。。  。", {"。", "。", "。"}},
                    Cut{"", {}}, Cut{"   ", {}}, Cut{"甲（一作乙）丙。丁戊。", {"丁戊。"}},
                    Cut{"名余曰正则兮[1]，字余曰灵均。", {}},
                    Cut{"名余曰正则兮[1]；字余曰灵均。", {"字余曰灵均。"}},
                    Cut{"《诗》云。〔注〕曰。(a)。{b}。", {}},
                    Cut{"一二三四5。ABC。十月。", {"十月。"}},
                    Cut{"甲0。乙9。丙a。丁z。戊Z。己。", {"己。"}},
                    Cut{"子曰：“不亦说乎？有朋自远方来。”",
                        {"子曰：“不亦说乎？", "有朋自远方来。”"}},
                    Cut{"曰：「何谓『浩然』？」』又曰！’", {"曰：「何谓『浩然』？」』", "又曰！’"}},
                    Cut{"半括号）在后。", {}}));

} // namespace
