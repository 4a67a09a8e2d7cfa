#include "naming/name_combiner.h"

#include "naming/distinct_units.h"
#include "naming/unit_text.h"

std::vector<std::string> NameCombiner::twoCharacterNames(std::string_view surname,
                                                         std::string_view candidates)
{
    const std::string units = distinct_units::compute(cleanCandidates(candidates));
    const UnitText unitText(units);
    std::vector<std::string> names;
    names.reserve(unitText.count());
    for (std::size_t i = 0; i < unitText.count(); ++i) {
        std::string& name = names.emplace_back(surname);
        name += unitText.unit(i);
    }
    return names;
}

std::vector<std::string> NameCombiner::threeCharacterNames(std::string_view surname,
                                                           std::string_view candidates)
{
    const std::string cleaned = cleanCandidates(candidates);
    const UnitText unitText(cleaned);
    const std::size_t n = unitText.count();
    std::vector<std::string> names;
    names.reserve(n * n);
    for (std::size_t b = 0; b < n; ++b) {
        for (std::size_t j = 0; j < n; ++j) {
            std::string& name = names.emplace_back(surname);
            name += unitText.unit(b);
            name += unitText.unit(j);
        }
    }
    return names;
}
