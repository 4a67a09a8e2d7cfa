#pragma once

#include "name_list_model.h"

#include <vector>

// The names less the rows deleted one by one since the last fill. Deleted rows are kept as
// a sorted list of full-list rows, and view rows map past them.
class GoodNamesModel final : public NameListModel {
    Q_OBJECT

public:
    explicit GoodNamesModel(QObject* parent = nullptr);

    // Deletes view row `row`; a row that does not exist is ignored.
    void deleteRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;

protected:
    std::uint64_t sourceRow(int row) const override;
    void clearRowState() override { m_deleted.clear(); }

private:
    std::vector<int> m_deleted;
};
