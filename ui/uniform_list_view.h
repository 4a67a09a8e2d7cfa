#pragma once

#include <QAbstractItemView>

class QHeaderView;
class QStyleOptionViewItem;

// A report-style list of one column of equally tall rows, for models with any row count up to
// INT_MAX whose rows are composed on demand.
//
// Geometry is arithmetic: row = first visible row + y / row height, with positions computed in
// qint64. The vertical scroll bar counts rows (its value is the first visible row), so the view
// keeps no per-row state and model changes cost O(1). Only column 0 of the model is shown, under
// a non-sorting header that shows the model's heading for that column. A second column, the
// detail column, hidden until asked for, can show each row's text of another role to the right of
// the first; screen readers see it as a column of its own.
class UniformListView final : public QAbstractItemView {
    Q_OBJECT

public:
    explicit UniformListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void reset() override;
    void doItemsLayout() override;
    void keyboardSearch(const QString& search) override;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

    void setColumnWidth(int width);
    int columnWidth() const { return m_columnWidth; }
    // The second column shows the text of `role` of each row, `width` pixels wide, under an empty
    // heading that screen readers call `spokenHeading`.
    void setDetailColumn(int role, int width, const QString& spokenHeading = {});
    void setDetailColumnShown(bool shown);
    bool isDetailColumnShown() const { return m_detailShown; }
    int detailRole() const { return m_detailRole; }
    const QString& detailSpokenHeading() const { return m_detailSpokenHeading; }

    // The columns shown: 0 is the model's column 0, 1 the detail column while it shows.
    int shownColumnCount() const { return m_detailShown ? 2 : 1; }
    // The horizontal extent of a shown column in viewport coordinates (top 0, height 1), grid
    // line excluded; empty for a column not shown.
    QRect columnSpan(int column) const;
    // The shown column at viewport x, or -1.
    int columnAt(int x) const;
    // The cell of a shown column in the row of `index`, in viewport coordinates; empty for a row
    // whose place does not fit in int coordinates (far out of sight).
    QRect cellRect(const QModelIndex& index, int column) const;
    // Distance between the tops of two consecutive rows, grid line included.
    int rowHeight() const { return m_rowHeight; }
    QHeaderView* header() const { return m_header; }
    // Where a menu opened from the keyboard points, in the view's coordinates: the middle of the
    // current row's first cell, or of the nearest visible place when the row is out of sight.
    QPoint keyboardMenuPosition() const;
    // Qt::ImCursorRectangle is the point above, where Qt opens the menu of the Menu key.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

protected slots:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    // Also tell assistive technology of the change.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

private:
    int modelRowCount() const;
    // Width of the columns shown.
    int contentWidth() const;
    void paintDetail(QPainter& painter, QStyleOptionViewItem option,
                     const QModelIndex& index) const;
    QModelIndex rowIndex(int row) const;
    int firstVisibleRow() const;
    int fullyVisibleRows() const;
    qint64 rowAt(QPoint point) const;
    void updateRowHeight();
    void updateForRowCount(int firstChangedRow);
    void onRowsRemoved(const QModelIndex& parent, int first, int last);
    void onSectionResized(int logicalIndex, int oldSize, int newSize);

    QHeaderView* m_header;
    int m_columnWidth;
    int m_detailRole = Qt::DisplayRole;
    int m_detailWidth = 0;
    QString m_detailSpokenHeading;
    bool m_detailShown = false;
    int m_rowHeight = 1;
    // Row under the last mouse press that started a new selection; the anchor while drag-selecting.
    qint64 m_pressedRow = 0;
    bool m_updatingGeometries = false;
};
