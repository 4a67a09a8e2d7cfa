#include "shortlist/tick_record.h"

#include "shortlist/memory_headroom.h"

#include <algorithm>
#include <new>

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

std::optional<std::uint64_t> TickRecord::tickAll(std::shared_ptr<const RowPattern> pattern,
                                                 std::uint64_t listRows, const Progress& progress)
{
    EnsureHeadroom(headroomSlack);
    m_history.reserve();
    // The ticks before the rule, to become the checkpoint once the rule is whole; a copy
    // shares their parts until the rule changes them.
    const bool small = m_ticks.sizeInBytes() <= m_checkpointBudget;
    const RowSet before = small ? m_ticks : RowSet();
    const std::uint64_t blocks = matchingBlockCount(*pattern, listRows);
    RowSet added;
    bool kept = true;
    std::uint64_t count = 0;
    std::uint64_t done = 0;
    try {
        for (; done < blocks; done = std::min<std::uint64_t>(done + blocksPerChunk, blocks)) {
            if (progress && !progress(static_cast<double>(done) / static_cast<double>(blocks))) {
                takeBack(*pattern, listRows, done, added, kept);
                return std::nullopt;
            }
            // The chunk, its copy among the rows added and the parts it adds to the ticks.
            EnsureHeadroom(3 * blocksPerChunk * RowSet::wordsPerBlock * sizeof(std::uint64_t) +
                           headroomSlack);
            RowSet chunk = matchingBlocks(*pattern, listRows, done,
                                          std::min<std::uint64_t>(done + blocksPerChunk, blocks));
            // Subtracting turns runs into bitmaps for a while, so it is done only when the rows
            // overlap the ticks.
            if (chunk.bits().intersect(m_ticks.bits()))
                chunk.subtract(m_ticks);
            chunk.compact();
            count += chunk.count();
            m_ticks.unite(chunk);
            if (kept) {
                added.unite(chunk);
                // Only a whole history can rebuild the rows once they are dropped.
                if (m_historyWhole &&
                    m_ticks.sizeInBytes() + added.sizeInBytes() + m_history.sizeInBytes() >
                        m_budget) {
                    added = RowSet();
                    kept = false;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        takeBack(*pattern, listRows, done, added, kept);
        throw;
    }
    if (small) {
        m_history.checkpoint(before);
        m_historyWhole = true;
    }
    m_history.addRule(std::move(pattern), listRows);
    m_ticks.compact();
    m_undoRows = std::move(added);
    m_undo = kept ? Undo::Untick : Undo::UntickReplayed;
    if (kept && m_historyWhole && sizeInBytes() > m_budget) {
        m_undoRows = RowSet();
        m_undo = Undo::UntickReplayed;
    }
    ReturnFreedMemory();
    return count;
}

void TickRecord::takeBack(const RowPattern& pattern, std::uint64_t listRows, std::uint64_t blocks,
                          const RowSet& added, bool kept)
{
    if (kept)
        m_ticks.subtract(added);
    else
        m_history.replayNewRule(pattern, listRows, blocks, blocksPerChunk,
                                [this](const RowSet& ticked) { m_ticks.subtract(ticked); });
    m_ticks.compact();
    ReturnFreedMemory();
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
