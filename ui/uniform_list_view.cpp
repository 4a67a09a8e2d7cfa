#include "ui/uniform_list_view.h"

#include "ui/list_view_accessible.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultColumnWidth = 200;
constexpr int kGridLineWidth = 1;
// Space around the text when the delegate asks for less than the font height.
constexpr int kMinimumTextPadding = 4;

// Rows whose top edge lies within this many pixels of the viewport are placed at their real
// position. A row further away has no position representable in int, so visualRect() returns a
// 1x1 marker rectangle at x = kFarX instead, whose top edge names the row: rows above the viewport
// get row - 2^31 (negative), rows below get the row itself (positive). indexAt() and setSelection()
// read such points back, which keeps QAbstractItemView's selection anchor, taken from
// visualRect(anchor).center(), exact however far the view has scrolled from it.
constexpr qint64 kNearLimit = qint64(1) << 30;
constexpr int kFarX = 1 << 30;
constexpr qint64 kRowSpan = qint64(1) << 31;

qint64 floorDiv(qint64 value, qint64 divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

UniformListView::UniformListView(QWidget* parent)
    : QAbstractItemView(parent)
    , m_header(new QHeaderView(Qt::Horizontal, this))
    , m_columnWidth(kDefaultColumnWidth)
{
    installListViewAccessible();
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);

    m_header->setSectionsClickable(false);
    m_header->setSectionsMovable(false);
    m_header->setSortIndicatorShown(false);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setDefaultSectionSize(m_columnWidth);
    connect(m_header, &QHeaderView::sectionResized, this, &UniformListView::onSectionResized);

    updateRowHeight();
}

void UniformListView::setModel(QAbstractItemModel* model)
{
    if (QAbstractItemModel* old = this->model())
        disconnect(old, &QAbstractItemModel::rowsRemoved, this, &UniformListView::onRowsRemoved);
    m_header->setModel(model);
    QAbstractItemView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::rowsRemoved, this, &UniformListView::onRowsRemoved);
}

// A reset shows the new rows from the top, with scroll ranges that are right at once.
void UniformListView::reset()
{
    QAbstractItemView::reset();
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(0);
}

void UniformListView::doItemsLayout()
{
    updateRowHeight();
    QAbstractItemView::doItemsLayout();
}

// Type-ahead search would walk the rows one by one through the model, which does not finish
// in reasonable time on lists of a billion rows; like a virtual list control without a find
// handler, the view ignores it.
void UniformListView::keyboardSearch(const QString& search)
{
    Q_UNUSED(search);
}

QRect UniformListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() ||
        index.column() != 0)
        return {};
    const int first = firstVisibleRow();
    const qint64 top = qint64(index.row() - first) * m_rowHeight;
    if (top < -kNearLimit || top > kNearLimit) {
        const qint64 marker = index.row() < first ? index.row() - kRowSpan : index.row();
        return QRect(kFarX, int(marker), 1, 1);
    }
    return QRect(-horizontalOffset(), int(top), std::max(0, m_columnWidth - kGridLineWidth),
                 m_rowHeight - kGridLineWidth);
}

void UniformListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex())
        return;
    const int row = index.row();
    const int page = fullyVisibleRows();
    int top = firstVisibleRow();
    switch (hint) {
    case EnsureVisible:
        if (row < top)
            top = row;
        else if (row - top >= page)
            top = row - page + 1;
        break;
    case PositionAtTop:
        top = row;
        break;
    case PositionAtBottom:
        top = row - page + 1;
        break;
    case PositionAtCenter:
        top = row - (page - 1) / 2;
        break;
    }
    verticalScrollBar()->setValue(top);
}

QModelIndex UniformListView::indexAt(const QPoint& point) const
{
    if (point.x() < kFarX && columnAt(point.x()) < 0)
        return {};
    const qint64 row = rowAt(point);
    if (row < 0 || row >= modelRowCount())
        return {};
    return rowIndex(int(row));
}

QPoint UniformListView::keyboardMenuPosition() const
{
    const QRect shown = viewport()->rect();
    QPoint point = shown.topLeft();
    if (const QModelIndex current = currentIndex(); current.isValid()) {
        const qint64 middle =
            qint64(current.row() - firstVisibleRow()) * m_rowHeight + m_rowHeight / 2;
        point =
            QPoint(std::clamp(m_columnWidth / 2 - horizontalOffset(), shown.left(), shown.right()),
                   int(std::clamp<qint64>(middle, shown.top(), shown.bottom())));
    }
    return viewport()->mapTo(this, point);
}

