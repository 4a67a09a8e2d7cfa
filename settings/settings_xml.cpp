#include "settings/settings_xml.h"

#include "settings/xml_nesting.h"

#include <cstdlib>
#include <tinyxml.h>

namespace {

// Deeper files are treated as damaged: TinyXML would recurse once per level.
constexpr std::size_t kMaxNesting = 256;
// NUL bytes after the text. In UTF-8 mode TinyXML steps over a multi-byte character without
// looking for the end of the text, up to three bytes past it; they must land on NULs.
constexpr std::size_t kEndPadding = 4;

void AppendField(TiXmlElement& record, const char* name, const std::string& text)
{
    auto* field = new TiXmlElement(name);
    record.LinkEndChild(field);
    // Linked even when empty, so that the field prints as a start and an end tag.
    field->LinkEndChild(new TiXmlText(text));
}

// What TiXmlDocument::LoadFile does before parsing: the text ends at the first NUL byte, and
// CR LF and lone CR become LF.
void NormaliseLineBreaks(std::string& bytes)
{
    if (const auto nul = bytes.find('\0'); nul != std::string::npos) {
        bytes.resize(nul);
    }
    std::size_t out = 0;
    for (std::size_t in = 0; in < bytes.size(); ++in) {
        if (bytes[in] == '\r') {
            bytes[out++] = '\n';
            if (in + 1 < bytes.size() && bytes[in + 1] == '\n') {
                ++in;
            }
        } else {
            bytes[out++] = bytes[in];
        }
    }
    bytes.resize(out);
}

// The value of the element's first child node of any kind.
std::optional<std::string> FirstChildValue(const TiXmlElement* element)
{
    if (element == nullptr || element->FirstChild() == nullptr) {
        return std::nullopt;
    }
    return element->FirstChild()->ValueStr();
}

} // namespace

std::string PrintSettings(const NamingSettings& settings)
{
    TiXmlDocument document;
    auto* names = new TiXmlElement("Names");
    document.LinkEndChild(names);
    auto* record = new TiXmlElement("Name");
    names->LinkEndChild(record);
    record->SetAttribute("ID", "1");
    // The window always passes all three values; a missing one is written as an empty text, and
    // a missing mode as two-character mode ("0").
    AppendField(*record, "firstname", settings.surname.value_or(""));
    AppendField(*record, "secondname", settings.candidates.value_or(""));
    AppendField(*record, "radio_three", settings.threeCharacter.value_or(false) ? "1" : "0");

    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\r\n");
    document.Accept(&printer);
    return printer.Str();
}

std::optional<NamingSettings> ParseSettings(std::string bytes)
{
    NormaliseLineBreaks(bytes);
    if (XmlNestingBound(bytes) > kMaxNesting) {
        return std::nullopt;
    }
    bytes.append(kEndPadding, '\0');
    TiXmlDocument document;
    document.Parse(bytes.c_str());
    if (document.Error()) {
        return std::nullopt;
    }
    // Found by position only; names and attributes are never looked at.
    const TiXmlElement* root = document.FirstChildElement();
    const TiXmlElement* record = root ? root->FirstChildElement() : nullptr;
    if (record == nullptr) {
        return std::nullopt;
    }
    const TiXmlElement* first = record->FirstChildElement();
    const TiXmlElement* second = first ? first->NextSiblingElement() : nullptr;
    const TiXmlElement* third = second ? second->NextSiblingElement() : nullptr;

    NamingSettings settings{FirstChildValue(first), FirstChildValue(second), std::nullopt};
    if (const auto mode = FirstChildValue(third)) {
        // Read like atoi, without its undefined overflow: any nonzero number means three.
        settings.threeCharacter = std::strtol(mode->c_str(), nullptr, 10) != 0;
    }
    return settings;
}
