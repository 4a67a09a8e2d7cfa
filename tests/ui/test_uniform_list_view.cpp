#include "ui/uniform_list_view.h"

#include <QAbstractItemModelTester>
#include <QAbstractListModel>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTest>
#include <QVBoxLayout>
#include <limits>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int kBillionRows = 1'073'676'289;
constexpr int kMaxRows = std::numeric_limits<int>::max();
// Most tests size the viewport to show exactly this many whole rows (plus half of the next).
constexpr int kPage = 10;

// A lazy list whose row k reads "row k", composed on demand. Removed rows are remembered sparsely
// so the remaining rows keep their text, and checked rows live in a sparse set, both keyed by the
// row's original number.
class LazyRowModel final : public QAbstractListModel {
public:
    explicit LazyRowModel(int rows, bool checkable = false)
        : m_rows(rows)
        , m_checkable(checkable)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        ++m_dataCalls;
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        const qint64 original = originalRow(index.row());
        if (role == Qt::DisplayRole)
            return QStringLiteral("row %1").arg(original);
        if (role == Qt::CheckStateRole && m_checkable)
            return int(m_checked.contains(original) ? Qt::Checked : Qt::Unchecked);
        return {};
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!m_checkable || role != Qt::CheckStateRole ||
            !checkIndex(index, CheckIndexOption::IndexIsValid))
            return false;
        const qint64 original = originalRow(index.row());
        if (value.toInt() == Qt::Checked)
            m_checked.insert(original);
        else
            m_checked.erase(original);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags result = QAbstractListModel::flags(index);
        if (m_checkable && index.isValid())
            result |= Qt::ItemIsUserCheckable;
        return result;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
            return m_heading;
        return {};
    }

    // Asked once per row by a view that walks the rows' rectangles.
    QModelIndex parent(const QModelIndex& child) const override
    {
        Q_UNUSED(child);
        ++m_parentCalls;
        return {};
    }
    using QObject::parent;

    void sort(int column, Qt::SortOrder order) override
    {
        Q_UNUSED(column);
        Q_UNUSED(order);
        ++m_sortCalls;
    }

    void removeOneRow(int row)
    {
        beginRemoveRows({}, row, row);
        m_removed.insert(originalRow(row));
        --m_rows;
        endRemoveRows();
    }

    void resetRows(int rows)
    {
        beginResetModel();
        m_rows = rows;
        m_removed.clear();
        m_checked.clear();
        endResetModel();
    }

    bool isChecked(int row) const { return m_checked.contains(originalRow(row)); }
    void setHeading(const QString& heading) { m_heading = heading; }
    qint64 dataCalls() const { return m_dataCalls; }
    qint64 parentCalls() const { return m_parentCalls; }
    int sortCalls() const { return m_sortCalls; }

private:
    qint64 originalRow(int row) const
    {
        qint64 original = row;
        for (const qint64 removed : m_removed) {
            if (removed > original)
                break;
            ++original;
        }
        return original;
    }

    int m_rows;
    bool m_checkable;
    QString m_heading;
    std::set<qint64> m_removed;
    std::set<qint64> m_checked;
    mutable qint64 m_dataCalls = 0;
    mutable qint64 m_parentCalls = 0;
    int m_sortCalls = 0;
};

// Remembers the state each row was last painted with.
class RecordingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painted[index.row()] = option.state;
        QStyledItemDelegate::paint(painter, option, index);
    }

    mutable std::map<int, QStyle::State> painted;
};

// Asks for rows far taller than the font needs.
class TallDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kHeight};
    }

    static constexpr int kHeight = 60;
};

// Collects the regions the viewport is asked to repaint.
class PaintRecorder final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }

    QRegion region;
};

// Gives access to the delegate's option set-up, to locate the check box it hit-tests against.
class OptionDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::initStyleOption;
};

