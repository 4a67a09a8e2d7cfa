#pragma once

#include "settings/settings_file.h"
#include "ui/favourites_model.h"

#include <QWidget>

class QAction;
class QTableView;

// Tab 3: the favourites, kept in favourites.csv in the settings folder and saved, whole, after
// every change. The file is read when the favourites are first needed, so a start that never
// shows them never reads it. A file that cannot be read is renamed aside and the user told; when
// even that fails, nothing is saved over it during this run.
class CFavouritesPage final : public QWidget {
    Q_OBJECT

public:
    explicit CFavouritesPage(SettingsFile settings, QWidget* parent = nullptr);

    QTableView* list() const { return m_list; }
    FavouritesModel& model() { return *m_model; }

    // Reads the file unless it has been read; a damaged file is reported now.
    void ensureLoaded();
    // Adds `entries` (valid names) and says how many were added and why others were not;
    // `invalid` names were left out before.
    void addFavourites(std::vector<Favourite> entries, std::size_t invalid);
    // Whether the 读音 column is shown.
    void setReadingShown(bool shown);

    void removeSelection();
    void copySelection();
    void exportFavourites();
    void importFavourites();
    // Writes the favourites in the order shown to `path` (.txt, .csv or .pdf); an empty string
    // on success, else why it failed.
    QString writeExport(const QString& path) const;

    // The local time now as favourites record it.
    static std::string now();

private:
    QAction* addListAction(std::string_view text, const char* objectName,
                           const QKeySequence& shortcut = {});
    std::vector<int> selectedRows() const;
    void save();
    void tell(const QString& message, const char* objectName, bool warning = false);

    SettingsFile m_settings;
    FavouritesModel* m_model;
    QTableView* m_list;
    bool m_loaded = false;
    bool m_saveBlocked = false;     // an unreadable file could not be moved aside
    bool m_saveFailureTold = false; // a failed save is told once a run
};
