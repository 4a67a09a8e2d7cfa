#include "hanzi/toneless.h"
#include "insight/export_lines.h"
#include "insight/meaning_text.h"
#include "insight/name_insight.h"
#include "insight/name_text.h"
#include "shortlist/tick_record.h"
#include "shortlist/tick_rules.h"
#include "tests/support/gbk_test_decoder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Characters with homophones (礼 理 李, 力 立), shared tones, a character with two readings (乐)
// characters outside the general standard list (喆 囍 犇), and characters that make 范统 sound
// like 饭桶 or 尸 after 死 like 死尸, and characters whose 字义 quotes an example (一 个), as GBK.
const GbkCharacters pool{
    {"\xC3\xC0", U'美'}, {"\xC0\xF6", U'丽'}, {"\xC0\xF1", U'礼'}, {"\xC0\xED", U'理'},
    {"\xC1\xA6", U'力'}, {"\xC1\xA2", U'立'}, {"\xC0\xD6", U'乐'}, {"\xBA\xC3", U'好'},
    {"\x86\xB4", U'喆'}, {"\x87\xD6", U'囍'}, {"\xA0\xC4", U'犇'}, {"\xF6\xCE", U'鑫'},
    {"\xCD\xF5", U'王'}, {"\xC0\xEE", U'李'}, {"\xB5\xA5", U'单'}, {"\xB7\xB6", U'范'},
    {"\xCD\xB3", U'统'}, {"\xCD\xA8", U'通'}, {"\xCA\xAC", U'尸'}, {"\xCB\xC0", U'死'},
    {"\xD2\xBB", U'一'}, {"\xB8\xF6", U'个'},
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
    {"levelOrOblique", rowsAllLevelOrAllOblique,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         const std::string levels = insight.levels(row);
         return levels.find("？") == std::string::npos &&
                (levels.find("平") == std::string::npos || levels.find("仄") == std::string::npos);
     }},
    {"unseemlyHomophone", rowsWithUnseemlyHomophone,
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         return insight.homophones(row).find("不雅）") != std::string::npos;
     }},
    {"keepingLastCharacter",
     [](const NameInsight& insight) {
         return rowsWithoutCharacterAt(insight, insight.names().unitsPerName() - 1, U'丽');
     },
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         const Characters given = givenName(insight, row);
         return given.empty() || given.back()->codePoint != U'丽' ||
                insight.unit(insight.names().unitIndex(row, insight.names().unitsPerName() - 1))
                        .size() != 1;
     }},
    {"keepingFirstCharacter",
     [](const NameInsight& insight) { return rowsWithoutCharacterAt(insight, 0, U'统'); },
     [](const NameInsight& insight, std::uint64_t row, std::set<std::string>&) {
         const Characters given = givenName(insight, row);
         return given.empty() || given.front()->codePoint != U'统' ||
                insight.unit(insight.names().unitIndex(row, 0)).size() != 1;
     }},
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
    // An odd count, so that every surname meets both modes; the empty one leaves the first
    // unit to set the class.
    const std::string surnames[] = {"\xCD\xF5", "\xC0\xEE",         "\xB5\xA5", "?",       "",
                                    "\xC3\xC0", "\xC0\xEE\xC0\xF1", "\xB7\xB6", "\xCB\xC0"};
    for (int round = 0; round < 60; ++round) {
        std::string candidates;
        const int length = 1 + static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            candidates += characters[random() % characters.size()];
        const NameMode mode = round % 2 ? NameMode::TwoCharacter : NameMode::ThreeCharacter;
        const NameInsight insight(NameList(surnames[round % std::size(surnames)], candidates, mode),
                                  decode);
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
// with the rows a rule ticked kept and with them rebuilt from the history (a budget of 0 bytes),
// from the empty ticks (a checkpoint budget of 0 bytes) or from a checkpoint of them.
class TickRecordUndo : public testing::TestWithParam<std::pair<std::size_t, std::size_t>> {};

TEST_P(TickRecordUndo, InvertsTheLastChangeOnly)
{
    std::mt19937 random(12);
    constexpr std::uint32_t rows = 200'000;
    const auto [budget, checkpointBudget] = GetParam();
    TickRecord record(budget, checkpointBudget);
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
            EXPECT_EQ(record.tickAll(pattern, rows, {}),
                      std::optional<std::uint64_t>(added.size()));
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
    EXPECT_EQ(replayedUndos > 0, budget == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Budgets, TickRecordUndo,
    testing::Values(std::pair(TickRecord::defaultBudget, TickRecord::defaultCheckpointBudget),
                    std::pair(std::size_t{0}, std::size_t{0}),
                    std::pair(std::size_t{0}, TickRecord::defaultCheckpointBudget)));

// However many rules came since the ticks were empty, the undo past the budget is rebuilt, not
// kept as a second bitmap, and it rebuilds exactly the ticks before the last rule.
TEST(TickRecordUndo, StaysWithinTheBudgetAfterAnyNumberOfRules)
{
    std::mt19937 random(7);
    constexpr std::uint32_t rows = 200'000;
    for (const std::size_t checkpointBudget :
         {std::size_t{0}, TickRecord::defaultCheckpointBudget}) {
        TickRecord record(0, checkpointBudget);
        RowSet before;
        for (int rule = 0; rule < 40; ++rule) {
            auto pattern = std::make_shared<const RowPattern>(randomPattern(random, rows));
            before = record.ticks();
            record.tickAll(pattern, rows, {});
            ASSERT_TRUE(record.undoIsReplayed()) << "rule " << rule;
        }
        record.undo();
        EXPECT_EQ(record.ticks().rows(), before.rows());
    }
}

// A rule cancelled after some of its chunks went into the ticks takes them back, whether it kept
// the rows it added (the default budget) or must rebuild them from the history (no budget), and
// the undo of the change before it still holds.
TEST(TickRecordUndo, ACancelledRuleChangesNothing)
{
    constexpr std::uint64_t rows = std::uint64_t{1} << 25; // two chunks of 256 blocks
    std::mt19937 random(5);
    auto earlier = std::make_shared<RowPattern>(randomPattern(random, 200'000));
    auto rule = std::make_shared<RowPattern>();
    rule->blockLength = 1000;
    rule->blocks.assign(rows / rule->blockLength, 1);
    rule->subsets = earlier->subsets;
    for (const std::size_t budget : {TickRecord::defaultBudget, std::size_t{0}}) {
        for (const int stopAt : {1, 2}) {
            TickRecord record(budget, 0);
            record.tick(3, true);
            record.tickAll(earlier, rows, {});
            record.tick(7, true);
            const RowSet before = record.ticks();
            int reports = 0;
            EXPECT_FALSE(record.tickAll(rule, rows, [&](double) { return ++reports < stopAt; }));
            EXPECT_EQ(reports, stopAt);
            EXPECT_TRUE(record.ticks().bits() == before.bits()) << budget << ' ' << stopAt;
            record.undo();
            record.tickAll(earlier, rows, {});
            EXPECT_TRUE(record.ticks().bits() == before.bits()) << budget << ' ' << stopAt;
        }
    }
}

// Restored ticks are no change the history can rebuild, so a rule after them keeps its rows
// for the undo, and for a cancel, whatever the budget.
TEST(TickRecordUndo, ARuleAfterRestoredTicksIsTakenBackExactly)
{
    constexpr std::uint64_t rows = std::uint64_t{1} << 25; // two chunks of 256 blocks
    std::mt19937 random(7);
    const RowPattern restored = randomPattern(random, 200'000);
    auto rule = std::make_shared<RowPattern>();
    rule->blockLength = 1000;
    rule->blocks.assign(rows / rule->blockLength, 1);
    rule->subsets = randomPattern(random, 200'000).subsets;
    for (const std::size_t budget : {TickRecord::defaultBudget, std::size_t{0}}) {
        TickRecord record(budget, 0);
        record.replace(*matchingRows(restored, 200'000, {}));
        record.tick(7, true);
        const RowSet before = record.ticks();
        int reports = 0;
        EXPECT_FALSE(record.tickAll(rule, rows, [&](double) { return ++reports < 2; }));
        EXPECT_TRUE(record.ticks().bits() == before.bits()) << budget;
        ASSERT_TRUE(record.tickAll(rule, rows, {}));
        record.undo();
        EXPECT_TRUE(record.ticks().bits() == before.bits()) << budget;
    }
}

TEST(ExportLines, CsvFieldsMatchTheInsightAndQuoteAsRfc4180Asks)
{
    // '"' and ',' in the candidates end up inside names; 范 with 统通尸死 sounds like words, the
    // homophones of one pair of unit sounds coming from the cache after the first row; the 字义
    // of 一 and 个 hold quotes.
    const NameInsight insights[] = {
        NameInsight(NameList("\xB5\xA5", "\xC0\xD6\xC3\xC0\x87\xD6\",a,", NameMode::ThreeCharacter),
                    decode),
        NameInsight(NameList("\xB7\xB6", "\xCD\xB3\xCD\xA8\xCA\xAC\xCB\xC0\xCD\xB3",
                             NameMode::ThreeCharacter),
                    decode),
        NameInsight(NameList("\xCD\xF5", "\xD2\xBB\xB8\xF6\xC3\xC0", NameMode::ThreeCharacter),
                    decode),
    };
    int withHomophones = 0;
    int withQuotedMeanings = 0;
    for (const NameInsight& insight : insights) {
        const NameText text(insight);
        for (std::uint64_t row = 0; row < insight.names().size(); ++row) {
            std::string line;
            appendExportLine(line, text, row, ExportFormat::Csv);
            std::string name;
            text.append(name, row);
            std::string field;
            appendExportField(field, name);
            const bool standard = std::ranges::all_of(insight.characters(row), [](auto* c) {
                return c->covered() && c->info->generalStandard;
            });
            std::u32string given;
            for (const NameInsight::Character* character : givenName(insight, row))
                given += character->codePoint;
            std::string meanings;
            appendCsvField(meanings, MeaningText(given));
            EXPECT_EQ(line, field + ',' + insight.readings(row) + ',' + insight.toneDigits(row) +
                                ',' + std::to_string(insight.totalStrokes(row)) +
                                (standard ? ",是," : ",否,") + insight.levels(row) + ',' +
                                insight.homophones(row) + ",," + meanings + "\r\n");
            withHomophones += !insight.homophones(row).empty();
            withQuotedMeanings += meanings.starts_with('"');
        }
    }
    EXPECT_GT(withHomophones, 3);
    EXPECT_GT(withQuotedMeanings, 0);
    for (const auto& [field, written] : std::initializer_list<std::pair<const char*, const char*>>{
             {"plain", "plain"},
             {"a\"b,c", "\"a\"\"b,c\""},
             {"say \"hi\"", "\"say \"\"hi\"\"\""},
             {"line\rreturn", "\"line\rreturn\""},
             {"line\nfeed", "\"line\nfeed\""},
             {"=1+1", "=1+1"},
             {"", ""}}) {
        std::string quoted;
        appendCsvField(quoted, field);
        EXPECT_EQ(quoted, written) << field;
    }
    EXPECT_EQ(exportHeader(ExportFormat::Csv),
              "\xEF\xBB\xBF名字,读音,声调,笔画,通用规范汉字,平仄,谐音,出处,字义\r\n");
}

// A field a spreadsheet would run as a formula gets a leading ', and a ' that an import would
// take away gets another.
TEST(ExportLines, FieldsThatSpreadsheetsRunGetALeadingQuote)
{
    for (const auto& [field, written] : std::initializer_list<std::pair<const char*, const char*>>{
             {"=HYPERLINK(\"http://example.invalid/x\",\"click\")",
              "\"'=HYPERLINK(\"\"http://example.invalid/x\"\",\"\"click\"\")\""},
             {"+1+cmd|' /C calc'!A0", "'+1+cmd|' /C calc'!A0"},
             {"-2+3", "'-2+3"},
             {"@SUM(1+1)", "'@SUM(1+1)"},
             {"\tx", "'\tx"},
             {"\rx", "\"'\rx\""},
             {"'=x", "''=x"},
             {"''-x", "'''-x"},
             {"a=b", "a=b"},
             {"", ""}}) {
        std::string out;
        appendExportField(out, field);
        EXPECT_EQ(out, written) << field;
        if (!out.starts_with('"'))
            EXPECT_EQ(exportedText(out), field) << field;
    }
    // A surname is typed text, as is any candidate.
    const NameInsight insight(NameList("=", "\xC0\xD6", NameMode::ThreeCharacter), decode);
    std::string line;
    appendExportLine(line, NameText(insight), 0, ExportFormat::Csv);
    EXPECT_TRUE(line.starts_with("'=乐乐,")) << line;
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

// Under an address-space limit too small for the rule's bitmap, as `ulimit -v` sets one, the
// rule fails with std::bad_alloc and the ticks stay as they were: no crash on a container that
// CRoaring could not allocate. Runs in a child process, which alone gets the limit.
TEST(MemoryPressure, ARuleThatRunsOutOfMemoryChangesNothing)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer ends the process when memory runs out, by design";
#endif
    constexpr std::uint64_t rows = std::uint64_t{1} << 28;
    // Every block of 2^16 rows half full at random: 4,096 bitmap parts of 8 KB.
    auto pattern = std::make_shared<RowPattern>();
    pattern->blockLength = 1000;
    pattern->blocks.assign(rows / pattern->blockLength, 0);
    pattern->subsets.resize(1);
    std::mt19937_64 random(3);
    for (int word = 0; word < 16; ++word)
        pattern->subsets[0].bits.push_back(random());
    TickRecord record;
    record.tick(5, true);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(60); // a child that cannot finish ends rather than holding up the suite
        std::ifstream statm("/proc/self/statm");
        std::uint64_t pages = 0;
        statm >> pages;
        const rlim_t limit = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (16 << 20);
        const rlimit space{limit, limit};
        setrlimit(RLIMIT_AS, &space);
        try {
            record.tickAll(pattern, rows, {});
            _exit(2);
        } catch (const std::bad_alloc&) {
            _exit(record.ticks().rows() == std::vector<std::uint32_t>{5} ? 0 : 3);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
