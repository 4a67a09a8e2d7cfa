#include "name_text.h"

#include "name_list.h"

NameText::NameText(const NameList& names, NameUnits units)
    : m_names(&names)
    , m_units(std::move(units))
    , m_surname(toUtf8(m_units.surname))
{
    m_unitText.reserve(m_units.units.size());
    for (const std::u32string& unit : m_units.units)
        m_unitText.push_back(toUtf8(unit));
}

void NameText::append(std::string& text, std::uint64_t row) const
{
    text += m_surname;
    for (int position = 0; position < m_names->unitsPerName(); ++position)
        text += m_unitText[m_names->unitIndex(row, position)];
}

std::string toUtf8(std::u32string_view text)
{
    std::string utf8;
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}
