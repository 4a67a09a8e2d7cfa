#pragma once

#include <optional>
#include <string>

// All bytes of the regular file at `path`; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);
