#pragma once

#include <optional>
#include <string>

// The text of the symbolic link at `path`, however long; nothing when it is not a readable link.
std::optional<std::string> ReadLink(const std::string& path);
