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

// Units mapped to units in runs: units [unit, unit + length) map to [mapped, mapped + length).
struct Run {
    std::uint32_t unit;
    std::uint32_t mapped;
    std::uint32_t length;
};

// The runs of `map` over units [0, count), leaving out the units it maps to none.
template <typename Map>
std::vector<Run> runsOf(std::uint64_t count, Map map)
{
    std::vector<Run> runs;
    for (std::uint32_t unit = 0; unit < count; ++unit) {
        const std::uint32_t mapped = map(unit);
        if (mapped == none)
            continue;
        Run* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->unit + last->length == unit && last->mapped + last->length == mapped)
            ++last->length;
        else
            runs.push_back({unit, mapped, 1});
    }
    return runs;
}

// The ticks of a three-character list by the texts of the units: after(a) has bit b set, for
// first units a and b of their texts, when a ticked row's units are a unit of each text.
class TickedPairs final {
public:
    // A text of this many units or more has its rows read once for all target units.
    static constexpr std::uint32_t gatheredUnits = 4;

    TickedPairs(const NameList& names, const UnitIndex& index, const RowSet& rows)
        : m_names(names)
        , m_index(index)
        , m_rows(rows)
        , m_bits(wordsFor(names.unitCount()))
    {
        std::vector<std::uint32_t> unitsOf(names.unitCount());
        for (std::uint32_t unit = 0; unit < names.unitCount(); ++unit) {
            m_firsts.push_back(index.first(names.unit(unit)));
            if (++unitsOf[m_firsts.back()] == gatheredUnits)
                m_gathered.try_emplace(m_firsts.back());
        }
        m_repeats = runsOf(names.unitCount(), [this](std::uint32_t unit) {
            return m_firsts[unit] == unit ? none : m_firsts[unit];
        });
    }

    // `first` is the first unit of its text.
    const std::vector<std::uint64_t>& after(std::uint32_t first)
    {
        if (const auto found = m_gathered.find(first); found != m_gathered.end()) {
            if (!m_gatheredRead)
                readGathered();
            return found->second;
        }
        if (m_current != first) {
            m_current = first;
            std::fill(m_bits.begin(), m_bits.end(), 0);
            for (std::uint32_t unit = first; unit != none; unit = m_index.next(unit))
                addRows(unit, m_bits);
            joinRepeats(m_bits);
        }
        return m_bits;
    }

private:
    struct Cached {
        std::uint64_t block = UINT64_MAX;
        std::uint64_t used = 0;
        std::vector<std::uint64_t> words = std::vector<std::uint64_t>(RowSet::wordsPerBlock);
    };

    // The texts of many units, all in one pass over the rows: one at a time, each would read
    // the rows of all its units for every target unit of it.
    void readGathered()
    {
        m_gatheredRead = true;
        for (auto& [first, bits] : m_gathered)
            bits.assign(m_bits.size(), 0);
        for (std::uint32_t unit = 0; unit < m_firsts.size(); ++unit) {
            if (const auto found = m_gathered.find(m_firsts[unit]); found != m_gathered.end())
                addRows(unit, found->second);
        }
        for (auto& [first, bits] : m_gathered)
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
    // A run's units and their first units never overlap.
    void joinRepeats(std::vector<std::uint64_t>& bits) const
    {
        for (const Run& run : m_repeats)
            bit_words::copyBits(bits.data(), run.mapped, bits.data(), run.unit, run.length);
    }

    // The ticks of block `block` of 2^16 rows. The rows of one unit lie in at most two, and the
    // next unit's mostly in the same; the units of one text may lie anywhere. The blocks last
    // used are kept.
    const std::uint64_t* blockWords(std::uint64_t block)
    {
        ++m_uses;
        Cached* oldest = &m_cache.front();
        for (Cached& cached : m_cache) {
            if (cached.block == block) {
                cached.used = m_uses;
                return cached.words.data();
            }
            if (cached.used < oldest->used)
                oldest = &cached;
        }
        oldest->block = block;
        oldest->used = m_uses;
        m_rows.copyBlock(static_cast<std::uint16_t>(block), oldest->words.data());
        return oldest->words.data();
    }

    const NameList& m_names;
    const UnitIndex& m_index;
    const RowSet& m_rows;
    std::vector<std::uint32_t> m_firsts; // by unit
    std::vector<Run> m_repeats;          // units that are not the first of their text
    std::unordered_map<std::uint32_t, std::vector<std::uint64_t>> m_gathered; // by first unit
    bool m_gatheredRead = false;
    std::uint32_t m_current = none; // the first unit m_bits is for
    std::vector<std::uint64_t> m_bits;
    std::array<Cached, 8> m_cache;
    std::uint64_t m_uses = 0;
};

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

// Whether a name is the name of a ticked row of a list.
class TickedNames final {
public:
    TickedNames(const NameList& names, const UnitIndex& units, const RowSet& rows)
        : m_names(names)
        , m_units(units)
    {
        if (names.mode() == NameMode::ThreeCharacter) {
            m_pairs.emplace(names, units, rows);
            return;
        }
        m_tickedTexts.resize(names.unitCount());
        for (std::uint32_t unit = 0; unit < names.unitCount(); ++unit) {
            if (rows.contains(unit))
                m_tickedTexts[units.first(names.unit(unit))] = true;
        }
    }

