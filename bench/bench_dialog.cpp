// The real main window, offscreen: start button to painted pages, the good-names tab with
// many ticks, scrolling, the reading column and the rows' tooltips, for 40 to 32,767 candidate
// characters.
#include "bench/resident_memory.h"
#include "tests/support/naming_window.h"
#include "ui/name_list_model.h"

#include <QAction>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

// A shown main window without a config/ folder, so that nothing is read or kept.
class Window : public NamingWindow {
public:
    Window()
        : NamingWindow(Config::Missing)
    {
    }

    void type(int n, bool threeCharacter)
    {
        NamingWindow::type(QStringLiteral("王"), ideographs(n));
        (threeCharacter ? three() : two())->setChecked(true);
    }

    void start() { find<QPushButton>("startButton")->click(); }

    void showReadingColumn() { find<QAction>("showReadingAction")->setChecked(true); }

    // Paints the page on show now, as the next frame would.
    void paint() { tabs()->currentWidget()->findChild<UniformListView*>()->viewport()->repaint(); }
};

void BM_StartToPaintedPages(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    Window window;
    window.type(n, state.range(1) == 3);
    const double before = residentMegabytes();
    for (auto _ : state) {
        window.start();
        window.paint();
    }
    state.counters["rows_per_page"] = window.allNames()->model()->rowCount();
    state.counters["extra_MB"] = residentMegabytes() - before;
}

// From the exclusion tab to the good-names tab, painted.
void timeSwitchToGoodNames(benchmark::State& state, Window& window)
{
    for (auto _ : state) {
        state.PauseTiming();
        window.tabs()->setCurrentIndex(1);
        state.ResumeTiming();
        window.tabs()->setCurrentIndex(2);
        window.paint();
    }
    state.counters["good_rows"] = window.goodNames()->model()->rowCount();
}

void BM_GoodNamesTabWithTicks(benchmark::State& state)
{
    const auto ticks = static_cast<int>(state.range(0));
    Window window;
    window.type(1000, true);
    window.start();
    QAbstractItemModel* exclusions = window.exclusions()->model();
    std::mt19937 engine(1);
    std::uniform_int_distribution<int> rows(0, exclusions->rowCount() - 1);
    for (int i = 0; i < ticks; ++i)
        exclusions->setData(exclusions->index(rows(engine), 0), Qt::Checked, Qt::CheckStateRole);
    timeSwitchToGoodNames(state, window);
}

// Rows ticked by an item of the exclusion page's menu, then the switch to the good-names tab:
// every row by the invert item (no good names left), or the rows with a rare character, which
// leave good names scattered all over the list.
void BM_GoodNamesTabAfterMenuItem(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.start();
    window.tabs()->setCurrentIndex(1);
    const char* item = state.range(1) ? "tickRareAction" : "invertTicksAction";
    state.SetLabel(item);
    window.exclusions()->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    timeSwitchToGoodNames(state, window);
}

// Every row ticked by 反向勾选, then the middle candidate taken out (or replaced by 〇, which is
// not among them) without a new start, then the switch to the good-names tab: the good names
// are matched by name.
void BM_GoodNamesTabAfterChangedCandidates(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    Window window;
    window.type(n, true);
    window.start();
    window.tabs()->setCurrentIndex(1);
    window.exclusions()->findChild<QAction*>(QStringLiteral("invertTicksAction"))->trigger();
    QString candidates = ideographs(n);
    if (state.range(1))
        candidates[n / 2] = QChar(u'〇');
    else
        candidates.remove(n / 2, 1);
    window.candidates()->setText(candidates);
    timeSwitchToGoodNames(state, window);
}

