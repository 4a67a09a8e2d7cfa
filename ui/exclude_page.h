#pragma once

#include "shortlist/row_set.h"
#include "ui/result_page.h"

#include <optional>

class ExclusionHost;
class ExclusionModel;
class QMenu;
struct RowPattern;

// Tab 1: the combinations with a check box on every row, to tick the names to throw out. Its
// context menu ticks many rows at once by rules and undoes the last such change.
class CExcludePage final : public ResultPage {
    Q_OBJECT

public:
    explicit CExcludePage(ExclusionHost& host, QWidget* parent = nullptr);

    // Has the host delete the good names at the ticked row indexes; indices are matched,
    // never texts, and ticks past the end of the good names delete nothing.
    void applyExclusions();

    // Ticks the rows `pattern` matches, behind a progress dialog that appears after half a
    // second; a cancel leaves every tick as it was. Returns whether the ticks were added.
    bool tickMatchingRows(RowPattern pattern);

    // The ticks that 恢复上次的勾选 puts in place, for the names the page now shows; without
    // them the item is disabled.
    void offerSavedTicks(std::optional<RowSet> ticks);
    const RowSet& tickedRows() const;

private:
    CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent);

    void createRuleActions();
    QAction* addRuleAction(std::string_view text, const char* objectName,
                           const QKeySequence& shortcut = {});
    void fillContainingMenu();
    void askAndAvoidReadings();

    ExclusionHost& m_host;
    ExclusionModel* m_model;
    QMenu* m_containingMenu = nullptr;
    // The ticks 恢复上次的勾选 restores.
    std::optional<RowSet> m_savedTicks;
    QAction* m_restoreTicks = nullptr;
    // The characters last avoided, offered again.
    QString m_avoided;
};
