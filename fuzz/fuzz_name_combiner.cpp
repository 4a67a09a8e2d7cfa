// The combination engine on arbitrary bytes. Input: the first byte's low three bits give the
// surname length, the surname follows, and the rest is the candidate text.

#include "fuzz/fuzz_check.h"
#include "naming/distinct_units.h"
#include "naming/gbk_text.h"
#include "naming/name_combiner.h"
#include "naming/name_list.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Bounds that keep one run in the milliseconds: the plain rule behind the two-character mode is
// quadratic in the text, the three-character mode has units squared rows.
constexpr std::size_t kMaxTwoCharacterBytes = 2000;
constexpr std::size_t kMaxThreeCharacterUnits = 64;

constexpr std::array<std::string_view, 5> kSeparators{",", ".", "\xA3\xAC", "\xA1\xA3", " "};

// The characters of `text`, cut the way the engine cuts them.
std::vector<std::string_view> CharactersOf(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t length = gbk::characterLength(text, offset);
        characters.push_back(text.substr(offset, length));
        offset += length;
    }
    return characters;
}

// Separators are whole characters, so removing them never moves a character boundary: the
// cleaned text is the candidates' other characters, in order.
std::string WithoutSeparators(std::string_view candidates)
{
    std::string kept;
    for (const std::string_view character : CharactersOf(candidates)) {
        if (std::find(kSeparators.begin(), kSeparators.end(), character) == kSeparators.end())
            kept += character;
    }
    return kept;
}

// True when every character but the last is double-byte. Then no pass of the unit rule starts
// on a single byte, no boundary moves, and the units are simply the distinct double-byte
// characters. A single-byte character inside the text takes half of the character behind it
// as its unit and shifts the boundaries after it, so a unit removed before can come back (for
// example "美b懊丽" yields 美 twice).
bool OnlyDoubleByteInside(const std::vector<std::string_view>& characters)
{
    return std::all_of(characters.begin(), characters.end() - (characters.empty() ? 0 : 1),
                       [](std::string_view character) { return character.size() == 2; });
}

std::string DistinctDoubleByteCharacters(const std::vector<std::string_view>& characters)
{
    std::set<std::string_view> seen;
    std::string units;
    for (const std::string_view character : characters) {
        if (character.size() == 2 && seen.insert(character).second)
            units += character;
    }
    return units;
}

void CheckTwoCharacterMode(std::string_view surname, std::string_view candidates,
                           const std::string& cleaned)
{
    const std::string units = distinct_units::reference(cleaned);
    FUZZ_CHECK(distinct_units::compute(cleaned) == units);
    FUZZ_CHECK(units.size() % 2 == 0);
    if (cleaned.size() >= 2)
        FUZZ_CHECK(units.substr(0, 2) == cleaned.substr(0, 2));

    const std::vector<std::string_view> characters = CharactersOf(cleaned);
    if (OnlyDoubleByteInside(characters))
        FUZZ_CHECK(units == DistinctDoubleByteCharacters(characters));

    const std::vector<std::string> names = NameCombiner::twoCharacterNames(surname, candidates);
    const NameList list(surname, candidates, NameMode::TwoCharacter);
    FUZZ_CHECK(names.size() == units.size() / 2);
    FUZZ_CHECK(list.size() == names.size());
    FUZZ_CHECK(list.empty() == names.empty());
    for (std::size_t row = 0; row < names.size(); ++row) {
        FUZZ_CHECK(names[row].size() == surname.size() + 2);
        FUZZ_CHECK(names[row].starts_with(surname));
        FUZZ_CHECK(names[row].substr(surname.size()) == units.substr(2 * row, 2));
        FUZZ_CHECK(list.at(row) == names[row]);
    }
    if (OnlyDoubleByteInside(characters)) {
        const std::set<std::string> distinct(names.begin(), names.end());
        FUZZ_CHECK(distinct.size() == names.size());
    }
}

void CheckThreeCharacterMode(std::string_view surname, std::string_view candidates,
                             const std::string& cleaned)
{
    const std::size_t n = (cleaned.size() + 1) / 2;
    const std::vector<std::string> names = NameCombiner::threeCharacterNames(surname, candidates);
    const NameList list(surname, candidates, NameMode::ThreeCharacter);
    FUZZ_CHECK(names.size() == n * n);
    FUZZ_CHECK(list.size() == names.size());
    FUZZ_CHECK(list.empty() == names.empty());
    for (std::size_t row = 0; row < names.size(); ++row) {
        std::string expected(surname);
        expected += std::string_view(cleaned).substr(2 * (row / n), 2);
        expected += std::string_view(cleaned).substr(2 * (row % n), 2);
        FUZZ_CHECK(names[row] == expected);
        FUZZ_CHECK(list.at(row) == names[row]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t surnameLength = std::min<std::size_t>(data[0] & 0x07, input.size());
    const std::string_view surname = input.substr(0, surnameLength);
    const std::string_view candidates = input.substr(surnameLength);

    const std::string cleaned = NameCombiner::cleanCandidates(candidates);
    FUZZ_CHECK(cleaned == WithoutSeparators(candidates));

    if (candidates.size() <= kMaxTwoCharacterBytes)
        CheckTwoCharacterMode(surname, candidates, cleaned);
    if ((cleaned.size() + 1) / 2 <= kMaxThreeCharacterUnits)
        CheckThreeCharacterMode(surname, candidates, cleaned);
    return 0;
}
