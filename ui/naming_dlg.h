#pragma once

#include "naming/name_mode.h"
#include "poetry/poetry_corpus.h"
#include "settings/settings_location.h"
#include "shortlist/saved_ticks.h"
#include "ui/exclusion_host.h"

#include <QDialog>
#include <array>
#include <memory>

class CAllNamesPage;
class CExcludePage;
class CFavouritesPage;
class CGoodNamesPage;
class NameFacts;
class QAction;
class ResultPage;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The main naming window: surname and candidate fields, the two- or three-character choice,
// the start button and the three result pages. Restores its inputs from the settings file
// when it opens and saves them on a close request.
class CNamingDlg final : public QDialog, public ExclusionHost {
    Q_OBJECT

public:
    explicit CNamingDlg(SettingsFile settings = ProgramSettingsFile(), QWidget* parent = nullptr);
    ~CNamingDlg() override;

    void deleteGoodNameRows(const NameList& names, const RowSet& rows) override;

protected:
    // A close request (the title bar's button, the window manager, Alt+F4) saves the inputs
    // and tears down the pages. Esc rejects the dialog without saving.
    void closeEvent(QCloseEvent* event) override;

private:
    void createPages();
    void labelField(const QString& labelName, QLineEdit* field);
    void createAboutAction();
    void createSourceActions();
    void createListActions();
    void restoreSettings();
    void saveSettings() const;
    void destroyPages();
    // The three result pages, or null pointers once they are torn down.
    std::array<ResultPage*, 3> pages() const;

    void startGeneration();
    // The facts of the list the fields ask for in `mode`: those shown so far while the
    // fields ask for the same list, else new ones, made without their insight.
    std::shared_ptr<NameFacts> factsOf(NameMode mode);
    void switchPage(int index);
    void refreshGoodNames();
    std::optional<NameMode> checkedMode() const;
    void showAbout();
    void showPoemPicker();
    void showSourcesFrom(Collections collections);
    Collections checkedCollections() const;
    void showReadingColumn(bool shown);
    void openWebMail();

    // 加入收藏 on the result pages, the saved favourites' tab and the ticks of the last run.
    void createFavouriteActions();
    void addToFavourites(const ResultPage* page);
    void offerSavedTicks();
    void saveTicks() const;

    SettingsFile m_settings;
    QPushButton* m_startButton;
    QTabWidget* m_tabs;
    QLineEdit* m_surname;
    QLineEdit* m_candidates;
    QRadioButton* m_twoCharacter;
    QRadioButton* m_threeCharacter;
    QAction* m_aboutAction;
    QAction* m_showReadingAction;
    QAction* m_pickFromPoemsAction;
    QMenu* m_sourceCollectionsMenu;
    CAllNamesPage* m_allNames = nullptr;
    CExcludePage* m_exclude = nullptr;
    CGoodNamesPage* m_goodNames = nullptr;
    // The facts of the list the pages were last filled with, shared by their models.
    std::shared_ptr<NameFacts> m_facts;
    CFavouritesPage* m_favourites = nullptr;
    // The inputs the pages were last filled from.
    std::optional<TickInputs> m_filledInputs;
    // The ticks file, read at the first fill.
    std::optional<std::optional<SavedTicks>> m_savedTicks;
};
