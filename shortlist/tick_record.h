#pragma once

#include "shortlist/tick_history.h"

#include <cstdint>

// The ticked rows of a list and a one-level undo of the last change made many rows at once.
// Undo applies the inverse of that change to the ticks as they are then: it unticks the rows a
// rule ticked, ticks again the rows a clear unticked, or inverts again. Single ticks are no
// change of their own; they stay unless the inverse touches their row.
//
// The rows a rule newly ticked are kept as a bitmap while that and the ticks fit in the memory
// budget. Past it they are dropped, and an undo rebuilds them block by block from the history
// of changes, which takes longer but holds no second bitmap of the whole list.
class TickRecord final {
public:
    // Ticks and undo of a list of 2^30 rows in every pattern the rules make, with room to spare.
    static constexpr std::size_t defaultBudget = 140'000'000;
    // A replay fills about this many rule patterns for every block at most.
    static constexpr int maxReplayPasses = 16;

    explicit TickRecord(std::size_t budget = defaultBudget);

    const RowSet& ticks() const { return m_ticks; }
    bool ticked(std::uint32_t row) const { return m_ticks.contains(row); }
    void tick(std::uint32_t row, bool on);

    // Ticks `rows`, the rows `pattern` matches among the first `listRows`, as well; returns the
    // number of rows newly ticked.
    std::uint64_t tickAll(RowSet rows, std::shared_ptr<const RowPattern> pattern,
                          std::uint64_t listRows);
    // Turns every tick of the rows [0, rows) over.
    void invert(std::uint64_t rows);
    void clear();
    // Puts `ticks` in place of the ticks; undo brings the ticks before back.
    void replace(RowSet ticks);
    // Drops every tick and the undo, as for a new list.
    void reset();

    // Bytes the ticks and the undo hold, counting shared parts in full.
    std::size_t sizeInBytes() const;

    bool canUndo() const { return m_undo != Undo::None; }
    // Whether undo rebuilds the rows to untick rather than keeping them.
    bool undoIsReplayed() const { return m_undo == Undo::UntickReplayed; }
    // Takes back the last tickAll, invert or clear, once.
    void undo();

private:
    enum class Undo { None, Untick, UntickReplayed, Retick, Invert, Replace };

    void restartHistoryIfEmpty();

    std::size_t m_budget;
    RowSet m_ticks;
    Undo m_undo = Undo::None;
    RowSet m_undoRows; // the rows to untick or tick again, or the ticks replaced
    // Whether the history holds every change since the ticks were empty, so that a replay
    // rebuilds them; not so after a replace.
    bool m_historyWhole = true;
    std::uint64_t m_inverted = 0; // the rows the last invert turned over
    TickHistory m_history;
};
