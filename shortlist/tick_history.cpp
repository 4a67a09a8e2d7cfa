#include "shortlist/tick_history.h"

#include <algorithm>

namespace {

constexpr std::uint64_t blockSize = std::uint64_t{1} << RowSet::blockBits;

std::uint64_t blockOf(std::uint32_t row)
{
    return row >> RowSet::blockBits;
}

// Turns over the bits of the rows of `block` that lie among the first `rows`.
void flipBlock(std::vector<std::uint64_t>& words, std::uint64_t rows, std::uint64_t block)
{
    const std::uint64_t first = block * blockSize;
    const std::uint64_t length = rows > first ? std::min(blockSize, rows - first) : 0;
    for (std::uint64_t word = 0; word * 64 < length; ++word) {
        const std::uint64_t bits = std::min<std::uint64_t>(64, length - word * 64);
        words[word] ^= bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
    }
}

// Sets in `words` the rows of `set` that lie in block `block`; the other bits stay.
void addBlockOf(const RowSet& set, std::uint64_t block, std::vector<std::uint64_t>& words)
{
    const std::uint64_t first = block * blockSize;
    auto row = set.bits().begin();
    row.equalorlarger(static_cast<std::uint32_t>(first));
    for (const auto end = set.bits().end(); row != end && *row < first + blockSize; ++row) {
        const std::uint64_t bit = *row - first;
        words[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
}

} // namespace

void TickHistory::checkpoint(const RowSet& ticks)
{
    m_steps.clear();
    m_checkpoint = ticks;
    m_passes = 0;
}

void TickHistory::addChange(Step step)
{
    // A clear that can no longer be undone leaves nothing of the steps before it to replay.
    const auto lastChange = std::find_if(m_steps.rbegin(), m_steps.rend(),
                                         [](const Step& s) { return s.kind != Kind::Ticks; });
    if (step.kind != Kind::Undo && lastChange != m_steps.rend() &&
        lastChange->kind == Kind::Clear) {
        m_steps.erase(m_steps.begin(), std::prev(lastChange.base()));
        m_checkpoint = RowSet();
    }
    m_steps.push_back(std::move(step));
    m_passes = static_cast<int>(std::ranges::count_if(
        m_steps, [](const Step& s) { return s.kind == Kind::Rule || s.kind == Kind::Undo; }));
}

void TickHistory::addRule(std::shared_ptr<const RowPattern> pattern, std::uint64_t rows)
{
    addChange({Kind::Rule, std::move(pattern), rows, {}});
}

void TickHistory::addInvert(std::uint64_t rows)
{
    addChange({Kind::Invert, nullptr, rows, {}});
}

void TickHistory::addClear()
{
    addChange({Kind::Clear, nullptr, 0, {}});
}

void TickHistory::addUndo()
{
    addChange({Kind::Undo, nullptr, 0, {}});
}

void TickHistory::addTick(std::uint32_t row, bool on)
{
    if (m_steps.empty() || m_steps.back().kind != Kind::Ticks)
        m_steps.push_back({Kind::Ticks, nullptr, 0, {}});
    std::vector<Tick>& ticks = m_steps.back().ticks;
    const auto after = std::upper_bound(
        ticks.begin(), ticks.end(), blockOf(row),
        [](std::uint64_t block, const Tick& tick) { return block < blockOf(tick.row); });
    ticks.insert(after, {row, on});
}

void TickHistory::reset()
{
    checkpoint(RowSet());
}

std::size_t TickHistory::sizeInBytes() const
{
    std::size_t bytes = m_steps.capacity() * sizeof(Step) + m_checkpoint.sizeInBytes();
    for (const Step& step : m_steps) {
        bytes += step.ticks.capacity() * sizeof(Tick);
        if (step.pattern) {
            bytes += step.pattern->blocks.capacity() * sizeof(std::int32_t);
            for (const UnitSubset& subset : step.pattern->subsets)
                bytes += sizeof(UnitSubset) + subset.bits.capacity() * sizeof(std::uint64_t) +
                         subset.members.capacity() * sizeof(std::uint32_t);
        }
    }
    return bytes;
}

void TickHistory::replayBlock(std::size_t end, std::uint64_t block, Words& state, Words& before,
                              Words& rule) const
{
    std::ranges::fill(state, 0);
    if (!m_checkpoint.empty())
        addBlockOf(m_checkpoint, block, state);
    Kind lastChange = Kind::Ticks;
    std::uint64_t lastRows = 0;
    for (std::size_t i = 0; i < end; ++i) {
        const Step& step = m_steps[i];
        if (step.kind != Kind::Ticks && step.kind != Kind::Undo) {
            before = state;
            lastChange = step.kind;
            lastRows = step.rows;
        }
        switch (step.kind) {
        case Kind::Rule:
            std::ranges::fill(rule, 0);
            addMatchingBlock(*step.pattern, step.rows, block, rule.data());
            for (std::size_t w = 0; w < state.size(); ++w)
                state[w] |= rule[w];
            break;
        case Kind::Invert:
            flipBlock(state, step.rows, block);
            break;
        case Kind::Clear:
            std::ranges::fill(state, 0);
            break;
        case Kind::Undo:
            // `rule` still holds the rows of the last rule: no other rule came since.
            for (std::size_t w = 0; w < state.size(); ++w) {
                if (lastChange == Kind::Rule)
                    state[w] &= ~(rule[w] & ~before[w]);
                else if (lastChange == Kind::Clear)
                    state[w] |= before[w];
            }
            if (lastChange == Kind::Invert)
                flipBlock(state, lastRows, block);
            break;
        case Kind::Ticks: {
            const auto [first, last] = std::equal_range(
                step.ticks.begin(), step.ticks.end(),
                Tick{static_cast<std::uint32_t>(block << RowSet::blockBits), false},
                [](const Tick& a, const Tick& b) { return blockOf(a.row) < blockOf(b.row); });
            for (auto tick = first; tick != last; ++tick) {
                const std::uint64_t bit = tick->row % blockSize;
                const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
                state[bit / 64] = tick->on ? state[bit / 64] | mask : state[bit / 64] & ~mask;
            }
            break;
        }
        }
    }
}

void TickHistory::replayLastRule(std::size_t blocksPerChunk,
                                 const std::function<void(const RowSet&)>& visit) const
{
    const auto lastRule = std::find_if(m_steps.rbegin(), m_steps.rend(),
                                       [](const Step& s) { return s.kind == Kind::Rule; });
    if (lastRule == m_steps.rend())
        return;
    const auto end = static_cast<std::size_t>(std::distance(m_steps.begin(), lastRule.base()) - 1);
    replayRule(*lastRule->pattern, lastRule->rows, end,
               matchingBlockCount(*lastRule->pattern, lastRule->rows), blocksPerChunk, visit);
}

void TickHistory::replayNewRule(const RowPattern& pattern, std::uint64_t rows,
                                std::uint64_t endBlock, std::size_t blocksPerChunk,
                                const std::function<void(const RowSet&)>& visit) const
{
    replayRule(pattern, rows, m_steps.size(), endBlock, blocksPerChunk, visit);
}

void TickHistory::replayRule(const RowPattern& pattern, std::uint64_t rows, std::size_t end,
                             std::uint64_t endBlock, std::size_t blocksPerChunk,
                             const std::function<void(const RowSet&)>& visit) const
{
    const std::uint64_t blocks = std::min(endBlock, matchingBlockCount(pattern, rows));
    Words state(RowSet::wordsPerBlock), before(RowSet::wordsPerBlock), rule(RowSet::wordsPerBlock);
    RowSet chunk;
    for (std::uint64_t block = 0; block < blocks; ++block) {
        replayBlock(end, block, state, before, rule);
        std::ranges::fill(rule, 0);
        addMatchingBlock(pattern, rows, block, rule.data());
        for (std::size_t w = 0; w < rule.size(); ++w)
            rule[w] &= ~state[w];
        chunk.appendBlock(static_cast<std::uint16_t>(block), rule.data());
        if ((block + 1) % blocksPerChunk == 0 || block + 1 == blocks)
            visit(std::exchange(chunk, RowSet()));
    }
}
