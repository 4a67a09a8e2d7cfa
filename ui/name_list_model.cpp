#include "ui/name_list_model.h"

#include "codec/gbk_codec.h"
#include "res/string_table.h"
#include "ui/resource_text.h"

#include <QTextDocument>
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
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::uint64_t row = sourceRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return GbkCodec::decode(m_names.at(row));
    case Qt::ToolTipRole:
        // As rich text, so that a name holding something like "<b>" is shown as it is.
        return Qt::convertFromPlainText(QString::fromStdString(insight().tooltip(row)),
                                        Qt::WhiteSpaceNoWrap);
    case ReadingRole:
        return QString::fromStdString(insight().columnText(row));
    default:
        return {};
    }
}

const NameInsight& NameListModel::insight() const
{
    // The pages are filled from the same inputs, so the last facts gathered usually fit.
    static std::weak_ptr<const NameInsight> last;
    if (!m_insight) {
        m_insight = last.lock();
        if (!m_insight || m_insight->names() != m_names) {
            m_insight = std::make_shared<const NameInsight>(m_names, [](std::string_view gbk) {
                return GbkCodec::decode(gbk).toStdU32String();
            });
            last = m_insight;
        }
    }
    return *m_insight;
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
