// The character table: resident memory it adds once wholly read, and the speed of a look-up.
#include "bench/resident_memory.h"
#include "hanzi/character_info.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// Looks up every code point once, which brings every page of the table in; runs first, before
// any other benchmark has touched the table.
void BM_TableResidentMemory(benchmark::State& state)
{
    const double before = residentMegabytes();
    std::size_t covered = 0;
    for (auto _ : state) {
        for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint)
            covered += LookUpCharacter(codePoint).has_value();
    }
    state.counters["covered"] = static_cast<double>(covered);
    state.counters["extra_MB"] = residentMegabytes() - before;
}

// Random code points of the CJK blocks, most of them covered.
void BM_LookUpCharacter(benchmark::State& state)
{
    std::mt19937 engine(3);
    std::uniform_int_distribution<std::uint32_t> codePoints(0x3400, 0x9FFF);
    std::vector<char32_t> sample(4096);
    for (char32_t& codePoint : sample)
        codePoint = codePoints(engine);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(LookUpCharacter(sample[i++ % sample.size()]));
}

} // namespace

BENCHMARK(BM_TableResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookUpCharacter);
BENCHMARK_MAIN();
