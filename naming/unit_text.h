#pragma once

#include <cstddef>
#include <string_view>

// A text cut into units at byte offsets 0, 2, 4, ...: each unit is the two bytes at its
// offset, and an odd length leaves a final one-byte unit.
class UnitText final {
public:
    explicit UnitText(std::string_view text)
        : m_text(text)
    {
    }

    std::size_t count() const { return (m_text.size() + 1) / 2; }
    std::string_view unit(std::size_t index) const { return m_text.substr(2 * index, 2); }

private:
    std::string_view m_text;
};
