#pragma once

#include "ui/result_page.h"

class GoodNamesModel;
class NameList;
class RowSet;

// Tab 2: the combinations less the excluded ones.
class CGoodNamesPage final : public ResultPage {
    Q_OBJECT

public:
    explicit CGoodNamesPage(QWidget* parent = nullptr);

    // Deletes that row; an index with no row is ignored.
    void deleteRow(int row);
    // Deletes the rows whose names are names of the rows `rows` of `names`.
    void deleteNamesOf(const NameList& names, const RowSet& rows);

private:
    CGoodNamesPage(GoodNamesModel* model, QWidget* parent);

    GoodNamesModel* m_model;
};
