#include "hanzi/toneless.h"
#include "insight/export_lines.h"
#include "insight/name_insight.h"
#include "insight/name_text.h"
#include "shortlist/tick_record.h"
#include "shortlist/tick_rules.h"
#include "tests/support/gbk_test_decoder.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace {

// Characters with homophones (礼 理 李, 力 立), shared tones, a character with two readings (乐)
// and characters outside the general standard list (喆 囍 犇), as GBK.
const GbkCharacters pool{
    {"\xC3\xC0", U'美'}, {"\xC0\xF6", U'丽'}, {"\xC0\xF1", U'礼'}, {"\xC0\xED", U'理'},
    {"\xC1\xA6", U'力'}, {"\xC1\xA2", U'立'}, {"\xC0\xD6", U'乐'}, {"\xBA\xC3", U'好'},
    {"\x86\xB4", U'喆'}, {"\x87\xD6", U'囍'}, {"\xA0\xC4", U'犇'}, {"\xF6\xCE", U'鑫'},
    {"\xCD\xF5", U'王'}, {"\xC0\xEE", U'李'}, {"\xB5\xA5", U'单'},
};

std::u32string decode(std::string_view gbk)
{
    return decodeWith(pool, gbk);
}

using Characters = std::vector<const NameInsight::Character*>;

Characters givenName(const NameInsight& insight, std::uint64_t row)
{
    Characters all = insight.characters(row);
    return Characters(all.begin() + std::ssize(insight.surname()), all.end());
}

bool covered(const Characters& characters)
{
    return std::ranges::all_of(characters, [](auto* c) { return c->covered(); });
}

// Plain row-by-row definitions of the rules.
using Reference =
    std::function<bool(const NameInsight&, std::uint64_t row, std::set<std::string>& readingsSeen)>;

const std::u32string avoided = U"理美";

bool avoids(const NameInsight& insight, std::uint64_t row, std::set<std::string>&)
{
    std::set<std::string> sounds;
    for (const char32_t c : avoided) {
        const std::optional<CharacterInfo> info = LookUpCharacter(c);
        for (const std::string& reading : info->readings)
            sounds.insert(toneless(reading));
    }
    return std::ranges::any_of(givenName(insight, row), [&](auto* c) {
        return avoided.find(c->codePoint) != std::u32string::npos ||
               (c->covered() && sounds.contains(toneless(c->reading)));
    });
}

struct RuleCase {
    const char* name;
    std::function<RowPattern(const NameInsight&)> rule;
    Reference reference;
};

const RuleCase ruleCases[] = {
    {"containing", [](const NameInsight& insight) { return rowsContaining(insight, U'丽'); },
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         return std::ranges::any_of(givenName(insight, row),
                                    [](auto* c) { return c->codePoint == U'丽'; });
     }},
    {"repeated", rowsOfRepeatedCharacter,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         const Characters given = givenName(insight, row);
         return given.size() >= 2 && std::ranges::all_of(given, [&](auto* c) {
                    return c->codePoint == given[0]->codePoint;
                });
     }},
    {"sameSound", rowsSoundingLikeAnEarlierRow,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>& seen) {
         return covered(insight.characters(row)) && !seen.insert(insight.readings(row)).second;
     }},
    {"sameTone", rowsInOneTone,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         const Characters all = insight.characters(row);
         return covered(all) &&
                std::ranges::all_of(all, [&](auto* c) { return c->tone == all[0]->tone; });
     }},
    {"rare", rowsWithRareCharacter,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         return std::ranges::any_of(givenName(insight, row), [](auto* c) {
             return !c->covered() || !c->info->generalStandard;
         });
     }},
    {"avoiding", [](const NameInsight& insight) { return rowsAvoiding(insight, avoided); }, avoids},
};

class TickRule : public testing::TestWithParam<RuleCase> {};

