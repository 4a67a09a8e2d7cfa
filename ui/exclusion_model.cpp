#include "ui/exclusion_model.h"

ExclusionModel::ExclusionModel(TickRecord& ticks, QObject* parent)
    : NameListModel(parent)
    , m_ticks(ticks)
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
    return m_ticks.ticked(static_cast<std::uint32_t>(index.row())) ? Qt::Checked : Qt::Unchecked;
}

bool ExclusionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    m_ticks.tick(static_cast<std::uint32_t>(index.row()),
                 value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

bool ExclusionModel::tickAll(std::shared_ptr<const RowPattern> pattern, const Progress& progress)
{
    if (!m_ticks.tickAll(std::move(pattern), static_cast<std::uint64_t>(rowCount()), progress))
        return false;
    ticksChanged();
    return true;
}

void ExclusionModel::invertTicks()
{
    m_ticks.invert(static_cast<std::uint64_t>(rowCount()));
    ticksChanged();
}

void ExclusionModel::clearTicks()
{
    m_ticks.clear();
    ticksChanged();
}

void ExclusionModel::replaceTicks(RowSet ticks)
{
    m_ticks.replace(std::move(ticks));
    ticksChanged();
}

void ExclusionModel::undo()
{
    m_ticks.undo();
    ticksChanged();
}

void ExclusionModel::ticksChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}
