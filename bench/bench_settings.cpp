// Reading name.xml at start: the largest file the window writes, and oversized files, which
// are refused before anything is read.
#include "settings/settings_file.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

// An executable folder with its config/ folder under /tmp, removed afterwards.
class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "corvale-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        fs::create_directory(m_path / "config");
    }
    ~Folder() { fs::remove_all(m_path); }

    SettingsFile file() const { return SettingsFile(m_path.string()); }
    fs::path nameXml() const { return m_path / "config" / "name.xml"; }

private:
    fs::path m_path;
};

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Both fields full (32,767 characters) of control characters, each escaped to six bytes.
void BM_LoadLargestSavedFile(benchmark::State& state)
{
    const Folder folder;
    const std::string full(32'767, '\x01');
    folder.file().save({full, full, true}, "name.xml");
    for (auto _ : state)
        benchmark::DoNotOptimize(folder.file().load("name.xml"));
    state.counters["file_KB"] = static_cast<double>(fs::file_size(folder.nameXml())) / 1e3;
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_LoadLargestSavedFile)->Unit(benchmark::kMillisecond);

// A record followed by zeros up to the size, written sparsely.
void BM_LoadOversizedFile(benchmark::State& state)
{
    const Folder folder;
    std::ofstream(folder.nameXml()) << "<Names><Name><a>F</a><b>S</b><c>1</c></Name></Names>";
    fs::resize_file(folder.nameXml(), static_cast<std::uintmax_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(folder.file().load("name.xml"));
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_LoadOversizedFile)
    ->Arg(2LL << 20)
    ->Arg(200LL << 20)
    ->Arg(4LL << 30)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
