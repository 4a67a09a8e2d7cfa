#include "shortlist/named_rows.h"

#include "shortlist/bit_words.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

// A name is the surname's bytes and one or two units of one or two bytes (only the last unit of
// a three-character list can be one byte). Two full names of two two-byte units each, one from
// either list, can only match when the surnames are equal: those pairs, nearly all the rows,
// are matched unit by unit a block of rows at a time. Every other row of either list holds a
// one-byte unit or belongs to a two-character list, which makes them few; they are named one by
// one.

namespace {

constexpr std::uint32_t none = UINT32_MAX;
constexpr std::uint64_t blockRows = std::uint64_t{1} << RowSet::blockBits;
// Blocks gathered before they join the rows found so far, as the rules gather theirs.
constexpr std::uint64_t blocksPerChunk = 256;
constexpr std::uint32_t keyCount = 0x10100;

std::size_t wordsFor(std::uint64_t bits)
{
    return static_cast<std::size_t>((bits + 63) / 64);
}

// A unit's bytes as one number: the two bytes, or one byte above all pairs.
std::uint32_t keyOf(std::string_view unit)
{
    const auto byte = [unit](std::size_t i) {
        return std::uint32_t{static_cast<unsigned char>(unit[i])};
    };
    return unit.size() == 2 ? byte(0) << 8 | byte(1) : 0x10000 | byte(0);
}

// The units of a list by their bytes. Units may repeat (three-character candidates that repeat
// a character; two-character passes may meet a pair again); the first unit of a text stands for
// all units of it.
class UnitIndex final {
public:
    explicit UnitIndex(const NameList& names)
        : m_first(keyCount, none)
        , m_next(names.unitCount(), none)
    {
        for (auto unit = static_cast<std::uint32_t>(names.unitCount()); unit-- > 0;) {
            std::uint32_t& first = m_first[keyOf(names.unit(unit))];
            m_next[unit] = first;
            first = unit;
        }
    }

    // The first unit whose bytes are `text`, or none.
    std::uint32_t first(std::string_view text) const
    {
        return text.size() == 1 || text.size() == 2 ? m_first[keyOf(text)] : none;
    }
    // The next unit after `unit` with the same bytes, or none.
    std::uint32_t next(std::uint32_t unit) const { return m_next[unit]; }

private:
    std::vector<std::uint32_t> m_first; // by key
    std::vector<std::uint32_t> m_next;  // by unit
};

// The ticks of a three-character list by the texts of the units: after(a) has bit b set, for
// first units a and b of their texts, when a ticked row's units are a unit of each text.
class TickedPairs final {
public:
    TickedPairs(const NameList& names, const UnitIndex& index, const RowSet& rows)
        : m_names(names)
        , m_rows(rows)
        , m_bits(wordsFor(names.unitCount()))
    {
        for (std::uint32_t unit = 0; unit < names.unitCount(); ++unit) {
            const std::uint32_t first = index.first(names.unit(unit));
            m_firsts.push_back(first);
            if (first != unit) {
                m_repeats.emplace_back(unit, first);
                m_repeated.try_emplace(first);
            }
        }
    }

    // `first` is the first unit of its text.
    const std::vector<std::uint64_t>& after(std::uint32_t first)
    {
        if (const auto found = m_repeated.find(first); found != m_repeated.end()) {
            if (!m_repeatedRead)
                readRepeated();
            return found->second;
        }
        if (m_current != first) {
            m_current = first;
            std::fill(m_bits.begin(), m_bits.end(), 0);
            addRows(first, m_bits);
            joinRepeats(m_bits);
        }
        return m_bits;
    }

private:
    struct Cached {
        std::uint64_t block = UINT64_MAX;
        std::vector<std::uint64_t> words = std::vector<std::uint64_t>(RowSet::wordsPerBlock);
    };

    // The texts of several units, all in one pass over the rows: one text at a time could
    // read the rows of every unit once for every target unit.
    void readRepeated()
    {
        m_repeatedRead = true;
        for (auto& [first, bits] : m_repeated)
            bits.assign(m_bits.size(), 0);
        for (std::uint32_t unit = 0; unit < m_firsts.size(); ++unit) {
            if (const auto found = m_repeated.find(m_firsts[unit]); found != m_repeated.end())
                addRows(unit, found->second);
        }
        for (auto& [first, bits] : m_repeated)
            joinRepeats(bits);
    }

