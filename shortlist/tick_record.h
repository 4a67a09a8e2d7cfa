#pragma once

#include "shortlist/tick_history.h"

#include <cstdint>
#include <optional>

// The ticked rows of a list and a one-level undo of the last change made many rows at once.
// Undo applies the inverse of that change to the ticks as they are then: it unticks the rows a
// rule ticked, ticks again the rows a clear unticked, or inverts again. Single ticks are no
// change of their own; they stay unless the inverse touches their row.
//
// The rows a rule newly ticks are gathered as a bitmap while that and the ticks fit in the
// memory budget. Past it they are dropped, and an undo rebuilds them block by block from the
// history of changes, which takes longer but holds no second bitmap of the whole list. Whenever the
// ticks take little room before a rule or an invert, they become the history's checkpoint, so
// a replay covers only the changes since the ticks were last that small.
//
// A change many rows at once either happens whole or throws std::bad_alloc having changed
// nothing: it first makes sure the memory its bitmap operations may take can be had.
class TickRecord final {
public:
    // Ticks and undo of a list of 2^30 rows in every pattern the rules make, with room to spare.
    static constexpr std::size_t defaultBudget = 140'000'000;
    // Ticks of at most this many bytes become the checkpoint of the history; a replay reads
    // every row of the checkpoint once.
    static constexpr std::size_t defaultCheckpointBudget = 4'000'000;

    explicit TickRecord(std::size_t budget = defaultBudget,
                        std::size_t checkpointBudget = defaultCheckpointBudget);

    const RowSet& ticks() const { return m_ticks; }
    bool ticked(std::uint32_t row) const { return m_ticks.contains(row); }
    void tick(std::uint32_t row, bool on);

    // Ticks the rows `pattern` matches among the first `listRows` as well, a chunk of blocks at
    // a time straight into the ticks, so that the rule's rows are never held whole; returns the
    // number of rows newly ticked. When `progress` asks to stop, or memory runs out (which
    // throws std::bad_alloc), the chunks already ticked are taken back and nothing has changed.
    std::optional<std::uint64_t> tickAll(std::shared_ptr<const RowPattern> pattern,
                                         std::uint64_t listRows, const Progress& progress);
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

    void checkpointIfSmall();
    // Unticks what a rule not yet in the history ticked in its first `blocks` blocks: `added`
    // when `kept`, or else the rows the history rebuilds.
    void takeBack(const RowPattern& pattern, std::uint64_t listRows, std::uint64_t blocks,
                  const RowSet& added, bool kept);

    std::size_t m_budget;
    std::size_t m_checkpointBudget;
    RowSet m_ticks;
    Undo m_undo = Undo::None;
    RowSet m_undoRows; // the rows to untick or tick again, or the ticks replaced
    // Whether the history holds every change since its checkpoint, so that a replay rebuilds
    // the ticks; not so after a replace until the next checkpoint.
    bool m_historyWhole = true;
    std::uint64_t m_inverted = 0; // the rows the last invert turned over
    TickHistory m_history;
};
