#include "all_names_page.h"

#include "name_list_model.h"

CAllNamesPage::CAllNamesPage(QWidget* parent)
    : ResultPage(res::allNamesPage, new NameListModel, parent)
{
}
