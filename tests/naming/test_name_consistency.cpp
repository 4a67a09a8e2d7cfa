// Differential tests: the fast two-character path against the plain rule, and the indexed
// NameList against the vector operations, on many random inputs.
#include "naming/distinct_units.h"
#include "naming/name_combiner.h"
#include "naming/name_list.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Bytes chosen to collide: separators, lead bytes that also appear as trail bytes, the
// single-byte characters 0x80 and 0xFF, and a few ASCII letters.
constexpr unsigned char mixedAlphabet[] = {'a',  'b',  ',',  '.',  ' ',  0xA3, 0xAC, 0xA1,
                                           0xB1, 0xB0, 0xC3, 0xC0, 0x80, 0xFF, 0x81, 0x40};
// Lead + trail pairs of a few characters, so that repeats are common.
constexpr unsigned char doubleByteAlphabet[] = {0xB1, 0xB0, 0xC3, 0xC0, 0xA3, 0xAC, 0xA1};

class RandomText {
public:
    explicit RandomText(unsigned seed)
        : m_engine(seed)
    {
    }

    std::string mixed(std::size_t maxLength)
    {
        std::string text(length(maxLength), '\0');
        for (char& byte : text)
            byte = static_cast<char>(pick(mixedAlphabet));
        return text;
    }

    // Whole double-byte characters with perhaps a stray byte at the end or in the middle.
    std::string doubleByte(std::size_t maxCharacters, bool withStray)
    {
        std::string text;
        const std::size_t characters = length(maxCharacters);
        for (std::size_t i = 0; i < characters; ++i) {
            text += static_cast<char>(pick(doubleByteAlphabet));
            text += static_cast<char>(pick(doubleByteAlphabet));
        }
        if (withStray)
            text.insert(length(text.size()), 1, static_cast<char>(pick(mixedAlphabet)));
        return text;
    }

private:
    std::size_t length(std::size_t max)
    {
        return std::uniform_int_distribution<std::size_t>(0, max)(m_engine);
    }

    template <std::size_t N>
    unsigned char pick(const unsigned char (&alphabet)[N])
    {
        return alphabet[std::uniform_int_distribution<std::size_t>(0, N - 1)(m_engine)];
    }

    std::mt19937 m_engine;
};

std::string hex(const std::string& bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char byte : bytes) {
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
        out += ' ';
    }
    return out;
}

TEST(DistinctUnits, FastPathAgreesWithTheRule)
{
    RandomText random(20140609);
    for (int round = 0; round < 20'000; ++round) {
        const std::string text = round % 3 == 0   ? random.mixed(40)
                                 : round % 3 == 1 ? random.doubleByte(30, false)
                                                  : random.doubleByte(30, true);
        ASSERT_EQ(distinct_units::compute(text), distinct_units::reference(text)) << hex(text);
    }
}

TEST(DistinctUnits, LongDoubleByteTextAgreesWithTheRule)
{
    RandomText random(7);
    for (int round = 0; round < 20; ++round) {
        const std::string text = random.doubleByte(3'000, round % 2 == 1);
        ASSERT_EQ(distinct_units::compute(text), distinct_units::reference(text));
    }
}

void expectSameRows(const std::vector<std::string>& names, const NameList& list,
                    const std::string& input)
{
    ASSERT_EQ(list.size(), names.size()) << hex(input);
    for (std::size_t row = 0; row < names.size(); ++row)
        ASSERT_EQ(list.at(row), names[row]) << hex(input) << " row " << row;
}

TEST(NameList, AgreesWithTheVectorOperationsRowForRow)
{
    RandomText random(1028);
    for (int round = 0; round < 5'000; ++round) {
        const std::string surname = random.mixed(4);
        const std::string candidates =
            round % 2 == 0 ? random.mixed(30) : random.doubleByte(15, round % 4 == 1);
        expectSameRows(NameCombiner::twoCharacterNames(surname, candidates),
                       NameList(surname, candidates, NameMode::TwoCharacter), candidates);
        expectSameRows(NameCombiner::threeCharacterNames(surname, candidates),
                       NameList(surname, candidates, NameMode::ThreeCharacter), candidates);
    }
}

TEST(NameCombiner, EveryNameStartsWithTheSurnameAndHasItsUnits)
{
    RandomText random(42);
    for (int round = 0; round < 2'000; ++round) {
        const std::string surname = random.mixed(6);
        const std::string candidates = random.mixed(24);
        const std::size_t cleaned = NameList::cleanCandidates(candidates).size();
        for (const std::string& name : NameCombiner::twoCharacterNames(surname, candidates)) {
            ASSERT_TRUE(name.starts_with(surname));
            ASSERT_EQ(name.size(), surname.size() + 2);
        }
        const auto three = NameCombiner::threeCharacterNames(surname, candidates);
        const std::size_t units = (cleaned + 1) / 2;
        ASSERT_EQ(three.size(), units * units);
        for (const std::string& name : three)
            ASSERT_TRUE(name.starts_with(surname));
    }
}

} // namespace
