#include "settings/xml_nesting.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

enum class Encoding { Legacy, Utf8 };

// TinyXML's IsAlpha and IsAlphaNum: every byte from 127 up counts as a letter.
bool IsNameStart(unsigned char byte)
{
    return byte >= 127 || std::isalpha(byte) || byte == '_';
}

bool IsNameByte(unsigned char byte)
{
    return byte >= 127 || std::isalnum(byte) || byte == '_' || byte == '-' || byte == '.' ||
           byte == ':';
}

bool IsWhiteSpace(unsigned char byte)
{
    return std::isspace(byte) || byte == '\n' || byte == '\r';
}

bool IsHexDigit(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f') ||
           (byte >= 'A' && byte <= 'F');
}

bool IsDecimalDigit(unsigned char byte)
{
    return byte >= '0' && byte <= '9';
}

// Bytes TinyXML takes as one character in UTF-8 mode, from the lead byte.
std::size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
}

// Walks the text the way TinyXML's parser does, from one position in one encoding, keeping only
// the element depth. Every skip* member returns false where TinyXML would report an error; the
// parse ends there, and so does the scan.
class NestingScanner {
public:
    NestingScanner(std::string_view text, Encoding encoding, std::size_t start)
        : m_text(text)
        , m_encoding(encoding)
        , m_pos(start)
    {
    }

    void run()
    {
        for (skipWhiteSpace(); !atEnd(); skipWhiteSpace()) {
            if (!skipNode()) {
                return;
            }
        }
    }

    std::size_t deepest() const { return m_deepest; }
    // Where the first declaration at document level ends; TinyXML picks its encoding there.
    std::optional<std::size_t> declarationEnd() const { return m_declarationEnd; }

private:
    unsigned char at(std::size_t offset = 0) const
    {
        const std::size_t index = m_pos + offset;
        return index < m_text.size() ? static_cast<unsigned char>(m_text[index]) : 0;
    }

    bool atEnd() const { return at() == 0; }

    bool startsWith(std::string_view tag, bool ignoreCase = false) const
    {
        for (std::size_t i = 0; i < tag.size(); ++i) {
            const auto tagByte = static_cast<unsigned char>(tag[i]);
            // Like TinyXML, compare through the C library's tolower, so in the current locale.
            const bool same =
                ignoreCase ? std::tolower(at(i)) == std::tolower(tagByte) : at(i) == tagByte;
            if (at(i) == 0 || !same) {
                return false;
            }
        }
        return true;
    }

    // Moves past the next `terminator`; false when there is none.
    bool skipPast(std::string_view terminator)
    {
        const auto found = m_pos < m_text.size() ? m_text.find(terminator, m_pos) : m_text.npos;
        if (found == m_text.npos) {
            m_pos = m_text.size();
            return false;
        }
        m_pos = found + terminator.size();
        return true;
    }

    void skipWhiteSpace()
    {
        for (;;) {
            // In UTF-8 mode TinyXML also skips byte order marks and the two non-characters.
            const bool marker = m_encoding == Encoding::Utf8 && at() == 0xEF &&
                                ((at(1) == 0xBB && at(2) == 0xBF) ||
                                 (at(1) == 0xBF && (at(2) == 0xBE || at(2) == 0xBF)));
            if (marker) {
                m_pos += 3;
            } else if (!atEnd() && IsWhiteSpace(at())) {
                ++m_pos;
            } else {
                return;
            }
        }
    }

    void skipName()
    {
        while (IsNameByte(at())) {
            ++m_pos;
        }
    }

    // One node at the current '<' (or text inside an element), as TinyXML's Identify picks it.
    bool skipNode()
    {
        if (at() != '<') {
            // Text at document level ends TinyXML's parse; scanning on can only over-count.
            return skipText();
        }
        if (m_depth > 0 && at(1) == '/') {
            --m_depth;
            return skipPast(">");
        }
        if (startsWith("<?xml", true)) {
            const bool documentLevel = m_depth == 0;
            if (!skipDeclaration()) {
                return false;
            }
            if (documentLevel && !m_declarationEnd) {
                m_declarationEnd = m_pos;
            }
            return true;
        }
        if (startsWith("<!--")) {
            m_pos += 4;
            return skipPast("-->");
        }
        if (startsWith("<![CDATA[")) {
            m_pos += 9;
            return skipPast("]]>");
        }
        if (IsNameStart(at(1))) {
            return skipStartTag();
        }
        return skipPast(">");
    }

