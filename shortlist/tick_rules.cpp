#include "tick_rules.h"

#include "name_list.h"

#include <algorithm>
#include <map>

namespace {

// A subset of `count` units holding `members` (ascending).
UnitSubset subsetOfMembers(std::uint64_t count, std::vector<std::uint32_t> members)
{
    UnitSubset subset;
    subset.members = std::move(members);
    // A list costs 32 bits a member, a bitmap one bit a unit.
    if (subset.members.size() * 32 > count) {
        subset.bits.assign((count + 63) / 64, 0);
        for (const std::uint32_t unit : subset.members)
            subset.bits[unit / 64] |= 1ULL << (unit % 64);
        subset.members.clear();
    }
    return subset;
}

// A subset of `count` units holding the units `pick` selects.
template <typename Pick>
UnitSubset subsetOf(std::uint64_t count, Pick pick)
{
    std::vector<std::uint32_t> members;
    for (std::uint64_t unit = 0; unit < count; ++unit) {
        if (pick(unit))
            members.push_back(static_cast<std::uint32_t>(unit));
    }
    return subsetOfMembers(count, std::move(members));
}

// A pattern of one block per first unit (three characters) or one block of every unit (two),
// with nothing matched yet.
RowPattern emptyPattern(const NameList& names)
{
    RowPattern pattern;
    pattern.blockLength = names.unitCount();
    const std::uint64_t blocks = names.unitsPerName() == 1 ? 1 : names.unitCount();
    pattern.blocks.assign(names.unitCount() == 0 ? 0 : blocks, RowPattern::noRow);
    return pattern;
}

bool threeCharacters(const NameList& names)
{
    return names.unitsPerName() == 2;
}

// The one character all of `text` repeats, or 0.
char32_t repeatedCharacter(const std::u32string& text)
{
    if (text.empty() || std::any_of(text.begin(), text.end(),
                                    [&text](char32_t character) { return character != text[0]; }))
        return 0;
    return text[0];
}

} // namespace

RowPattern rowsWithAnyUnit(const NameList& names, const std::vector<bool>& flagged)
{
    RowPattern pattern = emptyPattern(names);
    pattern.subsets.push_back(
        subsetOf(names.unitCount(), [&flagged](std::uint64_t unit) { return flagged[unit]; }));
    for (std::size_t block = 0; block < pattern.blocks.size(); ++block)
        pattern.blocks[block] = threeCharacters(names) && flagged[block] ? RowPattern::everyRow : 0;
    return pattern;
}

RowPattern rowsContaining(const NameList& names, const NameUnits& units, char32_t character)
{
    std::vector<bool> flagged(names.unitCount());
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit)
        flagged[unit] = units.units[unit].find(character) != std::u32string::npos;
    return rowsWithAnyUnit(names, flagged);
}

RowPattern rowsOfRepeatedCharacter(const NameList& names, const NameUnits& units)
{
    RowPattern pattern = emptyPattern(names);
    if (!threeCharacters(names)) {
        pattern.subsets.push_back(subsetOf(names.unitCount(), [&units](std::uint64_t unit) {
            return units.units[unit].size() >= 2 && repeatedCharacter(units.units[unit]) != 0;
        }));
        std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
        return pattern;
    }
    // Block a matches the units that repeat the same character as unit a.
    std::map<char32_t, std::vector<std::uint32_t>> unitsOfCharacter;
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        if (const char32_t character = repeatedCharacter(units.units[unit]))
            unitsOfCharacter[character].push_back(static_cast<std::uint32_t>(unit));
    }
    for (auto& [character, members] : unitsOfCharacter) {
        const auto subset = static_cast<std::int32_t>(pattern.subsets.size());
        for (const std::uint32_t unit : members)
            pattern.blocks[unit] = subset;
        pattern.subsets.push_back(subsetOfMembers(names.unitCount(), std::move(members)));
    }
    return pattern;
}

RowPattern rowsSoundingLikeAnEarlierRow(const NameList& names, const std::vector<int>& soundOf)
{
    // The earliest row of a sound combines the first unit of each of its sounds.
    std::map<int, std::uint64_t> firstOfSound;
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        if (soundOf[unit] >= 0)
            firstOfSound.try_emplace(soundOf[unit], unit);
    }
    const auto readable = [&soundOf](std::uint64_t unit) { return soundOf[unit] >= 0; };
    const auto isFirst = [&](std::uint64_t unit) {
        return readable(unit) && firstOfSound.at(soundOf[unit]) == unit;
    };
    RowPattern pattern = emptyPattern(names);
    pattern.subsets.push_back(subsetOf(
        names.unitCount(), [&](std::uint64_t unit) { return readable(unit) && !isFirst(unit); }));
    if (!threeCharacters(names)) {
        std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
        return pattern;
    }
    pattern.subsets.push_back(subsetOf(names.unitCount(), readable));
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        if (readable(unit))
            pattern.blocks[unit] = isFirst(unit) ? 0 : 1;
    }
    return pattern;
}

RowPattern rowsInOneTone(const NameList& names, const std::vector<int>& toneOf, int surnameTone)
{
    RowPattern pattern = emptyPattern(names);
    if (surnameTone < 0)
        return pattern;
    const auto inTone = [&](std::uint64_t unit) { return toneOf[unit] == surnameTone; };
    pattern.subsets.push_back(subsetOf(names.unitCount(), inTone));
    for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block) {
        if (!threeCharacters(names) || inTone(block))
            pattern.blocks[block] = 0;
    }
    return pattern;
}
