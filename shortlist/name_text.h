#pragma once

#include "name_units.h"

#include <cstdint>
#include <string>
#include <vector>

class NameList;

// The names of a list as UTF-8 text, from the decoded surname and units.
class NameText final {
public:
    NameText(const NameList& names, NameUnits units);

    const NameUnits& units() const { return m_units; }
    // Appends the name of row `row`.
    void append(std::string& text, std::uint64_t row) const;

private:
    const NameList* m_names;
    NameUnits m_units;
    std::string m_surname;
    std::vector<std::string> m_unitText;
};

// `text` as UTF-8.
std::string toUtf8(std::u32string_view text);
