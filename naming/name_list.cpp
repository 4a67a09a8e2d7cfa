#include "name_list.h"

#include "distinct_units.h"
#include "unit_text.h"

NameList::NameList(std::string_view surname, std::string_view candidates, NameMode mode)
    : m_surname(surname)
    , m_mode(mode)
{
    const std::string cleaned = NameCombiner::cleanCandidates(candidates);
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

std::string NameList::at(std::uint64_t row) const
{
    const UnitText units(m_units);
    std::string name = m_surname;
    if (m_mode == NameMode::TwoCharacter) {
        name += units.unit(row);
    } else {
        name += units.unit(row / m_unitCount);
        name += units.unit(row % m_unitCount);
    }
    return name;
}
