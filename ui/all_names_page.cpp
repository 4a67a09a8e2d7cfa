#include "ui/all_names_page.h"

#include "ui/name_list_model.h"

CAllNamesPage::CAllNamesPage(QWidget* parent)
    : ResultPage(res::allNamesPage, new NameListModel, parent)
{
}
