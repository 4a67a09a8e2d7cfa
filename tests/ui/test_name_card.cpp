#include "card/spoken_pinyin.h"
#include "tests/support/modal_answer.h"
#include "tests/support/naming_window.h"
#include "ui/card_faces.h"
#include "ui/favourites_page.h"
#include "ui/name_card_dlg.h"
#include "ui/name_speaker.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cerrno>
#include <csignal>

// The name card on the offscreen platform, and 朗读 handed to a stand-in for espeak-ng.
class TestNameCard final : public QObject {
    Q_OBJECT

private slots:
    void theCardShowsTheNameItsFacesAndFacts();
    void keysMoveThroughTheListAndClose_data();
    void keysMoveThroughTheListAndClose();
    void theImageIsWideAndThePrintFillsThePage();
    void theGlyphCheckNamesWhatAFontLacks();
    void aNewReadingStopsTheOneStillSpeaking();
    void withoutEspeakOrItsVoiceReadingIsDisabledAndSaysWhatToInstall();
    void espeakWritesTheNameAsSound();
    void theListsAndFavouritesOpenTheCardOfTheCurrentName();

private:
    // Closes the next modal dialog with reject(), noting its object name and title.
    static void rejectNextModal(QStringList* seen, int attempts = 500)
    {
        QTimer::singleShot(10, [seen, attempts] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) {
                if (attempts > 1)
                    rejectNextModal(seen, attempts - 1);
                return;
            }
            *seen << dialog->objectName() + u'|' + dialog->windowTitle();
            dialog->reject();
        });
    }
    static CardText madeUp()
    {
        CardText card = cardTextOfName("王\uE000", 1, "");
        card.meanings = {"\uE000：一个字义"};
        return card;
    }
    // A card of 杜子腾, then a made-up name whose second character no font has.
    static CardText twoNames(int row)
    {
        return row == 0 ? cardTextOfName("杜子腾", 1, "出处一") : madeUp();
    }

    static QString label(const QDialog& card, const char* name)
    {
        return card.findChild<QLabel*>(QLatin1String(name))->accessibleName();
    }
    // A stand-in for espeak-ng that lists `voices` and logs "<pid> <arguments>" of each reading.
    static QString fakeEspeak(const QTemporaryDir& folder, const QString& voices)
    {
        const QString path = folder.filePath(QStringLiteral("espeak-ng"));
        QFile script(path);
        script.open(QIODevice::WriteOnly);
        script.write(
            QStringLiteral("#!/bin/sh\n[ \"$1\" = --voices=cmn ] && { echo '%1'; exit 0; }\n"
                           "echo \"$$ $*\" >> '%2'\nexec sleep 30\n")
                .arg(voices, folder.filePath(QStringLiteral("log")))
                .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    static QStringList log(const QTemporaryDir& folder)
    {
        QFile file(folder.filePath(QStringLiteral("log")));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

void TestNameCard::theCardShowsTheNameItsFacesAndFacts()
{
    CNameCardDlg card(2, &TestNameCard::twoNames, 0);
    QCOMPARE(card.windowTitle(), QStringLiteral("名字卡片 — 杜子腾"));
    QCOMPARE(label(card, "ruby0"), QStringLiteral("杜 dù"));
    QCOMPARE(label(card, "ruby2"), QStringLiteral("腾 téng"));
    QVERIFY(card.findChild<QLabel*>(QStringLiteral("ruby0"))->text().contains(u"font-size:72pt"));
    const std::array<CardFace, 3>& faces = cardFaces();
    QCOMPARE(faces[0].style + faces[1].style + faces[2].style, QStringLiteral("楷体宋体黑体"));
    // The three Chinese font packages the program asks for are installed with it.
    QCOMPARE(faces[0].family + '|' + faces[1].family + '|' + faces[2].family,
             QStringLiteral("LXGW WenKai|Noto Serif CJK SC|Noto Sans CJK SC"));
    QCOMPARE(card.findChild<QLabel*>(QStringLiteral("face1"))->font().family(), faces[1].family);
    QCOMPARE(label(card, "face0"), QStringLiteral("楷体 LXGW WenKai：杜子腾"));
    QCOMPARE(label(card, "levels"), QStringLiteral("平仄：仄仄平"));
    QCOMPARE(label(card, "source"), QStringLiteral("出处：出处一"));
    QVERIFY(label(card, "footer").contains(QDate::currentDate().toString(u"yyyy年M月d日")));
    QVERIFY(label(card, "footer").contains(u"Corvale"));
    QVERIFY(label(card, "meanings").startsWith(QStringLiteral("字义：子：")));
    QVERIFY(label(card, "meanings").contains(QStringLiteral("\n腾：")));
    QVERIFY(card.findChild<QLabel*>(QStringLiteral("missingGlyphs"))->isHidden());
    for (const QLabel* each : card.findChildren<QLabel*>())
        QVERIFY2(each->isHidden() || !each->accessibleName().isEmpty(), qPrintable(each->text()));

    card.showRow(1);
    QCOMPARE(card.windowTitle(), QStringLiteral("名字卡片 — 王\uE000"));
    QVERIFY(card.findChild<QLabel*>(QStringLiteral("ruby2"))->isHidden());
    QCOMPARE(label(card, "ruby1"), QStringLiteral("\uE000"));
    QCOMPARE(label(card, "meanings"), QStringLiteral("字义：\uE000：一个字义"));
    QVERIFY(label(card, "missingGlyphs")
                .startsWith(QStringLiteral("楷体（%1）没有「\uE000」的字形").arg(faces[0].family)));
}

void TestNameCard::keysMoveThroughTheListAndClose_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("card") << QString();
    QTest::newRow("a button") << QStringLiteral("saveImageButton");
}

// Real key events, through the shortcut map as the keyboard sends them.
void TestNameCard::keysMoveThroughTheListAndClose()
{
    QFETCH(QString, focus);
    const auto cardOf = [](int row) { return cardTextOfName(row == 0 ? "杜子腾" : "王美", 1, ""); };
    CNameCardDlg card(2, cardOf, 0);
    card.show();
    QVERIFY(QTest::qWaitForWindowActive(&card));
    if (!focus.isEmpty())
        card.findChild<QWidget*>(focus)->setFocus();
    const auto press = [&card](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &card, key,
                        modifiers);
        return card.row();
    };
    QCOMPARE(press(Qt::Key_Left), 0); // the first name stays
    QCOMPARE(press(Qt::Key_Right), 1);
    QCOMPARE(card.windowTitle(), QStringLiteral("名字卡片 — 王美"));
    QCOMPARE(press(Qt::Key_PageDown), 1); // the last name stays
    QCOMPARE(press(Qt::Key_PageUp), 0);
    QCOMPARE(press(Qt::Key_PageDown), 1);
    QCOMPARE(press(Qt::Key_Left), 0);

    // A mnemonic clicks its button a moment later.
    QStringList dialogs;
    rejectNextModal(&dialogs);
    press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(dialogs, QStringList{QStringLiteral("exportDialog|保存图片")});
    card.activateWindow(); // as the window manager does when the dialog closes
    QTRY_COMPARE(QApplication::activeWindow(), &card);
    rejectNextModal(&dialogs);
    press(Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(dialogs.size(), 2);
    QCOMPARE(dialogs[1].section(u'|', 0, 0), QStringLiteral("printDialog"));

    press(Qt::Key_Escape);
    QVERIFY(!card.isVisible());
    card.show();
    QVERIFY(QTest::qWaitForWindowActive(&card));
    press(Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(!card.isVisible());
}

void TestNameCard::theImageIsWideAndThePrintFillsThePage()
{
    CNameCardDlg card(2, &TestNameCard::twoNames, 0);
    const QWidget* drawn = card.findChild<QWidget*>(QStringLiteral("card"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("card.png"));
    QCOMPARE(card.writeImage(path), QString());
    const QImage image(path);
    QVERIFY(image.width() >= CNameCardDlg::minImageWidth);
    QVERIFY(image.width() >= 2 * card.devicePixelRatioF() * drawn->width());
    QCOMPARE(image.height() * drawn->width() / image.width(), drawn->height());
    // Ink on the paper: the big name in the top half is drawn.
    const QImage top = image.copy(0, 0, image.width(), image.height() / 3)
                           .convertToFormat(QImage::Format_Grayscale8);
    int dark = 0;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x)
            dark += qGray(top.pixel(x, y)) < 100;
    QVERIFY2(dark > top.width() * top.height() / 50, qPrintable(QString::number(dark)));

    for (const QPageSize::PageSizeId size : {QPageSize::A5, QPageSize::A4}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(size));
        printer.setOutputFileName(folder.filePath(QStringLiteral("card.pdf")));
        card.print(printer);
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), printer.outputFileName(),
                      folder.filePath(QStringLiteral("page"))});
        QVERIFY(render.waitForFinished(20000) && render.exitCode() == 0);
        const QImage page(folder.filePath(QStringLiteral("page.png")));
        int left = page.width(), right = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        // Within the page's margins, the card's ink spans most of its width.
        QVERIFY2(right - left > page.width() * 7 / 10, qPrintable(QString::number(right - left)));
    }
}

