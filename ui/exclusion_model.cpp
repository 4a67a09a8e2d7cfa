#include "exclusion_model.h"

ExclusionModel::ExclusionModel(QObject* parent)
    : NameListModel(parent)
{
}

Qt::ItemFlags ExclusionModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = NameListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsUserCheckable : base;
}

QVariant ExclusionModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::CheckStateRole)
        return NameListModel::data(index, role);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_ticked.contains(index.row()) ? Qt::Checked : Qt::Unchecked;
}

bool ExclusionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    if (value.value<Qt::CheckState>() == Qt::Checked)
        m_ticked.insert(index.row());
    else
        m_ticked.erase(index.row());
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}
