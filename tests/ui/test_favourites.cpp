#include "hanzi/utf8.h"
#include "shortlist/favourites_file.h"
#include "tests/support/modal_answer.h"
#include "tests/support/naming_window.h"
#include "ui/favourites_page.h"
#include "ui/favourites_pdf.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// The 收藏 tab: its model, its file kept aside when damaged, and its PDF read back as text.
class TestFavourites final : public QObject {
    Q_OBJECT

private slots:
    void theModelSortsEditsAndRemoves();
    void aNoteEditShowsWhatAnotherCopySaved();
    void aDamagedFileIsKeptAsideAndToldOnce();
    void thePdfHoldsTheNamesAsTextWithTheFontEmbedded();
    void aLongWordInThePdfWrapsWithinTheMargin();
    void anExportTakesItsFormatFromTheSuffixInAnyCase_data();
    void anExportTakesItsFormatFromTheSuffixInAnyCase();
    void ctrlDAddsTheSelectedNamesOnce();
    void theTicksAreRestoredOnlyForTheSameInputs();

private:
    static QAction* action(QWidget* list, const char* name)
    {
        return list->findChild<QAction*>(QLatin1String(name));
    }
    static QStringList column(const FavouritesModel& model, int column)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.index(row, column).data().toString();
        return texts;
    }
    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(20000) || process.exitCode() != 0)
            return QStringLiteral("<%1 failed>").arg(program);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

void TestFavourites::theModelSortsEditsAndRemoves()
{
    FavouritesStore store(SettingsFile::nowhere(), nullptr);
    FavouritesModel model(store);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.change([](FavouritesStore& favourites) {
        return favourites.add({"张大", "张一", "张乙"}, 1);
    });
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("读音"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("zhāng dà"));
    QCOMPARE(model.index(1, 3).data().toString(), QStringLiteral("7+1=8"));
    QStringList headings;
    for (int column = 0; column < model.columnCount(); ++column)
        headings << model.headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headings.join('|'), QStringLiteral("名字|读音|平仄|笔画|出处|谐音|备注|加入时间"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("平仄")); // zhāng dà

    const QPersistentModelIndex first = model.index(0, 0);
    model.sort(3, Qt::DescendingOrder); // strokes: 大 3, 一 1, 乙 1
    QCOMPARE(column(model, 0), (QStringList{"张大", "张一", "张乙"}));
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(column(model, 0), (QStringList{"张一", "张乙", "张大"}));
    QCOMPARE(first.row(), 2);
    model.sort(-1);
    QCOMPARE(column(model, 0), (QStringList{"张大", "张一", "张乙"}));

    const QModelIndex note = model.index(1, model.noteColumn());
    QVERIFY(model.flags(note) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(1, 0)) & Qt::ItemIsEditable));
    QVERIFY(model.setData(note, QStringLiteral("奶奶喜欢\n这个")));
    QCOMPARE(note.data().toString(), QStringLiteral("奶奶喜欢 这个"));
    QCOMPARE(store.favourites().items()[1].note, "奶奶喜欢 这个");

    model.sort(0, Qt::AscendingOrder);
    model.removeRows({0, 2}); // 张一 and 张大 as shown
    QCOMPARE(column(model, 0), QStringList{"张乙"});
    QCOMPARE(store.favourites().size(), 1u);
}

void TestFavourites::aNoteEditShowsWhatAnotherCopySaved()
{
    QTemporaryDir folder;
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    FavouritesStore store(settings, nullptr);
    FavouritesModel model(store);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.change([](FavouritesStore& favourites) { return favourites.add({"张大"}, 1); });
    FavouritesStore(settings, nullptr).add({"张一", "张乙"}, 1);
    QVERIFY(model.setData(model.index(0, model.noteColumn()), QStringLiteral("好")));
    QCOMPARE(column(model, 0), (QStringList{"张大", "张一", "张乙"}));
    QCOMPARE(column(model, model.noteColumn()), (QStringList{"好", "", ""}));
}

void TestFavourites::aDamagedFileIsKeptAsideAndToldOnce()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("favourites.csv"));
    {
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a favourites file");
    }
    const SettingsFile settings = SettingsFile::inFolder(folder.path().toStdString());
    {
        FavouritesStore store(settings, nullptr);
        CFavouritesPage page(store);
        ModalAnswer answer;
        answerNextModal(&answer);
        page.ensureLoaded();
        QVERIFY(answer.seen);
        QCOMPARE(answer.objectName, QStringLiteral("damagedFavouritesNotice"));
        const QStringList aside = QDir(folder.path()).entryList({"favourites.csv.damaged-*"});
        QCOMPARE(aside.size(), 1);
        QVERIFY(answer.text.contains(aside.front()));
        QCOMPARE(page.model().rowCount(), 0);

        QSignalSpy noted(&page, &CFavouritesPage::noted);
        page.addFavourites({"李白"}, 1);
        QCOMPARE(noted.size(), 1);
        QCOMPARE(noted.front().front().toString(), QStringLiteral("已加入收藏 1 个名字。"));
        ModalAnswer added;
        answerNextModal(&added);
        page.addFavourites({"杜甫", "王"}, 1);
        QCOMPARE(added.objectName, QStringLiteral("addedFavouritesNotice"));
        QCOMPARE(added.text,
                 QStringLiteral("已加入收藏 1 个名字。\n1 个不是 2 到 8 个汉字的名字没有加入。"));
    }
    // The next start reads the new file and says nothing.
    FavouritesStore store(settings, nullptr);
    CFavouritesPage again(store);
    ModalAnswer none;
    answerNextModal(&none, {}, 1);
    again.ensureLoaded();
    QTest::qWait(20);
    QVERIFY(!none.seen);
    QCOMPARE(again.model().rowCount(), 2);
    QCOMPARE(QDir(folder.path()).entryList({"favourites.csv.damaged-*"}).size(), 1);
}

