// The 收藏 tab with 10,000 favourites (shown, sorted, saved, read), its PDF, and the ticks of
// the last run saved and restored at n = 32,767 (1,073,676,289 rows), offscreen.
#include "codec/gbk_codec.h"
#include "hanzi/utf8.h"
#include "poetry/embedded_corpus.h"
#include "settings/settings_file.h"
#include "shortlist/favourites_file.h"
#include "shortlist/saved_ticks.h"
#include "shortlist/tick_record.h"
#include "tests/support/naming_window.h"
#include "ui/exclusion_model.h"
#include "ui/favourites_model.h"
#include "ui/favourites_pdf.h"
#include "ui/naming_dlg.h"

#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr std::uint64_t rowsAt32767 = 32767ull * 32767ull;

// `count` distinct names of three characters from the unified ideographs, with notes on some.
Favourites favourites(std::size_t count)
{
    std::vector<Favourite> entries;
    std::mt19937 random(7);
    std::uniform_int_distribution<char32_t> ideograph(0x4E00, 0x9FA5);
    Favourites list;
    while (list.size() < count) {
        entries.clear();
        for (std::size_t i = list.size(); i < count; ++i) {
            std::string name;
            for (int c = 0; c < 3; ++c)
                utf8::append(name, ideograph(random));
            entries.push_back(
                {name, 1, i % 4 ? "" : "外婆喜欢，读起来响亮", "2026-12-07 15:30:00"});
        }
        list.merge(entries);
    }
    return list;
}

