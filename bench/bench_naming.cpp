// Speed of the name combination engine for 40, 1,000 and 32,767 candidate units.
#include "naming/name_combiner.h"
#include "naming/name_list.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

const std::string surname = "\xCD\xF5"; // 王

// `units` double-byte characters, as many of them distinct as code page 936 allows
// (126 lead bytes x 256 second bytes), in a shuffled order.
std::string doubleByteText(std::size_t units)
{
    std::string text;
    text.reserve(2 * units);
    std::mt19937 engine(static_cast<unsigned>(units));
    for (std::size_t i = 0; i < units; ++i) {
        const std::size_t code = (i * 7919) % (126 * 256);
        text += static_cast<char>(0x81 + code / 256);
        text += static_cast<char>(code % 256 == ',' ? 0x40 : code % 256);
    }
    return text;
}

// About one ASCII letter to every nine characters, which shifts the unit boundaries.
std::string mixedText(std::size_t units)
{
    std::string text = doubleByteText(units);
    std::mt19937 engine(static_cast<unsigned>(units));
    for (std::size_t i = 0; i < units / 10; ++i) {
        const std::size_t at =
            std::uniform_int_distribution<std::size_t>(0, text.size() / 2)(engine);
        text.insert(2 * at, 1, static_cast<char>('a' + i % 26));
    }
    return text.substr(0, 2 * units);
}

std::string textFor(const benchmark::State& state)
{
    const auto units = static_cast<std::size_t>(state.range(0));
    return state.range(1) == 0 ? doubleByteText(units) : mixedText(units);
}

void label(benchmark::State& state)
{
    state.SetLabel(state.range(1) == 0 ? "double-byte" : "mixed");
}

void BM_TwoCharacterNames(benchmark::State& state)
{
    const std::string candidates = textFor(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(NameCombiner::twoCharacterNames(surname, candidates));
    label(state);
}

void BM_ThreeCharacterNames(benchmark::State& state)
{
    const std::string candidates = textFor(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(NameCombiner::threeCharacterNames(surname, candidates));
    label(state);
}

void BM_NameListBuild(benchmark::State& state)
{
    const std::string candidates = textFor(state);
    const auto mode = state.range(2) == 2 ? NameMode::TwoCharacter : NameMode::ThreeCharacter;
    for (auto _ : state)
        benchmark::DoNotOptimize(NameList(surname, candidates, mode));
    label(state);
}

void BM_NameListRow(benchmark::State& state)
{
    const NameList list(surname, textFor(state), NameMode::ThreeCharacter);
    std::mt19937_64 engine(1);
    std::uniform_int_distribution<std::uint64_t> rows(0, list.size() - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.at(rows(engine)));
    label(state);
}

// {units, 0 = all double-byte / 1 = mixed}
void unitSizes(benchmark::internal::Benchmark* b, bool withLargest)
{
    for (const int mixed : {0, 1}) {
        b->Args({40, mixed})->Args({1000, mixed});
        if (withLargest)
            b->Args({32767, mixed});
    }
}

} // namespace

BENCHMARK(BM_TwoCharacterNames)
    ->Apply([](auto* b) { unitSizes(b, true); }) -> Unit(benchmark::kMicrosecond);
// 32,767 units would be 1.07 billion materialised strings: that size is served by NameList.
BENCHMARK(BM_ThreeCharacterNames)
    ->Apply([](auto* b) { unitSizes(b, false); }) -> Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameListBuild)
    ->ArgsProduct({{40, 1000, 32767}, {0, 1}, {2, 3}})
    ->ArgNames({"units", "mixed", "mode"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NameListRow)->Apply([](auto* b) { unitSizes(b, true); });

BENCHMARK_MAIN();
