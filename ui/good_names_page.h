#pragma once

#include "result_page.h"

class GoodNamesModel;

// Tab 2: the combinations less the excluded ones.
class CGoodNamesPage final : public ResultPage {
    Q_OBJECT

public:
    explicit CGoodNamesPage(QWidget* parent = nullptr);

    // Deletes that row; an index with no row is ignored.
    void deleteRow(int row);

private:
    CGoodNamesPage(GoodNamesModel* model, QWidget* parent);

    GoodNamesModel* m_model;
};
