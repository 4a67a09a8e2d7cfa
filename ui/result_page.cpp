#include "result_page.h"

#include "name_list_model.h"
#include "resource_text.h"
#include "uniform_list_view.h"

#include <QVBoxLayout>

ResultPage::ResultPage(const res::PageTemplate& page, NameListModel* model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_list(new UniformListView(this))
{
    setObjectName(resourceText(page.objectName));
    m_model->setParent(this);
    m_list->setObjectName(QStringLiteral("list%1").arg(page.listId));
    m_list->setAccessibleName(resourceText(page.tabLabel));
    m_list->setFrameShape(page.listBorder ? QFrame::StyledPanel : QFrame::NoFrame);
    m_list->setModel(m_model);
    m_list->setColumnWidth(res::listColumnWidth);
    m_list->setDetailColumn(NameListModel::ReadingRole, res::readingColumnWidth);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);

    // The list fills the page.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void ResultPage::fillNames(std::string_view surname, std::string_view candidates, NameMode mode)
{
    m_model->setNames(NameList(surname, candidates, mode));
}
