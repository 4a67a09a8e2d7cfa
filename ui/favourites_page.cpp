#include "ui/favourites_page.h"

#include "codec/imported_text.h"
#include "res/favourites_texts.h"
#include "res/list_menu_texts.h"
#include "shortlist/favourites_file.h"
#include "ui/favourites_pdf.h"
#include "ui/name_card_actions.h"
#include "ui/name_export.h"
#include "ui/resource_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int readingColumn = 1;

} // namespace

CFavouritesPage::CFavouritesPage(FavouritesStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_model(new FavouritesModel(store, this))
    , m_list(new QTableView(this))
{
    setObjectName(QStringLiteral("favouritesPage"));
    m_list->setObjectName(QStringLiteral("favouritesList"));
    m_list->setAccessibleName(resourceText(res::favouritesTabLabel));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_list->setSortingEnabled(true);
    m_list->horizontalHeader()->setStretchLastSection(true);
    // Room for a reading of four syllables.
    m_list->setColumnWidth(readingColumn, m_list->fontMetrics().horizontalAdvance(
                                              QStringLiteral("zhuāng zhuāng zhuāng zhuāng")));
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    addNameCardActions(m_list, [this](int row) {
        const Favourite& item = m_model->favourite(row);
        return cardTextOfName(item.name, static_cast<std::size_t>(item.surnameLength),
                              m_model->facts(row).source);
    });
    connect(
        addListAction(res::removeFavouritesItem, "removeFavouritesAction", QKeySequence::Delete),
        &QAction::triggered, this, &CFavouritesPage::removeSelection);
    connect(addListAction(res::copyItem, "copyAction", QKeySequence::Copy), &QAction::triggered,
            this, &CFavouritesPage::copySelection);
    connect(addListAction(res::exportItem, "exportAction"), &QAction::triggered, this,
            &CFavouritesPage::exportFavourites);
    connect(addListAction(res::importFavouritesItem, "importFavouritesAction"), &QAction::triggered,
            this, &CFavouritesPage::importFavourites);
    connect(m_model, &FavouritesModel::problemsFound, this,
            qOverload<const std::vector<FileProblem>&>(&CFavouritesPage::tell));
}

QAction* CFavouritesPage::addListAction(std::string_view text, const char* objectName,
                                        const QKeySequence& shortcut)
{
    auto* action = new QAction(resourceText(text), m_list);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_list->addAction(action);
    return action;
}

void CFavouritesPage::tell(const QString& message, const char* objectName, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                    resourceText(res::favouritesCaption), message, QMessageBox::Ok, this);
    box.setObjectName(QLatin1String(objectName));
    box.exec();
}

void CFavouritesPage::tell(const std::vector<FileProblem>& problems)
{
    for (const FileProblem& problem : problems) {
        const QString file = QFile::decodeName(problem.file.c_str());
        switch (problem.kind) {
        case FileProblem::Kind::KeptAside:
        case FileProblem::Kind::Replaced:
            tell(resourceText(problem.kind == FileProblem::Kind::KeptAside
                                  ? res::damagedFavouritesMessage
                                  : res::replacedFavouritesMessage)
                     .arg(file, QFile::decodeName(problem.aside.c_str())),
                 "damagedFavouritesNotice", true);
            break;
        case FileProblem::Kind::Stuck:
            tell(resourceText(res::stuckFavouritesMessage).arg(file), "damagedFavouritesNotice",
                 true);
            break;
        case FileProblem::Kind::NotSaved:
            tell(resourceText(res::savingFavouritesFailedMessage).arg(file),
                 "savingFavouritesFailedNotice", true);
            break;
        case FileProblem::Kind::NotRead:
            tell(resourceText(res::importUnreadableMessage)
                     .arg(file, QString::number(Favourites::maxImportBytes >> 20)),
                 "importFailedNotice");
            break;
        case FileProblem::Kind::NotText:
            tell(resourceText(res::importEncodingMessage).arg(file), "importFailedNotice");
            break;
        case FileProblem::Kind::Inaccessible:
            tell(resourceText(res::inaccessibleFavouritesMessage).arg(file),
                 "inaccessibleFavouritesNotice", true);
            break;
        case FileProblem::Kind::TooBig:
            tell(resourceText(res::tooBigFavouritesMessage)
                     .arg(file, QString::number(Favourites::maxFileBytes >> 20),
                          groupedNumber(Favourites::maxCount)),
                 "savingFavouritesFailedNotice", true);
            break;
        }
    }
}

