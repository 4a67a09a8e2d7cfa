#include "ui/favourites_page.h"

#include "codec/imported_text.h"
#include "res/favourites_texts.h"
#include "res/list_menu_texts.h"
#include "settings/file_reading.h"
#include "settings/read_link.h"
#include "shortlist/favourites_file.h"
#include "ui/favourites_pdf.h"
#include "ui/name_card_actions.h"
#include "ui/name_export.h"
#include "ui/resource_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

// An import larger than this is not read: a page export of every name is far larger than any
// list of favourites needs.
constexpr std::size_t maxImportBytes = std::size_t{16} << 20;
constexpr int readingColumn = 1;

std::string favouritesFileName()
{
    return std::string(res::favouritesFileName);
}

} // namespace

CFavouritesPage::CFavouritesPage(SettingsFile settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(std::move(settings))
    , m_model(new FavouritesModel(this))
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
    connect(m_model, &FavouritesModel::changed, this, &CFavouritesPage::save);
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

std::string CFavouritesPage::now()
{
    return QDateTime::currentDateTime()
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        .toStdString();
}

void CFavouritesPage::tell(const QString& message, const char* objectName, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                    resourceText(res::favouritesCaption), message, QMessageBox::Ok, this);
    box.setObjectName(QLatin1String(objectName));
    box.exec();
}

void CFavouritesPage::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    KeptBytes kept = m_settings.loadBytes(favouritesFileName(), Favourites::maxFileBytes);
    if (kept.state == KeptBytes::State::Missing)
        return;
    std::optional<Favourites> favourites =
        kept.state == KeptBytes::State::Read ? parseFavourites(kept.bytes) : std::nullopt;
    if (favourites) {
        m_model->setFavourites(std::move(*favourites));
        return;
    }
    const QString name = QString::fromStdString(favouritesFileName());
    const std::optional<std::string> aside = m_settings.keepAside(favouritesFileName());
    m_saveBlocked = !aside;
    if (aside)
        tell(resourceText(res::damagedFavouritesMessage).arg(name, QString::fromStdString(*aside)),
             "damagedFavouritesNotice", true);
    else
        tell(resourceText(res::stuckFavouritesMessage).arg(name), "damagedFavouritesNotice", true);
}

void CFavouritesPage::save()
{
    if (m_saveBlocked)
        return;
    if (!m_settings.saveBytes(favouritesFileName(), printFavourites(m_model->favourites())) &&
        !std::exchange(m_saveFailureTold, true))
        tell(resourceText(res::savingFavouritesFailedMessage)
                 .arg(QString::fromStdString(favouritesFileName())),
             "savingFavouritesFailedNotice", true);
}

void CFavouritesPage::addFavourites(std::vector<Favourite> entries, std::size_t invalid)
{
    ensureLoaded();
    const Favourites::MergeResult result = m_model->merge(std::move(entries));
    QString message = resourceText(res::addedMessage).arg(result.added);
    if (invalid > 0)
        message += QLatin1Char('\n') + resourceText(res::notAddedNames).arg(invalid);
    if (result.overLimit > 0)
        message +=
            QLatin1Char('\n') + resourceText(res::favouritesFullMessage).arg(result.overLimit);
    tell(message, "addedFavouritesNotice");
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
    m_model->removeRows(selectedRows());
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
    ensureLoaded();
    const std::optional<std::string> target = ResolveLinks(QFile::encodeName(path).toStdString());
    const std::optional<std::string> bytes =
        target ? ReadWholeFile(*target, maxImportBytes) : std::nullopt;
    if (!bytes) {
        tell(resourceText(res::importUnreadableMessage).arg(path), "importFailedNotice");
        return;
    }
    const std::optional<std::string> text = importedText(*bytes);
    if (!text) {
        tell(resourceText(res::importEncodingMessage).arg(path), "importFailedNotice");
        return;
    }
    ImportedNames imported = parseImport(
        *text, QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0,
        now());
    const Favourites::MergeResult result = m_model->merge(std::move(imported.entries));
    QString message = resourceText(res::importedMessage)
                          .arg(result.added)
                          .arg(result.notesJoined)
                          .arg(imported.skipped);
    if (imported.noNameColumn)
        message += QLatin1Char('\n') + resourceText(res::importWithoutNameColumn);
    if (const std::size_t cut = imported.notesCut + result.notesCut; cut > 0)
        message += QLatin1Char('\n') +
                   resourceText(res::importNotesCut).arg(cut).arg(Favourites::maxNoteBytes);
    if (result.overLimit > 0)
        message +=
            QLatin1Char('\n') + resourceText(res::favouritesFullMessage).arg(result.overLimit);
    tell(message, "importedFavouritesNotice");
}
