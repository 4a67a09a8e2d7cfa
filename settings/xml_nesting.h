#pragma once

#include <cstddef>
#include <string_view>

// An upper bound of the element nesting that TinyXML 2.6 (default encoding, white space
// condensed) reaches while parsing `text`, read like TinyXML up to its first NUL byte. TinyXML
// parses and frees elements recursively, so this tells, without handing the text to it, whether
// the parse would overflow the stack. The scan follows TinyXML's own tokenising: comments, CDATA
// sections, declarations and unknown tags open nothing; character references (whose ';' may be
// far away) and, in UTF-8 mode, multi-byte characters can swallow a '<' or a quote; attribute
// values may hold any markup. Where TinyXML would stop with an error the scan stops too.
std::size_t XmlNestingBound(std::string_view text);
