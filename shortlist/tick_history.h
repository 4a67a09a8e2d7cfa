#pragma once

#include "shortlist/row_pattern.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The changes made to the ticks of a list since a checkpoint, kept small enough to hold beside
// the ticks: a rule by its row pattern, an invert, a clear and an undo by their kind, single
// ticks by their row. The checkpoint is the ticks as they were when they took little room (none
// at all at first). Replaying the changes over it rebuilds any block of 2^16 rows as it was
// before the last rule without holding a second bitmap of the whole list.
class TickHistory final {
public:
    // Forgets every change: the ticks are now `ticks`, kept as the starting point of a replay.
    // A copy shares the bitmap's containers until the ticks change them.
    void checkpoint(const RowSet& ticks);
    // Makes room for the next change, so that adding it cannot fail for want of memory.
    void reserve() { m_steps.reserve(m_steps.size() + 1); }
    void addRule(std::shared_ptr<const RowPattern> pattern, std::uint64_t rows);
    void addInvert(std::uint64_t rows);
    void addClear();
    // Takes back the last rule, invert or clear.
    void addUndo();
    void addTick(std::uint32_t row, bool on);
    void reset();

    // The rule patterns a replay fills for every block, a measure of its time.
    int passes() const { return m_passes; }
    // Bytes the changes and the checkpoint hold, counting parts the checkpoint shares in full.
    std::size_t sizeInBytes() const;

    // The rows the last change, a rule, newly ticked, handed to `visit` as sets of up to
    // `blocksPerChunk` consecutive blocks of 2^16 rows.
    void replayLastRule(std::size_t blocksPerChunk,
                        const std::function<void(const RowSet&)>& visit) const;
    // The rows `pattern` matches among the first `rows` in the blocks before `endBlock` that
    // are not ticked after every change so far, handed to `visit` as replayLastRule() does:
    // what a rule not yet added ticked in those blocks, to take back.
    void replayNewRule(const RowPattern& pattern, std::uint64_t rows, std::uint64_t endBlock,
                       std::size_t blocksPerChunk,
                       const std::function<void(const RowSet&)>& visit) const;

private:
    enum class Kind { Rule, Invert, Clear, Undo, Ticks };
    struct Tick {
        std::uint32_t row;
        bool on;
    };
    struct Step {
        Kind kind;
        std::shared_ptr<const RowPattern> pattern; // for a rule
        std::uint64_t rows = 0;                    // the list's rows, for a rule or an invert
        std::vector<Tick> ticks; // single ticks in a row, by block, in order within a block
    };
    using Words = std::vector<std::uint64_t>;

    void addChange(Step step);
    // Block `block` of the ticks as they were before step `end`, in `state`; `before` holds
    // them as they were before the last change among the steps replayed.
    void replayBlock(std::size_t end, std::uint64_t block, Words& state, Words& before,
                     Words& rule) const;
    // The rows `pattern` newly ticks over the ticks before step `end`, for blocks [0, endBlock).
    void replayRule(const RowPattern& pattern, std::uint64_t rows, std::size_t end,
                    std::uint64_t endBlock, std::size_t blocksPerChunk,
                    const std::function<void(const RowSet&)>& visit) const;

    std::vector<Step> m_steps;
    RowSet m_checkpoint;
    int m_passes = 0;
};
