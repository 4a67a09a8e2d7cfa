#include "tests/poetry/collection_bits.h"

#include <gtest/gtest.h>

namespace {

constexpr Collections firstFour = shijing | chuci | tangshi | songci;

struct Kept {
    std::optional<std::string> value;
    Collections chosen;
};

class KeptCollectionsTest : public testing::TestWithParam<Kept> {};

TEST_P(KeptCollectionsTest, MeanWhatTheyMeantWhenWritten)
{
    EXPECT_EQ(collectionsOfPreference(GetParam().value), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KeptCollectionsTest,
    testing::Values(
        Kept{std::nullopt, allCollections},
        // Lists of the four collections there were: what they left out stays out, and the new
        // ones come only with all four.
        Kept{"诗经, 唐诗, 宋词", shijing | tangshi | songci}, Kept{"宋词,诗经 ", shijing | songci},
        Kept{"诗经, 楚辞, 唐诗, 宋词", allCollections}, Kept{"", 0}, Kept{"汉赋, 唐诗", tangshi},
        // Lists naming the nine.
        Kept{"诗经, 楚辞, -论语, -大学, -中庸, -孟子, 唐诗, 宋词, -元曲", firstFour},
        Kept{"-诗经, -楚辞, 论语, -大学, -中庸, -孟子, -唐诗, -宋词, 元曲", lunyu | yuanqu},
        Kept{"-元曲", 0}, Kept{"孟子", mengzi}));

TEST(KeptCollectionsTest, AreWrittenSoThatTheyReadBack)
{
    EXPECT_EQ(collectionsPreference(shijing | tangshi),
              "诗经, -楚辞, -论语, -大学, -中庸, -孟子, 唐诗, -宋词, -元曲");
    for (const Collections chosen : {Collections{0}, firstFour, allCollections,
                                     Collections(daxue | zhongyong | songci), mengzi})
        EXPECT_EQ(collectionsOfPreference(collectionsPreference(chosen)), chosen) << chosen;
}

} // namespace
