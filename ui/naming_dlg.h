#pragma once

#include "naming/name_mode.h"
#include "poetry/poetry_corpus.h"
#include "session/naming_session.h"
#include "ui/exclusion_host.h"

#include <QDialog>
#include <array>

class CAllNamesPage;
class CExcludePage;
class CFavouritesPage;
class CGoodNamesPage;
class QAction;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ResultPage;
class SourceCollectionsMenu;

// The main naming window: surname and candidate fields, the two- or three-character choice,
// the start button, the three result pages and the favourites. It shows the work of its
// session, which restores the inputs when the window opens and saves them on a close request.
class CNamingDlg final : public QDialog, public ExclusionHost {
    Q_OBJECT

public:
    explicit CNamingDlg(SessionFiles files = SessionFiles::ofProgram(), QWidget* parent = nullptr);
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
    void restoreInputs();
    void destroyPages();
    // The three result pages, or null pointers once they are torn down.
    std::array<ResultPage*, 3> pages() const;

    void startGeneration();
    // The inputs of the list the fields ask for in `mode`.
    TickInputs inputsOf(NameMode mode) const;
    void switchPage(int index);
    void refreshGoodNames();
    std::optional<NameMode> checkedMode() const;
    void showSourcesFrom(Collections collections);
    void showReadingColumn(bool shown);

    NamingSession m_session;
    QPushButton* m_startButton;
    QTabWidget* m_tabs;
    QLineEdit* m_surname;
    QLineEdit* m_candidates;
    QRadioButton* m_twoCharacter;
    QRadioButton* m_threeCharacter;
    QAction* m_aboutAction;
    QAction* m_showReadingAction;
    QAction* m_pickFromPoemsAction;
    SourceCollectionsMenu* m_sourceCollectionsMenu;
    CAllNamesPage* m_allNames = nullptr;
    CExcludePage* m_exclude = nullptr;
    CGoodNamesPage* m_goodNames = nullptr;
    CFavouritesPage* m_favourites = nullptr;
};
