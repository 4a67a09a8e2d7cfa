#pragma once

#include "naming/progress.h"
#include "shortlist/row_pattern.h"
#include "shortlist/row_set.h"
#include "ui/result_page.h"

#include <functional>
#include <optional>

class ExclusionHost;
class ExclusionModel;
class QMenu;
struct RowPattern;
class TickRecord;

// Tab 1: the combinations with a check box on every row, to tick the names to throw out. Its
// context menu ticks many rows at once by rules and undoes the last such change.
class CExcludePage final : public ResultPage {
    Q_OBJECT

public:
    // The page shows and changes `ticks`.
    CExcludePage(ExclusionHost& host, TickRecord& ticks, QWidget* parent = nullptr);

    // Has the host delete the good names that are ticked names here.
    void applyExclusions();

    // The ticks that 恢复上次的勾选 puts in place, for the names the page now shows; without
    // them the item is disabled.
    void offerSavedTicks(std::optional<RowSet> ticks);
    const RowSet& tickedRows() const;

private:
    CExcludePage(ExclusionHost& host, ExclusionModel* model, QWidget* parent);

    void createRuleActions();
    QAction* addRuleAction(std::string_view text, const char* objectName,
                           const QKeySequence& shortcut = {});
    QMenu* addRuleMenu(std::string_view text, const char* objectName, const char* menuName,
                       void (CExcludePage::*fill)());
    // Calls `each(position, characters)` for each given-name unit of the current row.
    template <typename Each>
    void forEachCurrentUnit(Each each);
    void fillContainingMenu();
    void fillGenerationMenu();
    void askAndAvoidReadings();
    // Ticks the rows of the pattern `makePattern` makes, behind a progress dialog that appears
    // after half a second; a cancel, or memory running out, leaves every tick as it was (the
    // latter with a box that says so). Returns whether the ticks were added.
    bool tickRule(const std::function<RowPattern()>& makePattern);
    // tickRule() for a pattern that takes long to make: it has the share `patternShare` of the
    // bar, reports on it, and gives nothing when the progress asks it to stop.
    bool tickRule(const std::function<std::optional<RowPattern>(const Progress&)>& makePattern,
                  double patternShare);
    // Runs `change`; when it runs out of memory, it has changed nothing and a box says so.
    bool withinMemory(const std::function<bool()>& change);

    ExclusionHost& m_host;
    ExclusionModel* m_model;
    QMenu* m_containingMenu = nullptr;
    QMenu* m_generationMenu = nullptr;
    // The ticks 恢复上次的勾选 restores.
    std::optional<RowSet> m_savedTicks;
    QAction* m_restoreTicks = nullptr;
    // The characters last avoided, offered again.
    QString m_avoided;
};