// QAbstractItemModelTester walks every row on each change, so only small models get one.
std::unique_ptr<QAbstractItemModelTester> testerFor(QAbstractItemModel* model)
{
    return std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

// Shows the view with a viewport of exactly `page` whole rows and half a row more.
bool showWithPage(UniformListView& view, int page = kPage)
{
    view.resize(300, 300);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return false;
    const int chrome = view.height() - view.viewport()->height();
    view.resize(300, chrome + page * view.rowHeight() + view.rowHeight() / 2);
    return view.viewport()->height() / view.rowHeight() == page;
}

QPoint rowCenter(const UniformListView& view, int row)
{
    return view.visualRect(view.model()->index(row, 0)).center();
}

QStringListModel* numberedStrings(int rows, QObject* parent)
{
    QStringList strings;
    for (int row = 0; row < rows; ++row)
        strings << QStringLiteral("s%1").arg(row);
    return new QStringListModel(strings, parent);
}

QItemSelection oneRange(const QAbstractItemModel& model, int top, int bottom)
{
    return QItemSelection(model.index(top, 0), model.index(bottom, 0));
}

void sendMouseMove(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TestUniformListView final : public QObject {
    Q_OBJECT

private slots:
    void geometryRoundTrip_data();
    void geometryRoundTrip();
    void scrollToHint_data();
    void scrollToHint();
    void paintsOnlyTheVisibleRows_data();
    void paintsOnlyTheVisibleRows();
    void keyboardNavigation_data();
    void keyboardNavigation();
    void returnKeyReachesTheDialog();
    void keyboardSelectsEveryRowAsOneRange_data();
    void keyboardSelectsEveryRowAsOneRange();
    void mouseSelection();
    void shiftClickAfterScrolling_data();
    void shiftClickAfterScrolling();
    void dragSelectionKeepsItsAnchorWhileScrolling_data();
    void dragSelectionKeepsItsAnchorWhileScrolling();
    void spaceTogglesCheckBox();
    void clickTogglesOnlyOnTheCheckBox_data();
    void clickTogglesOnlyOnTheCheckBox();
    void changingEveryRowRepaintsOnlyTheVisibleRows();
    void typingDoesNotWalkTheModel_data();
    void typingDoesNotWalkTheModel();
    void headerShowsHeadingAndIgnoresClicks();
    void columnWidthFollowsTheHeader();
    void insertedRowsKeepTheVisibleRows_data();
    void insertedRowsKeepTheVisibleRows();
    void rowHeightFollowsDelegateAndFont();
    void selectionChangesRepaintTheVisibleSelectedRows_data();
    void selectionChangesRepaintTheVisibleSelectedRows();
    void removingRowsKeepsCurrentAndScrollSane_data();
    void removingRowsKeepsCurrentAndScrollSane();
    void burstOfRemovalsOnAHugeModel();
    void modelResetClearsSelection();
    void nullAndEmptyModels_data();
    void nullAndEmptyModels();
    void selectionIsDrawnOnlyWithFocus();
    void gridLines();
    void horizontalScrolling();
};

void TestUniformListView::geometryRoundTrip_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::newRow("1073676289 rows, first") << kBillionRows << 0;
    QTest::newRow("1073676289 rows, middle") << kBillionRows << kBillionRows / 2;
    QTest::newRow("1073676289 rows, second to last") << kBillionRows << kBillionRows - 2;
    QTest::newRow("1073676289 rows, last") << kBillionRows << kBillionRows - 1;
    QTest::newRow("INT_MAX rows, first") << kMaxRows << 0;
    QTest::newRow("INT_MAX rows, middle") << kMaxRows << kMaxRows / 2;
    QTest::newRow("INT_MAX rows, last") << kMaxRows << kMaxRows - 1;
    QTest::newRow("25 rows, last") << 25 << 24;
}

void TestUniformListView::geometryRoundTrip()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    LazyRowModel model(rows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QCOMPARE(view.verticalScrollBar()->maximum(), rows - kPage);
    const QModelIndex index = model.index(row, 0);

    // From the top of the list, including rows whose position does not fit in int.
    QCOMPARE(view.indexAt(view.visualRect(index).center()), index);

    view.scrollTo(index);
    const QRect rect = view.visualRect(index);
    QVERIFY(view.viewport()->rect().contains(rect));
    QCOMPARE(view.indexAt(rect.topLeft()), index);
    QCOMPARE(view.indexAt(rect.bottomRight()), index);
    const QPoint below = rect.center() + QPoint(0, view.rowHeight());
    QCOMPARE(view.indexAt(below), row + 1 < rows ? model.index(row + 1, 0) : QModelIndex());
    const QPoint above = rect.center() - QPoint(0, view.rowHeight());
    QCOMPARE(view.indexAt(above), row > 0 ? model.index(row - 1, 0) : QModelIndex());
    QCOMPARE(view.indexAt(QPoint(view.columnWidth() + 5, rect.center().y())), QModelIndex());

    // And from the other end of the list.
    view.scrollTo(model.index(row < rows / 2 ? rows - 1 : 0, 0));
    QCOMPARE(view.indexAt(view.visualRect(index).center()), index);
}

void TestUniformListView::scrollToHint_data()
{
    QTest::addColumn<int>("hint");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("expectedTop");
    using V = QAbstractItemView;
    QTest::newRow("ensure visible, already visible") << int(V::EnsureVisible) << 3 << 0;
    QTest::newRow("ensure visible, below") << int(V::EnsureVisible) << 500 << 491;
    QTest::newRow("at top") << int(V::PositionAtTop) << 500 << 500;
    QTest::newRow("at bottom") << int(V::PositionAtBottom) << 500 << 491;
    QTest::newRow("at center") << int(V::PositionAtCenter) << 500 << 496;
    QTest::newRow("at top, clamped to the end") << int(V::PositionAtTop) << 998 << 990;
    QTest::newRow("at bottom, clamped to the start") << int(V::PositionAtBottom) << 2 << 0;
}

void TestUniformListView::scrollToHint()
{
    QFETCH(int, hint);
    QFETCH(int, row);
    QFETCH(int, expectedTop);
    LazyRowModel model(1000);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));

    view.scrollTo(model.index(row, 0), QAbstractItemView::ScrollHint(hint));
    QCOMPARE(view.verticalScrollBar()->value(), expectedTop);
    QCOMPARE(view.indexAt(QPoint(5, 1)), model.index(expectedTop, 0));
}

