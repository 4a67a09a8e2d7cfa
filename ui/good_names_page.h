#pragma once

#include "ui/result_page.h"

class GoodNamesModel;
class RowSet;

// Tab 2: the combinations less the excluded ones.
class CGoodNamesPage final : public ResultPage {
    Q_OBJECT

public:
    explicit CGoodNamesPage(QWidget* parent = nullptr);

    // Deletes that row; an index with no row is ignored.
    void deleteRow(int row);
    // Deletes the rows of the full list in `rows`; rows past the end delete nothing.
    void deleteRows(const RowSet& rows);

private:
    CGoodNamesPage(GoodNamesModel* model, QWidget* parent);

    GoodNamesModel* m_model;
};
