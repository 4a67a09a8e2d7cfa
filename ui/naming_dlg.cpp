#include "ui/naming_dlg.h"

#include "codec/gbk_codec.h"
#include "poetry/embedded_corpus.h"
#include "res/favourites_texts.h"
#include "res/poetry_texts.h"
#include "res/string_table.h"
#include "ui/about_dlg.h"
#include "ui/all_names_page.h"
#include "ui/exclude_page.h"
#include "ui/favourites_page.h"
#include "ui/good_names_page.h"
#include "ui/keyboard_menu.h"
#include "ui/link_label.h"
#include "ui/name_list_model.h"
#include "ui/passing_note.h"
#include "ui/poem_picker_dlg.h"
#include "ui/program_icon.h"
#include "ui/resource_text.h"
#include "ui/screen_fit.h"
#include "ui/source_collections_menu.h"
#include "ui/template_controls.h"
#include "ui/uniform_list_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>

namespace {

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

CNamingDlg::CNamingDlg(SessionFiles files, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_session(std::move(files), &NameListModel::decodeGbk, &embeddedCorpus())
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
    createListActions();
    m_tabs->setCurrentIndex(0);
    m_threeCharacter->setChecked(true);
    restoreInputs();
    m_startButton->setFocus();

    connect(m_startButton, &QPushButton::clicked, this, &CNamingDlg::startGeneration);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CNamingDlg::switchPage);
    // Nothing is reported when no browser can be started.
    connect(control<LinkLabel>(this, res::authorLinkId), &LinkLabel::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(resourceText(res::webMailHomePage))); });
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
    connect(m_aboutAction, &QAction::triggered, this, [this] {
        CAboutDlg about(this);
        about.exec();
    });
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
    connect(m_pickFromPoemsAction, &QAction::triggered, this, [this] {
        CPoemPickerDlg picker(embeddedCorpus(), m_candidates, this);
        picker.exec();
    });
    insertAction(m_aboutAction, m_pickFromPoemsAction);

    m_sourceCollectionsMenu = new SourceCollectionsMenu(m_session.sourceCollections(), this);
    connect(m_sourceCollectionsMenu, &SourceCollectionsMenu::chosen, this,
            [this](Collections collections) {
                showSourcesFrom(collections);
                m_session.showSourcesFrom(collections);
            });
}

void CNamingDlg::showSourcesFrom(Collections collections)
{
    for (ResultPage* page : pages()) {
        if (page)
            page->setSourceCollections(collections);
    }
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
    showSourcesFrom(m_session.sourceCollections());
    m_favourites->list()->addActions(
        {separator(), m_showReadingAction, separator(), m_aboutAction});

    const bool shown = m_session.readingShown();
    m_showReadingAction->setChecked(shown);
    showReadingColumn(shown);
    connect(m_showReadingAction, &QAction::toggled, this, [this](bool checked) {
        showReadingColumn(checked);
        m_session.showReading(checked);
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
    m_exclude = new CExcludePage(*this, m_session.ticks());
    m_goodNames = new CGoodNamesPage;
    for (const auto& [page, tab] :
         {std::pair<QWidget*, const res::PageTemplate&>{m_allNames, res::allNamesPage},
          {m_exclude, res::excludePage},
          {m_goodNames, res::goodNamesPage}})
        m_tabs->addTab(page, resourceText(tab.tabLabel));
    m_favourites = new CFavouritesPage(m_session.favourites());
    m_tabs->addTab(m_favourites, resourceText(res::favouritesTabLabel));
    auto* note = new PassingNote(m_tabs);
    m_tabs->setCornerWidget(note, Qt::TopRightCorner);
    connect(m_favourites, &CFavouritesPage::noted, note, &PassingNote::pass);
    for (const ResultPage* page : pages()) {
        connect(page, &ResultPage::favouritesChosen, this,
                [this](const std::vector<std::string>& names) {
                    m_favourites->addFavourites(names, m_session.surnameLength());
                });
    }
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
}

void CNamingDlg::restoreInputs()
{
    const std::optional<NamingSettings>& restored = m_session.restoredInputs();
    if (!restored)
        return;
    if (restored->surname)
        m_surname->setText(GbkCodec::decode(*restored->surname));
    if (restored->candidates)
        m_candidates->setText(GbkCodec::decode(*restored->candidates));
    if (restored->threeCharacter)
        (*restored->threeCharacter ? m_threeCharacter : m_twoCharacter)->setChecked(true);
}

void CNamingDlg::closeEvent(QCloseEvent* event)
{
    if (m_allNames) {
        m_session.close({GbkCodec::encode(m_surname->text()),
                         GbkCodec::encode(m_candidates->text()), m_threeCharacter->isChecked()});
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
    const std::shared_ptr<NameFacts> facts = m_session.fill(inputsOf(*mode));
    for (ResultPage* page : pages())
        page->fillNames(facts);
    const RowSet* saved = m_session.savedTicks();
    m_exclude->offerSavedTicks(saved ? std::optional(*saved) : std::nullopt);
}

TickInputs CNamingDlg::inputsOf(NameMode mode) const
{
    return {GbkCodec::encode(m_surname->text()), GbkCodec::encode(m_candidates->text()), mode};
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
        m_goodNames->fillNames(m_session.factsOf(inputsOf(*mode)));
    m_exclude->applyExclusions();
}

void CNamingDlg::deleteGoodNameRows(const NameList& names, const RowSet& rows)
{
    m_goodNames->deleteNamesOf(names, rows);
}
