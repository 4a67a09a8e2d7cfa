// The nesting bound that keeps deep files away from TinyXML's recursive parser must never be
// below what TinyXML builds. TinyXML keeps the elements it has linked even when the parse then
// fails, so the depth of its tree is a depth the parser really reached.

#include "fuzz/fuzz_check.h"
#include "settings/xml_nesting.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tinyxml.h>

namespace {

// Larger inputs are skipped: a bound that is too low would let TinyXML recurse once per level,
// and this keeps the recursion far from the stack limit even then.
constexpr std::size_t kMaxInputBytes = 8 * 1024;
// NUL bytes behind the text: in UTF-8 mode TinyXML steps up to three bytes past the end.
constexpr std::size_t kEndPadding = 4;

std::size_t ElementDepth(const TiXmlNode& node)
{
    std::size_t deepest = 0;
    for (const TiXmlNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
        deepest = std::max(deepest, ElementDepth(*child));
    return node.ToElement() != nullptr ? deepest + 1 : deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxInputBytes)
        return 0;
    // Like the settings loader, hand TinyXML the text up to the first NUL byte only: in UTF-8
    // mode it would step over a NUL inside a character and read on.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(std::min(text.find('\0'), text.size()));
    const std::size_t bound = XmlNestingBound(text);
    text.append(kEndPadding, '\0');
    TiXmlDocument document;
    document.Parse(text.c_str());
    FUZZ_CHECK(ElementDepth(document) <= bound);
    return 0;
}