    bool contains(std::string_view name)
    {
        if (!name.starts_with(m_names.surname()))
            return false;
        name.remove_prefix(m_names.surname().size());
        if (!m_pairs) {
            const std::uint32_t unit = m_units.first(name);
            return unit != none && m_tickedTexts[unit];
        }
        for (std::size_t split = 1; split <= 2 && split < name.size(); ++split) {
            const std::uint32_t first = m_units.first(name.substr(0, split));
            const std::uint32_t second = m_units.first(name.substr(split));
            if (first != none && second != none &&
                bit_words::testBit(m_pairs->after(first).data(), second))
                return true;
        }
        return false;
    }

    // The ticks by the texts of the units, for a three-character list.
    TickedPairs* pairs() { return m_pairs ? &*m_pairs : nullptr; }

private:
    const NameList& m_names;
    const UnitIndex& m_units;
    std::optional<TickedPairs> m_pairs;
    // Of two characters, whose units may repeat as well: whether a unit of a text is ticked, by
    // its first unit.
    std::vector<bool> m_tickedTexts;
};

// Bits of target units from bits of source units along `runs`. The rows of many first units
// tick the same second units (every row, a rule's columns), so the last few results are kept.
class Relabelling final {
public:
    Relabelling(std::vector<Run> runs, std::uint64_t units)
        : m_runs(std::move(runs))
        , m_words(wordsFor(units))
    {
    }

    const std::vector<std::uint64_t>& of(const std::vector<std::uint64_t>& source)
    {
        ++m_uses;
        Entry* oldest = &m_entries.front();
        for (Entry& entry : m_entries) {
            if (entry.used != 0 && entry.source == source) {
                entry.used = m_uses;
                return entry.target;
            }
            if (entry.used < oldest->used)
                oldest = &entry;
        }
        oldest->source = source;
        oldest->target.assign(m_words, 0);
        for (const Run& run : m_runs)
            bit_words::copyBits(oldest->target.data(), run.unit, source.data(), run.mapped,
                                run.length);
        oldest->used = m_uses;
        return oldest->target;
    }

private:
    struct Entry {
        std::vector<std::uint64_t> source;
        std::vector<std::uint64_t> target;
        std::uint64_t used = 0; // 0 while empty
    };

