#include "insight/homophones.h"

#include "hanzi/toneless.h"
#include "hanzi/utf8.h"
#include "insight/word_table.h"

#include <algorithm>
#include <vector>

namespace {

using namespace word_table;

// The entries of the table that sound like one run of syllables.
struct Words {
    const std::uint16_t* first = nullptr;
    std::size_t count = 0;
    std::size_t length = 0;

    const std::uint16_t* word(std::size_t i) const { return first + i * length; }
    static bool unseemly(const std::uint16_t* word) { return (word[0] & kUnseemlyFlag) != 0; }
};

template <typename Sound>
Words findIn(const Sound* sounds, std::size_t entries, const std::uint16_t* words,
             std::size_t length, std::uint64_t sound)
{
    const auto [begin, end] = std::equal_range(sounds, sounds + entries, static_cast<Sound>(sound));
    return {words + static_cast<std::size_t>(begin - sounds) * length,
            static_cast<std::size_t>(end - begin), length};
}

Words wordsSoundingLike(std::span<const Syllable> run)
{
    std::uint64_t sound = 0;
    for (const Syllable syllable : run) {
        if (syllable == kNoSyllable)
            return {};
        sound = (sound << kSoundBits) | static_cast<std::uint64_t>(syllable);
    }
    switch (run.size()) {
    case 2:
        return findIn(kSounds2, kEntries2, kWords2, 2, sound);
    case 3:
        return findIn(kSounds3, kEntries3, kWords3, 3, sound);
    case 4:
        return findIn(kSounds4, kEntries4, kWords4, 4, sound);
    default:
        return {};
    }
}

bool sameWord(const std::uint16_t* a, std::size_t aLength, const std::uint16_t* b,
              std::size_t bLength)
{
    if (aLength != bLength)
        return false;
    for (std::size_t k = 0; k < aLength; ++k) {
        if ((a[k] & ~kUnseemlyFlag) != (b[k] & ~kUnseemlyFlag))
            return false;
    }
    return true;
}

// Visits the words HomophoneText() lists, in its order, until `visit` returns false.
template <typename Visit>
void forEachListedWord(std::span<const Syllable> syllables, std::size_t givenBegin, Visit visit)
{
    std::vector<std::pair<const std::uint16_t*, std::size_t>> listed;
    const auto offer = [&](const std::uint16_t* word, std::size_t length) {
        if (std::ranges::any_of(listed, [&](const auto& seen) {
                return sameWord(seen.first, seen.second, word, length);
            }))
            return true;
        listed.emplace_back(word, length);
        return visit(word, length);
    };
    // The table keeps the three most frequent words of a sound and the unseemly ones after them.
    const Words whole = wordsSoundingLike(syllables);
    for (std::size_t i = 0; i < whole.count; ++i) {
        if (!offer(whole.word(i), whole.length))
            return;
    }
    if (syllables.size() <= 2)
        return; // the one pair is the whole name
    for (std::size_t i = std::max<std::size_t>(givenBegin, 1) - 1; i + 1 < syllables.size(); ++i) {
        const Words pair = wordsSoundingLike(syllables.subspan(i, 2));
        for (std::size_t k = 0; k < pair.count; ++k) {
            if (Words::unseemly(pair.word(k)) && !offer(pair.word(k), 2))
                return;
        }
    }
}

} // namespace

Syllable SyllableOf(std::string_view reading)
{
    if (reading.empty())
        return kNoSyllable;
    const std::string plain = toneless(reading);
    const auto text = [](std::size_t s) {
        return std::string_view(kSyllableText + kSyllableBegin[s],
                                kSyllableBegin[s + 1] - kSyllableBegin[s]);
    };
    std::size_t low = 0;
    std::size_t high = kSyllableCount;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (text(middle) < plain)
            low = middle + 1;
        else
            high = middle;
    }
    return low < kSyllableCount && text(low) == plain ? static_cast<Syllable>(low) : kNoSyllable;
}

std::string HomophoneText(std::span<const Syllable> syllables, std::size_t givenBegin)
{
    std::string text;
    forEachListedWord(syllables, givenBegin,
                      [&text](const std::uint16_t* word, std::size_t length) {
                          if (!text.empty())
                              text += "、";
                          for (std::size_t k = 0; k < length; ++k)
                              utf8::append(text, kCharacters[word[k] & ~kUnseemlyFlag]);
                          if (Words::unseemly(word))
                              text += "（不雅）";
                          return true;
                      });
    return text;
}

bool HasUnseemlyHomophone(std::span<const Syllable> syllables, std::size_t givenBegin)
{
    bool found = false;
    forEachListedWord(syllables, givenBegin, [&found](const std::uint16_t* word, std::size_t) {
        found = Words::unseemly(word);
        return !found;
    });
    return found;
}
