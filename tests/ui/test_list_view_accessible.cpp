#include "tests/support/naming_window.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QHeaderView>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

constexpr int kBillionRows = 32'767 * 32'767;

// What the bridge would have told assistive technology: the rows of the cells whose tick changed.
QList<int> g_tickAnnouncements;

void recordAnnouncement(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::StateChanged ||
        !static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked)
        return;
    QAccessibleTableCellInterface* cell = event->accessibleInterface()->tableCellInterface();
    g_tickAnnouncements << (cell ? cell->rowIndex() : -1);
}

} // namespace

class TestListViewAccessible final : public QObject {
    Q_OBJECT

private slots:
    void fieldsAreNamedByTheirLabels();
    void aBillionRowsAsATable_data();
    void aBillionRowsAsATable();
    void aRuleAnnouncesOnlyTheRowsInSight_data();
    void aRuleAnnouncesOnlyTheRowsInSight();
};

void TestListViewAccessible::fieldsAreNamedByTheirLabels()
{
    const NamingWindow window;
    for (const auto& [field, name] : {std::pair{window.surname(), QStringLiteral("贵姓")},
                                      {window.candidates(), QStringLiteral("输入你选好的靓字")}}) {
        QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(field);
        QCOMPARE(edit->role(), QAccessible::EditableText);
        QCOMPARE(edit->text(QAccessible::Name), name);
    }
}

void TestListViewAccessible::aBillionRowsAsATable_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<bool>("headerShown");
    QTest::newRow("all names") << 0 << QStringLiteral("所有搭配名字") << false << false << true;
    QTest::newRow("exclusions") << 1 << QStringLiteral("排除掉名字") << true << false << true;
    QTest::newRow("good names") << 2 << QStringLiteral("好名字") << false << false << true;
    QTest::newRow("exclusions, reading column")
        << 1 << QStringLiteral("排除掉名字") << true << true << true;
    QTest::newRow("all names, header hidden")
        << 0 << QStringLiteral("所有搭配名字") << false << false << false;
    QTest::newRow("good names, reading column, header hidden")
        << 2 << QStringLiteral("好名字") << false << true << false;
}

