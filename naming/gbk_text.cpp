#include "naming/gbk_text.h"

namespace gbk {

std::string removeAll(std::string_view text, std::string_view pattern)
{
    if (pattern.empty())
        return std::string(text);
    std::string kept;
    kept.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        if (text.substr(offset).starts_with(pattern)) {
            offset += pattern.size();
            continue;
        }
        const std::size_t length = characterLength(text, offset);
        kept.append(text.substr(offset, length));
        offset += length;
    }
    return kept;
}

} // namespace gbk
