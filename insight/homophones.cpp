#include "insight/homophones.h"

#include "hanzi/character_info.h"
#include "hanzi/third_tone.h"
#include "hanzi/toneless.h"
#include "hanzi/utf8.h"
#include "insight/word_table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using namespace word_table;

constexpr int kToneBits = 3;
constexpr int kMaxLength = 4;

// The entries of the word table of one length whose syllables are those of a run.
struct Words {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    std::size_t length = 0;
    const std::uint16_t* words = nullptr;
    const std::uint32_t* unseemly = nullptr;
    std::size_t unseemlyCount = 0;

    const std::uint16_t* word(std::uint32_t entry) const { return words + entry * length; }
    bool isUnseemly(std::uint32_t entry) const
    {
        return std::binary_search(unseemly, unseemly + unseemlyCount, entry);
    }
    bool anyUnseemly() const
    {
        const std::uint32_t* found = std::lower_bound(unseemly, unseemly + unseemlyCount, begin);
        return found != unseemly + unseemlyCount && *found < end;
    }
};

template <typename Rest>
Words findIn(const std::uint32_t* first, const Rest* rest, const std::uint16_t* words,
             const std::uint32_t* unseemly, std::size_t unseemlyCount, std::size_t length,
             std::size_t firstSyllable, std::uint32_t restSound)
{
    const auto [begin, end] = std::equal_range(
        rest + first[firstSyllable], rest + first[firstSyllable + 1], static_cast<Rest>(restSound));
    return {static_cast<std::uint32_t>(begin - rest),
            static_cast<std::uint32_t>(end - rest),
            length,
            words,
            unseemly,
            unseemlyCount};
}

Words wordsSoundingLike(std::span<const Syllable> run)
{
    const auto known = [](Syllable syllable) {
        return syllable >= 0 && static_cast<std::size_t>(syllable >> kToneBits) < kSyllableCount;
    };
    if (run.size() < 2 || run.size() > kMaxLength || !std::ranges::all_of(run, known))
        return {};
    const auto firstSyllable = static_cast<std::size_t>(run[0] >> kToneBits);
    std::uint32_t rest = 0;
    for (const Syllable syllable : run.subspan(1))
        rest = (rest << kSoundBits) | static_cast<std::uint32_t>(syllable >> kToneBits);
    switch (run.size()) {
    case 2:
        return findIn(kFirst2, kRest2, kWords2, kUnseemly2, kUnseemlyCount2, 2, firstSyllable,
                      rest);
    case 3:
        return findIn(kFirst3, kRest3, kWords3, kUnseemly3, kUnseemlyCount3, 3, firstSyllable,
                      rest);
    default:
        return findIn(kFirst4, kRest4, kWords4, kUnseemly4, kUnseemlyCount4, 4, firstSyllable,
                      rest);
    }
}

// Whether a word reads its syllables in the tones of a run of at most kMaxLength syllables
// (同音), the third-tone rule applied to the run alone; the word's tones have had it already.
class Tones final {
public:
    explicit Tones(std::span<const Syllable> run)
        : m_length(run.size())
    {
        for (std::size_t i = 0; i < m_length; ++i)
            m_tones[i] = run[i] & ((1 << kToneBits) - 1);
        std::span tones(m_tones.data(), m_length);
        applyThirdToneRule(tones);
    }

    bool sameAs(const std::uint16_t* word) const
    {
        for (std::size_t i = 0; i < m_length; ++i) {
            const int tone = word[i] >> kCharacterBits;
            if (tone != m_tones[i] && tone != 0 && m_tones[i] != 0)
                return false;
        }
        return true;
    }

private:
    std::array<int, kMaxLength> m_tones{};
    std::size_t m_length;
};

struct Listed {
    const std::uint16_t* word;
    std::size_t length;
    bool near;
    bool unseemly;
};

