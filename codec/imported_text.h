#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a file the user imports, as UTF-8 without a byte order mark. Partners' tools save
// it as UTF-8 with or without a byte order mark, as UTF-16 with one (little- or big-endian),
// or as GBK (code page 936). Bytes without a mark are GBK when they are not valid UTF-8 and
// every one of them decodes as GBK; nothing when they are neither. Behind a mark, what does not
// decode becomes U+FFFD.
std::optional<std::string> importedText(std::string_view bytes);
