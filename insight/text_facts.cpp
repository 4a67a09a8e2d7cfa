#include "insight/text_facts.h"

#include "hanzi/character_info.h"
#include "hanzi/utf8.h"
#include "insight/name_insight.h"

TextFacts textFactsOf(std::string_view name, int surnameLength, const PoetryCorpus* corpus,
                      Collections collections)
{
    const std::vector<NameCharacter> characters =
        describeName(utf8::decodeAll(name), static_cast<std::size_t>(std::max(surnameLength, 0)));
    const NameCharacters facts(characters, static_cast<std::size_t>(std::max(surnameLength, 0)));
    return {facts.readings(),   facts.totalStrokes(),
            facts.strokeSum(),  facts.levels(),
            facts.homophones(), corpus ? corpus->sourceOf(facts.givenName(), collections) : ""};
}

int surnameLengthOf(std::string_view name)
{
    const std::u32string characters = utf8::decodeAll(name);
    return characters.size() > 2 && IsCompoundSurname(std::u32string_view(characters).substr(0, 2))
               ? 2
               : 1;
}