void TestNameCard::theGlyphCheckNamesWhatAFontLacks()
{
    QString latin;
    for (const QString& family : QFontDatabase::families()) {
        const QRawFont font = QRawFont::fromFont(QFont(family));
        if (font.familyName() == family && font.supportsCharacter(U'A') &&
            !font.supportsCharacter(U'杜'))
            latin = family;
    }
    QVERIFY(!latin.isEmpty());
    QCOMPARE(missingGlyphs(latin, "A杜子杜"), std::u32string(U"杜子"));
    for (const CardFace& face : cardFaces())
        QCOMPARE(missingGlyphs(face.family, "杜子腾〇\uE000"), std::u32string(U"\uE000"));
}

void TestNameCard::aNewReadingStopsTheOneStillSpeaking()
{
    QTemporaryDir folder;
    NameSpeaker speaker(fakeEspeak(folder, QStringLiteral("5  cmn-latn-pinyin  --/M")));
    QSignalSpy speaking(&speaker, &NameSpeaker::speaking);
    speaker.speak("du4 zi3 teng2");
    QTRY_COMPARE(log(folder).size(), 1);
    QTRY_COMPARE(speaking.count(), 1);
    speaker.speak("wang2 mei3");
    QTRY_COMPARE(log(folder).size(), 2);
    const QStringList lines = log(folder);
    QCOMPARE(lines[0].section(u' ', 1), QStringLiteral("-v cmn-latn-pinyin du4 zi3 teng2"));
    QCOMPARE(lines[1].section(u' ', 1), QStringLiteral("-v cmn-latn-pinyin wang2 mei3"));
    QTRY_VERIFY(::kill(lines[0].section(u' ', 0, 0).toInt(), 0) == -1 && errno == ESRCH);
    QCOMPARE(::kill(lines[1].section(u' ', 0, 0).toInt(), 0), 0);
    QCOMPARE(speaking.count(), 2);
}

