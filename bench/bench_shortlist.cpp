// The tick rules, the memory of the ticks and the export, on lists of 40 to 32,767 candidate
// characters (up to 1,073,676,289 rows), without a window.
#include "bench/resident_memory.h"
#include "codec/gbk_codec.h"
#include "shortlist/named_rows.h"
#include "shortlist/tick_record.h"
#include "shortlist/tick_rules.h"
#include "tests/support/naming_window.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

NameInsight insightOf(int n)
{
    return NameInsight(NameList(GbkCodec::encode(QStringLiteral("王")),
                                GbkCodec::encode(ideographs(n)), NameMode::ThreeCharacter),
                       [](std::string_view gbk) { return GbkCodec::decode(gbk).toStdU32String(); });
}

using Rule = RowPattern (*)(const NameInsight&);

RowPattern containingFirst(const NameInsight& insight)
{
    return rowsContaining(insight, insight.unit(0)[0].codePoint);
}

RowPattern avoidingParents(const NameInsight& insight)
{
    return rowsAvoiding(insight, U"李建国张秀英");
}

RowPattern keepingSecondCharacter(const NameInsight& insight)
{
    return rowsWithoutCharacterAt(insight, 1, insight.unit(0)[0].codePoint);
}

const std::pair<const char*, Rule> rules[] = {
    {"containing", containingFirst},
    {"repeated", rowsOfRepeatedCharacter},
    {"same_sound", rowsSoundingLikeAnEarlierRow},
    {"same_tone", rowsInOneTone},
    {"rare", rowsWithRareCharacter},
    {"avoiding", avoidingParents},
    {"level_or_oblique", rowsAllLevelOrAllOblique},
    {"unseemly_homophone", rowsWithUnseemlyHomophone},
    {"generation_character", keepingSecondCharacter},
};

void tickRule(TickRecord& record, const NameInsight& insight, Rule rule)
{
    const std::uint64_t rows = insight.names().size();
    auto pattern = std::make_shared<const RowPattern>(rule(insight));
    record.tickAll(pattern, rows, {});
}