// 29 steps on the exclusion page through its menu: the rules in turn, 避开读音 with the parents'
// names, and every third step 撤销. Reports the slowest undo and the process's peak resident
// memory, window and all; run it alone for the peak to mean this sequence.
void BM_TwentyNineMenuSteps(benchmark::State& state)
{
    static const char* const rules[] = {"tickRepeatedAction", "tickSameSoundAction",
                                        "tickSameToneAction", "tickRareAction",
                                        "avoidReadingsAction"};
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.start();
    window.tabs()->setCurrentIndex(1);
    const auto action = [&window](const char* name) {
        return window.exclusions()->findChild<QAction*>(QString::fromLatin1(name));
    };
    double slowestUndo = 0;
    for (auto _ : state) {
        for (int step = 0, rule = 0; step < 29; ++step) {
            if (step % 3 == 2) {
                const auto start = std::chrono::steady_clock::now();
                action("undoTicksAction")->trigger();
                slowestUndo = std::max(slowestUndo, std::chrono::duration<double, std::milli>(
                                                        std::chrono::steady_clock::now() - start)
                                                        .count());
                continue;
            }
            const char* name = rules[rule++ % std::size(rules)];
            ModalAnswer answer;
            if (name == rules[4]) {
                answerNextModal(&answer, [](QDialog* dialog) {
                    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("李建国张秀英"));
                });
            }
            action(name)->trigger();
        }
    }
    state.counters["ticked"] =
        window.exclusions()->model()->rowCount() - window.goodNames()->model()->rowCount();
    state.counters["slowest_undo_ms"] = slowestUndo;
    state.counters["peak_resident_MB"] = peakResidentMegabytes();
}

void BM_ScrollToRowAndPaint(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.start();
    UniformListView* list = window.allNames();
    std::mt19937 engine(2);
    std::uniform_int_distribution<int> rows(0, list->model()->rowCount() - 1);
    for (auto _ : state) {
        list->scrollTo(list->model()->index(rows(engine), 0));
        list->viewport()->repaint();
    }
    state.counters["rows"] = list->model()->rowCount();
}

// Start, then the first paint with the reading column, which gathers the facts of every unit.
void BM_StartToPaintedPagesWithReadings(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.showReadingColumn();
    for (auto _ : state) {
        window.start();
        window.paint();
    }
    state.counters["rows_per_page"] = window.allNames()->model()->rowCount();
}

// Resident memory the units' facts take once all three pages are painted with the reading column;
// runs once, first, on a fresh heap.
void BM_ReadingFactsMemory(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.start();
    window.paint();
    const double before = residentMegabytes();
    for (auto _ : state) {
        window.showReadingColumn();
        for (int page = 0; page < 3; ++page) {
            window.tabs()->setCurrentIndex(page);
            window.paint();
        }
    }
    state.counters["extra_MB"] = residentMegabytes() - before;
}

// Painting a page of rows with the reading column shown, from a random scroll position.
void BM_PaintWithReadingColumn(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.showReadingColumn();
    window.start();
    window.paint();
    UniformListView* list = window.allNames();
    std::mt19937 engine(4);
    std::uniform_int_distribution<int> rows(0, list->model()->rowCount() - 1);
    for (auto _ : state) {
        state.PauseTiming();
        list->scrollTo(list->model()->index(rows(engine), 0), QAbstractItemView::PositionAtTop);
        state.ResumeTiming();
        list->viewport()->repaint();
    }
    state.counters["rows"] = list->model()->rowCount();
}

// The tooltip text of a random row, as the list asks its model for it.
void BM_TooltipText(benchmark::State& state)
{
    Window window;
    window.type(static_cast<int>(state.range(0)), true);
    window.start();
    const QAbstractItemModel* model = window.allNames()->model();
    benchmark::DoNotOptimize(model->index(0, 0).data(Qt::ToolTipRole)); // gathers the facts
    std::mt19937 engine(5);
    std::uniform_int_distribution<int> rows(0, model->rowCount() - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(model->index(rows(engine), 0).data(Qt::ToolTipRole));
    state.counters["rows"] = model->rowCount();
}

} // namespace

BENCHMARK(BM_ReadingFactsMemory)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToPaintedPages)
    ->ArgsProduct({{40, 1000, 32767}, {2, 3}})
    ->ArgNames({"n", "mode"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodNamesTabWithTicks)
    ->Arg(1000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodNamesTabAfterMenuItem)
    ->ArgsProduct({{1000, 32767}, {0, 1}})
    ->ArgNames({"n", "rare"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodNamesTabAfterChangedCandidates)
    ->ArgsProduct({{1000, 32767}, {0, 1}})
    ->ArgNames({"n", "replaced"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyNineMenuSteps)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToRowAndPaint)->Arg(40)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToPaintedPagesWithReadings)
    ->Arg(40)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWithReadingColumn)->Arg(40)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TooltipText)->Arg(40)->Arg(32767)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The reading column's preference goes to a folder of the benchmark's own.
    const QTemporaryDir preferences;
    qputenv("XDG_CONFIG_HOME", preferences.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
