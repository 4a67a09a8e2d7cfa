#include "naming/distinct_units.h"

#include "naming/gbk_text.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace distinct_units {
namespace {

constexpr std::uint32_t none = UINT32_MAX;

// One character of the remaining text. Bytes keep their order in the text, so the position
// of a character's first byte in the original text orders the characters.
struct Character {
    std::array<unsigned char, 2> bytes{};
    std::array<std::uint32_t, 2> positions{};
    std::uint8_t length = 0; // 1 or 2; 0 once the character is gone
    std::uint32_t pass = 0;  // the pass that formed it
    std::uint32_t previous = none;
    std::uint32_t next = none;

    unsigned key() const { return bytes[0] << 8 | bytes[1]; }
};

// The remaining text as a linked list of characters.
//
// A pass whose unit is a double-byte character removes exactly the characters equal to it and
// leaves every boundary in place: it only records the pass in `m_removedInPass`, and a
// double-byte character formed before that pass counts as gone from then on.
// A pass whose unit starts with a single-byte character c visits the single-byte characters
// c in text order. A match may take a double-byte character's first byte; the bytes behind it
// are then walked anew until the walk meets a boundary of the old text again.
class RemainingText {
public:
    explicit RemainingText(std::string_view text)
    {
        m_characters.reserve(text.size() + 1);
        std::uint32_t last = none;
        for (std::size_t offset = 0; offset < text.size();) {
            const std::size_t length = gbk::characterLength(text, offset);
            Character character;
            character.length = static_cast<std::uint8_t>(length);
            for (std::size_t i = 0; i < length; ++i) {
                character.bytes[i] = static_cast<unsigned char>(text[offset + i]);
                character.positions[i] = static_cast<std::uint32_t>(offset + i);
            }
            last = insertAfter(last, character);
            offset += length;
        }
    }

    // Runs the passes to the end of the text; returns the two-byte units in pass order.
    std::string consume()
    {
        std::string units;
        for (std::uint32_t first = front(); first != none; first = front(), ++m_pass) {
            const Character& character = m_characters[first];
            if (character.length == 2) {
                units.append(reinterpret_cast<const char*>(character.bytes.data()), 2);
                m_removedInPass[character.key()] = m_pass;
                unlink(first);
                continue;
            }
            const std::uint32_t second = nextPresent(first);
            if (second == none)
                break; // a single byte left: its pass adds no row
            const unsigned char c = character.bytes[0];
            const unsigned char y = m_characters[second].bytes[0];
            units += static_cast<char>(c);
            units += static_cast<char>(y);
            removeSingleByteUnit(c, y);
        }
        return units;
    }

private:
    bool present(std::uint32_t index) const
    {
        const Character& character = m_characters[index];
        return character.length == 1 ||
               (character.length == 2 && m_removedInPass[character.key()] < character.pass);
    }

    std::uint32_t insertAfter(std::uint32_t previous, Character character)
    {
        const auto index = static_cast<std::uint32_t>(m_characters.size());
        character.pass = m_pass;
        character.previous = previous;
        character.next = previous == none ? m_head : m_characters[previous].next;
        if (character.next != none)
            m_characters[character.next].previous = index;
        (previous == none ? m_head : m_characters[previous].next) = index;
        if (character.length == 1)
            m_singles[character.bytes[0]].insert_or_assign(character.positions[0], index);
        m_characters.push_back(character);
        return index;
    }

    void unlink(std::uint32_t index)
    {
        Character& character = m_characters[index];
        (character.previous == none ? m_head : m_characters[character.previous].next) =
            character.next;
        if (character.next != none)
            m_characters[character.next].previous = character.previous;
        character.length = 0;
    }

    // Drops characters that earlier passes removed as it meets them.
    std::uint32_t nextPresent(std::uint32_t index)
    {
        std::uint32_t next = m_characters[index].next;
        while (next != none && !present(next)) {
            const std::uint32_t after = m_characters[next].next;
            unlink(next);
            next = after;
        }
        return next;
    }

    std::uint32_t front()
    {
        while (m_head != none && !present(m_head))
            unlink(m_head);
        return m_head;
    }

    // Removes every occurrence of the unit c y, where c is a single-byte character.
    void removeSingleByteUnit(unsigned char c, unsigned char y)
    {
        auto& singles = m_singles[c];
        for (auto entry = singles.begin(); entry != singles.end();) {
            const std::uint32_t index = entry->second;
            if (m_characters[index].length != 1) {
                entry = singles.erase(entry);
                continue;
            }
            const std::uint32_t next = nextPresent(index);
            if (next == none || m_characters[next].bytes[0] != y) {
                ++entry;
                continue;
            }
            const std::uint32_t position = entry->first;
            singles.erase(entry);
            const std::uint32_t before = m_characters[index].previous;
            const Character taken = m_characters[next];
            unlink(index);
            unlink(next);
            if (taken.length == 2)
                walkAnew(before, taken.bytes[1], taken.positions[1]);
            // The walk may have formed further characters c behind this one.
            entry = singles.upper_bound(position);
        }
    }

    // Forms characters again from `byte` on, behind `before`, until a boundary of the old
    // text is reached.
    void walkAnew(std::uint32_t before, unsigned char byte, std::uint32_t position)
    {
        for (;;) {
            Character formed;
            formed.bytes[0] = byte;
            formed.positions[0] = position;
            formed.length = 1;
            const std::uint32_t next = before == none ? front() : nextPresent(before);
            if (!gbk::isLeadByte(byte) || next == none) {
                insertAfter(before, formed);
                return;
            }
            const Character following = m_characters[next];
            formed.bytes[1] = following.bytes[0];
            formed.positions[1] = following.positions[0];
            formed.length = 2;
            unlink(next);
            before = insertAfter(before, formed);
            if (following.length == 1)
                return;
            byte = following.bytes[1];
            position = following.positions[1];
        }
    }

    std::vector<Character> m_characters;
    std::uint32_t m_head = none;
    std::uint32_t m_pass = 1;
    // The single-byte characters of each byte value, by position.
    std::array<std::map<std::uint32_t, std::uint32_t>, 256> m_singles;
    // The last pass that removed each double-byte character; 0 for none.
    std::vector<std::uint32_t> m_removedInPass = std::vector<std::uint32_t>(0x10000, 0);
};

// One pass of the rule: takes the leading unit off `remaining`; returns it.
std::string takeLeadingUnit(std::string& remaining)
{
    std::string unit = remaining.substr(0, 2);
    remaining = gbk::removeAll(remaining, unit);
    return unit;
}

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
    return RemainingText(cleanedText).consume();
}

} // namespace distinct_units