// A settings folder whose favourites file holds 10,000 favourites.
class SavedFavourites {
public:
    SavedFavourites()
    {
        m_settings.saveBytes("favourites.csv", printFavourites(favourites(10'000)));
    }
    const SettingsFile& settings() const { return m_settings; }

private:
    QTemporaryDir m_folder;
    SettingsFile m_settings = SettingsFile::inFolder(m_folder.path().toStdString());
};

// Reads the file into the model, shows the table and paints it once.
void BM_FavouritesShown(benchmark::State& state)
{
    const SavedFavourites saved;
    for (auto _ : state) {
        FavouritesStore store(saved.settings(), &embeddedCorpus());
        FavouritesModel model(store);
        QTableView view;
        view.resize(900, 600);
        view.setModel(&model);
        model.change([](FavouritesStore& favourites) { return favourites.open(); });
        view.show();
        benchmark::DoNotOptimize(view.grab());
    }
}

void BM_FavouritesSorted(benchmark::State& state)
{
    const SavedFavourites saved;
    FavouritesStore store(saved.settings(), &embeddedCorpus());
    FavouritesModel model(store);
    QTableView view;
    view.resize(900, 600);
    view.setModel(&model);
    view.setSortingEnabled(true);
    model.change([](FavouritesStore& favourites) { return favourites.open(); });
    view.show();
    const int column = static_cast<int>(state.range(0));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        view.sortByColumn(column, order);
        benchmark::DoNotOptimize(view.grab());
    }
}

void BM_FavouritesSaved(benchmark::State& state)
{
    const Favourites list = favourites(10'000);
    QTemporaryDir folder;
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    for (auto _ : state)
        benchmark::DoNotOptimize(settings.saveBytes("favourites.csv", printFavourites(list)));
    state.counters["bytes"] = static_cast<double>(printFavourites(list).size());
}

// A note edited among 10,000 favourites: the file read again under its lock, merged with this
// copy's change and written whole; with /copies:2 two copies take turns, so that each save
// merges with the other's.
void BM_FavouriteNoteSaved(benchmark::State& state)
{
    const SavedFavourites saved;
    std::vector<std::unique_ptr<FavouritesStore>> copies;
    for (int copy = 0; copy < state.range(0); ++copy) {
        copies.push_back(std::make_unique<FavouritesStore>(saved.settings(), nullptr));
        copies.back()->open();
    }
    std::size_t round = 0;
    for (auto _ : state) {
        FavouritesStore& store = *copies[round % copies.size()];
        benchmark::DoNotOptimize(store.setNote(round % 100, std::to_string(round)).value);
        ++round;
    }
}

void BM_FavouritesRead(benchmark::State& state)
{
    const std::string bytes = printFavourites(favourites(10'000));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseFavourites(bytes));
}

void BM_FavouritesPdf(benchmark::State& state)
{
    const Favourites list = favourites(static_cast<std::size_t>(state.range(0)));
    std::vector<TextFacts> facts;
    for (const Favourite& favourite : list.items())
        facts.push_back(textFactsOf(favourite.name, favourite.surnameLength));
    std::vector<ExportedFavourite> printed;
    for (std::size_t i = 0; i < facts.size(); ++i)
        printed.push_back({&list.items()[i], &facts[i]});
    QTemporaryDir folder;
    for (auto _ : state)
        writeFavouritesPdf(folder.filePath(QStringLiteral("f.pdf")), printed, QDate::currentDate());
}

// Ticks of the whole list at n = 32,767: every row (one run), or one row in `spacing`.
SavedTicks ticksAt32767(std::uint64_t spacing)
{
    SavedTicks saved{
        {"\xCD\xF5", std::string(2 * 32767, 'x'), NameMode::ThreeCharacter}, rowsAt32767, {}};
    if (spacing == 1) {
        saved.ticks.flip(rowsAt32767);
    } else {
        std::vector<std::uint32_t> rows;
        for (std::uint64_t row = 0; row < rowsAt32767; row += spacing)
            rows.push_back(static_cast<std::uint32_t>(row));
        saved.ticks = RowSet(Roaring(rows.size(), rows.data()));
    }
    saved.ticks.compact();
    return saved;
}

// Saving at close: the file written whole.
void BM_TicksSaved(benchmark::State& state)
{
    const SavedTicks saved = ticksAt32767(static_cast<std::uint64_t>(state.range(0)));
    QTemporaryDir folder;
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    for (auto _ : state)
        settings.saveBytes("ticks.bin", *printSavedTicks(saved));
    state.counters["bytes"] = static_cast<double>(printSavedTicks(saved)->size());
}

// 恢复上次的勾选: the file read, checked and put in place of the ticks of the exclusion list.
void BM_TicksRestored(benchmark::State& state)
{
    QTemporaryDir folder;
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    settings.saveBytes("ticks.bin",
                       *printSavedTicks(ticksAt32767(static_cast<std::uint64_t>(state.range(0)))));
    TickRecord ticks;
    ExclusionModel model(ticks);
    model.setNames(NameList(GbkCodec::encode(QStringLiteral("王")),
                            GbkCodec::encode(ideographs(32767)), NameMode::ThreeCharacter));
    for (auto _ : state) {
        KeptBytes kept = settings.loadBytes("ticks.bin", SavedTicks::maxFileBytes);
        std::optional<SavedTicks> saved = parseSavedTicks(kept.bytes);
        model.replaceTicks(std::move(saved->ticks));
        benchmark::DoNotOptimize(model.tickedRows().count());
    }
}

// The window opened and painted with no favourites file, or with one of 10,000 favourites.
void BM_WindowOpened(benchmark::State& state)
{
    QTemporaryDir folder;
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    if (state.range(0) > 0)
        settings.saveBytes("favourites.csv",
                           printFavourites(favourites(static_cast<std::size_t>(state.range(0)))));
    for (auto _ : state) {
        CNamingDlg window{SessionFiles(settings)};
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}

} // namespace

BENCHMARK(BM_FavouritesShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouritesSorted)->DenseRange(0, 7)->ArgName("column")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouritesSaved)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouriteNoteSaved)->Arg(1)->Arg(2)->ArgName("copies")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouritesRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavouritesPdf)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TicksSaved)->Arg(1)->Arg(100)->ArgName("spacing")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TicksRestored)->Arg(1)->Arg(100)->ArgName("spacing")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpened)
    ->Arg(0)
    ->Arg(10'000)
    ->ArgName("favourites")
    ->Unit(benchmark::kMillisecond);
