// The poetry corpus: loading, the source of a row, the no-source rule on lists of 1,000 and
// 32,767 candidate characters, and the search of the picker dialog.
#include "bench/resident_memory.h"
#include "codec/gbk_codec.h"
#include "insight/name_insight.h"
#include "insight/name_source.h"
#include "poetry/embedded_corpus.h"
#include "shortlist/tick_rules.h"
#include "tests/support/naming_window.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

NameInsight insightOf(int n)
{
    return NameInsight(NameList(GbkCodec::encode(QStringLiteral("王")),
                                GbkCodec::encode(ideographs(n)), NameMode::ThreeCharacter),
                       [](std::string_view gbk) { return GbkCodec::decode(gbk).toStdU32String(); });
}

// Common characters of names and poems: their pairs are where the source search reads the
// most lines.
const std::u32string common = U"之不人一有无风山云春花月日天心中来何年时青长明清秋水白"
                              U"子君美思远嘉怡好逑依安宁文华玉金德英雨兮";

// Reading the embedded corpus and touching every page of it, with the process's resident
// memory afterwards (meaningful when this runs alone, first).
void BM_LoadCorpus(benchmark::State& state)
{
    for (auto _ : state) {
        const PoetryCorpus& corpus = embeddedCorpus();
        std::uint64_t symbols = 0;
        for (std::uint32_t line = 0; line < corpus.lineCount(); line += 64)
            symbols += corpus.lineText(line).size();
        benchmark::DoNotOptimize(corpus.search(U"明月", 500));
        benchmark::DoNotOptimize(symbols);
    }
    state.counters["resident_MB"] = residentMegabytes();
}

// The source of the slowest pair of `common`, found by timing every pair once.
void BM_SourceOfSlowestPair(benchmark::State& state)
{
    const PoetryCorpus& corpus = embeddedCorpus();
    std::u32string slowest;
    auto longest = std::chrono::nanoseconds::zero();
    for (const char32_t a : common) {
        for (const char32_t b : common) {
            const std::u32string name{a, b};
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(corpus.sourceOf(name, allCollections));
            if (const auto took = std::chrono::steady_clock::now() - start; took > longest) {
                longest = std::chrono::duration_cast<std::chrono::nanoseconds>(took);
                slowest = name;
            }
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(corpus.sourceOf(slowest, allCollections));
    state.SetLabel(
        GbkCodec::decode(GbkCodec::encode(QString::fromStdU32String(slowest))).toStdString());
}

// The source text of rows spread over a list of 32,767 candidates, as the tooltip asks.
void BM_SourceOfRow(benchmark::State& state)
{
    const PoetryCorpus& corpus = embeddedCorpus();
    const NameInsight insight = insightOf(32767);
    std::uint64_t row = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sourceOfRow(insight, corpus, allCollections, row));
        row = (row + 7'919 * 32'771) % insight.names().size();
    }
}

// The 出处 column of a CSV export: every row of a list of n candidates, in order.
void BM_SourcesOfEveryRow(benchmark::State& state)
{
    const PoetryCorpus& corpus = embeddedCorpus();
    const NameInsight insight = insightOf(static_cast<int>(state.range(0)));
    std::string text;
    for (auto _ : state) {
        RowSources sources(insight, corpus, allCollections);
        for (std::uint64_t row = 0; row < insight.names().size(); ++row) {
            text.clear();
            sources.append(text, row);
            benchmark::DoNotOptimize(text);
        }
    }
}

void BM_RuleWithoutSource(benchmark::State& state)
{
    const PoetryCorpus& corpus = embeddedCorpus();
    const NameInsight insight = insightOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto pattern = rowsWithoutSource(insight, corpus, allCollections, {});
        benchmark::DoNotOptimize(matchingRows(*pattern, insight.names().size(), {}));
    }
}

// One keystroke of the picker: a query over every line, title and author, first 500 kept.
void BM_Search(benchmark::State& state)
{
    const PoetryCorpus& corpus = embeddedCorpus();
    const std::u32string queries[] = {U"之", U"明月", U"李白", U"春风又绿", U"窈窕淑女"};
    const std::u32string& query = queries[state.range(0)];
    std::uint64_t count = 0;
    for (auto _ : state)
        count = corpus.search(query, 500).count;
    state.counters["matches"] = static_cast<double>(count);
}

} // namespace

BENCHMARK(BM_LoadCorpus)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SourceOfSlowestPair)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SourceOfRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SourcesOfEveryRow)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RuleWithoutSource)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
