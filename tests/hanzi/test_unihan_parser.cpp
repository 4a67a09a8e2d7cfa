#include "hanzi/unihan_parser.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::map<char32_t, unihan::Record> parseFixtures()
{
    unihan::Parser parser;
    for (const char* name : {"unihan_sources_fixture.txt", "unihan_readings_fixture.txt"}) {
        std::ifstream in(std::string(UNIHAN_FIXTURE_DIR "/") + name);
        EXPECT_TRUE(in) << name;
        parser.read(in);
    }
    return parser.records();
}

struct Expected {
    char32_t codePoint;
    std::vector<std::string> readings;
    int strokes;
    bool generalStandard;
    std::string definition;
};

TEST(UnihanParser, GathersTheFieldsOfEveryCoveredCodePoint)
{
    const std::map<char32_t, unihan::Record> records = parseFixtures();
    const Expected expected[] = {
        // Dictionary readings follow kMandarin in field order, not in file order.
        {0x3401, {"tiàn", "tián", "tiǎn"}, 0, false, "to lick; to taste, a mat, bamboo bark"},
        {0x4E50, {"lè", "yuè", "yào", "lào"}, 5, true, "happy, glad; enjoyable; music"},
        // Two kMandarin values; locations holding ',' and '*'; two stroke counts.
        {0x5C09, {"wèi", "yù"}, 11, false, ""},
        {0x20000, {"hē", "ā"}, 0, false, ""},
    };
    ASSERT_EQ(records.size(), std::size(expected)); // U+4E00 has no kMandarin
    for (const Expected& entry : expected) {
        SCOPED_TRACE(static_cast<unsigned>(entry.codePoint));
        ASSERT_TRUE(records.contains(entry.codePoint));
        const unihan::Record& record = records.at(entry.codePoint);
        EXPECT_EQ(record.readings, entry.readings);
        EXPECT_EQ(record.strokes, entry.strokes);
        EXPECT_EQ(record.generalStandard, entry.generalStandard);
        EXPECT_EQ(record.definition, entry.definition);
    }
}

} // namespace
