#include "shortlist/named_rows.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// GBK bytes.
const std::string wang = "\xCD\xF5", ou = "\xC5\xB7", yang = "\xD1\xF4";
const std::string meiLiSiYuanJiaYi = "\xC3\xC0\xC0\xF6\xCB\xBC\xD4\xB6\xBC\xCE\xE2\xF9";
const std::string siYuan = "\xCB\xBC\xD4\xB6";
const std::string mei = "\xC3\xC0", li = "\xC0\xF6", ming = "\xC3\xF7";

struct List {
    std::string surname;
    std::string candidates;
    NameMode mode = NameMode::ThreeCharacter;

    NameList names() const { return NameList(surname, candidates, mode); }
};

// The target rows whose names are names of ticked source rows, name by name.
std::vector<std::uint32_t> namedAlike(const NameList& source, const RowSet& rows,
                                      const NameList& target)
{
    std::set<std::string> names;
    for (const std::uint32_t row : rows.rows())
        names.insert(source.at(row));
    std::vector<std::uint32_t> found;
    for (std::uint64_t row = 0; row < target.size(); ++row) {
        if (names.contains(target.at(row)))
            found.push_back(static_cast<std::uint32_t>(row));
    }
    return found;
}

RowSet someRows(std::mt19937& random, std::uint64_t rows)
{
    RowSet set;
    switch (random() % 4) {
    case 0: // every row
        set.flip(rows);
        break;
    case 1: // runs, some across blocks of 2^16 rows
        for (int run = 0; run < 3; ++run) {
            const std::uint64_t start = random() % rows;
            for (std::uint64_t row = start; row < std::min(rows, start + random() % 70'000); ++row)
                set.set(static_cast<std::uint32_t>(row), true);
        }
        break;
    default: // scattered, sparse or dense
        const std::uint32_t share = 1 + random() % 60;
        for (std::uint64_t row = 0; row < rows; ++row) {
            if (random() % 64 < share)
                set.set(static_cast<std::uint32_t>(row), true);
        }
    }
    set.compact();
    return set;
}

// Candidates from a few double-byte characters and ASCII letters, which shift the unit
// boundaries and may leave a one-byte unit last.
std::string someCandidates(std::mt19937& random, std::size_t characters)
{
    static const std::string pieces[] = {mei, li, ming, yang, "a", "b", "\xCB\xBC", "\xD4\xB6"};
    std::string text;
    for (std::size_t i = 0; i < characters; ++i)
        text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(NamedRows, EqualListsKeepTheRowsThemselves)
{
    // 美美丽: rows 0 and 1 name 王美美 and 王美美 again; only the ticked one counts.
    const NameList names(wang, mei + mei + li, NameMode::ThreeCharacter);
    RowSet rows;
    rows.set(0, true);
    rows.set(8, true);
    EXPECT_EQ(rowsNamedAlike(names, rows, names).rows(), (std::vector<std::uint32_t>{0, 8}));
}

TEST(NamedRows, MatchTheNamesWhateverTheirRows)
{
    struct Case {
        const char* label;
        List source;
        std::vector<std::uint32_t> ticked;
        List target;
        std::vector<std::uint32_t> found;
    };
    const Case cases[] = {
        // 王美美 and 王思远 ticked; 王思远 is row 1 of 王 + 思远, 王美美 is gone.
        {"fewer candidates", {wang, meiLiSiYuanJiaYi}, {0, 15}, {wang, siYuan}, {1}},
        {"another surname", {wang, meiLiSiYuanJiaYi}, {0, 15}, {ou, siYuan}, {}},
        {"repeated candidates", {wang, mei + li}, {1}, {wang, li + mei + mei}, {3, 6}},
        // 欧 + 阳明 in three characters names 欧阳明, as 欧阳 + 明 does in two.
        {"surname takes a unit",
         {ou, yang + ming},
         {1},
         {ou + yang, ming, NameMode::TwoCharacter},
         {0}},
        {"unit joins the surname",
         {ou + yang, mei + ming, NameMode::TwoCharacter},
         {1},
         {ou, yang + ming},
         {1}},
        {"two characters to three", {wang, mei, NameMode::TwoCharacter}, {0}, {wang, mei}, {}},
        // 美a has the units 美 and a, a美 has "a\xC3" and "\xC0": 王a美 is row 2, then row 1.
        {"one-byte units", {wang, mei + "a"}, {1, 2}, {wang, "a" + mei}, {1}},
    };
    for (const Case& c : cases) {
        RowSet rows;
        for (const std::uint32_t row : c.ticked)
            rows.set(row, true);
        const NameList source = c.source.names();
        const NameList target = c.target.names();
        EXPECT_EQ(namedAlike(source, rows, target), c.found) << c.label;
        EXPECT_EQ(rowsNamedAlike(source, rows, target).rows(), c.found) << c.label;
    }
}

// Random lists that share characters, surnames that are prefixes of each other, both modes, and
// ticks from single rows to every row over several blocks of 2^16 rows.
TEST(NamedRows, AgreeWithNamingEveryRow)
{
    std::mt19937 random(23);
    const std::string surnames[] = {"", wang, ou, ou + yang, "a"};
    for (int round = 0; round < 300; ++round) {
        const std::size_t length = round % 10 == 0 ? 300 : 1 + random() % 12;
        const List sourceList{surnames[random() % 5], someCandidates(random, length),
                              random() % 4 ? NameMode::ThreeCharacter : NameMode::TwoCharacter};
        List targetList = sourceList;
        switch (random() % 4) {
        case 0:
            targetList.candidates = someCandidates(random, length);
            break;
        case 1:
            targetList.candidates.insert(random() % (targetList.candidates.size() + 1),
                                         someCandidates(random, 1 + random() % 2));
            break;
        case 2:
            targetList.surname = surnames[random() % 5];
            break;
        default:
            targetList.mode = random() % 2 ? NameMode::ThreeCharacter : NameMode::TwoCharacter;
        }
        const NameList source = sourceList.names();
        const NameList target = targetList.names();
        if (source.empty() || source == target)
            continue;
        const RowSet rows = someRows(random, source.size());
        ASSERT_EQ(rowsNamedAlike(source, rows, target).rows(), namedAlike(source, rows, target))
            << "round " << round;
    }
}

} // namespace