void TestUniformListView::paintsOnlyTheVisibleRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("1073676289 rows") << kBillionRows;
    QTest::newRow("INT_MAX rows") << kMaxRows;
}

void TestUniformListView::paintsOnlyTheVisibleRows()
{
    QFETCH(int, rows);
    LazyRowModel model(rows);
    UniformListView view;
    RecordingDelegate delegate;
    view.setItemDelegate(&delegate);
    view.setModel(&model);
    QVERIFY(showWithPage(view));

    const QModelIndex last = model.index(rows - 1, 0);
    view.scrollTo(last);
    QVERIFY(view.viewport()->rect().contains(view.visualRect(last)));
    delegate.painted.clear();
    const qint64 callsBefore = model.dataCalls();
    view.grab();

    std::set<int> paintedRows;
    for (const auto& [row, state] : delegate.painted)
        paintedRows.insert(row);
    std::set<int> expected;
    for (int row = rows - kPage; row < rows; ++row)
        expected.insert(row);
    QCOMPARE(paintedRows, expected);
    QVERIFY2(model.dataCalls() - callsBefore < 50 * kPage,
             qPrintable(QString::number(model.dataCalls() - callsBefore)));
}

void TestUniformListView::keyboardNavigation_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<int>("expectedCurrent");
    QTest::addColumn<int>("expectedTop");

    const auto keys = [](std::initializer_list<Qt::Key> list) {
        QTestEventList events;
        for (const Qt::Key key : list)
            events.addKeyClick(key);
        return events;
    };
    using enum Qt::Key;
    QTest::newRow("down") << 1000 << keys({Key_Down, Key_Down, Key_Down}) << 3 << 0;
    QTest::newRow("up at the top") << 1000 << keys({Key_Up}) << 0 << 0;
    QTest::newRow("down past the page") << 1000 << keys({Key_PageDown, Key_Down}) << 10 << 1;
    QTest::newRow("end") << 1000 << keys({Key_End}) << 999 << 990;
    QTest::newRow("down at the end") << 1000 << keys({Key_End, Key_Down}) << 999 << 990;
    QTest::newRow("end, home") << 1000 << keys({Key_End, Key_Home}) << 0 << 0;
    QTest::newRow("page down to the page's bottom") << 1000 << keys({Key_PageDown}) << 9 << 0;
    QTest::newRow("page down twice") << 1000 << keys({Key_PageDown, Key_PageDown}) << 18 << 9;
    QTest::newRow("page down from inside the page")
        << 1000 << keys({Key_Down, Key_Down, Key_Down, Key_PageDown}) << 9 << 0;
    QTest::newRow("page up from inside the page")
        << 1000 << keys({Key_PageDown, Key_PageDown, Key_Up, Key_Up, Key_Up, Key_PageUp}) << 9 << 9;
    QTest::newRow("page up to the page's top")
        << 1000 << keys({Key_PageDown, Key_PageDown, Key_PageUp}) << 9 << 9;
    QTest::newRow("page up twice from the end")
        << 1000 << keys({Key_End, Key_PageUp, Key_PageUp}) << 981 << 981;
    QTest::newRow("page down at the end") << 1000 << keys({Key_End, Key_PageDown}) << 999 << 990;
    QTest::newRow("end of INT_MAX rows")
        << kMaxRows << keys({Key_End}) << kMaxRows - 1 << kMaxRows - kPage;
    QTest::newRow("page up from the end of INT_MAX rows")
        << kMaxRows << keys({Key_End, Key_PageUp, Key_PageUp}) << kMaxRows - 1 - 2 * (kPage - 1)
        << kMaxRows - 1 - 2 * (kPage - 1);
    QTest::newRow("end, home of 1073676289 rows")
        << kBillionRows << keys({Key_End, Key_Home}) << 0 << 0;
}

