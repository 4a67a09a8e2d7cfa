#include "shortlist/tick_rules.h"

#include "hanzi/toneless.h"
#include "insight/level_tones.h"
#include "insight/name_insight.h"
#include "naming/name_list.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <initializer_list>
#include <map>
#include <numeric>
#include <set>

namespace {

// Blocks of a pattern made between two progress reports.
constexpr std::uint64_t blocksPerReport = 256;

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

// A character's tone (0 to 4), or -1 without reading.
int toneClass(const NameInsight::Character& character)
{
    return character.covered() ? character.tone : -1;
}

// A character's 平仄 as a number, or -1 when it is neither.
int levelClass(const NameInsight::Character& character)
{
    const ToneLevel level = LevelOfTone(toneClass(character));
    return level == ToneLevel::Unknown ? -1 : static_cast<int>(level);
}

// The class all of `characters` share, or -1 when they differ or one has none.
template <typename ClassOf>
int sharedClass(Characters characters, ClassOf classOf)
{
    if (characters.empty())
        return -1;
    const int first = classOf(characters[0]);
    return first >= 0 && std::ranges::all_of(
                             characters,
                             [&](const NameInsight::Character& c) { return classOf(c) == first; })
               ? first
               : -1;
}

// The rows whose characters, surname included, all share one class.
template <typename ClassOf>
RowPattern rowsInOneClass(const NameInsight& insight, ClassOf classOf)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    const auto shared = [classOf](Characters characters) {
        return sharedClass(characters, classOf);
    };
    const int surnameClass = insight.surname().empty() ? -2 : shared(insight.surname());
    if (surnameClass == -1)
        return pattern;
    // Without a surname the first unit sets the class of its block.
    const auto inClass = [&insight, &shared](std::uint64_t unit, int wanted) {
        const int unitClass = shared(insight.unit(unit));
        return unitClass >= 0 && (wanted == -2 || unitClass == wanted);
    };
    if (surnameClass >= 0 || !threeCharacters(names)) {
        pattern.subsets.push_back(subsetOf(
            names.unitCount(), [&](std::uint64_t unit) { return inClass(unit, surnameClass); }));
        for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block) {
            if (!threeCharacters(names) || inClass(block, surnameClass))
                pattern.blocks[block] = 0;
        }
        return pattern;
    }
    std::map<int, std::int32_t> subsetOfClass;
    for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block) {
        const int blockClass = shared(insight.unit(block));
        if (blockClass < 0)
            continue;
        auto [found, added] = subsetOfClass.try_emplace(
            blockClass, static_cast<std::int32_t>(pattern.subsets.size()));
        if (added) {
            pattern.subsets.push_back(subsetOf(
                names.unitCount(), [&](std::uint64_t unit) { return inClass(unit, blockClass); }));
        }
        pattern.blocks[block] = found->second;
    }
    return pattern;
}

// Without their tones, which do not change whether a name sounds unseemly, so that units of
// one syllable in different tones are heard once.
std::vector<Syllable> syllablesOf(Characters characters)
{
    std::vector<Syllable> syllables;
    for (const NameInsight::Character& character : characters)
        syllables.push_back(WithoutTone(character.syllable));
    return syllables;
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
    return rowsInOneClass(insight, toneClass);
}

RowPattern rowsAllLevelOrAllOblique(const NameInsight& insight)
{
    return rowsInOneClass(insight, levelClass);
}