// Every rule against its plain definition, on random lists in both modes.
TEST_P(TickRule, MatchesThePlainDefinition)
{
    std::mt19937 random(7);
    std::vector<std::string> characters;
    for (const auto& [bytes, codePoint] : pool)
        characters.push_back(bytes);
    characters.push_back("??");
    const std::string surnames[] = {"\xCD\xF5", "\xC0\xEE", "\xB5\xA5", "?", "\xC0\xEE\xC0\xF1"};
    for (int round = 0; round < 60; ++round) {
        std::string candidates;
        const int length = 1 + static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            candidates += characters[random() % characters.size()];
        const NameMode mode = round % 2 ? NameMode::TwoCharacter : NameMode::ThreeCharacter;
        const NameInsight insight(NameList(surnames[round % 5], candidates, mode), decode);
        std::vector<std::uint32_t> expected;
        std::set<std::string> seen;
        for (std::uint64_t row = 0; row < insight.names().size(); ++row) {
            if (GetParam().reference(insight, row, seen))
                expected.push_back(static_cast<std::uint32_t>(row));
        }
        const auto rows = matchingRows(GetParam().rule(insight), insight.names().size(), {});
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->rows(), expected) << "round " << round << " candidates " << candidates;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, TickRule, testing::ValuesIn(ruleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TickRule, StopsWithNothingWhenAskedTo)
{
    // 6,000 units give 36 million rows, reported on in several steps.
    const NameInsight insight(
        NameList("\xCD\xF5", std::string(12'000, '\xC3'), NameMode::ThreeCharacter), decode);
    int reports = 0;
    EXPECT_FALSE(matchingRows(rowsContaining(insight, U'\uFFFD'), insight.names().size(),
                              [&reports](double) { return ++reports < 3; }));
    EXPECT_EQ(reports, 3);
}

// A rule over `rows` rows in blocks of 1,000: the blocks of a random stretch match every row or
// the rows of one of two random unit subsets, one held as bits, one as members.
RowPattern randomPattern(std::mt19937& random, std::uint32_t rows)
{
    RowPattern pattern;
    pattern.blockLength = 1000;
    pattern.blocks.assign(rows / pattern.blockLength, RowPattern::noRow);
    pattern.subsets.resize(2);
    pattern.subsets[0].bits.resize(pattern.blockLength / 64 + 1);
    for (std::uint32_t unit = 0; unit < pattern.blockLength; ++unit) {
        if (random() % 2)
            pattern.subsets[0].bits[unit / 64] |= 1ULL << (unit % 64);
        if (random() % 8 == 0)
            pattern.subsets[1].members.push_back(unit);
    }
    const std::size_t start = random() % pattern.blocks.size();
    for (std::size_t block = start; block < std::min(pattern.blocks.size(), start + 70); ++block)
        pattern.blocks[block] = static_cast<std::int32_t>(random() % 4) - 2;
    return pattern;
}

// Undo against a plain set: after any mix of rules, inverts, clears and single ticks, undo
// applies the inverse of the last change made many rows at once to the ticks as they are, both
// with the rows a rule ticked kept and with them rebuilt from the history (a budget of 0 bytes).
class TickRecordUndo : public testing::TestWithParam<std::size_t> {};

TEST_P(TickRecordUndo, InvertsTheLastChangeOnly)
{
    std::mt19937 random(12);
    constexpr std::uint32_t rows = 200'000;
    TickRecord record(GetParam());
    std::set<std::uint32_t> plain;
    std::function<void()> plainUndo;
    int replayedUndos = 0;
    const auto toggle = [&plain](std::uint32_t row, bool on) {
        on ? (void)plain.insert(row) : (void)plain.erase(row);
    };
    for (int step = 0; step < 300; ++step) {
        switch (random() % 6) {
        case 0: { // a rule: scattered rows over more than one block
            auto pattern = std::make_shared<const RowPattern>(randomPattern(random, rows));
            RowSet rule = *matchingRows(*pattern, rows, {});
            std::set<std::uint32_t> added;
            for (const std::uint32_t row : rule.rows())
                if (!plain.contains(row))
                    added.insert(row);
            EXPECT_EQ(record.tickAll(rule, pattern, rows), added.size());
            plain.insert(added.begin(), added.end());
            plainUndo = [&, added] {
                for (const std::uint32_t row : added)
                    plain.erase(row);
            };
            break;
        }
        case 1:
            record.invert(rows);
            plainUndo = [&] {
                for (std::uint32_t row = 0; row < rows; ++row)
                    toggle(row, !plain.contains(row));
            };
            plainUndo();
            break;
        case 2:
            record.clear();
            plainUndo = [&, cleared = plain] { plain.insert(cleared.begin(), cleared.end()); };
            plain.clear();
            break;
        case 3: { // single ticks, which undo does not count as a change
            for (int i = 0; i < 3; ++i) {
                const std::uint32_t row = random() % rows;
                const bool on = random() % 2;
                record.tick(row, on);
                toggle(row, on);
            }
            break;
        }
        default:
            EXPECT_EQ(record.canUndo(), static_cast<bool>(plainUndo));
            replayedUndos += record.undoIsReplayed();
            record.undo();
            if (plainUndo)
                std::exchange(plainUndo, nullptr)();
            EXPECT_FALSE(record.canUndo());
            break;
        }
        ASSERT_EQ(record.ticks().rows(), std::vector<std::uint32_t>(plain.begin(), plain.end()))
            << "step " << step;
    }
    EXPECT_EQ(replayedUndos > 0, GetParam() == 0);
}

INSTANTIATE_TEST_SUITE_P(Budgets, TickRecordUndo,
                         testing::Values(TickRecord::defaultBudget, std::size_t{0}));

// Without memory to spare, an undo is rebuilt from the history while a replay takes at most
// maxReplayPasses rule passes; past them the rows are kept whatever the budget.
class TickRecordReplayLimit : public testing::TestWithParam<int> {};

TEST_P(TickRecordReplayLimit, ReplaysUpToTheLimitAndKeepsTheRowsPastIt)
{
    std::mt19937 random(5);
    constexpr std::uint32_t rows = 200'000;
    TickRecord record(0);
    std::vector<std::uint32_t> before;
    for (int rule = 0; rule < GetParam(); ++rule) {
        before = record.ticks().rows();
        auto pattern = std::make_shared<const RowPattern>(randomPattern(random, rows));
        record.tickAll(*matchingRows(*pattern, rows, {}), pattern, rows);
    }
    EXPECT_EQ(record.undoIsReplayed(), GetParam() <= TickRecord::maxReplayPasses);
    record.undo();
    EXPECT_EQ(record.ticks().rows(), before);
}

INSTANTIATE_TEST_SUITE_P(Passes, TickRecordReplayLimit,
                         testing::Values(1, TickRecord::maxReplayPasses,
                                         TickRecord::maxReplayPasses + 1));

TEST(ExportLines, CsvFieldsMatchTheInsightAndQuoteAsRfc4180Asks)
{
    // '"' and ',' in the candidates end up inside names.
    const NameInsight insight(
        NameList("\xB5\xA5", "\xC0\xD6\xC3\xC0\x87\xD6\",a,", NameMode::ThreeCharacter), decode);
    const NameText text(insight);
    for (std::uint64_t row = 0; row < insight.names().size(); ++row) {
        std::string line;
        appendExportLine(line, text, row, ExportFormat::Csv);
        std::string name;
        text.append(name, row);
        std::string field;
        appendCsvField(field, name);
        const bool standard = std::ranges::all_of(insight.characters(row), [](auto* c) {
            return c->covered() && c->info->generalStandard;
        });
        EXPECT_EQ(line, field + ',' + insight.readings(row) + ',' + insight.toneDigits(row) + ',' +
                            std::to_string(insight.totalStrokes(row)) +
                            (standard ? ",是\r\n" : ",否\r\n"));
    }
    for (const auto& [field, written] : std::initializer_list<std::pair<const char*, const char*>>{
             {"plain", "plain"},
             {"a\"b,c", "\"a\"\"b,c\""},
             {"line\rreturn", "\"line\rreturn\""},
             {"line\nfeed", "\"line\nfeed\""},
             {"", ""}}) {
        std::string quoted;
        appendCsvField(quoted, field);
        EXPECT_EQ(quoted, written) << field;
    }
    EXPECT_EQ(exportHeader(ExportFormat::Csv), "\xEF\xBB\xBF名字,读音,声调,笔画,通用规范汉字\r\n");
}

TEST(Toneless, DropsEveryKindOfMark)
{
    const std::pair<const char*, const char*> cases[] = {
        {"lǜ", "lü"}, {"měi", "mei"}, {"ḿ", "m"}, {"ǹg", "ng"},     {"m̀", "m"},
        {"ế", "ê"},   {"ê̄", "ê"},     {"Ā", "A"}, {"shàn", "shan"},
    };
    for (const auto& [marked, plain] : cases)
        EXPECT_EQ(toneless(marked), plain) << marked;
}

} // namespace
