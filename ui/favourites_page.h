#pragma once

#include "session/favourites_store.h"
#include "ui/favourites_model.h"

#include <QWidget>

class QAction;
class QTableView;

// Tab 3: the favourites of a store, which reads and saves their file. What goes wrong with a
// file is told in a box; names added without a fault are told by noted(), which asks no answer.
class CFavouritesPage final : public QWidget {
    Q_OBJECT

public:
    explicit CFavouritesPage(FavouritesStore& store, QWidget* parent = nullptr);

    QTableView* list() const { return m_list; }
    FavouritesModel& model() { return *m_model; }

    // Has the store read the file unless it has; a damaged file is reported now.
    void ensureLoaded();
    // Adds `names` (UTF-8) whose first `surnameLength` characters are the surname, and says how
    // many were added (by noted() when all of them could be) and why others were not.
    void addFavourites(const std::vector<std::string>& names, int surnameLength);
    // Whether the 读音 column is shown.
    void setReadingShown(bool shown);

    void removeSelection();
    void copySelection();
    void exportFavourites();
    void importFavourites();
    // Writes the favourites in the order shown to `path` (.txt, .csv or .pdf); an empty string
    // on success, else why it failed.
    QString writeExport(const QString& path) const;

signals:
    // A message of what went well, for the window to show without stopping the work.
    void noted(const QString& message);

private:
    QAction* addListAction(std::string_view text, const char* objectName,
                           const QKeySequence& shortcut = {});
    std::vector<int> selectedRows() const;
    void tell(const QString& message, const char* objectName, bool warning = false);
    void tell(const std::vector<FileProblem>& problems);
    // Tells `report` of what an add or an import did, and the names the full list left out.
    void tellAdded(const FavouritesStore::Added& added, QString report, const char* objectName);

    const FavouritesStore& m_store;
    FavouritesModel* m_model;
    QTableView* m_list;
};
