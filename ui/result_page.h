#pragma once

#include "naming/progress.h"
#include "poetry/poetry_corpus.h"
#include "res/dialog_templates.h"

#include <QItemSelection>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class NameFacts;
class NameListModel;
class QAction;
class UniformListView;

// A tab page holding one single-column list of full names, filled from the engine, whose
// context menu copies and exports them and chooses them for the favourites.
class ResultPage : public QWidget {
    Q_OBJECT

public:
    // Most selected rows that are copied; more are better exported.
    static constexpr qint64 copyLimit = 1'000'000;

    // Deletes every row, then shows the names of `facts`, which the pages showing the same
    // list share.
    void fillNames(std::shared_ptr<NameFacts> facts);

    UniformListView* list() const { return m_list; }
    // Shows the sources (出处) of the names from these collections only.
    void setSourceCollections(Collections collections);

    // Puts the selected names on the clipboard, UTF-8, one a line, in row order. Past
    // copyLimit rows a message suggests exporting and the clipboard keeps what it held. Long
    // work shows a progress dialog after half a second; a cancel keeps the clipboard as it was.
    void copySelection();
    // The names of the rows of `selection`, its ranges in row order, one a line; nothing when
    // `progress` stops the work. Reports progress every 32,768 rows.
    static std::optional<QString>
    namesOf(const NameListModel& model, const QItemSelection& selection, const Progress& progress);
    // Asks for a file and writes every name of the page to it (.txt or .csv).
    void exportNames();
    // 加入收藏: chooses the selected names, unless they are more than the favourites hold,
    // which a box says.
    void chooseFavourites();

signals:
    // The selected names, UTF-8, in row order, are to be added to the favourites.
    void favouritesChosen(const std::vector<std::string>& names);

protected:
    // The page takes ownership of `model`.
    ResultPage(const res::PageTemplate& page, NameListModel* model, QWidget* parent);

    // A context menu item of the list, with a shortcut that works while the list has the focus.
    QAction* addListAction(std::string_view text, const QKeySequence& shortcut = {});
    // The first item of the list's context menu shared by every page.
    QAction* firstSharedAction() const { return m_firstSharedAction; }

private:
    // The selected ranges in row order and, in `count`, how many rows they hold.
    QItemSelection sortedSelection(qint64& count) const;
    // The selected names, UTF-8, in row order; nothing when more than `limit` rows are selected.
    std::optional<std::vector<std::string>> selectedNames(qint64 limit) const;

    NameListModel* m_model;
    UniformListView* m_list;
    QAction* m_firstSharedAction;
};
