#include "ui/favourites_model.h"

#include "shortlist/favourite_columns.h"
#include "shortlist/favourites_file.h"
#include "ui/resource_text.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int nameColumn = 0;
constexpr int firstFactColumn = 1;
constexpr int noteColumnIndex = firstFactColumn + static_cast<int>(factColumns.size());
constexpr int addedColumn = noteColumnIndex + 1;
constexpr int columnTotal = addedColumn + 1;

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

FavouritesModel::FavouritesModel(FavouritesStore& store, QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
    applySort();
}

Outcome<Done> FavouritesModel::removeRows(const std::vector<int>& rows)
{
    if (rows.empty())
        return {};
    std::vector<std::size_t> indexes;
    for (const int row : rows)
        indexes.push_back(m_order.at(static_cast<std::size_t>(row)));
    return change([&indexes](FavouritesStore& store) { return store.remove(std::move(indexes)); });
}

const Favourite& FavouritesModel::favourite(int row) const
{
    return m_store.favourites().items()[m_order[static_cast<std::size_t>(row)]];
}

const TextFacts& FavouritesModel::facts(int row) const
{
    return m_store.facts(m_order[static_cast<std::size_t>(row)]);
}

int FavouritesModel::noteColumn() const
{
    return noteColumnIndex;
}

int FavouritesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int FavouritesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnTotal;
}

QVariant FavouritesModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Favourite& item = favourite(index.row());
    const int column = index.column();
    if (column == nameColumn)
        return text(item.name);
    if (column == noteColumnIndex)
        return text(item.note);
    if (column == addedColumn)
        return text(item.added);
    return text(
        factColumns[static_cast<std::size_t>(column - firstFactColumn)].text(facts(index.row())));
}

QVariant FavouritesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnTotal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == nameColumn)
        return resourceText(favourites_file::nameHeading);
    if (section == noteColumnIndex)
        return resourceText(favourites_file::noteHeading);
    if (section == addedColumn)
        return resourceText(favourites_file::addedHeading);
    return resourceText(factColumns[static_cast<std::size_t>(section - firstFactColumn)].heading);
}

Qt::ItemFlags FavouritesModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == noteColumnIndex ? base | Qt::ItemIsEditable : base;
}

bool FavouritesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != noteColumnIndex ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const std::uint64_t revision = m_store.revision();
    const Outcome<bool> edited = m_store.setNote(m_order[static_cast<std::size_t>(index.row())],
                                                 value.toString().toStdString());
    if (m_store.revision() != revision) {
        // The save took in what another copy saved, which may have added or removed rows.
        beginResetModel();
        applySort();
        endResetModel();
    } else if (edited.value) {
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    }
    if (!edited.problems.empty())
        emit problemsFound(edited.problems);
    return true;
}

void FavouritesModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> shown;
    for (const QModelIndex& index : before)
        shown.push_back(m_order[static_cast<std::size_t>(index.row())]);
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();
    std::vector<int> rowOf(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row)
        rowOf[m_order[row]] = static_cast<int>(row);
    QModelIndexList after;
    for (std::size_t i = 0; i < shown.size(); ++i)
        after.push_back(index(rowOf[shown[i]], before[static_cast<int>(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FavouritesModel::applySort()
{
    const std::vector<Favourite>& items = m_store.favourites().items();
    m_order.resize(items.size());
    std::iota(m_order.begin(), m_order.end(), std::size_t{0});
    if (m_sortColumn < 0 || m_sortColumn >= columnTotal)
        return;
    const auto sortBy = [this](auto key) {
        const auto less = [&key](std::size_t a, std::size_t b) { return key(a) < key(b); };
        if (m_sortOrder == Qt::AscendingOrder)
            std::stable_sort(m_order.begin(), m_order.end(), less);
        else
            std::stable_sort(m_order.begin(), m_order.end(),
                             [&less](std::size_t a, std::size_t b) { return less(b, a); });
    };
    if (m_sortColumn == nameColumn)
        sortBy([&items](std::size_t i) -> const std::string& { return items[i].name; });
    else if (m_sortColumn == noteColumnIndex)
        sortBy([&items](std::size_t i) -> const std::string& { return items[i].note; });
    else if (m_sortColumn == addedColumn)
        sortBy([&items](std::size_t i) -> const std::string& { return items[i].added; });
    else if (const FactColumn& fact =
                 factColumns[static_cast<std::size_t>(m_sortColumn - firstFactColumn)];
             fact.number)
        sortBy([this, &fact](std::size_t i) { return fact.number(m_store.facts(i)); });
    else
        sortBy([this, &fact](std::size_t i) { return fact.text(m_store.facts(i)); });
}
