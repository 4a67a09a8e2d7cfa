#include "name_list_model.h"

#include "gbk_codec.h"

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
    m_text.reset();
    m_insight.reset();
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
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString();
    return {};
}

const NameInsight& NameListModel::insight() const
{
    if (!m_insight) {
        m_insight = std::make_unique<NameInsight>(
            m_names, [](std::string_view gbk) { return GbkCodec::decode(gbk).toStdU32String(); });
    }
    return *m_insight;
}

const NameText& NameListModel::nameText() const
{
    if (!m_text)
        m_text = std::make_unique<NameText>(insight());
    return *m_text;
}

void NameListModel::sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const
{
    for (int row = first; row < first + count; ++row)
        rows.push_back(static_cast<std::uint64_t>(row));
}
