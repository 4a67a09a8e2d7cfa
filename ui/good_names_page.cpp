#include "ui/good_names_page.h"

#include "shortlist/named_rows.h"
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

void CGoodNamesPage::deleteNamesOf(const NameList& names, const RowSet& rows)
{
    m_model->deleteRows(rowsNamedAlike(names, rows, m_model->names()));
}
