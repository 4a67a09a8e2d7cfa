#pragma once

#include "shortlist/kept_rows.h"
#include "ui/name_list_model.h"

// The names less the excluded rows and the rows deleted one by one since the last fill. View
// rows map past them through a compressed bitmap, at a cost that does not grow with their number.
class GoodNamesModel final : public NameListModel {
    Q_OBJECT

public:
    explicit GoodNamesModel(QObject* parent = nullptr);

    // Deletes view row `row`; a row that does not exist is ignored.
    void deleteRow(int row);
    // Deletes every row of the full list in `rows`, at once; rows past the end delete nothing.
    void deleteRows(const RowSet& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    void sourceRows(int first, int count, std::vector<std::uint64_t>& rows) const override;

protected:
    std::uint64_t sourceRow(int row) const override;
    void clearRowState() override;

private:
    KeptRows m_kept;
};
