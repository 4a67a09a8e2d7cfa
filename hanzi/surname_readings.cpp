#include "hanzi/character_info.h"

#include <algorithm>
#include <array>

namespace {

struct SingleSurname {
    char32_t character;
    std::string_view reading;
};

struct CompoundSurname {
    std::u32string_view characters;
    std::string_view first;
    std::string_view second;
};

// Surnames read otherwise than the character's customary reading.
constexpr std::array<SingleSurname, 24> singleSurnames{{
    {U'单', "shàn"}, {U'曾', "zēng"}, {U'解', "xiè"},  {U'查', "zhā"},   {U'仇', "qiú"},
    {U'区', "ōu"},   {U'朴', "piáo"}, {U'盖', "gě"},   {U'种', "chóng"}, {U'覃', "qín"},
    {U'召', "shào"}, {U'繁', "pó"},   {U'员', "yùn"},  {U'缪', "miào"},  {U'乐', "yuè"},
    {U'任', "rén"},  {U'华', "huà"},  {U'纪', "jǐ"},   {U'宁', "nìng"},  {U'燕', "yān"},
    {U'过', "guō"},  {U'折', "shé"},  {U'翟', "zhái"}, {U'薄', "bó"},
}};

constexpr std::array<CompoundSurname, 7> compoundSurnames{{
    {U"尉迟", "yù", "chí"},
    {U"万俟", "mò", "qí"},
    {U"长孙", "zhǎng", "sūn"},
    {U"澹台", "tán", "tái"},
    {U"令狐", "líng", "hú"},
    {U"单于", "chán", "yú"},
    {U"诸葛", "zhū", "gě"},
}};

std::string readingInName(char32_t character)
{
    const std::optional<CharacterInfo> info = LookUpCharacter(character);
    return info ? std::string(info->readingInName()) : std::string();
}

} // namespace

bool IsCompoundSurname(std::u32string_view surname)
{
    return std::any_of(
        compoundSurnames.begin(), compoundSurnames.end(),
        [surname](const CompoundSurname& entry) { return entry.characters == surname; });
}

std::vector<std::string> SurnameReadings(std::u32string_view surname)
{
    const auto compound = std::find_if(
        compoundSurnames.begin(), compoundSurnames.end(),
        [surname](const CompoundSurname& entry) { return entry.characters == surname; });
    if (compound != compoundSurnames.end())
        return {std::string(compound->first), std::string(compound->second)};

    std::vector<std::string> readings;
    readings.reserve(surname.size());
    for (std::size_t i = 0; i < surname.size(); ++i) {
        const auto single = std::find_if(singleSurnames.begin(), singleSurnames.end(),
                                         [character = surname[i]](const SingleSurname& entry) {
                                             return entry.character == character;
                                         });
        if (i == 0 && single != singleSurnames.end())
            readings.emplace_back(single->reading);
        else
            readings.push_back(readingInName(surname[i]));
    }
    return readings;
}