void CFavouritesPage::tellAdded(const FavouritesStore::Added& added, QString report,
                                const char* objectName)
{
    if (const std::size_t overLimit = added.merged.overLimit; overLimit > 0)
        report += QLatin1Char('\n') +
                  resourceText(res::favouritesFullMessage)
                      .arg(groupedNumber(Favourites::maxCount), QString::number(overLimit));
    tell(report, objectName);
}

void CFavouritesPage::ensureLoaded()
{
    if (!m_store.isOpen())
        tell(m_model->change([](FavouritesStore& store) { return store.open(); }).problems);
}

void CFavouritesPage::addFavourites(const std::vector<std::string>& names, int surnameLength)
{
    const Outcome<FavouritesStore::Added> outcome =
        m_model->change([&](FavouritesStore& store) { return store.add(names, surnameLength); });
    tell(outcome.problems);
    QString report = resourceText(res::addedMessage).arg(outcome.value.merged.added);
    // Names left out are worth a box; the names added alone are not.
    if (outcome.value.skipped == 0 && outcome.value.merged.overLimit == 0) {
        emit noted(report);
        return;
    }
    if (outcome.value.skipped > 0)
        report += QLatin1Char('\n') + resourceText(res::notAddedNames)
                                          .arg(QString::number(outcome.value.skipped),
                                               QString::number(Favourites::minNameCharacters),
                                               QString::number(Favourites::maxNameCharacters));
    tellAdded(outcome.value, report, "addedFavouritesNotice");
}

void CFavouritesPage::setReadingShown(bool shown)
{
    m_list->setColumnHidden(readingColumn, !shown);
}

std::vector<int> CFavouritesPage::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CFavouritesPage::removeSelection()
{
    tell(m_model->removeRows(selectedRows()).problems);
}

void CFavouritesPage::copySelection()
{
    std::string names;
    for (const int row : selectedRows()) {
        names += m_model->favourite(row).name;
        names += '\n';
    }
    QApplication::clipboard()->setText(QString::fromStdString(names));
}

QString CFavouritesPage::writeExport(const QString& path) const
{
    const int rows = m_model->rowCount();
    const QString suffix = QFileInfo(path).suffix().toLower();
    std::vector<ExportedFavourite> shown;
    for (int row = 0; row < rows; ++row)
        shown.push_back({&m_model->favourite(row), &m_model->facts(row)});
    if (suffix == QStringLiteral("pdf"))
        return writeFavouritesPdf(path, shown, QDate::currentDate());
    return NameExport::writeBytes(path, ::exportFavourites(shown, suffix == QStringLiteral("csv")));
}

void CFavouritesPage::exportFavourites()
{
    const QString path = NameExport::askPath(this, resourceText(res::favouritesExportFilters));
    if (path.isEmpty())
        return;
    if (const QString error = writeExport(path); !error.isEmpty())
        NameExport::showFailure(this, path, error);
}

void CFavouritesPage::importFavourites()
{
    const QString path = QFileDialog::getOpenFileName(this, resourceText(res::importCaption), {},
                                                      resourceText(res::importFilters));
    if (path.isEmpty())
        return;
    const Outcome<std::optional<FavouritesStore::Added>> outcome =
        m_model->change([path = QFile::encodeName(path).toStdString()](FavouritesStore& store) {
            return store.import(path, importedText);
        });
    tell(outcome.problems);
    const std::optional<FavouritesStore::Added>& added = outcome.value;
    if (!added)
        return;
    QString report = resourceText(res::importedMessage)
                         .arg(added->merged.added)
                         .arg(added->merged.notesJoined)
                         .arg(added->skipped);
    if (added->noNameColumn)
        report += QLatin1Char('\n') + resourceText(res::importWithoutNameColumn);
    if (added->notesCut > 0)
        report += QLatin1Char('\n') +
                  resourceText(res::importNotesCut).arg(added->notesCut).arg(Favourites::maxNoteBytes);
    tellAdded(*added, report, "importedFavouritesNotice");
}