void TestFavourites::thePdfHoldsTheNamesAsTextWithTheFontEmbedded()
{
    Favourites favourites;
    std::vector<Favourite> list;
    for (int i = 0; i < 40; ++i) {
        std::string name = "欧阳";
        utf8::append(name, U'\u4E00' + static_cast<char32_t>(i));
        list.push_back({name, 2, i % 3 ? "" : "备注" + std::to_string(i), "2026-12-07 15:30:00"});
    }
    favourites.merge(list);
    std::vector<TextFacts> facts;
    for (const Favourite& favourite : favourites.items())
        facts.push_back(textFactsOf(favourite.name, favourite.surnameLength));
    std::vector<ExportedFavourite> printed;
    for (std::size_t i = 0; i < facts.size(); ++i)
        printed.push_back({&favourites.items()[i], &facts[i]});

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("favourites.pdf"));
    QCOMPARE(writeFavouritesPdf(pdf, printed, QDate(2026, 12, 7)), QString());

    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.contains(QStringLiteral("NotoSansCJK")), qPrintable(fonts));
    for (const QString& line : fonts.split(QLatin1Char('\n')).mid(2)) {
        if (!line.isEmpty())
            QVERIFY2(line.split(QLatin1Char(' '), Qt::SkipEmptyParts).at(4) == "yes",
                     qPrintable(line));
    }
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    const int pages =
        info.section(QStringLiteral("Pages:"), 1).trimmed().section('\n', 0, 0).toInt();
    QVERIFY(pages > 1);

    const QString all =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY(all.contains(QStringLiteral("收藏的名字")));
    QVERIFY(all.contains(QStringLiteral("2026-12-07")));
    QVERIFY(all.contains(QStringLiteral("ōu yáng yī")));
    // Characters that fonts draw like a Kangxi radical still copy as the ideograph.
    QVERIFY(all.contains(QStringLiteral("读音：")));
    QVERIFY(all.contains(QStringLiteral("平仄：平平平")));
    // Every favourite, with its reading line, lies on one page.
    int found = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                  QString::number(page), QStringLiteral("-enc"),
                                  QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        for (std::size_t i = 0; i < facts.size(); ++i) {
            const QString name = QString::fromStdString(favourites.items()[i].name);
            if (!text.contains(name + QLatin1Char('\n')))
                continue;
            ++found;
            QVERIFY2(text.contains(QString::fromStdString(facts[i].readings)), qPrintable(name));
            QVERIFY2(text.contains(QString::fromStdString(facts[i].strokeText)), qPrintable(name));
            if (!favourites.items()[i].note.empty())
                QVERIFY2(text.contains(QString::fromStdString(favourites.items()[i].note)),
                         qPrintable(name));
        }
    }
    QCOMPARE(found, 40);
}

void TestFavourites::aLongWordInThePdfWrapsWithinTheMargin()
{
    QString letters;
    for (int i = 0; i < 180; ++i)
        letters += QChar(u'a' + i % 26);
    Favourites favourites;
    favourites.merge({{"张伟", 1, letters.toStdString(), "2026-12-07 15:30:00"}});
    const TextFacts facts = textFactsOf("张伟", 1);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("long.pdf"));
    QCOMPARE(writeFavouritesPdf(pdf, {{&favourites.items()[0], &facts}}, QDate(2026, 12, 7)),
             QString());

    // Words with their boxes in points; the A4 page is 595.28 wide, its margins 18 mm.
    const QString boxes =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    const double rightMargin = 595.28 - 18 / 25.4 * 72;
    QString text;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"[^\"]*\" "
                       "xMax=\"([^\"]*)\" yMax=\"[^\"]*\">([^<]*)<"));
    for (auto match = word.globalMatch(boxes); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        QVERIFY2(found.captured(1).toDouble() <= rightMargin + 1, qPrintable(found.captured(0)));
        text += found.captured(2);
    }
    QVERIFY2(text.contains(letters), qPrintable(boxes));
}

void TestFavourites::anExportTakesItsFormatFromTheSuffixInAnyCase_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("text") << QStringLiteral("names.txt") << QByteArray("张大\n");
    QTest::newRow("CSV in capitals")
        << QStringLiteral("NAMES.CSV") << QByteArray("\xEF\xBB\xBF名字,读音,");
    QTest::newRow("PDF in capitals") << QStringLiteral("NAMES.PDF") << QByteArray("%PDF-");
}