void TestListViewAccessible::aBillionRowsAsATable()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(bool, checkable);
    QFETCH(bool, reading);
    QFETCH(bool, headerShown);
    const NamingWindow window;
    window.type(QStringLiteral("王"), ideographs(32'767));
    window.start();
    window.tabs()->setCurrentIndex(page);
    auto* list = static_cast<UniformListView*>(
        window.tabs()->currentWidget()->findChild<UniformListView*>());
    list->setDetailColumnShown(reading);
    list->header()->setVisible(headerShown);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface* rows = table->tableInterface();
    QVERIFY(rows);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), name);
    QCOMPARE(rows->rowCount(), kBillionRows);
    const int columns = reading ? 2 : 1;
    const int headerRows = headerShown ? 1 : 0;
    QCOMPARE(rows->columnCount(), columns);
    QCOMPARE(table->childCount(), (kBillionRows + headerRows) * columns);

    const QStringList headings{QStringLiteral("名字"), QStringLiteral("读音")};
    QList<QAccessibleInterface*> headers;
    for (int column = 0; column < columns; ++column) {
        QAccessibleInterface* header =
            rows->cellAt(0, column)->tableCellInterface()->columnHeaderCells().value(0);
        QVERIFY(header);
        QCOMPARE(header->role(), QAccessible::ColumnHeader);
        QCOMPARE(header->text(QAccessible::Name), headings[column]);
        QCOMPARE(rows->columnDescription(column), headings[column]);
        QCOMPARE(table->indexOfChild(header), headerShown ? column : -1);
        if (headerShown)
            QCOMPARE(table->child(column), header);
        headers << header;
    }
    QVERIFY(!rows->cellAt(0, columns));

    const int last = kBillionRows - 1;
    const QChar lastUnit = ideographs(32'767).back();
    for (const auto& [row, text] : {std::pair{0, QStringLiteral("王一一")},
                                    {last, QStringLiteral("王") + lastUnit + lastUnit}}) {
        const QModelIndex index = list->model()->index(row, 0);
        for (int column = 0; column < columns; ++column) {
            QAccessibleInterface* cell = rows->cellAt(row, column);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name),
                     column == 0 ? text : index.data(list->detailRole()).toString());
            QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
            QCOMPARE(cell->tableCellInterface()->columnIndex(), column);
            QCOMPARE(cell->tableCellInterface()->columnHeaderCells(), QList{headers[column]});
            const int child = (row + headerRows) * columns + column;
            QCOMPARE(table->child(child), cell);
            QCOMPARE(table->indexOfChild(cell), child);
            QCOMPARE(cell->state().offscreen, row == last);
            // The row's tooltip lines, each cell of it.
            const QString description = cell->text(QAccessible::Description);
            QVERIFY(description.contains(QLatin1Char('\n')));
            QCOMPARE(Qt::convertFromPlainText(description, Qt::WhiteSpaceNoWrap),
                     index.data(Qt::ToolTipRole).toString());
            if (row == 0) {
                const QRect place = cell->rect();
                QCOMPARE(place.left(), rows->cellAt(0, 0)->rect().left() + 200 * column);
                QCOMPARE(table->childAt(place.center().x(), place.center().y()), cell);
                if (headerShown) {
                    const QRect heading = headers[column]->rect();
                    QCOMPARE(heading.left(), place.left());
                    QCOMPARE(table->childAt(heading.center().x(), heading.center().y()),
                             headers[column]);
                }
            }
        }
        QAccessibleInterface* cell = rows->cellAt(row, 0);
        QCOMPARE(cell->state().checkable, checkable);

        // Ticked through the cell's action, as a screen reader user would.
        QCOMPARE(cell->actionInterface()->actionNames().size(), checkable ? 1 : 0);
        if (checkable) {
            cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(cell->state().checked);
        }
    }

    list->setFocus();
    list->setCurrentIndex(list->model()->index(last, 0));
    QAccessibleInterface* lastCell = rows->cellAt(last, 0);
    QCOMPARE(table->focusChild(), lastCell);
    QVERIFY(lastCell->state().focused && lastCell->state().selected);
    QVERIFY(!rows->cellAt(0, 0)->state().focused);
    QCOMPARE(rows->selectedRows(), QList{last});
    QVERIFY(!rows->isColumnSelected(0));

    // Every row selected: counted from the selection's ranges, listed only in part.
    QTest::keySequence(list, QKeySequence::SelectAll);
    QCOMPARE(rows->selectedRowCount(), kBillionRows);
    QVERIFY(rows->isRowSelected(last / 2));
    QVERIFY(rows->isColumnSelected(0));
    QCOMPARE(rows->selectedRows().front(), 0);
    // A screen reader is handed the first 10,000 rows, and as many cells.
    QCOMPARE(rows->selectedRows().size(), 10'000);
    QCOMPARE(rows->selectedRows().back(), 9'999);
    QCOMPARE(rows->selectedCells().size(), 10'000);
    QVERIFY(rows->unselectRow(0));
    QCOMPARE(rows->selectedRowCount(), kBillionRows - 1);
}

void TestListViewAccessible::aRuleAnnouncesOnlyTheRowsInSight_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("top");
    QTest::newRow("1,600 rows, from the top") << 40 << 0;
    QTest::newRow("1,600 rows, scrolled") << 40 << 800;
    QTest::newRow("1073676289 rows, scrolled") << 32'767 << kBillionRows / 2;
}

// With a screen reader listening, inverting every tick reports the rows on screen only.
void TestListViewAccessible::aRuleAnnouncesOnlyTheRowsInSight()
{
    QFETCH(int, characters);
    QFETCH(int, top);
    const NamingWindow window;
    window.type(QStringLiteral("王"), ideographs(characters));
    window.start();
    window.tabs()->setCurrentIndex(1);
    UniformListView* list = window.exclusions();
    list->scrollTo(list->model()->index(top, 0), QAbstractItemView::PositionAtTop);
    const int page = list->viewport()->height() / list->rowHeight();
    QVERIFY(page > 5);

    g_tickAnnouncements.clear();
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(bridge);
    QAccessible::installUpdateHandler(recordAnnouncement);
    bridge->setActive(true);
    list->findChild<QAction*>(QStringLiteral("invertTicksAction"))->trigger();
    bridge->setActive(false);
    QAccessible::installUpdateHandler(nullptr);

    QVERIFY(list->model()->index(top + page - 1, 0).data(Qt::CheckStateRole) == Qt::Checked);
    QCOMPARE(g_tickAnnouncements.value(0), top);
    QVERIFY2(g_tickAnnouncements.size() >= page && g_tickAnnouncements.size() <= page + 1,
             qPrintable(QString::number(g_tickAnnouncements.size())));
    for (qsizetype i = 1; i < g_tickAnnouncements.size(); ++i)
        QCOMPARE(g_tickAnnouncements[i], top + i);
}

QTEST_MAIN(TestListViewAccessible)
#include "test_list_view_accessible.moc"