void TestUniformListView::keyboardNavigation()
{
    QFETCH(int, rows);
    QFETCH(QTestEventList, keys);
    QFETCH(int, expectedCurrent);
    QFETCH(int, expectedTop);
    LazyRowModel model(rows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(0, 0));

    keys.simulate(&view);
    QCOMPARE(view.currentIndex(), model.index(expectedCurrent, 0));
    QCOMPARE(view.verticalScrollBar()->value(), expectedTop);
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, expectedCurrent, expectedCurrent));
}

void TestUniformListView::returnKeyReachesTheDialog()
{
    LazyRowModel model(100);
    QDialog dialog;
    auto* view = new UniformListView(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(ok);
    view->setModel(&model);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    view->setFocus();
    view->setCurrentIndex(model.index(4, 0));
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(view->currentIndex(), model.index(4, 0));
}

void TestUniformListView::keyboardSelectsEveryRowAsOneRange_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QTestEventList>("keys");

    QTestEventList selectAll;
    selectAll.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    QTestEventList homeShiftEnd;
    homeShiftEnd.addKeyClick(Qt::Key_Home);
    homeShiftEnd.addKeyClick(Qt::Key_End, Qt::ShiftModifier);
    QTestEventList endShiftHome;
    endShiftHome.addKeyClick(Qt::Key_End);
    endShiftHome.addKeyClick(Qt::Key_Home, Qt::ShiftModifier);

    QTest::newRow("ctrl+a, 1073676289 rows") << kBillionRows << selectAll;
    QTest::newRow("ctrl+a, INT_MAX rows") << kMaxRows << selectAll;
    QTest::newRow("home, shift+end, 1073676289 rows") << kBillionRows << homeShiftEnd;
    QTest::newRow("home, shift+end, INT_MAX rows") << kMaxRows << homeShiftEnd;
    QTest::newRow("end, shift+home, INT_MAX rows") << kMaxRows << endShiftHome;
    QTest::newRow("home, shift+end, 1000 rows") << 1000 << homeShiftEnd;
}

void TestUniformListView::keyboardSelectsEveryRowAsOneRange()
{
    QFETCH(int, rows);
    QFETCH(QTestEventList, keys);
    LazyRowModel model(rows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(kPage / 2, 0));

    keys.simulate(&view);
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, 0, rows - 1));
}

void TestUniformListView::mouseSelection()
{
    LazyRowModel model(1000);
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QItemSelectionModel* selection = view.selectionModel();
    const auto click = [&view](int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, rowCenter(view, row));
    };

    click(3);
    QCOMPARE(selection->selection(), oneRange(model, 3, 3));
    QCOMPARE(view.currentIndex(), model.index(3, 0));
    click(7, Qt::ShiftModifier);
    QCOMPARE(selection->selection(), oneRange(model, 3, 7));
    QCOMPARE(view.currentIndex(), model.index(7, 0));
    click(1, Qt::ShiftModifier);
    QCOMPARE(selection->selection(), oneRange(model, 1, 3));
    click(6, Qt::ControlModifier);
    QCOMPARE(selection->selectedRows().size(), 4);
    QVERIFY(selection->isRowSelected(6, {}));
    QVERIFY(!selection->isRowSelected(5, {}));
    click(5);
    QCOMPARE(selection->selection(), oneRange(model, 5, 5));
}

void TestUniformListView::shiftClickAfterScrolling_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("1000 rows") << 1000;
    QTest::newRow("1073676289 rows") << kBillionRows;
    QTest::newRow("INT_MAX rows") << kMaxRows;
}

void TestUniformListView::shiftClickAfterScrolling()
{
    QFETCH(int, rows);
    LazyRowModel model(rows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowCenter(view, 2));
    QScrollBar* scrollBar = view.verticalScrollBar();
    scrollBar->setValue(scrollBar->maximum());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      rowCenter(view, rows - 3));
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, 2, rows - 3));

    scrollBar->setValue(rows / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      rowCenter(view, rows / 2 + 1));
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, 2, rows / 2 + 1));
}