QVariant UniformListView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle)
        return QRect(keyboardMenuPosition(), QSize(1, 1));
    return QAbstractItemView::inputMethodQuery(query);
}

void UniformListView::setColumnWidth(int width)
{
    if (width < 0 || width == m_columnWidth)
        return;
    m_columnWidth = width;
    // Also resizes the header's section, and sizes it again after a model reset.
    m_header->setDefaultSectionSize(width);
    updateGeometries();
    viewport()->update();
}

void UniformListView::setDetailColumn(int role, int width, const QString& spokenHeading)
{
    m_detailRole = role;
    m_detailWidth = std::max(0, width);
    m_detailSpokenHeading = spokenHeading;
    updateGeometries();
    viewport()->update();
}

void UniformListView::setDetailColumnShown(bool shown)
{
    if (shown == m_detailShown)
        return;
    m_detailShown = shown;
    updateGeometries();
    viewport()->update();
    announceDetailColumn(this, shown);
}

int UniformListView::contentWidth() const
{
    return m_columnWidth + (m_detailShown ? m_detailWidth : 0);
}

QRect UniformListView::columnSpan(int column) const
{
    if (column < 0 || column >= shownColumnCount())
        return {};
    const int left = -horizontalOffset() + (column == 0 ? 0 : m_columnWidth);
    const int width = column == 0 ? m_columnWidth : m_detailWidth;
    return QRect(left, 0, std::max(0, width - kGridLineWidth), 1);
}

QRect UniformListView::cellRect(const QModelIndex& index, int column) const
{
    const QRect row = visualRect(index);
    const QRect span = columnSpan(column);
    if (row.isNull() || row.left() == kFarX || span.isNull())
        return {};
    return QRect(span.left(), row.top(), span.width(), row.height());
}

int UniformListView::columnAt(int x) const
{
    const int content = x + horizontalOffset();
    if (content < 0 || content >= contentWidth())
        return -1;
    return content < m_columnWidth ? 0 : 1;
}

// Page Up/Down follow the list control convention: first to the edge of the visible page, then
// one page further.
QModelIndex UniformListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    Q_UNUSED(modifiers);
    const int count = modelRowCount();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return rowIndex(cursorAction == MoveEnd ? count - 1 : 0);

    const qint64 row = current.row();
    const qint64 first = firstVisibleRow();
    const qint64 pageStep = std::max(1, fullyVisibleRows() - 1);
    const qint64 lastOnPage = first + fullyVisibleRows() - 1;
    qint64 target = row;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        target = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        target = row + 1;
        break;
    case MoveHome:
        target = 0;
        break;
    case MoveEnd:
        target = count - 1;
        break;
    case MovePageUp:
        target = row > first ? first : row - pageStep;
        break;
    case MovePageDown:
        target = row < lastOnPage ? lastOnPage : row + pageStep;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return rowIndex(int(std::clamp<qint64>(target, 0, count - 1)));
}

int UniformListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

// Content coordinates (row x row height) do not fit in int for large models, so the view reports
// no vertical offset. QAbstractItemView only adds the offset to press positions and subtracts it
// again when drag-selecting; with zero those positions stay in viewport coordinates, and
// setSelection() takes the drag anchor from m_pressedRow instead.
int UniformListView::verticalOffset() const
{
    return 0;
}

bool UniformListView::isIndexHidden(const QModelIndex& index) const
{
    return index.column() != 0;
}

// QAbstractItemView passes the selection anchor as the rectangle's first corner and the point
// reached as the second; both may be far-row markers from visualRect().
void UniformListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    QItemSelectionModel* selection = selectionModel();
    const int count = modelRowCount();
    if (!selection || count == 0)
        return;
    const qint64 anchor = state() == DragSelectingState ? m_pressedRow : rowAt(rect.topLeft());
    const qint64 reached = rowAt(rect.bottomRight());
    const auto clampRow = [count](qint64 row) {
        return int(std::clamp<qint64>(row, 0, count - 1));
    };
    const int top = clampRow(std::min(anchor, reached));
    const int bottom = clampRow(std::max(anchor, reached));
    selection->select(QItemSelection(rowIndex(top), rowIndex(bottom)), command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const qint64 first = firstVisibleRow();
    const qint64 last = first + viewport()->height() / m_rowHeight;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex() || range.left() > 0)
            continue;
        const qint64 top = std::max<qint64>(range.top(), first);
        const qint64 bottom = std::min<qint64>(range.bottom(), last);
        if (top > bottom)
            continue;
        region += QRect(-horizontalOffset(), int((top - first) * m_rowHeight), contentWidth(),
                        int((bottom - top + 1) * m_rowHeight));
    }
    return region;
}

void UniformListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const int count = modelRowCount();
    const qint64 first = firstVisibleRow();
    const qint64 firstDirty = first + std::max(0, dirty.top()) / m_rowHeight;
    const qint64 lastDirty = std::min<qint64>(count - 1, first + dirty.bottom() / m_rowHeight);

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State baseState = option.state;
    const int gridHint = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    const QColor gridColor = QColor::fromRgba(static_cast<QRgb>(gridHint));
    // Like a list control without "show selection always", selection and focus are only drawn
    // while the view has the keyboard focus.
    const bool focused = hasFocus() || viewport()->hasFocus();
    const QModelIndex current = currentIndex();
    const QItemSelectionModel* selection = selectionModel();
    const int left = -horizontalOffset();
    const int itemWidth = std::max(0, m_columnWidth - kGridLineWidth);
    const int itemHeight = m_rowHeight - kGridLineWidth;

    for (qint64 row = firstDirty; row <= lastDirty; ++row) {
        const QModelIndex index = rowIndex(int(row));
        option.rect = QRect(left, int((row - first) * m_rowHeight), itemWidth, itemHeight);
        option.state = baseState;
        if (focused && selection && selection->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focused && index == current)
            option.state |= QStyle::State_HasFocus;
        if (!(index.flags() & Qt::ItemIsEnabled))
            option.state &= ~QStyle::State_Enabled;
        if (isEnabled())
            option.palette.setCurrentColorGroup(
                option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled);
        if (QAbstractItemDelegate* delegate = itemDelegateForIndex(index))
            delegate->paint(&painter, option, index);
        if (m_detailShown)
            paintDetail(painter, option, index);
    }

    painter.setPen(gridColor);
    for (qint64 row = firstDirty; row <= lastDirty; ++row) {
        const int y = int((row - first + 1) * m_rowHeight) - kGridLineWidth;
        painter.drawLine(dirty.left(), y, dirty.right(), y);
    }
    for (const int right : {m_columnWidth, contentWidth()}) {
        const int gridX = left + right - kGridLineWidth;
        painter.drawLine(gridX, dirty.top(), gridX, dirty.bottom());
    }
}

// The second column's cell of a row, in the state of the row's first cell but without its
// check box and focus frame.
void UniformListView::paintDetail(QPainter& painter, QStyleOptionViewItem option,
                                  const QModelIndex& index) const
{
    const QRect span = columnSpan(1);
    option.rect = QRect(span.left(), option.rect.top(), span.width(), option.rect.height());
    option.index = index;
    option.state &= ~QStyle::State_HasFocus;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = index.data(m_detailRole).toString();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
}

void UniformListView::mousePressEvent(QMouseEvent* event)
{
    // Mirrors QAbstractItemView, which moves its drag anchor only on presses that start a new
    // selection rather than extend the current one.
    const QPoint pos = event->position().toPoint();
    if (selectionModel() && !(selectionCommand(indexAt(pos), event) & QItemSelectionModel::Current))
        m_pressedRow = rowAt(pos);
    QAbstractItemView::mousePressEvent(event);
}

// The window announces the list itself as focused after this handler; the current row follows,
// so that a screen reader ends on the row.
void UniformListView::focusInEvent(QFocusEvent* event)
{
    QAbstractItemView::focusInEvent(event);
    QTimer::singleShot(0, this, [this] { announceCurrentRow(this, currentIndex()); });
}

void UniformListView::scrollContentsBy(int dx, int dy)
{
    if (dx != 0)
        m_header->setOffset(horizontalOffset());
    const qint64 pixels = qint64(dy) * m_rowHeight;
    if (std::abs(pixels) < viewport()->height()) {
        viewport()->scroll(dx, int(pixels));
    } else {
        viewport()->update();
        updateEditorGeometries();
    }
}

