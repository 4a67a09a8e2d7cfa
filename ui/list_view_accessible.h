#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QPointer>

class QItemSelection;
class UniformListView;

// What assistive technology (AT-SPI on Linux) sees of a UniformListView: a table of the columns
// the view shows (the names, and the detail column while it shows), a header row, and cells made
// on demand for the rows asked about. A cell's description is its row's
// Qt::AccessibleDescriptionRole text. Nothing walks the rows: counts come from the model and the
// selection's ranges, so a list of a billion rows costs no more than a short one.
class ListViewAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListViewAccessible(UniformListView* view);
    ~ListViewAccessible() override;

    bool isValid() const override;
    QAccessible::State state() const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    UniformListView* view() const;
    // The header cell of a shown column, or nullptr.
    QAccessibleInterface* headerCell(int column) const;

private:
    // The cell of a shown column (row -1: the header), made once and kept until it goes stale.
    QAccessibleInterface* cell(int row, int column) const;
    void forgetCells() const;

    mutable QHash<qint64, QAccessible::Id> m_cells;
};

// One cell of the list, or (row -1) the heading of a column; `column` counts the shown columns.
class ListCellAccessible final : public QAccessibleInterface,
                                 public QAccessibleTableCellInterface,
                                 public QAccessibleActionInterface {
public:
    ListCellAccessible(UniformListView* view, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // Whether this interface still stands for that row and shown column of the view.
    bool standsFor(int row, int column) const;
    bool isHeader() const { return m_header; }

private:
    QPointer<UniformListView> m_view;
    // Column 0 of the row; rows move with insertions and deletions above them.
    QPersistentModelIndex m_index;
    const QAbstractItemModel* m_model;
    bool m_header;
    int m_column;
};

// Makes Qt use ListViewAccessible for every UniformListView; safe to call more than once.
void installListViewAccessible();

// Tell assistive technology, when one listens, that the current row moved, that rows were
// ticked or unticked, that the selection changed, or that the detail column appeared or went.
void announceCurrentRow(UniformListView* view, const QModelIndex& current);
void announceCheckChanges(UniformListView* view, const QModelIndex& topLeft,
                          const QModelIndex& bottomRight);
void announceSelectionChange(UniformListView* view);
void announceDetailColumn(UniformListView* view, bool shown);
