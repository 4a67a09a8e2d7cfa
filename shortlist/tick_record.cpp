#include "tick_record.h"

std::uint64_t TickRecord::tickAll(RowSet rows)
{
    // The rule's own bitmap becomes the undo, so no third bitmap is ever held.
    rows.subtract(m_ticks);
    m_undoRows = std::move(rows);
    m_undoRows.compact();
    m_ticks.unite(m_undoRows);
    m_ticks.compact();
    m_undo = Undo::Untick;
    return m_undoRows.count();
}

void TickRecord::invert(std::uint64_t rows)
{
    m_undoRows = RowSet();
    m_ticks.flip(rows);
    m_ticks.compact();
    m_inverted = rows;
    m_undo = Undo::Invert;
}

void TickRecord::clear()
{
    m_undoRows = std::move(m_ticks);
    m_ticks = RowSet();
    m_undo = Undo::Retick;
}

void TickRecord::reset()
{
    m_ticks = RowSet();
    m_undoRows = RowSet();
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
    case Undo::Retick:
        m_ticks.unite(m_undoRows);
        break;
    case Undo::Invert:
        m_ticks.flip(m_inverted);
        break;
    }
    m_undoRows = RowSet();
    m_undo = Undo::None;
}

std::size_t TickRecord::sizeInBytes() const
{
    std::unordered_set<const void*> counted;
    return m_ticks.sizeInBytes(counted) + m_undoRows.sizeInBytes(counted);
}