    std::vector<Run> m_runs;
    std::size_t m_words;
    std::array<Entry, 4> m_entries;
    std::uint64_t m_uses = 0;
};

// The rows of a three-character list of `units` units and `rows` rows whose second units
// `secondsOf(first unit)` gives as bits, built a block of 2^16 rows at a time and joined a chunk
// of blocks at a time, as the rules build theirs.
template <typename SecondsOf>
RowSet rowsOfSeconds(std::uint64_t units, std::uint64_t rows, SecondsOf secondsOf)
{
    RowSet found;
    const std::uint64_t blocks = (rows + blockRows - 1) / blockRows;
    std::vector<std::uint64_t> words(RowSet::wordsPerBlock);
    for (std::uint64_t chunkStart = 0; chunkStart < blocks; chunkStart += blocksPerChunk) {
        RowSet chunk;
        for (std::uint64_t block = chunkStart;
             block < std::min(chunkStart + blocksPerChunk, blocks); ++block) {
            std::fill(words.begin(), words.end(), 0);
            const std::uint64_t begin = block * blockRows;
            const std::uint64_t end = std::min(begin + blockRows, rows);
            for (std::uint64_t row = begin; row < end;) {
                const std::uint64_t second = row % units;
                const std::uint64_t length = std::min(units - second, end - row);
                bit_words::copyBits(words.data(), row - begin, secondsOf(row / units).data(),
                                    second, length);
                row += length;
            }
            chunk.appendBlock(static_cast<std::uint16_t>(block), words.data());
        }
        chunk.compact();
        found.unite(chunk);
    }
    return found;
}

// The names of two two-byte units under the surname of `target` that ticked rows of `source`
// with a one-byte unit or of two characters hold: by the target's first unit of their first
// text, the target's first units of their second texts.
std::unordered_map<std::uint32_t, std::vector<std::uint32_t>>
shortTicks(const NameList& source, const RowSet& rows, const NameList& target,
           const UnitIndex& targetUnits)
{
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> ticks;
    const std::string_view surname = target.surname();
    forEachShortRow(source, [&](std::uint64_t row) {
        if (!rows.contains(static_cast<std::uint32_t>(row)))
            return;
        const std::string name = source.at(row);
        if (name.size() != surname.size() + 4 || !name.starts_with(surname))
            return;
        const std::uint32_t first =
            targetUnits.first(std::string_view(name).substr(surname.size(), 2));
        const std::uint32_t second =
            targetUnits.first(std::string_view(name).substr(surname.size() + 2));
        if (first != none && second != none)
            ticks[first].push_back(second);
    });
    return ticks;
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
    TickedNames ticked(source, sourceUnits, rows);
    RowSet found;
    if (target.mode() == NameMode::ThreeCharacter) {
        const auto fromShortRows = shortTicks(source, rows, target, targetUnits);
        TickedPairs* const pairs = source.surname() == target.surname() ? ticked.pairs() : nullptr;
        if (pairs || !fromShortRows.empty()) {
            const std::uint64_t units = target.unitCount();
            // Target units to the first source units of their two-byte texts.
            Relabelling relabelling(
                pairs ? runsOf(units,
                               [&](std::uint32_t unit) {
                                   const std::string_view text = target.unit(unit);
                                   return text.size() == 2 ? sourceUnits.first(text) : none;
                               })
                      : std::vector<Run>(),
                units);
            std::vector<std::uint64_t> seconds(wordsFor(units));
            std::uint64_t current = UINT64_MAX; // the first unit `seconds` is for
            found = rowsOfSeconds(
                units, target.size(), [&](std::uint64_t unit) -> auto& {
                    if (unit == current)
                        return seconds;
                    current = unit;
                    std::fill(seconds.begin(), seconds.end(), 0);
                    const std::string_view text = target.unit(unit);
                    const std::uint32_t first = text.size() == 2 ? sourceUnits.first(text) : none;
                    if (pairs && first != none)
                        seconds = relabelling.of(pairs->after(first));
                    if (const auto ticks = fromShortRows.find(targetUnits.first(text));
                        ticks != fromShortRows.end()) {
                        for (const std::uint32_t second : ticks->second) {
                            for (std::uint32_t u = second; u != none; u = targetUnits.next(u))
                                bit_words::setBit(seconds.data(), u);
                        }
                    }
                    return seconds;
                });
        }
    }
    forEachShortRow(target, [&](std::uint64_t row) {
        if (ticked.contains(target.at(row)))
            found.set(static_cast<std::uint32_t>(row), true);
    });
    return found;
}
