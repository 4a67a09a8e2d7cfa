#include "ui/naming_dlg.h"

#include "codec/gbk_codec.h"
#include "poetry/embedded_corpus.h"
#include "res/favourites_texts.h"
#include "res/poetry_texts.h"
#include "res/string_table.h"
#include "settings/folders.h"
#include "settings/preferences_file.h"
#include "shortlist/favourites.h"
#include "ui/about_dlg.h"
#include "ui/all_names_page.h"
#include "ui/exclude_page.h"
#include "ui/favourites_page.h"
#include "ui/good_names_page.h"
#include "ui/keyboard_menu.h"
#include "ui/link_label.h"
#include "ui/name_list_model.h"
#include "ui/poem_picker_dlg.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"
#include "ui/screen_fit.h"
#include "ui/template_controls.h"
#include "ui/uniform_list_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>

namespace {

// Where QSettings kept the preferences of this organization and application, so that they stay.
QString preferencesPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return QStringLiteral("%1/%2/%3.conf")
        .arg(folder, resourceText(res::preferencesOrganization),
             resourceText(res::preferencesApplication));
}

PreferencesFile preferences()
{
    return PreferencesFile(QFile::encodeName(preferencesPath()).toStdString());
}

std::optional<std::string> preference(std::string_view key)
{
    return preferences().value(std::string(key));
}

// The preferences share the folder of name.xml, which is private to its owner whichever of the
// two files makes it first.
void savePreference(std::string_view key, const std::string& value)
{
    const QString path = preferencesPath();
    if (path.isEmpty() ||
        !MakeFolders(QFile::encodeName(QFileInfo(path).absolutePath()).toStdString(), 0700))
        return;
    preferences().setValue(std::string(key), value);
}

// The control that the window's template creates with this id.
template <typename Widget>
Widget* control(QWidget* dialog, int id)
{
    for (const res::ControlTemplate& control : res::namingDialog.controls) {
        if (control.id == id)
            return dialog->findChild<Widget*>(resourceText(control.objectName),
                                              Qt::FindDirectChildrenOnly);
    }
    return nullptr;
}

} // namespace

CNamingDlg::CNamingDlg(SettingsFile settings, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_settings(std::move(settings))
{
    setWindowIcon(programIcon());
    createControls(res::namingDialog, this);
    m_startButton = control<QPushButton>(this, res::startButtonId);
    m_tabs = control<QTabWidget>(this, res::tabControlId);
    m_surname = control<QLineEdit>(this, res::surnameEditId);
    m_candidates = control<QLineEdit>(this, res::candidatesEditId);
    m_twoCharacter = control<QRadioButton>(this, res::twoCharacterRadioId);
    m_threeCharacter = control<QRadioButton>(this, res::threeCharacterRadioId);

    labelField(QStringLiteral("surnameLabel"), m_surname);
    labelField(QStringLiteral("candidatesLabel"), m_candidates);

    createAboutAction();
    createSourceActions();
    createPages();
    createFavouriteActions();
    createListActions();
    m_tabs->setCurrentIndex(0);
    m_threeCharacter->setChecked(true);
    restoreSettings();
    m_startButton->setFocus();

    connect(m_startButton, &QPushButton::clicked, this, &CNamingDlg::startGeneration);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CNamingDlg::switchPage);
    connect(control<LinkLabel>(this, res::authorLinkId), &LinkLabel::clicked, this,
            &CNamingDlg::openWebMail);
    // Last: this may move the controls into a scroll area, out of reach of control().
    fitIntoScreen(this);
}

CNamingDlg::~CNamingDlg()
{
    destroyPages();
}

// Screen readers name the field after its label, without the label's closing colon.
void CNamingDlg::labelField(const QString& labelName, QLineEdit* field)
{
    auto* label = findChild<QLabel*>(labelName, Qt::FindDirectChildrenOnly);
    label->setBuddy(field);
    QString name = label->text();
    if (name.endsWith(QChar(u'：')) || name.endsWith(QLatin1Char(':')))
        name.chop(1);
    field->setAccessibleName(name);
}

