#include "shortlist/tick_record.h"

#include <cstdlib>
#include <malloc.h>
#include <new>
#include <unordered_set>

namespace {

// Hands the heap pages that freed bitmap containers left empty back to the system. A change of
// many rows frees up to a hundred megabytes of 8 KB containers scattered over the heap, which
// the allocator would otherwise keep resident for the next rule to add its own peak on top.
void returnFreedMemory()
{
    malloc_trim(0);
}

// Room the bitmap operations of a change may take beyond what the sets hold: the containers of
// one chunk of a replay and the history's next entry.
constexpr std::size_t headroomSlack = 4 << 20;

// Makes sure `bytes` more can be had now, so that the bitmap operations that follow find the
// memory; CRoaring cannot report a failure in the middle of them. Throws std::bad_alloc,
// before anything has changed, when they cannot. Large blocks are mapped without being touched,
// so the probe costs no resident memory.
void ensureHeadroom(std::size_t bytes)
{
    void* probe = std::malloc(bytes + headroomSlack);
    if (!probe)
        throw std::bad_alloc();
    std::free(probe);
}

std::size_t bytesOf(const RowSet& set)
{
    std::unordered_set<const void*> counted;
    return set.sizeInBytes(counted);
}

// Blocks of 2^16 rows an undo rebuilds before it unticks them: at most 2 MB at once.
constexpr std::size_t blocksPerChunk = 256;

} // namespace

TickRecord::TickRecord(std::size_t budget, std::size_t checkpointBudget)
    : m_budget(budget)
    , m_checkpointBudget(checkpointBudget)
{
}

void TickRecord::tick(std::uint32_t row, bool on)
{
    m_ticks.set(row, on);
    m_history.addTick(row, on);
}

std::uint64_t TickRecord::tickAll(RowSet rows, std::shared_ptr<const RowPattern> pattern,
                                  std::uint64_t listRows)
{
    ensureHeadroom(bytesOf(rows) + bytesOf(m_ticks));
    m_history.reserve();
    checkpointIfSmall();
    // The rule's own bitmap becomes the undo, so no third bitmap is ever held. Subtracting
    // turns runs into bitmaps for a while, so it is done only when the rows overlap the ticks.
    if (rows.bits().intersect(m_ticks.bits()))
        rows.subtract(m_ticks);
    m_undoRows = std::move(rows);
    m_undoRows.compact();
    m_ticks.unite(m_undoRows);
    m_ticks.compact();
    m_history.addRule(std::move(pattern), listRows);
    m_undo = Undo::Untick;
    const std::uint64_t added = m_undoRows.count();
    if (sizeInBytes() > m_budget) {
        m_undoRows = RowSet();
        m_undo = Undo::UntickReplayed;
    }
    returnFreedMemory();
    return added;
}

void TickRecord::invert(std::uint64_t rows)
{
    ensureHeadroom(2 * bytesOf(m_ticks));
    m_history.reserve();
    checkpointIfSmall();
    m_undoRows = RowSet();
    m_ticks.flip(rows);
    m_ticks.compact();
    m_inverted = rows;
    m_history.addInvert(rows);
    m_undo = Undo::Invert;
    returnFreedMemory();
}

void TickRecord::clear()
{
    m_history.reserve();
    m_undoRows = std::move(m_ticks);
    m_ticks = RowSet();
    m_history.addClear();
    m_undo = Undo::Retick;
}

void TickRecord::checkpointIfSmall()
{
    // Nothing that came before is needed to rebuild ticks the checkpoint holds.
    if (bytesOf(m_ticks) <= m_checkpointBudget)
        m_history.checkpoint(m_ticks);
}

void TickRecord::reset()
{
    m_ticks = RowSet();
    m_undoRows = RowSet();
    m_history.reset();
    m_undo = Undo::None;
}

void TickRecord::undo()
{
    if (m_undo == Undo::None)
        return;
    ensureHeadroom(bytesOf(m_ticks) + bytesOf(m_undoRows));
    m_history.reserve();
    switch (m_undo) {
    case Undo::None:
        break;
    case Undo::Untick:
        m_ticks.subtract(m_undoRows);
        break;
    case Undo::UntickReplayed:
        m_history.replayLastRule(blocksPerChunk,
                                 [this](const RowSet& ticked) { m_ticks.subtract(ticked); });
        m_ticks.compact();
        break;
    case Undo::Retick:
        m_ticks.unite(m_undoRows);
        break;
    case Undo::Invert:
        m_ticks.flip(m_inverted);
        break;
    }
    m_history.addUndo();
    m_undoRows = RowSet();
    m_undo = Undo::None;
    returnFreedMemory();
}

std::size_t TickRecord::sizeInBytes() const
{
    std::unordered_set<const void*> counted;
    return m_ticks.sizeInBytes(counted) + m_undoRows.sizeInBytes(counted) + m_history.sizeInBytes();
}
