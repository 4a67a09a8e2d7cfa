#pragma once

#include "settings/settings_file.h"

#include <optional>
#include <string>

// The text of name.xml for `settings`: seven lines with CR LF ends, printed by TinyXML.
std::string PrintSettings(const NamingSettings& settings);

// The settings held in the bytes of a name.xml; nothing when they do not parse or lack the root
// or the record element.
std::optional<NamingSettings> ParseSettings(std::string bytes);
