#include "shortlist/tick_record.h"

#include "shortlist/memory_headroom.h"

namespace {

// Room the bitmap operations of a change may take beyond what the sets hold: the containers of
// one chunk of a replay and the history's next entry.
constexpr std::size_t headroomSlack = 4 << 20;

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
    EnsureHeadroom(rows.sizeInBytes() + m_ticks.sizeInBytes() + headroomSlack);
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
    if (sizeInBytes() > m_budget && m_historyWhole) {
        m_undoRows = RowSet();
        m_undo = Undo::UntickReplayed;
    }
    ReturnFreedMemory();
    return added;
}

void TickRecord::invert(std::uint64_t rows)
{
    EnsureHeadroom(2 * m_ticks.sizeInBytes() + headroomSlack);
    m_history.reserve();
    checkpointIfSmall();
    m_undoRows = RowSet();
    m_ticks.flip(rows);
    m_ticks.compact();
    m_inverted = rows;
    m_history.addInvert(rows);
    m_undo = Undo::Invert;
    ReturnFreedMemory();
}

void TickRecord::clear()
{
    m_history.reserve();
    m_undoRows = std::move(m_ticks);
    m_ticks = RowSet();
    m_history.addClear();
    m_undo = Undo::Retick;
}

void TickRecord::replace(RowSet ticks)
{
    m_history.reserve();
    m_undoRows = std::move(m_ticks);
    m_ticks = std::move(ticks);
    m_ticks.compact();
    // The history cannot rebuild ticks that came from elsewhere, unless they become its
    // checkpoint.
    m_history.reset();
    m_historyWhole = false;
    checkpointIfSmall();
    m_undo = Undo::Replace;
}

void TickRecord::checkpointIfSmall()
{
    // Nothing that came before is needed to rebuild ticks the checkpoint holds.
    if (m_ticks.sizeInBytes() <= m_checkpointBudget) {
        m_history.checkpoint(m_ticks);
        m_historyWhole = true;
    }
}

void TickRecord::reset()
{
    m_ticks = RowSet();
    m_undoRows = RowSet();
    m_history.reset();
    m_historyWhole = true;
    m_undo = Undo::None;
}

void TickRecord::undo()
{
    if (m_undo == Undo::None)
        return;
    EnsureHeadroom(m_ticks.sizeInBytes() + m_undoRows.sizeInBytes() + headroomSlack);
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
    case Undo::Replace:
        std::swap(m_ticks, m_undoRows);
        break;
    }
    // The history of a replace is at most a checkpoint of the ticks it put in place.
    if (m_undo == Undo::Replace)
        m_historyWhole = false;
    else
        m_history.addUndo();
    m_undoRows = RowSet();
    m_undo = Undo::None;
    ReturnFreedMemory();
}

std::size_t TickRecord::sizeInBytes() const
{
    return m_ticks.sizeInBytes() + m_undoRows.sizeInBytes() + m_history.sizeInBytes();
}