    // ORs the ticks of the rows whose first unit is `unit` into `bits`, bit b for second unit b.
    void addRows(std::uint32_t unit, std::vector<std::uint64_t>& bits)
    {
        const std::uint64_t begin = unit * m_names.unitCount();
        const std::uint64_t end = begin + m_names.unitCount();
        for (std::uint64_t row = begin; row < end;) {
            const std::uint64_t offset = row % blockRows;
            const std::uint64_t length = std::min(blockRows - offset, end - row);
            bit_words::copyBits(bits.data(), row - begin, blockWords(row / blockRows), offset,
                                length);
            row += length;
        }
    }

    // Sets the bit of the first unit of a text wherever a later unit of it has its bit set.
    void joinRepeats(std::vector<std::uint64_t>& bits) const
    {
        for (const auto& [unit, first] : m_repeats) {
            if (bit_words::testBit(bits.data(), unit))
                bit_words::setBit(bits.data(), first);
        }
    }

    // The ticks of block `block` of 2^16 rows. The rows of one first unit lie in at most two,
    // and the next first unit's mostly in the same: the last two read are kept.
    const std::uint64_t* blockWords(std::uint64_t block)
    {
        for (std::size_t slot = 0; slot < m_cache.size(); ++slot) {
            if (m_cache[slot].block == block) {
                m_recent = slot;
                return m_cache[slot].words.data();
            }
        }
        m_recent ^= 1;
        Cached& cached = m_cache[m_recent];
        cached.block = block;
        m_rows.copyBlock(static_cast<std::uint16_t>(block), cached.words.data());
        return cached.words.data();
    }

    const NameList& m_names;
    const RowSet& m_rows;
    std::vector<std::uint32_t> m_firsts;                            // by unit
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_repeats; // unit, first of its text
    std::unordered_map<std::uint32_t, std::vector<std::uint64_t>> m_repeated; // by first unit
    bool m_repeatedRead = false;
    std::uint32_t m_current = none; // the first unit m_bits is for
    std::vector<std::uint64_t> m_bits;
    std::array<Cached, 2> m_cache;
    std::size_t m_recent = 0;
};

// Target units whose two-byte texts are consecutive first units of the source.
struct Run {
    std::uint32_t target;
    std::uint32_t source;
    std::uint32_t length;
};

std::vector<Run> runsOf(const NameList& target, const UnitIndex& source)
{
    std::vector<Run> runs;
    for (std::uint32_t unit = 0; unit < target.unitCount(); ++unit) {
        const std::string_view text = target.unit(unit);
        const std::uint32_t first = text.size() == 2 ? source.first(text) : none;
        if (first == none)
            continue;
        Run* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->target + last->length == unit && last->source + last->length == first)
            ++last->length;
        else
            runs.push_back({unit, first, 1});
    }
    return runs;
}

// Calls `each(row)` for each row of `names` with a one-byte unit, or for every row of a
// two-character list.
template <typename Each>
void forEachShortRow(const NameList& names, Each each)
{
    if (names.mode() == NameMode::TwoCharacter) {
        for (std::uint64_t row = 0; row < names.size(); ++row)
            each(row);
        return;
    }
    const std::uint64_t units = names.unitCount();
    if (names.unit(units - 1).size() == 2)
        return;
    for (std::uint64_t first = 0; first < units; ++first)
        each(first * units + units - 1);
    for (std::uint64_t second = 0; second + 1 < units; ++second)
        each((units - 1) * units + second);
}

} // namespace

