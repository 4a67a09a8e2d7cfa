#include "ui/good_names_model.h"

GoodNamesModel::GoodNamesModel(QObject* parent)
    : NameListModel(parent)
{
}

int GoodNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_kept.size());
}

std::uint64_t GoodNamesModel::sourceRow(int row) const
{
    return m_kept.sourceRow(static_cast<std::uint64_t>(row));
}

void GoodNamesModel::sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const
{
    m_kept.sourceRows(static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(count), rows);
}

void GoodNamesModel::clearRowState()
{
    m_kept = KeptRows(static_cast<std::uint64_t>(fullRowCount()), RowSet());
}

void GoodNamesModel::deleteRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_kept.remove(static_cast<std::uint64_t>(row));
    endRemoveRows();
}

void GoodNamesModel::deleteRows(const RowSet& rows)
{
    beginResetModel();
    RowSet removed = m_kept.removed();
    removed.unite(rows);
    m_kept = KeptRows(static_cast<std::uint64_t>(fullRowCount()), std::move(removed));
    endResetModel();
}
