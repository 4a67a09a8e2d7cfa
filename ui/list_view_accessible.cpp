#include "ui/list_view_accessible.h"

#include "ui/uniform_list_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

// Lists of selected rows or cells handed out at once stop here; the counts stay exact.
constexpr int kSelectionListLimit = 10'000;

QAccessibleInterface* factory(const QString& key, QObject* object)
{
    if (key == QLatin1String("UniformListView"))
        if (auto* view = qobject_cast<UniformListView*>(object))
            return new ListViewAccessible(view);
    return nullptr;
}

qint64 cellKey(int row, int column)
{
    return (qint64(row) + 1) << 20 | column;
}

// The selected rows as sorted, disjoint, inclusive ranges, from the selection's ranges alone.
std::vector<std::pair<int, int>> selectedRowRanges(const UniformListView* view)
{
    std::vector<std::pair<int, int>> ranges;
    const QItemSelectionModel* selection = view->selectionModel();
    if (!selection || selection->model() != view->model())
        return ranges;
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.isValid() && range.parent() == view->rootIndex())
            ranges.emplace_back(range.top(), range.bottom());
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& range : ranges) {
        if (!merged.empty() && qint64(range.first) <= qint64(merged.back().second) + 1)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

qint64 selectedRowTotal(const UniformListView* view)
{
    qint64 total = 0;
    for (const auto& [top, bottom] : selectedRowRanges(view))
        total += qint64(bottom) - top + 1;
    return total;
}

int clampToInt(qint64 value)
{
    return int(std::min<qint64>(value, kIntMax));
}

} // namespace

// ---- The list ----

ListViewAccessible::ListViewAccessible(UniformListView* view)
    : QAccessibleWidget(view, QAccessible::Table)
{
}

ListViewAccessible::~ListViewAccessible()
{
    forgetCells();
}

UniformListView* ListViewAccessible::view() const
{
    return static_cast<UniformListView*>(widget());
}

bool ListViewAccessible::isValid() const
{
    return QAccessibleWidget::isValid() && view()->model();
}

QAccessible::State ListViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiSelectable = view()->selectionMode() == QAbstractItemView::ExtendedSelection ||
                            view()->selectionMode() == QAbstractItemView::MultiSelection;
    return state;
}

int ListViewAccessible::columnCount() const
{
    return view()->shownColumnCount();
}

int ListViewAccessible::rowCount() const
{
    const QAbstractItemModel* model = view()->model();
    return model ? model->rowCount(view()->rootIndex()) : 0;
}

// Children are the header row (while the header shows), then the cells row by row. Rows whose
// child number would pass INT_MAX are still reached through cellAt().
int ListViewAccessible::childCount() const
{
    const qint64 headerRows = view()->header()->isHidden() ? 0 : 1;
    return clampToInt((rowCount() + headerRows) * qint64(columnCount()));
}

QAccessibleInterface* ListViewAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0)
        return nullptr;
    const int column = index % columns;
    int row = index / columns;
    if (view()->header()->isHidden())
        ++row;
    if (row == 0)
        return headerCell(column);
    return cellAt(row - 1, column);
}

int ListViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const ListCellAccessible*>(child);
    if (!cell || cell->parent() != this)
        return -1;
    const qint64 column = cell->columnIndex();
    const qint64 headerRows = view()->header()->isHidden() ? 0 : 1;
    const qint64 row = cell->isHeader() ? -1 : cell->rowIndex();
    if (column < 0 || (cell->isHeader() && headerRows == 0))
        return -1;
    const qint64 index = (row + headerRows) * columnCount() + column;
    return index >= 0 && index <= kIntMax ? int(index) : -1;
}

QAccessibleInterface* ListViewAccessible::childAt(int x, int y) const
{
    const QPoint global(x, y);
    QHeaderView* header = view()->header();
    const QPoint inHeader = header->mapFromGlobal(global);
    // The header lies right above the viewport and scrolls with it.
    if (header->isVisible() && header->rect().contains(inHeader))
        return headerCell(view()->columnAt(inHeader.x()));
    const QPoint inViewport = view()->viewport()->mapFromGlobal(global);
    if (!view()->viewport()->rect().contains(inViewport))
        return nullptr;
    const QModelIndex index = view()->indexAt(inViewport);
    return index.isValid() ? cell(index.row(), view()->columnAt(inViewport.x())) : nullptr;
}

QAccessibleInterface* ListViewAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    if (!view()->hasFocus() || !current.isValid())
        return nullptr;
    return cell(current.row(), 0);
}

void* ListViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* ListViewAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return cell(row, column);
}

QAccessibleInterface* ListViewAccessible::headerCell(int column) const
{
    if (column < 0 || column >= columnCount())
        return nullptr;
    return cell(-1, column);
}