void TestUniformListView::dragSelectionKeepsItsAnchorWhileScrolling_data()
{
    QTest::addColumn<int>("scrollRows");
    QTest::newRow("a few rows") << 3;
    QTest::newRow("half a billion rows") << 500'000'000;
}

void TestUniformListView::dragSelectionKeepsItsAnchorWhileScrolling()
{
    QFETCH(int, scrollRows);
    LazyRowModel model(kBillionRows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QWidget* viewport = view.viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, rowCenter(view, 2));
    sendMouseMove(viewport, rowCenter(view, 5));
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, 2, 5));

    view.verticalScrollBar()->setValue(scrollRows);
    sendMouseMove(viewport, rowCenter(view, scrollRows + 5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowCenter(view, scrollRows + 5));
    QCOMPARE(view.selectionModel()->selection(), oneRange(model, 2, scrollRows + 5));
}

void TestUniformListView::spaceTogglesCheckBox()
{
    LazyRowModel model(1000, true);
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(5, 0));

    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(model.isChecked(5));
    QVERIFY(!model.isChecked(4));
    QVERIFY(!model.isChecked(6));
    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(!model.isChecked(5));
}

void TestUniformListView::clickTogglesOnlyOnTheCheckBox_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("onCheckBox");
    QTest::newRow("check box, top of the list") << 1000 << 3 << true;
    QTest::newRow("text, top of the list") << 1000 << 3 << false;
    QTest::newRow("check box, middle of 1073676289 rows")
        << kBillionRows << kBillionRows / 2 << true;
    QTest::newRow("text, middle of 1073676289 rows") << kBillionRows << kBillionRows / 2 << false;
    QTest::newRow("check box, last of INT_MAX rows") << kMaxRows << kMaxRows - 1 << true;
}

void TestUniformListView::clickTogglesOnlyOnTheCheckBox()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(bool, onCheckBox);
    LazyRowModel model(rows, true);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    const QModelIndex index = model.index(row, 0);
    view.scrollTo(index, QAbstractItemView::PositionAtCenter);

    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(index);
    OptionDelegate().initStyleOption(&option, index);
    const QRect checkBox =
        view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
    QVERIFY(!checkBox.isEmpty());
    QVERIFY(option.rect.contains(checkBox));
    const QPoint target =
        onCheckBox ? checkBox.center() : QPoint(option.rect.right() - 5, option.rect.center().y());

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, target);
    QCOMPARE(model.isChecked(row), onCheckBox);
    QCOMPARE(view.selectionModel()->isRowSelected(row, {}), !onCheckBox);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, target);
    QVERIFY(!model.isChecked(row));
}

// A change of every row's tick (a bulk rule, undo) must not walk the rows.
void TestUniformListView::changingEveryRowRepaintsOnlyTheVisibleRows()
{
    // Large enough that walking it shows up in the count below, small enough to finish if it does.
    LazyRowModel model(1'000'000, true);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QCoreApplication::processEvents();
    const qint64 parentCallsBefore = model.parentCalls();
    const qint64 dataCallsBefore = model.dataCalls();

    emit model.dataChanged(model.index(0, 0), model.index(999'999, 0), {Qt::CheckStateRole});
    QCoreApplication::processEvents();
    QVERIFY2(model.parentCalls() - parentCallsBefore < 1000,
             qPrintable(QString::number(model.parentCalls() - parentCallsBefore)));
    QVERIFY(model.dataCalls() > dataCallsBefore);
}

void TestUniformListView::typingDoesNotWalkTheModel_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("space") << QStringLiteral(" ");
    QTest::newRow("letter") << QStringLiteral("r");
}

void TestUniformListView::typingDoesNotWalkTheModel()
{
    QFETCH(QString, text);
    // Large enough that walking it shows up in the count below, small enough to finish if it does.
    LazyRowModel model(1'000'000);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(7, 0));
    const qint64 callsBefore = model.dataCalls();

    QTest::keyClicks(&view, text);
    QVERIFY2(model.dataCalls() - callsBefore < 100,
             qPrintable(QString::number(model.dataCalls() - callsBefore)));
    QCOMPARE(view.currentIndex(), model.index(7, 0));
}

