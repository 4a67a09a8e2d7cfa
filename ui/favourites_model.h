#pragma once

#include "insight/text_facts.h"
#include "session/favourites_store.h"

#include <QAbstractTableModel>
#include <vector>

// The favourites of a store as a table: 名字, the fact columns, 备注 (editable) and 加入时间.
// Sorting orders the rows a view shows, never the favourites themselves, which stay in the order
// they were added; sorting by column -1 shows that order again.
class FavouritesModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FavouritesModel(FavouritesStore& store, QObject* parent = nullptr);

    // Runs `change(store)`, an operation of the store, and shows the favourites anew; returns
    // what it returns.
    template <typename Change>
    auto change(Change change)
    {
        beginResetModel();
        auto outcome = change(m_store);
        applySort();
        endResetModel();
        return outcome;
    }
    // Removes the favourites that the view rows `rows` show.
    Outcome<Done> removeRows(const std::vector<int>& rows);
    // The favourite that view row `row` shows, and its facts.
    const Favourite& favourite(int row) const;
    const TextFacts& facts(int row) const;

    int noteColumn() const;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

signals:
    // A note edited in the table was kept, but these went wrong.
    void problemsFound(const std::vector<FileProblem>& problems);

private:
    // Orders every row as the sort asks.
    void applySort();

    FavouritesStore& m_store;
    std::vector<std::size_t> m_order; // view row -> favourite
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
