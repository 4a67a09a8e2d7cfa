#include "ui/result_page.h"

#include "poetry/embedded_corpus.h"
#include "res/favourites_texts.h"
#include "res/list_menu_texts.h"
#include "res/string_table.h"
#include "shortlist/favourites.h"
#include "ui/name_card_actions.h"
#include "ui/name_export.h"
#include "ui/name_list_model.h"
#include "ui/resource_text.h"
#include "ui/uniform_list_view.h"
#include "ui/work_progress.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Rows a copy composes between two looks at its progress dialog.
constexpr int rowsPerCopyStep = 1 << 15;

} // namespace

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
    addNameCardActions(m_list, [this](int row) {
        std::vector<std::uint64_t> rows;
        m_model->sourceRows(row, 1, rows);
        return cardTextOfRow(m_model->insight(), rows.front(), embeddedCorpus(),
                             m_model->sourceCollections());
    });
    QAction* copy = addListAction(res::copyItem, QKeySequence::Copy);
    copy->setObjectName(QStringLiteral("copyAction"));
    connect(copy, &QAction::triggered, this, &ResultPage::copySelection);
    QAction* exportAction = addListAction(res::exportItem);
    exportAction->setObjectName(QStringLiteral("exportAction"));
    connect(exportAction, &QAction::triggered, this, &ResultPage::exportNames);
    QAction* favourite = addListAction(res::addFavouritesItem, Qt::CTRL | Qt::Key_D);
    favourite->setObjectName(QStringLiteral("addFavouritesAction"));
    connect(favourite, &QAction::triggered, this, &ResultPage::chooseFavourites);
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

QItemSelection ResultPage::sortedSelection(qint64& count) const
{
    QItemSelection selection = m_list->selectionModel()->selection();
    std::sort(selection.begin(), selection.end(),
              [](const QItemSelectionRange& a, const QItemSelectionRange& b) {
                  return a.top() < b.top();
              });
    count = 0;
    for (const QItemSelectionRange& range : selection)
        count += range.height();
    return selection;
}

std::optional<std::vector<std::string>> ResultPage::selectedNames(qint64 limit) const
{
    qint64 count = 0;
    const QItemSelection selection = sortedSelection(count);
    if (count > limit)
        return std::nullopt;
    std::vector<std::string> names;
    for (const QString& name :
         namesOf(*m_model, selection, {})->split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        names.push_back(name.toStdString());
    return names;
}

void ResultPage::chooseFavourites()
{
    const std::optional<std::vector<std::string>> names =
        selectedNames(static_cast<qint64>(Favourites::maxCount));
    if (names) {
        emit favouritesChosen(*names);
        return;
    }
    QMessageBox box(QMessageBox::Information, resourceText(res::favouritesCaption),
                    resourceText(res::tooManyToAddMessage).arg(groupedNumber(Favourites::maxCount)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("tooManyToAddNotice"));
    box.exec();
}

void ResultPage::copySelection()
{
    qint64 count = 0;
    const QItemSelection selection = sortedSelection(count);
    if (count > copyLimit) {
        QMessageBox box(QMessageBox::Information, resourceText(res::copyCaption),
                        resourceText(res::copyTooManyMessage), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("copyTooManyNotice"));
        box.exec();
        return;
    }
    // Composed behind a progress dialog; the clipboard changes only at the end.
    WorkProgress progress(this, resourceText(res::copyProgress), QStringLiteral("copyProgress"));
    const std::optional<QString> copied = namesOf(*m_model, selection, progress.report());
    if (progress.finish() || !copied)
        return;
    QApplication::clipboard()->setText(*copied);
}

std::optional<QString> ResultPage::namesOf(const NameListModel& model,
                                           const QItemSelection& selection,
                                           const Progress& progress)
{
    qint64 count = 0;
    for (const QItemSelectionRange& range : selection)
        count += range.height();
    const NameText& text = model.nameText();
    std::vector<std::uint64_t> rows;
    std::string names;
    qint64 done = 0;
    for (const QItemSelectionRange& range : selection) {
        for (int first = range.top(); first <= range.bottom(); first += rowsPerCopyStep) {
            if (progress && !progress(static_cast<double>(done) / static_cast<double>(count)))
                return std::nullopt;
            const int length = std::min(rowsPerCopyStep, range.bottom() + 1 - first);
            rows.clear();
            model.sourceRows(first, length, rows);
            for (const std::uint64_t row : rows) {
                text.append(names, row);
                names += '\n';
            }
            done += length;
        }
    }
    return QString::fromStdString(names);
}

void ResultPage::exportNames()
{
    const QString path = NameExport::askPath(this, resourceText(res::exportFilters));
    if (!path.isEmpty())
        NameExport::writeShowingProgress(this, *m_model, path);
}

void ResultPage::setSourceCollections(Collections collections)
{
    m_model->setSourceCollections(collections);
}
