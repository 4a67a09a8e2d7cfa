#pragma once

#include "name_list_model.h"

#include <set>

// The names with a check box on every row. Ticks are kept sparsely, by row index.
class ExclusionModel final : public NameListModel {
    Q_OBJECT

public:
    explicit ExclusionModel(QObject* parent = nullptr);

    const std::set<int>& tickedRows() const { return m_ticked; }

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

protected:
    void clearRowState() override { m_ticked.clear(); }

private:
    std::set<int> m_ticked;
};
