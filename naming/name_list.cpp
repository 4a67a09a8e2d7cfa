#include "naming/name_list.h"

#include "naming/distinct_units.h"
#include "naming/gbk_text.h"
#include "naming/unit_text.h"

#include <array>

std::string NameList::cleanCandidates(std::string_view candidates)
{
    static constexpr std::array<std::string_view, 5> separators{",", ".", "\xA3\xAC", "\xA1\xA3",
                                                                " "};
    std::string cleaned(candidates);
    for (const std::string_view separator : separators)
        cleaned = gbk::removeAll(cleaned, separator);
    return cleaned;
}

NameList::NameList(std::string_view surname, std::string_view candidates, NameMode mode)
    : m_surname(surname)
    , m_mode(mode)
{
    const std::string cleaned = cleanCandidates(candidates);
    if (mode == NameMode::TwoCharacter) {
        m_units = distinct_units::compute(cleaned);
        m_unitCount = m_units.size() / 2;
        m_size = m_unitCount;
    } else {
        m_units = cleaned;
        m_unitCount = UnitText(m_units).count();
        m_size = m_unitCount * m_unitCount;
    }
}

std::string_view NameList::unit(std::uint64_t index) const
{
    return UnitText(m_units).unit(index);
}

std::uint64_t NameList::unitIndex(std::uint64_t row, int position) const
{
    if (m_mode == NameMode::TwoCharacter)
        return row;
    return position == 0 ? row / m_unitCount : row % m_unitCount;
}

std::string NameList::at(std::uint64_t row) const
{
    std::string name = m_surname;
    for (int position = 0; position < unitsPerName(); ++position)
        name += unit(unitIndex(row, position));
    return name;
}
