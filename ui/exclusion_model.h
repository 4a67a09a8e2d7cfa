#pragma once

#include "shortlist/tick_record.h"
#include "ui/name_list_model.h"

// The names with a check box on every row. Ticks are kept in a compressed bitmap by row index,
// with a one-level undo of the changes made to many rows at once, in a record that the model
// shows and changes but does not own; a new list starts it afresh.
class ExclusionModel final : public NameListModel {
    Q_OBJECT

public:
    explicit ExclusionModel(TickRecord& ticks, QObject* parent = nullptr);

    const RowSet& tickedRows() const { return m_ticks.ticks(); }

    // Ticks the rows `pattern` matches in this list as well (see TickRecord::tickAll); false,
    // with the ticks as they were, when `progress` asked to stop.
    bool tickAll(std::shared_ptr<const RowPattern> pattern, const Progress& progress);
    void invertTicks();
    void clearTicks();
    // Puts `ticks` in place of the ticks, undoably.
    void replaceTicks(RowSet ticks);
    bool canUndo() const { return m_ticks.canUndo(); }
    void undo();

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

protected:
    void clearRowState() override { m_ticks.reset(); }

private:
    void ticksChanged();

    TickRecord& m_ticks;
};
