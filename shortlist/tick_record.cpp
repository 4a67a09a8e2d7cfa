#include "shortlist/tick_record.h"

namespace {

// Blocks of 2^16 rows an undo rebuilds before it unticks them: at most 2 MB at once.
constexpr std::size_t blocksPerChunk = 256;

} // namespace

TickRecord::TickRecord(std::size_t budget)
    : m_budget(budget)
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
    restartHistoryIfEmpty();
    // The rule's own bitmap becomes the undo, so no third bitmap is ever held.
    rows.subtract(m_ticks);
    m_undoRows = std::move(rows);
    m_undoRows.compact();
    m_ticks.unite(m_undoRows);
    m_ticks.compact();
    m_history.addRule(std::move(pattern), listRows);
    m_undo = Undo::Untick;
    const std::uint64_t added = m_undoRows.count();
    if (sizeInBytes() > m_budget && m_history.passes() <= maxReplayPasses && m_historyWhole) {
        m_undoRows = RowSet();
        m_undo = Undo::UntickReplayed;
    }
    return added;
}

void TickRecord::invert(std::uint64_t rows)
{
    restartHistoryIfEmpty();
    m_undoRows = RowSet();
    m_ticks.flip(rows);
    m_ticks.compact();
    m_inverted = rows;
    m_history.addInvert(rows);
    m_undo = Undo::Invert;
}

void TickRecord::clear()
{
    m_undoRows = std::move(m_ticks);
    m_ticks = RowSet();
    m_history.addClear();
    m_undo = Undo::Retick;
}

void TickRecord::replace(RowSet ticks)
{
    m_undoRows = std::move(m_ticks);
    m_ticks = std::move(ticks);
    m_ticks.compact();
    m_history.reset();
    m_historyWhole = m_ticks.empty() && m_undoRows.empty();
    m_undo = Undo::Replace;
}

void TickRecord::restartHistoryIfEmpty()
{
    // Without ticks nothing that came before is needed to rebuild them.
    if (m_ticks.empty()) {
        m_history.reset();
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
    switch (m_undo) {
    case Undo::None:
        return;
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
    // A replace left no history for the undo to follow.
    if (m_undo != Undo::Replace)
        m_history.addUndo();
    m_undoRows = RowSet();
    m_undo = Undo::None;
}

std::size_t TickRecord::sizeInBytes() const
{
    return m_ticks.sizeInBytes() + m_undoRows.sizeInBytes() + m_history.sizeInBytes();
}
