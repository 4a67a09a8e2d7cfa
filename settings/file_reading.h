#pragma once

#include <cstddef>
#include <optional>
#include <string>

// All bytes of the regular file at `path`; nothing when it cannot be opened or read, when `path`
// itself is a symbolic link, or when the file holds more than `maxBytes`. The size is checked
// before anything is read, so an oversized or sparse file costs neither time nor memory. When
// nothing is read, `error` (if given) receives the errno of the step that failed, ELOOP for a
// symbolic link, or 0 when the file is not a regular file within `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                         int* error = nullptr);
