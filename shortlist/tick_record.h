#pragma once

#include "row_set.h"

#include <cstdint>

// The ticked rows of a list and a one-level undo of the last change made many rows at once.
// Undo applies the inverse of that change to the ticks as they are then: it unticks the rows a
// rule ticked, ticks again the rows a clear unticked, or inverts again. Single ticks are no
// change of their own; they stay unless the inverse touches their row.
class TickRecord final {
public:
    const RowSet& ticks() const { return m_ticks; }
    bool ticked(std::uint32_t row) const { return m_ticks.contains(row); }
    void tick(std::uint32_t row, bool on) { m_ticks.set(row, on); }

    // Ticks `rows` as well; returns the number of rows newly ticked.
    std::uint64_t tickAll(RowSet rows);
    // Turns every tick of the rows [0, rows) over.
    void invert(std::uint64_t rows);
    void clear();
    // Drops every tick and the undo, as for a new list.
    void reset();

    // Bytes the ticks and the undo hold, counting shared parts in full.
    std::size_t sizeInBytes() const;

    bool canUndo() const { return m_undo != Undo::None; }
    // Takes back the last tickAll, invert or clear, once.
    void undo();

private:
    enum class Undo { None, Untick, Retick, Invert };

    RowSet m_ticks;
    Undo m_undo = Undo::None;
    RowSet m_undoRows;            // the rows to untick or tick again
    std::uint64_t m_inverted = 0; // the rows the last invert turned over
};
