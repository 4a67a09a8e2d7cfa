// The homophones, 平仄 and 字义 of a row, and what the word and meaning tables cost in memory,
// without a window.
#include "bench/resident_memory.h"
#include "hanzi/character_meaning.h"
#include "hanzi/meaning_table.h"
#include "insight/name_insight.h"
#include "insight/name_text.h"

#include <benchmark/benchmark.h>
#include <iconv.h>
#include <random>

namespace {

// n distinct characters of GB 2312's first level (0xB0A1 on), as GBK, and their decoder.
std::string candidates(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += static_cast<char>(0xB0 + i / 94 % 39);
        text += static_cast<char>(0xA1 + i % 94);
    }
    return text;
}

std::u32string decode(std::string_view gbk)
{
    const iconv_t convert = iconv_open("UTF-32LE", "GBK");
    std::u32string text(gbk.size(), U'\0');
    char* in = const_cast<char*>(gbk.data());
    std::size_t inLeft = gbk.size();
    char* out = reinterpret_cast<char*>(text.data());
    std::size_t outLeft = text.size() * sizeof(char32_t);
    iconv(convert, &in, &inLeft, &out, &outLeft);
    iconv_close(convert);
    text.resize(text.size() - outLeft / sizeof(char32_t));
    return text;
}

// The text of random rows of 范 and n characters, after each row's units were used once.
void BM_HomophoneText(benchmark::State& state)
{
    const NameInsight insight(NameList("\xB7\xB6", candidates(static_cast<int>(state.range(0))),
                                       NameMode::ThreeCharacter),
                              decode);
    std::mt19937_64 random(1);
    std::vector<std::uint64_t> rows(4096);
    for (std::uint64_t& row : rows) {
        row = random() % insight.names().size();
        benchmark::DoNotOptimize(insight.homophones(row));
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(insight.homophones(rows[i++ % rows.size()]));
}

// The tooltip, 平仄 and 谐音 lines included.
void BM_Tooltip(benchmark::State& state)
{
    const NameInsight insight(NameList("\xB7\xB6", candidates(3000), NameMode::ThreeCharacter),
                              decode);
    std::mt19937_64 random(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(insight.tooltip(random() % insight.names().size()));
}

// The resident memory the word table adds when every entry has been looked at: each name of
// two to four syllables that any table entry sounds like, run once.
void BM_WordTableResident(benchmark::State& state)
{
    const double before = residentMegabytes();
    std::size_t texts = 0;
    for (auto _ : state) {
        std::vector<Syllable> name(3);
        for (Syllable a = 0; a < 420; ++a) {
            for (Syllable b = 0; b < 420; b += 7) {
                name = {a, b, a};
                texts += HomophoneText(name, 1).size();
                name = {b, a};
                texts += HomophoneText(name, 1).size();
                name = {a, b, a, b};
                texts += HomophoneText(name, 2).size();
            }
        }
    }
    state.counters["resident_growth_MB"] = residentMegabytes() - before;
    benchmark::DoNotOptimize(texts);
}

// The size of the meaning table in the program, and the resident memory it adds once every
// code point has been looked up; runs before any other benchmark has touched the table.
void BM_MeaningTable(benchmark::State& state)
{
    using namespace meaning_table;
    const double before = residentMegabytes();
    std::size_t meanings = 0;
    for (auto _ : state) {
        for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint)
            meanings += !MeaningOf(codePoint).empty();
    }
    state.counters["entries"] = static_cast<double>(meanings);
    state.counters["table_MB"] =
        static_cast<double>(sizeof kEntryCount + kEntryCount * sizeof(char32_t) +
                            (kEntryCount + 1) * sizeof(std::uint32_t) + kMeaningBegin[kEntryCount] +
                            1) /
        1e6;
    state.counters["resident_growth_MB"] = residentMegabytes() - before;
}

// The 字义 CSV field of random rows of 范 and 3,000 characters, as an export appends it.
void BM_MeaningField(benchmark::State& state)
{
    const NameInsight insight(NameList("\xB7\xB6", candidates(3000), NameMode::ThreeCharacter),
                              decode);
    const NameText text(insight);
    std::mt19937_64 random(3);
    std::string field;
    for (auto _ : state) {
        field.clear();
        text.appendMeaningField(field, random() % insight.names().size());
        benchmark::DoNotOptimize(field);
    }
}

} // namespace

BENCHMARK(BM_MeaningTable)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeaningField);
BENCHMARK(BM_HomophoneText)->Arg(1000)->Arg(3000);
BENCHMARK(BM_Tooltip);
BENCHMARK(BM_WordTableResident)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
