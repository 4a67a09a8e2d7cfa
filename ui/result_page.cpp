#include "ui/result_page.h"

#include "res/list_menu_texts.h"
#include "res/string_table.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"
#include "ui/resource_text.h"
#include "ui/uniform_list_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>

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
    m_list->setDetailColumn(NameListModel::ReadingRole, res::readingColumnWidth,
                            resourceText(res::readingColumnSpokenHeading));
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);

    // The list fills the page.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    m_firstSharedAction = new QAction(m_list);
    m_firstSharedAction->setSeparator(true);
    m_list->addAction(m_firstSharedAction);
    QAction* copy = addListAction(res::copyItem, QKeySequence::Copy);
    copy->setObjectName(QStringLiteral("copyAction"));
    connect(copy, &QAction::triggered, this, &ResultPage::copySelection);
    QAction* exportAction = addListAction(res::exportItem);
    exportAction->setObjectName(QStringLiteral("exportAction"));
    connect(exportAction, &QAction::triggered, this, &ResultPage::exportNames);
}

QAction* ResultPage::addListAction(std::string_view text, const QKeySequence& shortcut)
{
    auto* action = new QAction(resourceText(text), m_list);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_list->addAction(action);
    return action;
}

void ResultPage::fillNames(std::shared_ptr<NameFacts> facts)
{
    m_model->setFacts(std::move(facts));
}

std::optional<std::vector<std::string>> ResultPage::selectedNames(qint64 limit) const
{
    QItemSelection selection = m_list->selectionModel()->selection();
    std::sort(selection.begin(), selection.end(),
              [](const QItemSelectionRange& a, const QItemSelectionRange& b) {
                  return a.top() < b.top();
              });
    qint64 count = 0;
    for (const QItemSelectionRange& range : selection)
        count += range.height();
    if (count > limit)
        return std::nullopt;
    std::vector<std::uint64_t> rows;
    for (const QItemSelectionRange& range : selection)
        m_model->sourceRows(range.top(), range.height(), rows);
    const NameText& text = m_model->nameText();
    std::vector<std::string> names(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        text.append(names[i], rows[i]);
    return names;
}

void ResultPage::copySelection()
{
    const std::optional<std::vector<std::string>> names = selectedNames(copyLimit);
    if (!names) {
        QMessageBox box(QMessageBox::Information, resourceText(res::copyCaption),
                        resourceText(res::copyTooManyMessage), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("copyTooManyNotice"));
        box.exec();
        return;
    }
    std::string text;
    for (const std::string& name : *names) {
        text += name;
        text += '\n';
    }
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void ResultPage::exportNames()
{
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, resourceText(res::exportCaption), {},
                                                resourceText(res::exportFilters), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("*.csv")) ? QStringLiteral(".csv")
                                                         : QStringLiteral(".txt");
    NameExport::writeShowingProgress(this, *m_model, path);
}