void UniformListView::updateGeometries()
{
    // setViewportMargins() resizes the viewport, which comes back here through resizeEvent().
    if (m_updatingGeometries)
        return;
    {
        const QScopedValueRollback guard(m_updatingGeometries, true);

        int headerHeight = 0;
        if (!m_header->isHidden()) {
            headerHeight = std::max(m_header->minimumHeight(), m_header->sizeHint().height());
            headerHeight = std::min(headerHeight, m_header->maximumHeight());
        }
        setViewportMargins(0, headerHeight, 0, 0);
        const QRect viewportGeometry = viewport()->geometry();
        m_header->setGeometry(viewportGeometry.left(), viewportGeometry.top() - headerHeight,
                              viewportGeometry.width(), headerHeight);

        // Without scroll bars the viewport may grow to its maximum size; size the ranges for it
        // when everything fits there.
        const int count = modelRowCount();
        QSize size = viewport()->size();
        const QSize maximum = maximumViewportSize();
        if (maximum.width() >= contentWidth() && maximum.height() >= qint64(count) * m_rowHeight)
            size = maximum;

        const int page = std::max(1, size.height() / m_rowHeight);
        QScrollBar* vertical = verticalScrollBar();
        vertical->setRange(0, std::max(0, count - page));
        vertical->setPageStep(page);
        vertical->setSingleStep(1);

        QScrollBar* horizontal = horizontalScrollBar();
        horizontal->setRange(0, std::max(0, contentWidth() - size.width()));
        horizontal->setPageStep(std::max(1, size.width()));
        horizontal->setSingleStep(m_rowHeight);
        m_header->setOffset(horizontalOffset());
    }
    QAbstractItemView::updateGeometries();
}

// Rows inserted or removed above the first visible row move the scroll position with them, so the
// visible rows stay in place.
void UniformListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent != rootIndex())
        return;
    const int top = firstVisibleRow();
    updateForRowCount(start);
    if (start < top)
        verticalScrollBar()->setValue(top + (end - start + 1));
}

void UniformListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous);
    announceCurrentRow(this, current);
}

void UniformListView::selectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    announceSelectionChange(this);
}

void UniformListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                  const QList<int>& roles)
{
    // For a range of rows QAbstractItemView asks visualRect() of every row in it, which never
    // ends on a billion rows ticked at once; only the visible rows need painting again.
    if (topLeft.row() == bottomRight.row())
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    else
        viewport()->update();
    if (roles.isEmpty() || roles.contains(Qt::CheckStateRole))
        announceCheckChanges(this, topLeft, bottomRight);
}

int UniformListView::modelRowCount() const
{
    const QAbstractItemModel* m = model();
    return m ? m->rowCount(rootIndex()) : 0;
}

QModelIndex UniformListView::rowIndex(int row) const
{
    return model()->index(row, 0, rootIndex());
}

int UniformListView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

int UniformListView::fullyVisibleRows() const
{
    return std::max(1, viewport()->height() / m_rowHeight);
}

// The row containing a viewport point, or the row a far-row marker stands for. The result may lie
// outside the model's rows.
qint64 UniformListView::rowAt(QPoint point) const
{
    if (point.x() >= kFarX)
        return point.y() < 0 ? point.y() + kRowSpan : point.y();
    return firstVisibleRow() + floorDiv(point.y(), m_rowHeight);
}

// Every row takes the height the delegate wants for row 0 (or the font's, without rows), plus
// the grid line under it.
void UniformListView::updateRowHeight()
{
    int itemHeight = fontMetrics().height() + kMinimumTextPadding;
    if (modelRowCount() > 0) {
        const QModelIndex first = rowIndex(0);
        if (const QAbstractItemDelegate* delegate = itemDelegateForIndex(first)) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            itemHeight = std::max(itemHeight, delegate->sizeHint(option, first).height());
        }
    }
    m_rowHeight = itemHeight + kGridLineWidth;
}

void UniformListView::updateForRowCount(int firstChangedRow)
{
    if (firstChangedRow == 0)
        updateRowHeight();
    updateGeometries();
    viewport()->update();
}

void UniformListView::onRowsRemoved(const QModelIndex& parent, int first, int last)
{
    if (parent != rootIndex())
        return;
    const int top = firstVisibleRow();
    if (first < top)
        verticalScrollBar()->setValue(top - (std::min(last, top - 1) - first + 1));
    updateForRowCount(first);
}

void UniformListView::onSectionResized(int logicalIndex, int oldSize, int newSize)
{
    Q_UNUSED(oldSize);
    if (logicalIndex == 0)
        setColumnWidth(newSize);
}