void TestNameCard::withoutEspeakOrItsVoiceReadingIsDisabledAndSaysWhatToInstall()
{
    QTemporaryDir folder;
    NameSpeaker missing(folder.filePath(QStringLiteral("no-espeak-ng")));
    NameSpeaker voiceless(fakeEspeak(folder, QStringLiteral("5  cmn  --/M  sit/cmn")));
    QAction missingAction;
    QAction voicelessAction;
    missing.follow(&missingAction);
    voiceless.follow(&voicelessAction);
    QVERIFY(!missingAction.isEnabled());
    QVERIFY(missingAction.toolTip().contains(u"apt install espeak-ng"));
    QTRY_VERIFY(!voicelessAction.isEnabled());
    QVERIFY(voicelessAction.toolTip().contains(u"espeak-ng-data"));
    voiceless.speak("du4");
    QTest::qWait(200);
    QVERIFY(log(folder).isEmpty());
}

// Once with the real espeak-ng, writing a WAV file instead of playing (there is no sound here).
void TestNameCard::espeakWritesTheNameAsSound()
{
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty())
        QSKIP("espeak-ng is not installed");
    QTemporaryDir folder;
    const QString wav = folder.filePath(QStringLiteral("name.wav"));
    QStringList arguments{QStringLiteral("-w"), wav};
    for (const std::string& argument : speechArguments(cardTextOfName("杜子腾", 1, "").spoken))
        arguments << QString::fromStdString(argument);
    QProcess process;
    process.start(espeak, arguments);
    QVERIFY(process.waitForFinished(20000) && process.exitCode() == 0);
    QFile file(wav);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    const qsizetype data = bytes.indexOf("data");
    QVERIFY(data > 0);
    const auto samples = qFromLittleEndian<quint32>(bytes.constData() + data + 4);
    // Three syllables at 22,050 16-bit samples a second take well over half a second.
    QVERIFY2(samples > 22'050, qPrintable(QString::number(samples)));
}