RowPattern rowsWithUnseemlyHomophone(const NameInsight& insight)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    // Units of the same syllables sound alike: each pair of sounds is heard once.
    std::map<std::vector<Syllable>, std::size_t> soundIndex;
    std::vector<std::vector<Syllable>> sounds;
    std::vector<std::size_t> soundOfUnit(names.unitCount());
    for (std::uint64_t unit = 0; unit < names.unitCount(); ++unit) {
        auto [found, added] =
            soundIndex.try_emplace(syllablesOf(insight.unit(unit)), sounds.size());
        if (added)
            sounds.push_back(found->first);
        soundOfUnit[unit] = found->second;
    }
    const std::vector<Syllable> surname = syllablesOf(insight.surname());
    const auto unseemly = [&surname](std::initializer_list<const std::vector<Syllable>*> units) {
        std::vector<Syllable> name = surname;
        for (const std::vector<Syllable>* unit : units)
            name.insert(name.end(), unit->begin(), unit->end());
        return HasUnseemlyHomophone(name, surname.size());
    };
    if (!threeCharacters(names)) {
        std::vector<bool> heard(sounds.size());
        for (std::size_t sound = 0; sound < sounds.size(); ++sound)
            heard[sound] = unseemly({&sounds[sound]});
        pattern.subsets.push_back(subsetOf(
            names.unitCount(), [&](std::uint64_t unit) { return heard[soundOfUnit[unit]]; }));
        std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
        return pattern;
    }
    // Block a matches the units whose sound, after a's, makes the name unseemly.
    std::vector<std::int32_t> blockOfSound(sounds.size());
    for (std::size_t first = 0; first < sounds.size(); ++first) {
        std::vector<bool> heard(sounds.size());
        for (std::size_t second = 0; second < sounds.size(); ++second)
            heard[second] = unseemly({&sounds[first], &sounds[second]});
        if (std::ranges::none_of(heard, std::identity{})) {
            blockOfSound[first] = RowPattern::noRow;
        } else if (std::ranges::all_of(heard, std::identity{})) {
            blockOfSound[first] = RowPattern::everyRow;
        } else {
            blockOfSound[first] = static_cast<std::int32_t>(pattern.subsets.size());
            pattern.subsets.push_back(subsetOf(
                names.unitCount(), [&](std::uint64_t unit) { return heard[soundOfUnit[unit]]; }));
        }
    }
    for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block)
        pattern.blocks[block] = blockOfSound[soundOfUnit[block]];
    return pattern;
}

