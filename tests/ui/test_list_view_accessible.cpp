#include "tests/support/naming_window.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

namespace {

constexpr int kBillionRows = 32'767 * 32'767;

} // namespace

class TestListViewAccessible final : public QObject {
    Q_OBJECT

private slots:
    void fieldsAreNamedByTheirLabels();
    void aBillionRowsAsATable_data();
    void aBillionRowsAsATable();
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
    QTest::newRow("all names") << 0 << QStringLiteral("所有搭配名字") << false;
    QTest::newRow("exclusions") << 1 << QStringLiteral("排除掉名字") << true;
    QTest::newRow("good names") << 2 << QStringLiteral("好名字") << false;
}

void TestListViewAccessible::aBillionRowsAsATable()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(bool, checkable);
    const NamingWindow window;
    window.type(QStringLiteral("王"), ideographs(32'767));
    window.start();
    window.tabs()->setCurrentIndex(page);
    auto* list = static_cast<UniformListView*>(
        window.tabs()->currentWidget()->findChild<UniformListView*>());
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface* rows = table->tableInterface();
    QVERIFY(rows);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), name);
    QCOMPARE(rows->rowCount(), kBillionRows);
    QCOMPARE(rows->columnCount(), 1);
    QCOMPARE(table->childCount(), kBillionRows + 1);

    QAccessibleInterface* header = table->child(0);
    QCOMPARE(header->role(), QAccessible::ColumnHeader);
    QCOMPARE(header->text(QAccessible::Name), QStringLiteral("名字"));

    const int last = kBillionRows - 1;
    const QChar lastUnit = ideographs(32'767).back();
    for (const auto& [row, text] : {std::pair{0, QStringLiteral("王一一")},
                                    {last, QStringLiteral("王") + lastUnit + lastUnit}}) {
        QAccessibleInterface* cell = rows->cellAt(row, 0);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), text);
        QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
        QCOMPARE(cell->tableCellInterface()->columnHeaderCells(), QList{header});
        QCOMPARE(table->child(row + 1), cell);
        QCOMPARE(table->indexOfChild(cell), row + 1);
        QCOMPARE(cell->state().checkable, checkable);
        QCOMPARE(cell->state().offscreen, row == last);

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
    QVERIFY(rows->selectedRows().size() < 100'000);
    QVERIFY(rows->unselectRow(0));
    QCOMPARE(rows->selectedRowCount(), kBillionRows - 1);
}

QTEST_MAIN(TestListViewAccessible)
#include "test_list_view_accessible.moc"