void TestNameCard::theListsAndFavouritesOpenTheCardOfTheCurrentName()
{
    NamingWindow window;
    window.type(QStringLiteral("杜"), QStringLiteral("子腾"));
    window.start();
    window.tabs()->setCurrentIndex(2);
    UniformListView* list = window.goodNames();
    list->setCurrentIndex(list->model()->index(1, 0));
    ModalAnswer card;
    QStringList titles;
    answerNextModal(&card, [&titles](QDialog* dialog) {
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QTest::keyClick(dialog, Qt::Key_Right);
        titles << dialog->windowTitle();
    });
    list->findChild<QAction*>(QStringLiteral("nameCardAction"))->trigger();
    QCOMPARE(card.title, QStringLiteral("名字卡片 — 杜子腾"));
    QCOMPARE(titles, QStringList{QStringLiteral("名字卡片 — 杜腾子")});

    // The menu shows 朗读's tooltip, which says what to install when it is disabled.
    int toolTipsShown = -1;
    const std::function<void()> look = [&toolTipsShown, &look] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return QTimer::singleShot(10, look);
        toolTipsShown = menu->toolTipsVisible();
        menu->close();
    };
    QTimer::singleShot(10, look);
    window.dialog().activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window.dialog());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(toolTipsShown, 1);

    QAction* speak = list->findChild<QAction*>(QStringLiteral("speakAction"));
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()) {
        QVERIFY(!speak->isEnabled());
    } else {
        speak->trigger();
        const auto* process = NameSpeaker::shared().findChild<QProcess*>();
        QVERIFY(process && process->program().endsWith(u"/espeak-ng"));
        QCOMPARE(process->arguments(),
                 (QStringList{QStringLiteral("-v"), QStringLiteral("cmn-latn-pinyin"),
                              QStringLiteral("du4 zi3 teng2")}));
    }

    auto* favourites = window.dialog().findChild<CFavouritesPage*>();
    favourites->addFavourites({"诸葛亮"}, 2);
    ModalAnswer favourite;
    QString spoken;
    answerNextModal(&favourite, [&spoken](QDialog* dialog) {
        spoken = dialog->findChild<QLabel*>(QStringLiteral("ruby1"))->accessibleName();
    });
    favourites->list()->findChild<QAction*>(QStringLiteral("nameCardAction"))->trigger();
    QCOMPARE(favourite.title, QStringLiteral("名字卡片 — 诸葛亮"));
    QCOMPARE(spoken, QStringLiteral("葛 gě"));
}

QTEST_MAIN(TestNameCard)
#include "test_name_card.moc"
