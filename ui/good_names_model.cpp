#include "good_names_model.h"

#include <algorithm>

GoodNamesModel::GoodNamesModel(QObject* parent)
    : NameListModel(parent)
{
}

int GoodNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : fullRowCount() - static_cast<int>(m_deleted.size());
}

std::uint64_t GoodNamesModel::sourceRow(int row) const
{
    // m_deleted[i] - i rows are left before the i-th deleted row, a non-decreasing count:
    // every deleted row with at most `row` rows left before it lies before view row `row`.
    const auto skipped =
        std::partition_point(m_deleted.begin(), m_deleted.end(), [this, row](const int& deleted) {
            return deleted - static_cast<int>(&deleted - m_deleted.data()) <= row;
        });
    return static_cast<std::uint64_t>(row) +
           static_cast<std::uint64_t>(skipped - m_deleted.begin());
}

void GoodNamesModel::deleteRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const auto source = static_cast<int>(sourceRow(row));
    beginRemoveRows({}, row, row);
    m_deleted.insert(std::upper_bound(m_deleted.begin(), m_deleted.end(), source), source);
    endRemoveRows();
}
