#include "distinct_units.h"

#include "gbk_text.h"

#include <bitset>
#include <memory>
#include <vector>

namespace distinct_units {
namespace {

// One pass of the rule: takes the leading unit off `remaining`; returns it.
std::string takeLeadingUnit(std::string& remaining)
{
    std::string unit = remaining.substr(0, 2);
    remaining = gbk::removeAll(remaining, unit);
    return unit;
}

// The remaining text as its characters, with the double-byte characters that earlier
// passes removed left in place but skipped.
class CharacterWalk {
public:
    explicit CharacterWalk(std::string text) { reset(std::move(text)); }

    void reset(std::string text)
    {
        m_text = std::move(text);
        m_starts.clear();
        for (std::size_t offset = 0; offset < m_text.size();
             offset += gbk::characterLength(m_text, offset))
            m_starts.push_back(offset);
        m_removed->reset();
        m_next = 0;
    }

    // The first character still present, or empty at the end.
    std::string_view front()
    {
        while (m_next < m_starts.size()) {
            const std::string_view character = at(m_next);
            if (character.size() == 1 || !m_removed->test(key(character)))
                return character;
            ++m_next;
        }
        return {};
    }

    void removeEverywhere(std::string_view doubleByteCharacter)
    {
        m_removed->set(key(doubleByteCharacter));
    }

    // The remaining text as bytes.
    std::string remainingText()
    {
        std::string text;
        text.reserve(m_text.size() - m_starts[m_next]);
        for (std::size_t i = m_next; i < m_starts.size(); ++i) {
            const std::string_view character = at(i);
            if (character.size() == 1 || !m_removed->test(key(character)))
                text += character;
        }
        return text;
    }

private:
    std::string_view at(std::size_t index) const
    {
        const std::size_t end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_text.size();
        return std::string_view(m_text).substr(m_starts[index], end - m_starts[index]);
    }

    static std::size_t key(std::string_view character)
    {
        return static_cast<unsigned char>(character[0]) << 8 |
               static_cast<unsigned char>(character[1]);
    }

    std::string m_text;
    std::vector<std::size_t> m_starts;
    std::unique_ptr<std::bitset<0x10000>> m_removed = std::make_unique<std::bitset<0x10000>>();
    std::size_t m_next = 0;
};

} // namespace

std::string reference(std::string_view cleanedText)
{
    std::string remaining(cleanedText);
    std::string units;
    const std::size_t count = remaining.size() / 2;
    for (std::size_t pass = 0; pass <= count; ++pass) {
        const std::string unit = takeLeadingUnit(remaining);
        if (unit.size() == 2)
            units += unit;
    }
    return units;
}

std::string compute(std::string_view cleanedText)
{
    CharacterWalk walk{std::string(cleanedText)};
    std::string units;
    // Every productive pass consumes at least two bytes, so the passes end with the text.
    for (std::string_view first = walk.front(); !first.empty(); first = walk.front()) {
        if (first.size() == 2) {
            units += first;
            walk.removeEverywhere(first);
            continue;
        }
        std::string remaining = walk.remainingText();
        const std::string unit = takeLeadingUnit(remaining);
        if (unit.size() == 2)
            units += unit;
        walk.reset(std::move(remaining));
    }
    return units;
}

} // namespace distinct_units