QAccessibleInterface* ListViewAccessible::cell(int row, int column) const
{
    const qint64 key = cellKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend()) {
        auto* known = static_cast<ListCellAccessible*>(QAccessible::accessibleInterface(*found));
        if (known && known->standsFor(row, column))
            return known;
        // The rows moved, the model was reset or the column went since the cell was made.
        QAccessible::deleteAccessibleInterface(*found);
        m_cells.erase(found);
    }
    auto* made = new ListCellAccessible(view(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

void ListViewAccessible::forgetCells() const
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

void ListViewAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        forgetCells();
}

int ListViewAccessible::selectedRowCount() const
{
    return clampToInt(selectedRowTotal(view()));
}

int ListViewAccessible::selectedCellCount() const
{
    return clampToInt(selectedRowTotal(view()) * columnCount());
}

QList<int> ListViewAccessible::selectedRows() const
{
    QList<int> rows;
    for (const auto& [top, bottom] : selectedRowRanges(view())) {
        for (qint64 row = top; row <= bottom && rows.size() < kSelectionListLimit; ++row)
            rows.append(int(row));
    }
    return rows;
}

QList<QAccessibleInterface*> ListViewAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    const int columns = columnCount();
    const QList<int> rows = selectedRows();
    for (qsizetype i = 0; i < rows.size() && cells.size() < kSelectionListLimit; ++i) {
        for (int column = 0; column < columns; ++column)
            cells.append(cellAt(rows[i], column));
    }
    return cells;
}

bool ListViewAccessible::isRowSelected(int row) const
{
    const QItemSelectionModel* selection = view()->selectionModel();
    return selection && row >= 0 && row < rowCount() &&
           selection->isSelected(view()->model()->index(row, 0, view()->rootIndex()));
}

// Rows are selected whole; a column counts as selected when every row is.
bool ListViewAccessible::isColumnSelected(int column) const
{
    return column >= 0 && column < columnCount() && rowCount() > 0 &&
           selectedRowTotal(view()) == rowCount();
}

int ListViewAccessible::selectedColumnCount() const
{
    return isColumnSelected(0) ? columnCount() : 0;
}

QList<int> ListViewAccessible::selectedColumns() const
{
    QList<int> columns;
    for (int column = 0; column < selectedColumnCount(); ++column)
        columns.append(column);
    return columns;
}

QString ListViewAccessible::columnDescription(int column) const
{
    const QAccessibleInterface* header = headerCell(column);
    return header ? header->text(QAccessible::Name) : QString();
}

QString ListViewAccessible::rowDescription(int row) const
{
    Q_UNUSED(row);
    return {};
}

bool ListViewAccessible::selectRow(int row)
{
    QItemSelectionModel* selection = view()->selectionModel();
    if (!selection || row < 0 || row >= rowCount())
        return false;
    const QModelIndex index = view()->model()->index(row, 0, view()->rootIndex());
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::Select;
    if (view()->selectionMode() == QAbstractItemView::SingleSelection)
        command = QItemSelectionModel::ClearAndSelect;
    selection->select(index, command | QItemSelectionModel::Rows);
    return true;
}

