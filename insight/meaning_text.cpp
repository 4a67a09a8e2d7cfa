#include "insight/meaning_text.h"

#include "hanzi/character_meaning.h"
#include "hanzi/utf8.h"

std::string MeaningText(std::u32string_view given)
{
    std::string text;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const std::string_view meaning = MeaningOf(given[i]);
        if (meaning.empty() || given.substr(0, i).find(given[i]) != std::u32string_view::npos)
            continue;
        if (!text.empty())
            text += "｜";
        utf8::append(text, given[i]);
        text += "：";
        text += meaning;
    }
    return text;
}
