#include "name_list_model.h"

#include "gbk_codec.h"
#include "resource_text.h"
#include "string_table.h"

#include <algorithm>
#include <limits>

NameListModel::NameListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void NameListModel::setNames(NameList names)
{
    beginResetModel();
    m_names = std::move(names);
    clearRowState();
    endResetModel();
}

int NameListModel::fullRowCount() const
{
    return static_cast<int>(
        std::min<std::uint64_t>(m_names.size(), std::numeric_limits<int>::max()));
}

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : fullRowCount();
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return GbkCodec::decode(m_names.at(sourceRow(index.row())));
}

QVariant NameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section != 0 || orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return QString();
    if (role == Qt::AccessibleTextRole)
        return resourceText(res::nameColumnSpokenHeading);
    return {};
}
