#pragma once

#include "insight/text_facts.h"
#include "shortlist/favourites.h"

#include <QAbstractTableModel>
#include <vector>

// The favourites as a table: 名字, the fact columns, 备注 (editable) and 加入时间. Sorting
// orders the rows a view shows, never the favourites themselves, which stay in the order they
// were added; sorting by column -1 shows that order again. Every change of the favourites is
// announced by changed(), once.
class FavouritesModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FavouritesModel(QObject* parent = nullptr);

    const Favourites& favourites() const { return m_favourites; }
    // Replaces every favourite; changed() is not emitted (nothing new needs saving).
    void setFavourites(Favourites favourites);
    Favourites::MergeResult merge(std::vector<Favourite> entries);
    // Removes the favourites that the view rows `rows` show.
    void removeRows(const std::vector<int>& rows);
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
    void changed();

private:
    // Rebuilds m_facts for favourites from `first` on and shows every row in the current order.
    void refresh(std::size_t first);
    void applySort();

    Favourites m_favourites;
    std::vector<TextFacts> m_facts;   // per favourite
    std::vector<std::size_t> m_order; // view row -> favourite
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
