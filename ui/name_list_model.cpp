#include "ui/name_list_model.h"

#include "codec/gbk_codec.h"
#include "insight/name_source.h"
#include "poetry/embedded_corpus.h"
#include "res/poetry_texts.h"
#include "res/string_table.h"
#include "shortlist/row_set.h"
#include "ui/resource_text.h"

#include <QTextDocument>

NameListModel::NameListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_facts(makeFacts(NameList()))
{
}

std::u32string NameListModel::decodeGbk(std::string_view gbk)
{
    return GbkCodec::decode(gbk).toStdU32String();
}

std::shared_ptr<NameFacts> NameListModel::makeFacts(NameList names)
{
    return std::make_shared<NameFacts>(std::move(names), &decodeGbk);
}

void NameListModel::setFacts(std::shared_ptr<NameFacts> facts)
{
    beginResetModel();
    m_facts = std::move(facts);
    clearRowState();
    endResetModel();
}

int NameListModel::fullRowCount() const
{
    return static_cast<int>(listRows(names().size()));
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
        return GbkCodec::decode(names().at(row));
    case Qt::ToolTipRole:
        // As rich text, so that a name holding something like "<b>" is shown as it is.
        return Qt::convertFromPlainText(QString::fromStdString(tooltipText(row)),
                                        Qt::WhiteSpaceNoWrap);
    case Qt::AccessibleDescriptionRole:
        return QString::fromStdString(tooltipText(row));
    case ReadingRole: {
        std::string line = insight().columnText(row);
        if (const std::string source = sourceText(row); !source.empty())
            line += "  " + source;
        return QString::fromStdString(line);
    }
    default:
        return {};
    }
}

std::string NameListModel::tooltipText(std::uint64_t row) const
{
    std::string tooltip = insight().tooltip(row);
    if (const std::string source = sourceText(row); !source.empty()) {
        tooltip += '\n';
        tooltip += res::sourceTooltipPrefix;
        tooltip += source;
    }
    return tooltip;
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

std::string NameListModel::sourceText(std::uint64_t row) const
{
    return sourceOfRow(insight(), embeddedCorpus(), m_sourceCollections, row);
}

void NameListModel::setSourceCollections(Collections collections)
{
    if (collections == m_sourceCollections)
        return;
    m_sourceCollections = collections;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0), index(rows - 1), {Qt::ToolTipRole, ReadingRole});
}

void NameListModel::sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const
{
    for (int row = first; row < first + count; ++row)
        rows.push_back(static_cast<std::uint64_t>(row));
}