void TestFavourites::anExportTakesItsFormatFromTheSuffixInAnyCase()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, start);
    FavouritesStore store(SettingsFile::nowhere(), nullptr);
    CFavouritesPage page(store);
    page.model().change([](FavouritesStore& favourites) { return favourites.add({"张大"}, 1); });
    QTemporaryDir folder;
    QCOMPARE(page.writeExport(folder.filePath(fileName)), QString());
    QFile file(folder.filePath(fileName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(bytes.startsWith(start), bytes.left(40).constData());
}

void TestFavourites::ctrlDAddsTheSelectedNamesOnce()
{
    NamingWindow window;
    window.type(QStringLiteral("诸葛"), QStringLiteral("亮明"));
    window.start();
    UniformListView* list = window.allNames();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    auto* page = window.find<CFavouritesPage>("favouritesPage");
    auto* note = window.find<QLabel>("passingNote");
    // Each Ctrl+D says what it did without a box, and the keys after it reach the list.
    ModalAnswer box;
    answerNextModal(&box);
    const auto add = [&](int favourites, const char* told) {
        QTest::keyClick(list, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(page->model().rowCount(), favourites);
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QString::fromUtf8(told));
        QCOMPARE(QAccessible::queryAccessibleInterface(note)->text(QAccessible::Name),
                 note->text());
    };
    add(1, "已加入收藏 1 个名字。");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    add(2, "已加入收藏 1 个名字。");
    QCOMPARE(page->model().favourite(1).name, std::string("诸葛明亮"));
    list->selectAll();
    add(4, "已加入收藏 2 个名字。");
    add(4, "已加入收藏 0 个名字。");
    QTest::qWait(50);
    QVERIFY(!box.seen);
    QCOMPARE(QAccessible::queryAccessibleInterface(note)->role(), QAccessible::Notification);
    QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), 10'000);
    // The surname the names were made with is read as a surname.
    QCOMPARE(page->model().index(0, 1).data().toString(), QStringLiteral("zhū gě liàng liàng"));
    QFile file(QFileInfo(window.settingsPath()).dir().filePath(QStringLiteral("favourites.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(parseFavourites(file.readAll().toStdString())->size(), 4u);

    // The tab shows the list; its menu follows the layout the issue gives.
    window.tabs()->setCurrentIndex(3);
    QCOMPARE(window.tabs()->tabText(3), QStringLiteral("收藏"));
    QStringList texts;
    for (const QAction* item : page->list()->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    QCOMPARE(texts.join('|'),
             QStringLiteral("朗读(&V)|名字卡片(&K)|移出收藏(&R)|复制(&Y)|导出(&E)…|导入收藏(&M)…|-|"
                            "显示读音|-|关于 Corvale(&A)..."));

    // 101 candidates make 10,201 names: one selection of them all is too many to add.
    window.tabs()->setCurrentIndex(0);
    window.type(QStringLiteral("王"), ideographs(101));
    window.start();
    list->selectAll();
    window.dialog().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.dialog()));
    list->setFocus();
    ModalAnswer refused;
    answerNextModal(&refused);
    QTest::keyClick(list, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(refused.objectName, QStringLiteral("tooManyToAddNotice"));
    QVERIFY2(refused.text.contains(QStringLiteral("超过 10,000 个")), qPrintable(refused.text));
    QCOMPARE(page->model().rowCount(), 4);
}

void TestFavourites::theTicksAreRestoredOnlyForTheSameInputs()
{
    NamingWindow window;
    window.type(QStringLiteral("王"), QStringLiteral("美丽"));
    window.start();
    window.tick(0);
    window.tick(3);
    QVERIFY(window.dialog().close());

    struct Case {
        QString candidates;
        bool threeCharacter;
        bool offered;
    };
    for (const Case& c :
         {Case{QStringLiteral("美丽"), false, false}, Case{QStringLiteral("丽美"), true, false},
          Case{QStringLiteral("美丽"), true, true}}) {
        window.open();
        QAction* restore = action(window.exclusions(), "restoreTicksAction");
        QVERIFY(!restore->isEnabled());
        window.type(QStringLiteral("王"), c.candidates);
        (c.threeCharacter ? window.three() : window.two())->setChecked(true);
        window.start();
        QCOMPARE(restore->isEnabled(), c.offered);
        if (!c.offered) {
            // Closing without ticks keeps the saved ones.
            window.dialog().reject();
            continue;
        }
        const QAbstractItemModel& model = *window.exclusions()->model();
        const auto ticked = [&model] {
            QList<int> rows;
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>() ==
                    Qt::Checked)
                    rows << row;
            }
            return rows;
        };
        window.tabs()->setCurrentIndex(1);
        window.tick(1);
        restore->trigger();
        QCOMPARE(ticked(), (QList<int>{0, 3}));
        window.exclusions()->setFocus();
        QTest::keyClick(window.exclusions(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ticked(), QList<int>{1});
    }
}

QTEST_MAIN(TestFavourites)
#include "test_favourites.moc"
