// The name card offscreen, for names of a three-character list of 王 and 1,000 candidates:
// opened to its first paint, the next name, the image saved, and 朗读 from its key to espeak-ng
// started (the real espeak-ng; it fails later for want of a sound device, which is not timed).
#include "card/card_text.h"
#include "codec/gbk_codec.h"
#include "poetry/embedded_corpus.h"
#include "tests/support/naming_window.h"
#include "ui/name_card_dlg.h"
#include "ui/name_list_model.h"
#include "ui/name_speaker.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// The names the card moves through, with their facts made as a list's are.
struct Names {
    std::shared_ptr<NameFacts> facts = NameListModel::makeFacts(
        NameList(GbkCodec::encode(QStringLiteral("王")), GbkCodec::encode(ideographs(1000)),
                 NameMode::ThreeCharacter));
    int count() const { return static_cast<int>(facts->names().size()); }
    std::function<CardText(int)> cardOf() const
    {
        return [facts = facts](int row) {
            return cardTextOfRow(facts->insight(), static_cast<std::uint64_t>(row),
                                 embeddedCorpus(), allCollections);
        };
    }
};

// Lets the card lay itself out for its name, then paints all of it, as its next frame would.
void paint(QWidget& card)
{
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(card.grab());
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// From the dialog's construction to its painted window. The first card of the process also
// finds the faces and reads their fonts: it is reported apart as first_ms.
void BM_CardOpenedToFirstPaint(benchmark::State& state)
{
    const Names names;
    const auto open = [&names](int row) {
        auto card = std::make_unique<CNameCardDlg>(names.count(), names.cardOf(), row);
        card->show();
        paint(*card);
        return card;
    };
    const Clock::time_point first = Clock::now();
    open(0);
    state.counters["first_ms"] = millisecondsSince(first);
    int row = 1;
    for (auto _ : state) {
        std::unique_ptr<CNameCardDlg> card = open(row++ * 7919 % names.count());
        state.PauseTiming();
        card.reset();
        state.ResumeTiming();
    }
}

void BM_NextName(benchmark::State& state)
{
    const Names names;
    CNameCardDlg card(names.count(), names.cardOf(), 0);
    card.show();
    for (auto _ : state) {
        card.showRow((card.row() + 1) % names.count());
        paint(card);
    }
}

void BM_ImageSaved(benchmark::State& state)
{
    const Names names;
    CNameCardDlg card(names.count(), names.cardOf(), 1001);
    card.show();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("card.png"));
    for (auto _ : state) {
        if (!card.writeImage(path).isEmpty())
            state.SkipWithError("the image was not written");
    }
    state.counters["width_px"] = QImage(path).width();
}

// Alt+V on the card, through the shortcut map, until espeak-ng has started.
void BM_SpeakKeyToEspeakStarted(benchmark::State& state)
{
    if (!NameSpeaker::shared().unavailableReason().isEmpty()) {
        state.SkipWithError("espeak-ng or its voice is missing");
        return;
    }
    const Names names;
    CNameCardDlg card(names.count(), names.cardOf(), 1);
    card.show();
    if (!QTest::qWaitForWindowActive(&card))
        state.SkipWithError("the card did not become active");
    QSignalSpy speaking(&NameSpeaker::shared(), &NameSpeaker::speaking);
    double slowest = 0;
    for (auto _ : state) {
        const int before = speaking.count();
        const Clock::time_point start = Clock::now();
        QTest::keyClick(&card, Qt::Key_V, Qt::AltModifier);
        while (speaking.count() == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        slowest = std::max(slowest, millisecondsSince(start));
        state.PauseTiming();
        QTest::qWait(150); // the button's release
        state.ResumeTiming();
    }
    state.counters["slowest_ms"] = slowest;
}

} // namespace

BENCHMARK(BM_CardOpenedToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageSaved)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeakKeyToEspeakStarted)->Iterations(30)->Unit(benchmark::kMillisecond);
