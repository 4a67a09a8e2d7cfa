#include "shortlist/tick_rules.h"

#include "hanzi/toneless.h"
#include "insight/name_insight.h"
#include "naming/name_list.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using Characters = std::span<const NameInsight::Character>;

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

bool threeCharacters(const NameList& names)
{
    return names.unitsPerName() == 2;
}

// One block per first unit (three characters) or one block of every unit (two), matching
// nothing yet.
RowPattern emptyPattern(const NameList& names)
{
    RowPattern pattern;
    pattern.blockLength = names.unitCount();
    const std::uint64_t blocks = threeCharacters(names) ? names.unitCount() : 1;
    pattern.blocks.assign(names.unitCount() == 0 ? 0 : blocks, RowPattern::noRow);
    return pattern;
}

// The rows holding at least one unit that `flagged` picks.
template <typename Flagged>
RowPattern rowsWithAnyUnit(const NameInsight& insight, Flagged flagged)
{
    const NameList& names = insight.names();
    std::vector<bool> flags(names.unitCount());
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit)
        flags[unit] = std::ranges::any_of(insight.unit(unit), flagged);
    RowPattern pattern = emptyPattern(names);
    pattern.subsets.push_back(
        subsetOf(names.unitCount(), [&flags](std::uint64_t unit) { return flags[unit]; }));
    for (std::size_t block = 0; block < pattern.blocks.size(); ++block)
        pattern.blocks[block] = threeCharacters(names) && flags[block] ? RowPattern::everyRow : 0;
    return pattern;
}

// The one character all of `characters` repeat, or 0.
char32_t repeatedCharacter(Characters characters)
{
    if (characters.empty() ||
        std::ranges::any_of(characters, [&characters](const NameInsight::Character& character) {
            return character.codePoint != characters[0].codePoint;
        }))
        return 0;
    return characters[0].codePoint;
}

bool allCovered(Characters characters)
{
    return std::ranges::all_of(characters, &NameInsight::Character::covered);
}

// The tone all of `characters` share, or -1 when they differ or one has no reading.
int sharedTone(Characters characters)
{
    if (characters.empty() || !allCovered(characters))
        return -1;
    const int tone = characters[0].tone;
    return std::ranges::all_of(characters,
                               [tone](const NameInsight::Character& c) { return c.tone == tone; })
               ? tone
               : -1;
}

} // namespace

RowPattern rowsContaining(const NameInsight& insight, char32_t character)
{
    return rowsWithAnyUnit(
        insight, [character](const NameInsight::Character& c) { return c.codePoint == character; });
}

RowPattern rowsOfRepeatedCharacter(const NameInsight& insight)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    if (!threeCharacters(names)) {
        pattern.subsets.push_back(subsetOf(names.unitCount(), [&insight](std::uint64_t unit) {
            return insight.unit(unit).size() >= 2 && repeatedCharacter(insight.unit(unit)) != 0;
        }));
        std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
        return pattern;
    }
    // Block a matches the units that repeat the same character as unit a.
    std::map<char32_t, std::vector<std::uint32_t>> unitsOfCharacter;
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        if (const char32_t character = repeatedCharacter(insight.unit(unit)))
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

RowPattern rowsSoundingLikeAnEarlierRow(const NameInsight& insight)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    if (!allCovered(insight.surname()))
        return pattern;
    // Units that read alike share a sound; the earliest row of a pair of sounds combines the
    // first unit of each.
    std::map<std::string, std::uint64_t> firstOfSound;
    std::vector<std::int64_t> firstAlike(names.unitCount(), -1);
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        if (!allCovered(insight.unit(unit)))
            continue;
        std::string sound;
        for (const NameInsight::Character& character : insight.unit(unit))
            sound += character.reading + ' ';
        firstAlike[unit] =
            static_cast<std::int64_t>(firstOfSound.try_emplace(sound, unit).first->second);
    }
    const auto readable = [&firstAlike](std::uint64_t unit) { return firstAlike[unit] >= 0; };
    const auto isFirst = [&firstAlike](std::uint64_t unit) {
        return firstAlike[unit] == static_cast<std::int64_t>(unit);
    };
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

RowPattern rowsInOneTone(const NameInsight& insight)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    const int tone = insight.surname().empty() ? -2 : sharedTone(insight.surname());
    if (tone == -1)
        return pattern;
    // Without a surname the first unit sets the tone of its block.
    const auto inTone = [&insight, tone](std::uint64_t unit, int wanted) {
        const int unitTone = sharedTone(insight.unit(unit));
        return unitTone >= 0 && (wanted == -2 || unitTone == wanted);
    };
    if (tone >= 0 || !threeCharacters(names)) {
        pattern.subsets.push_back(subsetOf(
            names.unitCount(), [&inTone, tone](std::uint64_t unit) { return inTone(unit, tone); }));
        for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block) {
            if (!threeCharacters(names) || inTone(block, tone))
                pattern.blocks[block] = 0;
        }
        return pattern;
    }
    std::map<int, std::int32_t> subsetOfTone;
    for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block) {
        const int blockTone = sharedTone(insight.unit(block));
        if (blockTone < 0)
            continue;
        auto [found, added] =
            subsetOfTone.try_emplace(blockTone, static_cast<std::int32_t>(pattern.subsets.size()));
        if (added) {
            pattern.subsets.push_back(subsetOf(
                names.unitCount(), [&](std::uint64_t unit) { return inTone(unit, blockTone); }));
        }
        pattern.blocks[block] = found->second;
    }
    return pattern;
}

RowPattern rowsWithRareCharacter(const NameInsight& insight)
{
    return rowsWithAnyUnit(insight, [](const NameInsight::Character& character) {
        return !character.covered() || !character.info->generalStandard;
    });
}

RowPattern rowsAvoiding(const NameInsight& insight, std::u32string_view avoided)
{
    std::set<char32_t> characters(avoided.begin(), avoided.end());
    std::set<std::string> sounds;
    for (const char32_t character : characters) {
        if (const std::optional<CharacterInfo> info = LookUpCharacter(character)) {
            for (const std::string& reading : info->readings)
                sounds.insert(toneless(reading));
        }
    }
    return rowsWithAnyUnit(insight, [&](const NameInsight::Character& character) {
        return characters.contains(character.codePoint) ||
               (character.covered() && sounds.contains(toneless(character.reading)));
    });
}
