#include "ui/good_names_page.h"

#include "ui/good_names_model.h"

CGoodNamesPage::CGoodNamesPage(QWidget* parent)
    : CGoodNamesPage(new GoodNamesModel, parent)
{
}

CGoodNamesPage::CGoodNamesPage(GoodNamesModel* model, QWidget* parent)
    : ResultPage(res::goodNamesPage, model, parent)
    , m_model(model)
{
}

void CGoodNamesPage::deleteRow(int row)
{
    m_model->deleteRow(row);
}

void CGoodNamesPage::deleteRows(const RowSet& rows)
{
    m_model->deleteRows(rows);
}