void TestUniformListView::headerShowsHeadingAndIgnoresClicks()
{
    LazyRowModel model(1000);
    model.setHeading(QStringLiteral("Given name"));
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QHeaderView* header = view.header();
    QVERIFY(header->isVisible());
    QCOMPARE(header->geometry().bottom() + 1, view.viewport()->geometry().top());
    QCOMPARE(header->count(), 1);
    QCOMPARE(header->sectionSize(0), 200);
    QCOMPARE(view.columnWidth(), 200);
    // The heading is drawn: the header looks different from one whose heading is empty.
    LazyRowModel unnamed(1000);
    UniformListView plain;
    plain.setModel(&unnamed);
    QVERIFY(showWithPage(plain));
    QCOMPARE(plain.header()->size(), header->size());
    QVERIFY(header->grab().toImage() != plain.header()->grab().toImage());

    view.setCurrentIndex(model.index(4, 0));
    view.selectionModel()->select(oneRange(model, 3, 5), QItemSelectionModel::ClearAndSelect);
    const QItemSelection before = view.selectionModel()->selection();
    const QPoint section(header->sectionViewportPosition(0) + 20, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, section);

    QCOMPARE(model.sortCalls(), 0);
    QVERIFY(!header->isSortIndicatorShown());
    QVERIFY(!header->sectionsClickable());
    QVERIFY(!header->sectionsMovable());
    QCOMPARE(view.selectionModel()->selection(), before);
    QCOMPARE(view.currentIndex(), model.index(4, 0));
    QCOMPARE(view.indexAt(rowCenter(view, 0)), model.index(0, 0));
}

void TestUniformListView::columnWidthFollowsTheHeader()
{
    LazyRowModel model(100);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    const QModelIndex index = model.index(1, 0);

    view.setColumnWidth(150);
    QCOMPARE(view.header()->sectionSize(0), 150);
    QCOMPARE(view.visualRect(index).width(), 149);
    QVERIFY(!view.indexAt(QPoint(160, rowCenter(view, 1).y())).isValid());

    view.header()->resizeSection(0, 240);
    QCOMPARE(view.columnWidth(), 240);
    QCOMPARE(view.indexAt(QPoint(230, rowCenter(view, 1).y())), index);

    model.resetRows(50);
    QCOMPARE(view.header()->sectionSize(0), 240);
    QCOMPARE(view.columnWidth(), 240);
}

void TestUniformListView::insertedRowsKeepTheVisibleRows_data()
{
    QTest::addColumn<int>("insertAt");
    QTest::addColumn<int>("expectedTop");
    QTest::newRow("above the view") << 10 << 55;
    QTest::newRow("at the first visible row") << 50 << 50;
    QTest::newRow("inside the view") << 53 << 50;
    QTest::newRow("at the end") << 100 << 50;
}

void TestUniformListView::insertedRowsKeepTheVisibleRows()
{
    QFETCH(int, insertAt);
    QFETCH(int, expectedTop);
    QStringListModel* model = numberedStrings(100, this);
    const auto tester = testerFor(model);
    UniformListView view;
    view.setModel(model);
    QVERIFY(showWithPage(view));
    view.scrollTo(model->index(50, 0), QAbstractItemView::PositionAtTop);

    QVERIFY(model->insertRows(insertAt, 5));
    QCOMPARE(view.verticalScrollBar()->maximum(), 105 - kPage);
    QCOMPARE(view.verticalScrollBar()->value(), expectedTop);
    QCOMPARE(view.indexAt(QPoint(5, 1)), model->index(expectedTop, 0));
    delete model;
}

void TestUniformListView::rowHeightFollowsDelegateAndFont()
{
    QStringListModel* model = numberedStrings(0, this);
    const auto tester = testerFor(model);
    UniformListView view;
    TallDelegate tall;
    view.setItemDelegate(&tall);
    view.setModel(model);
    QVERIFY(showWithPage(view, 1));
    const int fontBased = view.rowHeight();
    QVERIFY(fontBased > view.fontMetrics().height());
    QVERIFY(fontBased < TallDelegate::kHeight);

    QVERIFY(model->insertRows(0, 3));
    QCOMPARE(view.rowHeight(), TallDelegate::kHeight + 1);
    QCOMPARE(view.visualRect(model->index(2, 0)).top(), 2 * view.rowHeight());
    QVERIFY(model->removeRows(0, 3));
    QCOMPARE(view.rowHeight(), fontBased);

    view.setItemDelegate(nullptr);
    QFont larger = view.font();
    larger.setPointSizeF(larger.pointSizeF() * 3);
    view.setFont(larger);
    QTRY_VERIFY(view.rowHeight() > 2 * fontBased);
    delete model;
}