void CNamingDlg::createAboutAction()
{
    m_aboutAction = new QAction(resourceText(res::aboutMenuItem), this);
    m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
    m_aboutAction->setShortcut(QKeySequence::HelpContents);
    connect(m_aboutAction, &QAction::triggered, this, &CNamingDlg::showAbout);
    addAction(m_aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    openMenusWithShiftF10(this);
}

// 从诗词选字… before the about item of the window's menu, and the 出处范围 submenu of the
// lists' menus with the collections the preferences kept (all of them at first).
void CNamingDlg::createSourceActions()
{
    m_pickFromPoemsAction = new QAction(resourceText(res::pickFromPoemsMenuItem), this);
    m_pickFromPoemsAction->setObjectName(QStringLiteral("pickFromPoemsAction"));
    connect(m_pickFromPoemsAction, &QAction::triggered, this, &CNamingDlg::showPoemPicker);
    insertAction(m_aboutAction, m_pickFromPoemsAction);

    m_sourceCollectionsMenu = new QMenu(resourceText(res::sourceCollectionsMenu), this);
    m_sourceCollectionsMenu->setObjectName(QStringLiteral("sourceCollectionsMenu"));
    m_sourceCollectionsMenu->menuAction()->setObjectName(QStringLiteral("sourceCollectionsAction"));
    const Collections kept = collectionsOfPreference(preference(res::sourceCollectionsKey));
    for (int c = 0; c < corpus_format::collectionCount; ++c) {
        QAction* item = m_sourceCollectionsMenu->addAction(resourceText(collections[c].name));
        item->setObjectName(QStringLiteral("sourceCollection%1Action").arg(c));
        item->setCheckable(true);
        item->setChecked(kept & collections[c].bit);
        connect(item, &QAction::toggled, this, [this] {
            const Collections chosen = checkedCollections();
            showSourcesFrom(chosen);
            savePreference(res::sourceCollectionsKey, collectionsPreference(chosen));
        });
    }
}

Collections CNamingDlg::checkedCollections() const
{
    Collections chosen = 0;
    const QList<QAction*> items = m_sourceCollectionsMenu->actions();
    for (int c = 0; c < corpus_format::collectionCount; ++c) {
        if (items[c]->isChecked())
            chosen |= collections[c].bit;
    }
    return chosen;
}

void CNamingDlg::showSourcesFrom(Collections collections)
{
    for (ResultPage* page : pages()) {
        if (page)
            page->setSourceCollections(collections);
    }
}

void CNamingDlg::showPoemPicker()
{
    CPoemPickerDlg picker(embeddedCorpus(), m_candidates, this);
    picker.exec();
}

// The lists' menu: the reading column and the sources' collections, then the window's own
// items.
void CNamingDlg::createListActions()
{
    m_showReadingAction = new QAction(resourceText(res::showReadingMenuItem), this);
    m_showReadingAction->setObjectName(QStringLiteral("showReadingAction"));
    m_showReadingAction->setCheckable(true);
    const auto separator = [this] {
        auto* action = new QAction(this);
        action->setSeparator(true);
        return action;
    };
    const QList<QAction*> actions{
        separator(), m_showReadingAction,   m_sourceCollectionsMenu->menuAction(),
        separator(), m_pickFromPoemsAction, m_aboutAction};
    for (const ResultPage* page : pages())
        page->list()->addActions(actions);
    showSourcesFrom(checkedCollections());
    m_favourites->list()->addActions(
        {separator(), m_showReadingAction, separator(), m_aboutAction});

    const bool shown = preference(res::showReadingKey) == "true";
    m_showReadingAction->setChecked(shown);
    showReadingColumn(shown);
    connect(m_showReadingAction, &QAction::toggled, this, [this](bool checked) {
        showReadingColumn(checked);
        savePreference(res::showReadingKey, checked ? "true" : "false");
    });
}

void CNamingDlg::showReadingColumn(bool shown)
{
    for (const ResultPage* page : pages()) {
        if (page)
            page->list()->setDetailColumnShown(shown);
    }
    if (m_favourites)
        m_favourites->setReadingShown(shown);
}

void CNamingDlg::createPages()
{
    m_allNames = new CAllNamesPage;
    m_exclude = new CExcludePage(*this);
    m_goodNames = new CGoodNamesPage;
    for (const auto& [page, tab] :
         {std::pair<QWidget*, const res::PageTemplate&>{m_allNames, res::allNamesPage},
          {m_exclude, res::excludePage},
          {m_goodNames, res::goodNamesPage}})
        m_tabs->addTab(page, resourceText(tab.tabLabel));
    m_favourites = new CFavouritesPage(m_settings);
    m_tabs->addTab(m_favourites, resourceText(res::favouritesTabLabel));
}

std::array<ResultPage*, 3> CNamingDlg::pages() const
{
    return {m_allNames, m_exclude, m_goodNames};
}

void CNamingDlg::destroyPages()
{
    disconnect(m_tabs, &QTabWidget::currentChanged, this, &CNamingDlg::switchPage);
    delete m_allNames;
    m_allNames = nullptr;
    delete m_exclude;
    m_exclude = nullptr;
    delete m_goodNames;
    m_goodNames = nullptr;
    delete m_favourites;
    m_favourites = nullptr;
    m_facts.reset();
}

void CNamingDlg::restoreSettings()
{
    const std::optional<NamingSettings> restored =
        m_settings.load(std::string(res::settingsFileName));
    if (!restored)
        return;
    if (restored->surname)
        m_surname->setText(GbkCodec::decode(*restored->surname));
    if (restored->candidates)
        m_candidates->setText(GbkCodec::decode(*restored->candidates));
    if (restored->threeCharacter) {
        (*restored->threeCharacter ? m_threeCharacter : m_twoCharacter)->setChecked(true);
    }
}

void CNamingDlg::saveSettings() const
{
    m_settings.save(NamingSettings{GbkCodec::encode(m_surname->text()),
                                   GbkCodec::encode(m_candidates->text()),
                                   m_threeCharacter->isChecked()},
                    std::string(res::settingsFileName));
}

void CNamingDlg::closeEvent(QCloseEvent* event)
{
    if (m_allNames) {
        saveSettings();
        saveTicks();
        destroyPages();
    }
    QDialog::closeEvent(event);
}

std::optional<NameMode> CNamingDlg::checkedMode() const
{
    if (m_twoCharacter->isChecked())
        return NameMode::TwoCharacter;
    if (m_threeCharacter->isChecked())
        return NameMode::ThreeCharacter;
    return std::nullopt;
}

void CNamingDlg::startGeneration()
{
    const QString surname = m_surname->text();
    const QString candidates = m_candidates->text();
    if (surname.isEmpty() || candidates.isEmpty()) {
        QMessageBox notice(QMessageBox::NoIcon, resourceText(res::emptyInputCaption),
                           resourceText(res::emptyInputMessage), QMessageBox::Ok, this);
        notice.setObjectName(QStringLiteral("emptyInputNotice"));
        notice.exec();
    }
    const std::optional<NameMode> mode = checkedMode();
    if (!mode)
        return;
    const std::shared_ptr<NameFacts> facts = factsOf(*mode);
    m_allNames->fillNames(facts);
    m_exclude->fillNames(facts);
    m_goodNames->fillNames(facts);
    m_filledInputs = TickInputs{GbkCodec::encode(surname), GbkCodec::encode(candidates), *mode};
    offerSavedTicks();
}

std::shared_ptr<NameFacts> CNamingDlg::factsOf(NameMode mode)
{
    NameList names(GbkCodec::encode(m_surname->text()), GbkCodec::encode(m_candidates->text()),
                   mode);
    if (!m_facts || m_facts->names() != names)
        m_facts = NameListModel::makeFacts(std::move(names));
    return m_facts;
}

void CNamingDlg::switchPage(int index)
{
    if (index == m_tabs->indexOf(m_goodNames))
        refreshGoodNames();
    else if (index == m_tabs->indexOf(m_favourites))
        m_favourites->ensureLoaded();
}

void CNamingDlg::refreshGoodNames()
{
    if (const std::optional<NameMode> mode = checkedMode())
        m_goodNames->fillNames(factsOf(*mode));
    m_exclude->applyExclusions();
}

void CNamingDlg::deleteGoodNameRows(const NameList& names, const RowSet& rows)
{
    m_goodNames->deleteNamesOf(names, rows);
}

void CNamingDlg::showAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CNamingDlg::openWebMail()
{
    // Nothing is reported when no browser can be started.
    QDesktopServices::openUrl(QUrl(resourceText(res::webMailHomePage)));
}

void CNamingDlg::createFavouriteActions()
{
    for (const ResultPage* page : pages()) {
        auto* action = new QAction(resourceText(res::addFavouritesItem), page->list());
        action->setObjectName(QStringLiteral("addFavouritesAction"));
        action->setShortcut(Qt::CTRL | Qt::Key_D);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        page->list()->addAction(action);
        connect(action, &QAction::triggered, this, [this, page] { addToFavourites(page); });
    }
}

void CNamingDlg::addToFavourites(const ResultPage* page)
{
    const std::optional<std::vector<std::string>> names =
        page->selectedNames(static_cast<qint64>(Favourites::maxCount));
    if (!names) {
        QMessageBox box(QMessageBox::Information, resourceText(res::favouritesCaption),
                        resourceText(res::tooManyToAddMessage), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("tooManyToAddNotice"));
        box.exec();
        return;
    }
    const int surnameLength =
        m_filledInputs ? static_cast<int>(GbkCodec::decode(m_filledInputs->surname).size()) : 1;
    const std::string now = CFavouritesPage::now();
    std::vector<Favourite> entries;
    for (const std::string& name : *names) {
        if (isFavouriteName(name))
            entries.push_back({name, std::min(surnameLength, characterCount(name) - 1), {}, now});
    }
    m_favourites->addFavourites(std::move(entries), names->size() - entries.size());
}

// The ticks file is read once, at the first fill; one that cannot be read is renamed aside, so
// that the next close does not save over it.
void CNamingDlg::offerSavedTicks()
{
    const std::string fileName(res::ticksFileName);
    if (!m_savedTicks) {
        const KeptBytes kept = m_settings.loadBytes(fileName, SavedTicks::maxFileBytes);
        m_savedTicks =
            kept.state == KeptBytes::State::Read ? parseSavedTicks(kept.bytes) : std::nullopt;
        if (kept.state != KeptBytes::State::Missing && !*m_savedTicks)
            m_settings.keepAside(fileName);
    }
    const std::optional<SavedTicks>& saved = *m_savedTicks;
    const bool same =
        saved && m_filledInputs && saved->inputs == *m_filledInputs &&
        saved->rows == static_cast<std::uint64_t>(m_exclude->list()->model()->rowCount());
    m_exclude->offerSavedTicks(same ? std::optional(saved->ticks) : std::nullopt);
}

// Without ticks nothing is saved, so that a run that only looked keeps the ticks of the run
// before it. A bitmap over its limit saves nothing either.
void CNamingDlg::saveTicks() const
{
    if (!m_filledInputs || m_exclude->tickedRows().empty())
        return;
    const std::optional<std::string> bytes = printSavedTicks(
        {*m_filledInputs, static_cast<std::uint64_t>(m_exclude->list()->model()->rowCount()),
         m_exclude->tickedRows()});
    if (bytes)
        m_settings.saveBytes(std::string(res::ticksFileName), *bytes);
}