bool sameWord(const Listed& a, const Listed& b)
{
    return a.length == b.length &&
           std::equal(a.word, a.word + a.length, b.word, [](std::uint16_t x, std::uint16_t y) {
               return (x & kCharacterMask) == (y & kCharacterMask);
           });
}

// The words HomophoneText() lists, in its order.
std::vector<Listed> listedWords(std::span<const Syllable> syllables, std::size_t givenBegin)
{
    std::vector<Listed> listed;
    const auto offer = [&listed](const Listed& word) {
        if (std::ranges::any_of(listed,
                                [&word](const Listed& seen) { return sameWord(seen, word); }))
            return false;
        listed.push_back(word);
        return true;
    };
    // Visits the entries of `words`, 同音 ones first, then 近音 ones, each in table order.
    const auto inOrder = [](std::span<const Syllable> run, const Words& words, auto visit) {
        if (words.begin == words.end)
            return; // also every run longer than a word
        const Tones tones(run);
        for (const bool near : {false, true}) {
            for (std::uint32_t entry = words.begin; entry < words.end; ++entry) {
                if (tones.sameAs(words.word(entry)) != near)
                    visit(Listed{words.word(entry), words.length, near, words.isUnseemly(entry)});
            }
        }
    };

    const Words whole = wordsSoundingLike(syllables);
    int shown = 0;
    inOrder(syllables, whole, [&](const Listed& word) {
        if (shown < 3 && offer(word))
            ++shown;
    });
    inOrder(syllables, whole, [&](const Listed& word) {
        if (word.unseemly)
            offer(word);
    });
    if (syllables.size() <= 2)
        return listed; // the one pair is the whole name
    for (std::size_t i = std::max<std::size_t>(givenBegin, 1) - 1; i + 1 < syllables.size(); ++i) {
        const std::span<const Syllable> pair = syllables.subspan(i, 2);
        inOrder(pair, wordsSoundingLike(pair), [&](const Listed& word) {
            if (word.unseemly)
                offer(word);
        });
    }
    return listed;
}

std::string_view syllableText(std::size_t s)
{
    return std::string_view(kSyllableText + kSyllableBegin[s],
                            kSyllableBegin[s + 1] - kSyllableBegin[s]);
}

} // namespace

Syllable SyllableOf(std::string_view reading)
{
    if (reading.empty())
        return kNoSyllable;
    const std::string plain = toneless(reading);
    std::size_t low = 0;
    std::size_t high = kSyllableCount;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (syllableText(middle) < plain)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == kSyllableCount || syllableText(low) != plain)
        return kNoSyllable;
    return static_cast<Syllable>(low << kToneBits | static_cast<std::size_t>(ToneOf(reading)));
}

Syllable WithoutTone(Syllable syllable)
{
    return syllable == kNoSyllable ? syllable
                                   : static_cast<Syllable>(syllable & ~((1 << kToneBits) - 1));
}

std::string HomophoneText(std::span<const Syllable> syllables, std::size_t givenBegin)
{
    std::string text;
    for (const Listed& word : listedWords(syllables, givenBegin)) {
        if (!text.empty())
            text += "、";
        for (std::size_t k = 0; k < word.length; ++k)
            utf8::append(text, kCharacters[word.word[k] & kCharacterMask]);
        if (word.near)
            text += word.unseemly ? "（近音·不雅）" : "（近音）";
        else if (word.unseemly)
            text += "（不雅）";
    }
    return text;
}

bool HasUnseemlyHomophone(std::span<const Syllable> syllables, std::size_t givenBegin)
{
    if (wordsSoundingLike(syllables).anyUnseemly())
        return true;
    if (syllables.size() <= 2)
        return false;
    for (std::size_t i = std::max<std::size_t>(givenBegin, 1) - 1; i + 1 < syllables.size(); ++i) {
        if (wordsSoundingLike(syllables.subspan(i, 2)).anyUnseemly())
            return true;
    }
    return false;
}