void TestUniformListView::selectionChangesRepaintTheVisibleSelectedRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstVisible");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("one row") << 1000 << 0 << 7 << 7;
    QTest::newRow("INT_MAX rows, all of them") << kMaxRows << 0 << 0 << kMaxRows - 1;
    QTest::newRow("INT_MAX rows, all of them, seen from the middle")
        << kMaxRows << kMaxRows / 2 << 0 << kMaxRows - 1;
    QTest::newRow("INT_MAX rows, up to the middle, seen from there")
        << kMaxRows << kMaxRows / 2 - 4 << 0 << kMaxRows / 2;
}

void TestUniformListView::selectionChangesRepaintTheVisibleSelectedRows()
{
    QFETCH(int, rows);
    QFETCH(int, firstVisible);
    QFETCH(int, top);
    QFETCH(int, bottom);
    LazyRowModel model(rows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setFocus();
    view.scrollTo(model.index(firstVisible, 0), QAbstractItemView::PositionAtTop);
    PaintRecorder recorder;
    view.viewport()->installEventFilter(&recorder);
    QTRY_VERIFY(!recorder.region.isEmpty());
    QCoreApplication::processEvents();
    recorder.region = QRegion();

    view.selectionModel()->select(oneRange(model, top, bottom),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTRY_VERIFY(!recorder.region.isEmpty());
    for (int row = firstVisible; row <= firstVisible + kPage; ++row) {
        const QRect rect = view.visualRect(model.index(row, 0)) & view.viewport()->rect();
        const bool selected = row >= top && row <= bottom;
        QCOMPARE(recorder.region.intersected(rect) == QRegion(rect), selected);
    }
}

void TestUniformListView::removingRowsKeepsCurrentAndScrollSane_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("removeAt");
    QTest::addColumn<int>("removals");
    QTest::addColumn<QString>("finalCurrentText");
    QTest::newRow("the current row, again and again") << 150 << "current" << 100 << "row 50";
    QTest::newRow("rows above the view") << 105 << "first" << 50 << "row 105";
    QTest::newRow("the last row, down to three rows") << 199 << "last" << 197 << "row 2";
}

void TestUniformListView::removingRowsKeepsCurrentAndScrollSane()
{
    QFETCH(int, current);
    QFETCH(QString, removeAt);
    QFETCH(int, removals);
    QFETCH(QString, finalCurrentText);
    LazyRowModel model(200);
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(current, 0));

    for (int i = 0; i < removals; ++i) {
        const int rows = model.rowCount();
        const int row = removeAt == u"current" ? view.currentIndex().row()
                        : removeAt == u"first" ? 0
                                               : rows - 1;
        const QModelIndex top = view.indexAt(QPoint(5, 1));
        const QString topText = top.data().toString();
        model.removeOneRow(row);

        if (row < top.row())
            QCOMPARE(view.indexAt(QPoint(5, 1)).data().toString(), topText);
        QScrollBar* scrollBar = view.verticalScrollBar();
        QCOMPARE(scrollBar->maximum(), std::max(0, rows - 1 - kPage));
        QVERIFY(scrollBar->value() <= scrollBar->maximum());
        const QModelIndex now = view.currentIndex();
        QVERIFY(now.isValid());
        QVERIFY(now.row() < model.rowCount());
        QCOMPARE(view.indexAt(view.visualRect(now).center()), now);
    }
    QCOMPARE(view.currentIndex().data().toString(), finalCurrentText);
    QVERIFY(view.viewport()->rect().contains(view.visualRect(view.currentIndex())));
}

void TestUniformListView::burstOfRemovalsOnAHugeModel()
{
    constexpr int kRemovals = 5000;
    LazyRowModel model(kBillionRows);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    const int middle = kBillionRows / 2;
    view.setCurrentIndex(model.index(middle, 0));
    const qint64 callsBefore = model.dataCalls();

    for (int i = 0; i < kRemovals; ++i)
        model.removeOneRow(view.currentIndex().row());

    QVERIFY2(model.dataCalls() - callsBefore < kRemovals,
             qPrintable(QString::number(model.dataCalls() - callsBefore)));
    QCOMPARE(view.currentIndex().row(), middle - kRemovals);
    QCOMPARE(view.currentIndex().data().toString(),
             QStringLiteral("row %1").arg(middle - kRemovals));
    QCOMPARE(view.verticalScrollBar()->maximum(), kBillionRows - kRemovals - kPage);
    QVERIFY(view.viewport()->rect().contains(view.visualRect(view.currentIndex())));
}

