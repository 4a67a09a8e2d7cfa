#include "shortlist/named_rows.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// GBK bytes.
const std::string wang = "\xCD\xF5", ou = "\xC5\xB7", yang = "\xD1\xF4";
const std::string mei = "\xC3\xC0", li = "\xC0\xF6", ming = "\xC3\xF7", si = "\xCB\xBC",
                  yuan = "\xD4\xB6";
constexpr NameMode two = NameMode::TwoCharacter, three = NameMode::ThreeCharacter;

RowSet rowsOf(std::initializer_list<std::uint32_t> rows)
{
    RowSet set;
    for (const std::uint32_t row : rows)
        set.set(row, true);
    return set;
}

TEST(NamedRows, MatchTheNamesWhateverTheirRows)
{
    struct Case {
        const char* label;
        NameList source;
        RowSet ticked;
        NameList target;
        std::vector<std::uint32_t> found;
    };
    const std::string meiLiSiYuanJiaYi = mei + li + si + yuan + "\xBC\xCE\xE2\xF9";
    const Case cases[] = {
        // 美美丽 names 王美美 at rows 0 and 1: only the ticked one goes.
        {"same list",
         {wang, mei + mei + li, three},
         rowsOf({0, 8}),
         {wang, mei + mei + li, three},
         {0, 8}},
        // 王美美 and 王思远 ticked; 王思远 is row 1 of 王 + 思远, 王美美 is gone.
        {"fewer candidates",
         {wang, meiLiSiYuanJiaYi, three},
         rowsOf({0, 15}),
         {wang, si + yuan, three},
         {1}},
        {"repeated candidates",
         {wang, mei + li, three},
         rowsOf({1}),
         {wang, li + mei + mei, three},
         {3, 6}},
        // 欧 + 阳明 in three characters names 欧阳明, as 欧阳 + 明 does in two, and back.
        {"surname takes a unit",
         {ou, yang + ming, three},
         rowsOf({1}),
         {ou + yang, ming, two},
         {0}},
        {"unit joins the surname",
         {ou + yang, mei + ming, two},
         rowsOf({1}),
         {ou, yang + ming, three},
         {1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowsNamedAlike(c.source, c.ticked, c.target).rows(), c.found) << c.label;
}

// Random lists that share characters and ASCII letters (which shift the unit boundaries),
// surnames that are prefixes of each other, both modes, and ticks from a few rows to every row
// over several blocks of 2^16 rows, against naming every row.
TEST(NamedRows, AgreeWithNamingEveryRow)
{
    std::mt19937 random(23);
    const std::string pieces[] = {mei, li, ming, yang, "a", "b", si, yuan};
    const auto candidates = [&](std::size_t characters) {
        std::string text;
        for (std::size_t i = 0; i < characters; ++i)
            text += pieces[random() % std::size(pieces)];
        return text;
    };
    const std::string surnames[] = {"", wang, ou, ou + yang, "a"};
    for (int round = 0; round < 300; ++round) {
        const std::size_t length = round % 10 == 0 ? 300 : 1 + random() % 12;
        std::string surname = surnames[random() % 5];
        std::string text = candidates(length);
        NameMode mode = random() % 4 ? three : two;
        const NameList source(surname, text, mode);
        switch (random() % 4) {
        case 0:
            text = candidates(length);
            break;
        case 1:
            text.insert(random() % (text.size() + 1), candidates(1 + random() % 2));
            break;
        case 2:
            surname = surnames[random() % 5];
            break;
        default:
            mode = random() % 2 ? three : two;
        }
        const NameList target(surname, text, mode);
        if (source.empty() || source == target)
            continue;
        RowSet rows;
        const std::uint32_t share = random() % 65;
        for (std::uint64_t row = 0; row < source.size(); ++row) {
            if (random() % 64 < share)
                rows.set(static_cast<std::uint32_t>(row), true);
        }
        if (round % 2)
            rows.compact(); // runs as well as arrays and bitsets
        std::set<std::string> names;
        for (const std::uint32_t row : rows.rows())
            names.insert(source.at(row));
        std::vector<std::uint32_t> named;
        for (std::uint64_t row = 0; row < target.size(); ++row) {
            if (names.contains(target.at(row)))
                named.push_back(static_cast<std::uint32_t>(row));
        }
        ASSERT_EQ(rowsNamedAlike(source, rows, target).rows(), named) << "round " << round;
    }
}

} // namespace