RowSet rowsNamedAlike(const NameList& source, const RowSet& rows, const NameList& target)
{
    if (source == target)
        return rows;
    if (source.empty() || target.empty() || rows.empty())
        return {};
    const UnitIndex sourceUnits(source);
    const UnitIndex targetUnits(target);
    std::optional<TickedPairs> pairs;
    // Two-character units may repeat too: whether a unit of a text is ticked, by its first unit.
    std::vector<bool> tickedUnits;
    if (source.mode() == NameMode::ThreeCharacter) {
        pairs.emplace(source, sourceUnits, rows);
    } else {
        tickedUnits.resize(source.unitCount());
        for (std::uint32_t unit = 0; unit < source.unitCount(); ++unit) {
            if (rows.contains(unit))
                tickedUnits[sourceUnits.first(source.unit(unit))] = true;
        }
    }

    // Whether `name` is the name of a ticked row of the source.
    const auto ticked = [&](std::string_view name) {
        if (!name.starts_with(source.surname()))
            return false;
        name.remove_prefix(source.surname().size());
        if (!pairs) {
            const std::uint32_t unit = sourceUnits.first(name);
            return unit != none && tickedUnits[unit];
        }
        for (std::size_t split = 1; split <= 2 && split < name.size(); ++split) {
            const std::uint32_t first = sourceUnits.first(name.substr(0, split));
            const std::uint32_t second = sourceUnits.first(name.substr(split));
            if (first != none && second != none &&
                bit_words::testBit(pairs->after(first).data(), second))
                return true;
        }
        return false;
    };
    std::vector<std::uint32_t> named; // target rows with a one-byte unit or of two characters
    forEachShortRow(target, [&](std::uint64_t row) {
        if (ticked(target.at(row)))
            named.push_back(static_cast<std::uint32_t>(row));
    });

    RowSet found;
    if (target.mode() == NameMode::ThreeCharacter) {
        // Target names of two two-byte units that are ticked short rows of the source: the first
        // unit of their first text, then the first units of their second texts.
        std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> shortTicks;
        forEachShortRow(source, [&](std::uint64_t row) {
            if (!rows.contains(static_cast<std::uint32_t>(row)))
                return;
            const std::string name = source.at(row);
            const std::string_view surname = target.surname();
            if (name.size() != surname.size() + 4 || !name.starts_with(surname))
                return;
            const std::uint32_t first =
                targetUnits.first(std::string_view(name).substr(surname.size(), 2));
            const std::uint32_t second =
                targetUnits.first(std::string_view(name).substr(surname.size() + 2));
            if (first != none && second != none)
                shortTicks[first].push_back(second);
        });
        const bool unitByUnit = pairs && source.surname() == target.surname();
        if (unitByUnit || !shortTicks.empty()) {
            const std::uint64_t units = target.unitCount();
            const std::vector<Run> runs =
                unitByUnit ? runsOf(target, sourceUnits) : std::vector<Run>();
            // The ticked second units behind target unit `current`; those of the last source
            // bits relabelled, which every first unit shares when every row is ticked.
            std::vector<std::uint64_t> seconds(wordsFor(units));
            std::uint64_t current = UINT64_MAX;
            std::vector<std::uint64_t> lastSource;
            std::vector<std::uint64_t> relabelled(seconds.size());
            const auto secondsOf = [&](std::uint64_t unit) -> const std::vector<std::uint64_t>& {
                if (unit == current)
                    return seconds;
                current = unit;
                std::fill(seconds.begin(), seconds.end(), 0);
                const std::string_view text = target.unit(unit);
                const std::uint32_t first = text.size() == 2 ? sourceUnits.first(text) : none;
                if (unitByUnit && first != none) {
                    const std::vector<std::uint64_t>& sourceBits = pairs->after(first);
                    if (sourceBits != lastSource) {
                        lastSource = sourceBits;
                        std::fill(relabelled.begin(), relabelled.end(), 0);
                        for (const Run& run : runs)
                            bit_words::copyBits(relabelled.data(), run.target, sourceBits.data(),
                                                run.source, run.length);
                    }
                    seconds = relabelled;
                }
                if (const auto ticks = shortTicks.find(targetUnits.first(text));
                    ticks != shortTicks.end()) {
                    for (const std::uint32_t second : ticks->second) {
                        for (std::uint32_t u = second; u != none; u = targetUnits.next(u))
                            bit_words::setBit(seconds.data(), u);
                    }
                }
                return seconds;
            };
            const std::uint64_t total = target.size();
            const std::uint64_t blocks = (total + blockRows - 1) / blockRows;
            std::vector<std::uint64_t> words(RowSet::wordsPerBlock);
            for (std::uint64_t chunkStart = 0; chunkStart < blocks; chunkStart += blocksPerChunk) {
                RowSet chunk;
                for (std::uint64_t block = chunkStart;
                     block < std::min(chunkStart + blocksPerChunk, blocks); ++block) {
                    std::fill(words.begin(), words.end(), 0);
                    const std::uint64_t begin = block * blockRows;
                    const std::uint64_t end = std::min(begin + blockRows, total);
                    for (std::uint64_t row = begin; row < end;) {
                        const std::uint64_t second = row % units;
                        const std::uint64_t length = std::min(units - second, end - row);
                        bit_words::copyBits(words.data(), row - begin,
                                            secondsOf(row / units).data(), second, length);
                        row += length;
                    }
                    chunk.appendBlock(static_cast<std::uint16_t>(block), words.data());
                }
                chunk.compact();
                found.unite(chunk);
            }
        }
    }
    for (const std::uint32_t row : named)
        found.set(row, true);
    return found;
}