void TestUniformListView::modelResetClearsSelection()
{
    LazyRowModel model(1000);
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.setCurrentIndex(model.index(500, 0));
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(view.selectionModel()->hasSelection());

    model.resetRows(300);
    QVERIFY(!view.selectionModel()->hasSelection());
    QVERIFY(!view.currentIndex().isValid());
    QCOMPARE(view.verticalScrollBar()->value(), 0);
    QCOMPARE(view.verticalScrollBar()->maximum(), 300 - kPage);
    QCOMPARE(view.indexAt(QPoint(5, 1)), model.index(0, 0));

    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(view.currentIndex(), model.index(299, 0));
}

void TestUniformListView::nullAndEmptyModels_data()
{
    QTest::addColumn<bool>("withModel");
    QTest::newRow("null model") << false;
    QTest::newRow("no rows") << true;
}

void TestUniformListView::nullAndEmptyModels()
{
    QFETCH(bool, withModel);
    LazyRowModel model(0);
    const auto tester = testerFor(&model);
    UniformListView view;
    view.setModel(withModel ? &model : nullptr);
    QVERIFY(showWithPage(view, 1));
    QVERIFY(view.rowHeight() > view.fontMetrics().height());

    view.grab();
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_PageDown);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!view.currentIndex().isValid());
    QVERIFY(!view.indexAt(QPoint(5, 5)).isValid());
    QVERIFY(!view.selectionModel()->hasSelection());
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
}

void TestUniformListView::selectionIsDrawnOnlyWithFocus()
{
    LazyRowModel model(100);
    QWidget window;
    auto* view = new UniformListView(&window);
    auto* edit = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    layout->addWidget(edit);
    RecordingDelegate delegate;
    view->setItemDelegate(&delegate);
    view->setModel(&model);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    view->setCurrentIndex(model.index(2, 0));

    // Each focus change repaints the rows by itself.
    delegate.painted.clear();
    view->setFocus();
    QVERIFY(view->hasFocus());
    QTRY_VERIFY(delegate.painted.contains(2));
    QVERIFY(delegate.painted.at(2) & QStyle::State_Selected);
    QVERIFY(delegate.painted.at(2) & QStyle::State_HasFocus);
    const QImage focused = view->viewport()->grab().toImage();
    QVERIFY(!(delegate.painted.at(3) & QStyle::State_Selected));

    delegate.painted.clear();
    edit->setFocus();
    QVERIFY(!view->hasFocus());
    QTRY_VERIFY(delegate.painted.contains(2));
    QVERIFY(!(delegate.painted.at(2) & QStyle::State_Selected));
    QVERIFY(!(delegate.painted.at(2) & QStyle::State_HasFocus));
    QVERIFY(view->selectionModel()->isRowSelected(2, {}));
    QVERIFY(view->viewport()->grab().toImage() != focused);
}

void TestUniformListView::gridLines()
{
    LazyRowModel model(100);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    QStyleOptionViewItem option;
    option.initFrom(&view);
    const QColor grid = QColor::fromRgba(
        static_cast<QRgb>(view.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &view)));
    const QImage image = view.viewport()->grab().toImage();
    const int rowHeight = view.rowHeight();
    const int right = view.columnWidth() - 1;
    QVERIFY(image.width() > right + 10);

    for (int row = 0; row < kPage; ++row) {
        const int bottom = (row + 1) * rowHeight - 1;
        QCOMPARE(image.pixelColor(right - 10, bottom), grid);
        QCOMPARE(image.pixelColor(right + 10, bottom), grid);
        QVERIFY(image.pixelColor(right - 10, bottom - 1) != grid);
        QCOMPARE(image.pixelColor(right, bottom - 2), grid);
        QVERIFY(image.pixelColor(right - 1, bottom - 2) != grid);
        QVERIFY(image.pixelColor(right + 1, bottom - 2) != grid);
    }
}

void TestUniformListView::horizontalScrolling()
{
    LazyRowModel model(100);
    UniformListView view;
    view.setModel(&model);
    QVERIFY(showWithPage(view));
    view.resize(150, view.height());
    const int viewportWidth = view.viewport()->width();
    QVERIFY(viewportWidth < view.columnWidth());
    QScrollBar* scrollBar = view.horizontalScrollBar();
    QCOMPARE(scrollBar->maximum(), view.columnWidth() - viewportWidth);

    scrollBar->setValue(scrollBar->maximum());
    const int offset = scrollBar->value();
    const QModelIndex index = model.index(1, 0);
    QCOMPARE(view.visualRect(index).left(), -offset);
    QCOMPARE(view.header()->offset(), offset);
    QCOMPARE(view.indexAt(QPoint(viewportWidth - 1, rowCenter(view, 1).y())), index);
}

QTEST_MAIN(TestUniformListView)
#include "test_uniform_list_view.moc"
