#include "card/card_text.h"

#include "card/spoken_pinyin.h"
#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"
#include "insight/name_source.h"

#include <algorithm>

namespace {

using Characters = std::span<const NameInsight::Character* const>;

std::string textOf(char32_t codePoint)
{
    std::string text;
    utf8::append(text, codePoint);
    return text;
}

std::string strokeLine(Characters characters)
{
    std::string line;
    int total = 0;
    for (const NameInsight::Character* character : characters) {
        const int strokes = character->covered() ? character->info->strokes : 0;
        total += strokes;
        if (!line.empty())
            line += " + ";
        line += textOf(character->codePoint) + ' ' +
                (strokes > 0 ? std::to_string(strokes) : std::string("?"));
    }
    return line + " = " + std::to_string(total);
}

std::string standardLine(Characters characters)
{
    std::string outside;
    std::u32string seen;
    for (const NameInsight::Character* character : characters) {
        if (!character->covered() || character->info->generalStandard ||
            seen.find(character->codePoint) != std::u32string::npos)
            continue;
        seen += character->codePoint;
        outside += "「" + textOf(character->codePoint) + "」";
    }
    if (outside.empty())
        return "都在《通用规范汉字表》内";
    return outside + "不在《通用规范汉字表》内，户籍登记和身份证系统可能无法录入";
}

// "腾：奔跑，跳跃；…" for each character of `given` that has a meaning, each character once.
std::vector<std::string> meaningLines(Characters given)
{
    std::vector<std::string> lines;
    std::u32string seen;
    for (const NameInsight::Character* character : given) {
        const std::string_view meaning = MeaningOf(character->codePoint);
        if (meaning.empty() || seen.find(character->codePoint) != std::u32string::npos)
            continue;
        seen += character->codePoint;
        lines.push_back(textOf(character->codePoint) + "：" + std::string(meaning));
    }
    return lines;
}

} // namespace

CardText cardTextOf(Characters characters, std::size_t surnameLength, std::string source)
{
    CardText card;
    for (const NameInsight::Character* character : characters) {
        const std::string text = textOf(character->codePoint);
        card.name += text;
        card.characters.push_back({text, character->covered() ? character->reading : ""});
    }
    const std::size_t surname = std::min(surnameLength, characters.size());
    const NameCharacters name({characters.begin(), characters.end()}, surname);
    card.strokes = strokeLine(characters);
    card.levels = name.levels();
    card.homophones = name.homophones();
    card.source = std::move(source);
    card.meanings = meaningLines(characters.subspan(surname));
    card.standard = standardLine(characters);
    card.spoken = spokenPinyin(characters);
    return card;
}

CardText cardTextOfRow(const NameInsight& insight, std::uint64_t row, const PoetryCorpus& corpus,
                       Collections collections)
{
    return cardTextOf(insight.characters(row), insight.surname().size(),
                      sourceOfRow(insight, corpus, collections, row));
}

CardText cardTextOfName(std::string_view name, std::size_t surnameLength, std::string source)
{
    const std::vector<NameCharacter> characters =
        describeName(utf8::decodeAll(name), surnameLength);
    std::vector<const NameInsight::Character*> pointers;
    for (const NameInsight::Character& character : characters)
        pointers.push_back(&character);
    return cardTextOf(pointers, surnameLength, std::move(source));
}