    // TinyXML's GetChar: one character, which in UTF-8 mode may span several bytes whatever they
    // are, or a character reference, which runs to the next ';' when the digits before it allow.
    bool skipCharacter()
    {
        const std::size_t length = m_encoding == Encoding::Utf8 ? Utf8Length(at()) : 1;
        if (length > 1 || at() != '&' || at(1) != '#' || at(2) == 0) {
            m_pos += length;
            return true;
        }
        const bool hex = at(2) == 'x';
        if (hex && at(3) == 0) {
            return false;
        }
        const std::size_t semicolon = m_text.find(';', m_pos + (hex ? 3 : 2));
        if (semicolon == m_text.npos) {
            return false;
        }
        // TinyXML reads the digits backwards from the ';' and stops at the nearest 'x' or '#'.
        const char marker = hex ? 'x' : '#';
        for (std::size_t i = semicolon - 1; m_text[i] != marker; --i) {
            const auto byte = static_cast<unsigned char>(m_text[i]);
            if (hex ? !IsHexDigit(byte) : !IsDecimalDigit(byte)) {
                return false;
            }
        }
        m_pos = semicolon + 1;
        return true;
    }

    // Element text up to the next '<' that no character swallows.
    bool skipText()
    {
        while (!atEnd() && at() != '<') {
            if (IsWhiteSpace(at())) {
                ++m_pos;
            } else if (!skipCharacter()) {
                return false;
            }
        }
        return !atEnd();
    }

    bool skipQuoted(unsigned char quote)
    {
        ++m_pos;
        while (!atEnd() && at() != quote) {
            if (!skipCharacter()) {
                return false;
            }
        }
        if (atEnd()) {
            return false;
        }
        ++m_pos;
        return !atEnd();
    }

    bool skipAttribute()
    {
        skipWhiteSpace();
        if (!IsNameStart(at())) {
            return false;
        }
        skipName();
        skipWhiteSpace();
        if (at() != '=') {
            return false;
        }
        ++m_pos;
        skipWhiteSpace();
        if (at() == '"' || at() == '\'') {
            return skipQuoted(at());
        }
        while (!atEnd() && !IsWhiteSpace(at()) && at() != '/' && at() != '>') {
            if (at() == '"' || at() == '\'') {
                return false;
            }
            ++m_pos;
        }
        return !atEnd();
    }

    bool skipDeclaration()
    {
        m_pos += 5;
        while (!atEnd()) {
            if (at() == '>') {
                ++m_pos;
                return true;
            }
            skipWhiteSpace();
            if (startsWith("version", true) || startsWith("encoding", true) ||
                startsWith("standalone", true)) {
                if (!skipAttribute()) {
                    return false;
                }
            } else {
                while (!atEnd() && at() != '>' && !IsWhiteSpace(at())) {
                    ++m_pos;
                }
            }
        }
        return false;
    }

    // An element's start tag; the element counts as nested even if the tag then turns out bad.
    bool skipStartTag()
    {
        m_deepest = std::max(m_deepest, m_depth + 1);
        ++m_pos;
        skipWhiteSpace();
        if (!IsNameStart(at())) {
            return false;
        }
        skipName();
        for (skipWhiteSpace(); !atEnd(); skipWhiteSpace()) {
            if (at() == '/') {
                const bool emptyElement = at(1) == '>';
                m_pos += 2;
                return emptyElement;
            }
            if (at() == '>') {
                ++m_pos;
                ++m_depth;
                return true;
            }
            if (!skipAttribute()) {
                return false;
            }
        }
        return false;
    }

    std::string_view m_text;
    Encoding m_encoding;
    std::size_t m_pos;
    std::size_t m_depth = 0;
    std::size_t m_deepest = 0;
    std::optional<std::size_t> m_declarationEnd;
};

std::size_t DeepestFrom(std::string_view text, Encoding encoding, std::size_t start)
{
    NestingScanner scanner(text, encoding, start);
    scanner.run();
    return scanner.deepest();
}

} // namespace

std::size_t XmlNestingBound(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    // A byte order mark puts TinyXML in UTF-8 mode from the start.
    if (text.starts_with("\xEF\xBB\xBF")) {
        return DeepestFrom(text, Encoding::Utf8, 0);
    }
    NestingScanner legacy(text, Encoding::Legacy, 0);
    legacy.run();
    // The first declaration at document level switches TinyXML to UTF-8 or keeps the legacy
    // reading, depending on its encoding; rather than decode that, bound both continuations.
    const auto switchPoint = legacy.declarationEnd();
    if (!switchPoint) {
        return legacy.deepest();
    }
    return std::max(legacy.deepest(), DeepestFrom(text, Encoding::Utf8, *switchPoint));
}