// The second rule from its menu item to the ticks, with the first one's rows already ticked:
// the row pattern, the bitmap and the merge. The insight is made once per fill and is not
// counted. The resident growth is meaningful only when the benchmark runs alone. Then, untimed
// by the loop, the memory the ticks and the undo hold and the wall time of one undo.
void timeRuleAfterRule(benchmark::State& state, const NameInsight& insight, Rule first, Rule second)
{
    const double before = residentMegabytes();
    TickRecord record;
    for (auto _ : state) {
        state.PauseTiming();
        record.reset();
        tickRule(record, insight, first);
        state.ResumeTiming();
        tickRule(record, insight, second);
    }
    state.counters["ticked"] = static_cast<double>(record.ticks().count());
    state.counters["ticks_and_undo_MB"] = static_cast<double>(record.sizeInBytes()) / 1e6;
    state.counters["resident_growth_MB"] = residentMegabytes() - before;
    state.counters["undo_replayed"] = record.undoIsReplayed();
    const auto start = std::chrono::steady_clock::now();
    record.undo();
    state.counters["undo_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_Rule(benchmark::State& state)
{
    const auto& [name, rule] = rules[state.range(1)];
    state.SetLabel(name);
    timeRuleAfterRule(state, insightOf(static_cast<int>(state.range(0))), containingFirst, rule);
}

// Invert and clear after a rule, then the memory an undo of them keeps.
void BM_InvertAfterRule(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    const NameInsight insight = insightOf(n);
    const std::uint64_t rows = insight.names().size();
    TickRecord record;
    tickRule(record, insight, rowsWithRareCharacter);
    for (auto _ : state)
        record.invert(rows);
    state.counters["ticked"] = static_cast<double>(record.ticks().count());
    state.counters["ticks_and_undo_MB"] = static_cast<double>(record.sizeInBytes()) / 1e6;
    record.clear();
    state.counters["after_clear_MB"] = static_cast<double>(record.sizeInBytes()) / 1e6;
}

// Two rules that each tick scattered rows in every block of the bitmap, so neither the ticks
// nor the undo can be stored as runs: the most memory a rule leaves behind.
void BM_DenseRuleAfterDenseRule(benchmark::State& state)
{
    timeRuleAfterRule(state, insightOf(static_cast<int>(state.range(0))), avoidingParents,
                      rowsInOneTone);
}

// A long history an undo replays: 16 rules, each a rule of the menu in turn, then one undo of
// the last, rebuilt from the history whatever the memory (a budget of 0) and with no checkpoint
// but the empty ticks.
void BM_UndoAfterLongHistory(benchmark::State& state)
{
    const NameInsight insight = insightOf(static_cast<int>(state.range(0)));
    TickRecord record(0, 0);
    for (auto _ : state) {
        state.PauseTiming();
        record.reset();
        for (int i = 0; i < 16; ++i)
            tickRule(record, insight, rules[i % std::size(rules)].second);
        state.counters["ticks_and_undo_MB"] = static_cast<double>(record.sizeInBytes()) / 1e6;
        state.counters["undo_replayed"] = record.undoIsReplayed();
        state.ResumeTiming();
        record.undo();
    }
}

// 29 steps on one list: the rules of the menu in turn, every third step an undo of the one
// before, as a user trying rules out would; the library's share of BM_TwentyNineMenuSteps. Reports
// the most the ticks and undo held after any step, the slowest undo and the process's peak resident
// memory, meaningful when the benchmark runs alone.
void BM_TwentyNineSteps(benchmark::State& state)
{
    const NameInsight insight = insightOf(static_cast<int>(state.range(0)));
    double mostHeld = 0;
    double slowestUndo = 0;
    for (auto _ : state) {
        TickRecord record;
        for (int step = 0, rule = 0; step < 29; ++step) {
            if (step % 3 == 2) {
                const auto start = std::chrono::steady_clock::now();
                record.undo();
                slowestUndo = std::max(slowestUndo, std::chrono::duration<double, std::milli>(
                                                        std::chrono::steady_clock::now() - start)
                                                        .count());
            } else {
                // The items of the menu after 勾选含此字的名字, as BM_TwentyNineMenuSteps.
                tickRule(record, insight, rules[1 + rule++ % (std::size(rules) - 1)].second);
            }
            mostHeld = std::max(mostHeld, static_cast<double>(record.sizeInBytes()) / 1e6);
        }
    }
    state.counters["most_ticks_and_undo_MB"] = mostHeld;
    state.counters["slowest_undo_ms"] = slowestUndo;
    state.counters["peak_resident_MB"] = peakResidentMegabytes();
}

void BM_Insight(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(insightOf(static_cast<int>(state.range(0))));
}

// Every name of a three-character list into a file on a tmpfs.
void BM_Export(benchmark::State& state)
{
    NameListModel model;
    model.setNames(NameList(GbkCodec::encode(QStringLiteral("王")),
                            GbkCodec::encode(ideographs(static_cast<int>(state.range(0)))),
                            NameMode::ThreeCharacter));
    const QString path = QStringLiteral("/dev/shm/corvale-bench-export.") +
                         (state.range(1) ? QStringLiteral("csv") : QStringLiteral("txt"));
    model.nameText();
    for (auto _ : state) {
        if (!NameExport::write(model, path, NameExport::formatOf(path), {}).isEmpty())
            state.SkipWithError("the export failed");
    }
    state.SetLabel(state.range(1) ? "csv" : "txt");
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["names"] = model.rowCount();
    QFile::remove(path);
}

// The candidates of ideographs(n) changed as `edit` says: 0 unchanged, 1 the middle character
// taken out, 2 〇 (not among them) put in the middle, 3 in reverse order.
QString editedCandidates(int n, std::int64_t edit)
{
    QString candidates = ideographs(n);
    if (edit == 1)
        candidates.remove(n / 2, 1);
    else if (edit == 2)
        candidates.insert(n / 2, QChar(u'〇'));
    else if (edit == 3)
        std::reverse(candidates.begin(), candidates.end());
    return candidates;
}

// The good names' rows that bear the names ticked on the exclusion page when the candidates
// changed without a new start: every row ticked (反向勾选), or the rows of 勾选含生僻字的名字.
void BM_GoodNamesByName(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    const NameInsight insight = insightOf(n);
    RowSet ticks;
    if (state.range(2) == 0)
        ticks.flip(insight.names().size());
    else
        ticks = *matchingRows(rowsWithRareCharacter(insight), insight.names().size(), {});
    const NameList target(GbkCodec::encode(QStringLiteral("王")),
                          GbkCodec::encode(editedCandidates(n, state.range(1))),
                          NameMode::ThreeCharacter);
    RowSet found;
    for (auto _ : state)
        found = rowsNamedAlike(insight.names(), ticks, target);
    state.counters["ticked"] = static_cast<double>(ticks.count());
    state.counters["found"] = static_cast<double>(found.count());
}

} // namespace

BENCHMARK(BM_Rule)
    ->ArgsProduct({{1000, 32767}, {0, 1, 2, 3, 4, 5, 6, 7, 8}})
    ->ArgNames({"n", "rule"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenseRuleAfterDenseRule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertAfterRule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAfterLongHistory)
    ->Arg(1000)
    ->Arg(32767)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyNineSteps)->Arg(1000)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Insight)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodNamesByName)
    ->ArgsProduct({{1000, 32767}, {0, 1, 2, 3}, {0, 1}})
    ->ArgNames({"n", "edit", "rare"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)
    ->ArgsProduct({{3000}, {0, 1}})
    ->ArgNames({"n", "csv"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