bool ListViewAccessible::unselectRow(int row)
{
    QItemSelectionModel* selection = view()->selectionModel();
    if (!selection || row < 0 || row >= rowCount())
        return false;
    const QModelIndex index = view()->model()->index(row, 0, view()->rootIndex());
    selection->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

bool ListViewAccessible::selectColumn(int column)
{
    Q_UNUSED(column);
    return false;
}

bool ListViewAccessible::unselectColumn(int column)
{
    Q_UNUSED(column);
    return false;
}

// ---- One cell or heading ----

ListCellAccessible::ListCellAccessible(UniformListView* view, int row, int column)
    : m_view(view)
    , m_index(row < 0 ? QModelIndex() : view->model()->index(row, 0, view->rootIndex()))
    , m_model(view->model())
    , m_header(row < 0)
    , m_column(column)
{
}

bool ListCellAccessible::standsFor(int row, int column) const
{
    if (!isValid() || m_column != column)
        return false;
    return m_header ? row < 0 : m_index.row() == row;
}

bool ListCellAccessible::isValid() const
{
    if (!m_view || m_view->model() != m_model || !m_model || m_column >= m_view->shownColumnCount())
        return false;
    return m_header || m_index.isValid();
}

QWindow* ListCellAccessible::window() const
{
    const QAccessibleInterface* list = parent();
    return list ? list->window() : nullptr;
}

QAccessibleInterface* ListCellAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

int ListCellAccessible::rowIndex() const
{
    return m_header ? -1 : m_index.row();
}

int ListCellAccessible::columnIndex() const
{
    return isValid() ? m_column : -1;
}

QString ListCellAccessible::text(QAccessible::Text type) const
{
    if (!isValid())
        return {};
    if (m_header) {
        if (type != QAccessible::Name)
            return {};
        if (m_column > 0)
            return m_view->detailSpokenHeading();
        const QVariant spoken = m_model->headerData(0, Qt::Horizontal, Qt::AccessibleTextRole);
        return spoken.isValid() ? spoken.toString()
                                : m_model->headerData(0, Qt::Horizontal).toString();
    }
    switch (type) {
    case QAccessible::Name: {
        if (m_column > 0)
            return m_index.data(m_view->detailRole()).toString();
        const QVariant spoken = m_index.data(Qt::AccessibleTextRole);
        return spoken.isValid() ? spoken.toString() : m_index.data(Qt::DisplayRole).toString();
    }
    case QAccessible::Description:
        return m_index.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

// On-screen rectangle; empty for rows scrolled out of sight.
QRect ListCellAccessible::rect() const
{
    if (!isValid())
        return {};
    if (m_header) {
        // The header lies right above the viewport and scrolls with it.
        const QHeaderView* header = m_view->header();
        if (header->isHidden())
            return {};
        const QRect span = m_view->columnSpan(m_column);
        const QRect shown = QRect(span.left(), 0, span.width(), header->height()) & header->rect();
        return shown.isEmpty() ? QRect() : shown.translated(header->mapToGlobal(QPoint(0, 0)));
    }
    QWidget* viewport = m_view->viewport();
    const QRect shown = m_view->cellRect(m_index, m_column) & viewport->rect();
    return shown.isEmpty() ? QRect() : shown.translated(viewport->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role ListCellAccessible::role() const
{
    return m_header ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State ListCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (rect().isEmpty())
        state.offscreen = true;
    if (m_header)
        return state;
    const Qt::ItemFlags flags = m_index.flags();
    state.disabled = !(flags & Qt::ItemIsEnabled);
    state.selectable = flags.testFlag(Qt::ItemIsSelectable);
    state.selected = isSelected();
    state.focusable = true;
    const QModelIndex current = m_view->currentIndex();
    state.focused = m_column == 0 && m_view->hasFocus() && current.row() == m_index.row();
    // The check box sits in the first column.
    if (m_column == 0 && flags & Qt::ItemIsUserCheckable) {
        state.checkable = true;
        state.checked = m_index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    }
    return state;
}

void* ListCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface && !m_header)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool ListCellAccessible::isSelected() const
{
    const QItemSelectionModel* selection = m_view ? m_view->selectionModel() : nullptr;
    return !m_header && selection && isValid() && selection->isSelected(m_index);
}

QList<QAccessibleInterface*> ListCellAccessible::columnHeaderCells() const
{
    const auto* list = static_cast<const ListViewAccessible*>(parent());
    QAccessibleInterface* header = list ? list->headerCell(m_column) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QStringList ListCellAccessible::actionNames() const
{
    if (!isValid() || m_header || m_column > 0)
        return {};
    if (m_index.flags() & Qt::ItemIsUserCheckable)
        return {toggleAction()};
    return {};
}

// Ticks or unticks the row as a click on its check box would.
void ListCellAccessible::doAction(const QString& actionName)
{
    if (actionName != toggleAction() || !actionNames().contains(actionName))
        return;
    const bool checked = m_index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    const_cast<QAbstractItemModel*>(m_model)->setData(
        m_index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// ---- Installation and announcements ----

void installListViewAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

namespace {

ListViewAccessible* listInterface(UniformListView* view)
{
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<ListViewAccessible*>(QAccessible::queryAccessibleInterface(view));
}

} // namespace

void announceCurrentRow(UniformListView* view, const QModelIndex& current)
{
    ListViewAccessible* list = listInterface(view);
    if (!list || !view->hasFocus() || !current.isValid())
        return;
    if (QAccessibleInterface* cell = list->cellAt(current.row(), 0)) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

// Only the changed rows on screen are announced: a change to every row of a long list would
// otherwise make a cell for each.
void announceCheckChanges(UniformListView* view, const QModelIndex& topLeft,
                          const QModelIndex& bottomRight)
{
    ListViewAccessible* list = listInterface(view);
    if (!list)
        return;
    const qint64 firstShown = view->verticalScrollBar()->value();
    const qint64 lastShown = firstShown + view->verticalScrollBar()->pageStep();
    const qint64 first = std::max<qint64>(topLeft.row(), firstShown);
    const qint64 last = std::min<qint64>(bottomRight.row(), lastShown);
    QAccessible::State changed;
    changed.checked = true;
    for (qint64 row = first; row <= last; ++row) {
        if (QAccessibleInterface* cell = list->cellAt(int(row), 0)) {
            QAccessibleStateChangeEvent event(cell, changed);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void announceSelectionChange(UniformListView* view)
{
    if (!listInterface(view))
        return;
    QAccessibleEvent event(view, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}

void announceDetailColumn(UniformListView* view, bool shown)
{
    if (!listInterface(view))
        return;
    QAccessibleTableModelChangeEvent event(
        view, shown ? QAccessibleTableModelChangeEvent::ColumnsInserted
                    : QAccessibleTableModelChangeEvent::ColumnsRemoved);
    event.setFirstColumn(1);
    event.setLastColumn(1);
    QAccessible::updateAccessibility(&event);
}