RowPattern rowsWithoutCharacterAt(const NameInsight& insight, int position, char32_t character)
{
    const NameList& names = insight.names();
    RowPattern pattern = emptyPattern(names);
    const auto other = [&insight, character](std::uint64_t unit) {
        const Characters characters = insight.unit(unit);
        return characters.size() != 1 || characters[0].codePoint != character;
    };
    if (threeCharacters(names) && position == 0) {
        for (std::uint64_t block = 0; block < pattern.blocks.size(); ++block)
            pattern.blocks[block] = other(block) ? RowPattern::everyRow : RowPattern::noRow;
        return pattern;
    }
    pattern.subsets.push_back(subsetOf(names.unitCount(), other));
    std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
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

std::optional<RowPattern> rowsWithoutSource(const NameInsight& insight, const PoetryCorpus& corpus,
                                            Collections collections, const Progress& progress)
{
    const NameList& names = insight.names();
    const std::uint64_t count = names.unitCount();
    const auto hasSource = [&](std::u32string_view givenName) {
        return corpus.sourceLine(givenName, collections).has_value();
    };
    const auto characterOf = [&insight](std::uint64_t unit) -> char32_t {
        const Characters characters = insight.unit(unit);
        return characters.size() == 1 ? characters[0].codePoint : 0;
    };
    if (progress && !progress(0))
        return std::nullopt;
    RowPattern pattern = emptyPattern(names);
    if (!threeCharacters(names)) {
        pattern.subsets.push_back(subsetOf(count, [&](std::uint64_t unit) {
            const char32_t character = characterOf(unit);
            return character == 0 || !hasSource(std::u32string_view(&character, 1));
        }));
        std::fill(pattern.blocks.begin(), pattern.blocks.end(), 0);
        return pattern;
    }
    // Block a matches the units whose character follows unit a's in no clause. One pass over
    // the clauses fills a bit matrix of which candidate character follows which; units may
    // repeat a character, so blocks of one character share a subset.
    constexpr std::int32_t none = -1;
    std::vector<std::int32_t> candidateOfSymbol(corpus.symbolCount(), none);
    std::vector<std::int32_t> candidateOfUnit(count, none);
    std::int32_t candidates = 0;
    for (std::uint64_t unit = 0; unit < count; ++unit) {
        const char32_t character = characterOf(unit);
        if (const auto symbol = character == 0 ? std::nullopt : corpus.symbolOf(character)) {
            std::int32_t& candidate = candidateOfSymbol[*symbol];
            if (candidate == none)
                candidate = candidates++;
            candidateOfUnit[unit] = candidate;
        }
    }
    const std::size_t words = (static_cast<std::size_t>(candidates) + 63) / 64;
    std::vector<std::uint64_t> follows(words * static_cast<std::size_t>(candidates));
    std::vector<std::uint32_t> firstSeenInClause(static_cast<std::size_t>(candidates), 0);
    std::uint32_t clauseNumber = 0;
    std::vector<std::int32_t> clauseCandidates;
    // The clauses take under a tenth of the time, the blocks the rest.
    constexpr double linesShare = 0.1;
    corpus.forEachClause(collections, [&](std::span<const std::uint16_t> clause) {
        ++clauseNumber;
        clauseCandidates.clear();
        for (const std::uint16_t symbol : clause) {
            if (candidateOfSymbol[symbol] != none)
                clauseCandidates.push_back(candidateOfSymbol[symbol]);
        }
        for (std::size_t i = 0; i < clauseCandidates.size(); ++i) {
            const std::int32_t first = clauseCandidates[i];
            if (firstSeenInClause[first] == clauseNumber)
                continue;
            firstSeenInClause[first] = clauseNumber;
            std::uint64_t* row = follows.data() + static_cast<std::size_t>(first) * words;
            for (std::size_t j = i + 1; j < clauseCandidates.size(); ++j)
                row[clauseCandidates[j] / 64] |= 1ULL << (clauseCandidates[j] % 64);
        }
    });
    if (progress && !progress(linesShare))
        return std::nullopt;
    // The units of each candidate, so that a block's subset is every unit less the units of
    // the candidates that follow its first.
    std::vector<std::uint32_t> unitsBegin(static_cast<std::size_t>(candidates) + 2, 0);
    for (const std::int32_t candidate : candidateOfUnit) {
        if (candidate != none)
            ++unitsBegin[static_cast<std::size_t>(candidate) + 2];
    }
    std::partial_sum(unitsBegin.begin(), unitsBegin.end(), unitsBegin.begin());
    std::vector<std::uint32_t> unitsOfCandidate(unitsBegin.back());
    for (std::uint64_t unit = 0; unit < count; ++unit) {
        if (const std::int32_t candidate = candidateOfUnit[unit]; candidate != none)
            unitsOfCandidate[unitsBegin[static_cast<std::size_t>(candidate) + 1]++] =
                static_cast<std::uint32_t>(unit);
    }
    const auto forEachFollowing = [&](const std::uint64_t* row, const auto& visit) {
        for (std::size_t word = 0; word < words; ++word) {
            for (std::uint64_t bits = row[word]; bits != 0; bits &= bits - 1)
                visit(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    };
    constexpr std::int32_t unknown = -3;
    std::vector<std::int32_t> blockOfCandidate(static_cast<std::size_t>(candidates), unknown);
    for (std::uint64_t block = 0; block < count; ++block) {
        if (block % blocksPerReport == 0 && progress &&
            !progress(linesShare +
                      (1 - linesShare) * static_cast<double>(block) / static_cast<double>(count)))
            return std::nullopt;
        const std::int32_t first = candidateOfUnit[block];
        if (first == none) {
            pattern.blocks[block] = RowPattern::everyRow;
            continue;
        }
        if (blockOfCandidate[first] == unknown) {
            const std::uint64_t* row = follows.data() + static_cast<std::size_t>(first) * words;
            std::uint64_t members = count;
            forEachFollowing(row, [&](std::size_t second) {
                members -= unitsBegin[second + 1] - unitsBegin[second];
            });
            if (members == 0) {
                blockOfCandidate[first] = RowPattern::noRow;
            } else if (members == count) {
                blockOfCandidate[first] = RowPattern::everyRow;
            } else {
                std::vector<std::uint64_t> bits((count + 63) / 64, ~std::uint64_t{0});
                if (count % 64 != 0)
                    bits.back() >>= 64 - count % 64;
                forEachFollowing(row, [&](std::size_t second) {
                    for (std::uint32_t at = unitsBegin[second]; at < unitsBegin[second + 1]; ++at)
                        bits[unitsOfCandidate[at] / 64] &=
                            ~(std::uint64_t{1} << (unitsOfCandidate[at] % 64));
                });
                UnitSubset subset;
                if (members * 32 > count)
                    subset.bits = std::move(bits);
                else
                    subset = subsetOf(count, [&bits](std::uint64_t unit) {
                        return bits[unit / 64] >> (unit % 64) & 1;
                    });
                blockOfCandidate[first] = static_cast<std::int32_t>(pattern.subsets.size());
                pattern.subsets.push_back(std::move(subset));
            }
        }
        pattern.blocks[block] = blockOfCandidate[first];
    }
    return pattern;
}
