#pragma once

#include <span>
#include <string>

// 平仄, the level and oblique tones of a name's characters.
enum class ToneLevel { Unknown, Level, Oblique };

// 平 (Level) for tones 1 and 2, 仄 (Oblique) for 3 and 4, Unknown for the neutral tone (0) or
// anything else.
ToneLevel LevelOfTone(int tone);

// One of 平, 仄 or ？ for each tone in turn, e.g. "仄平仄"; pass 0 for a character without reading.
std::string LevelText(std::span<const int> tones);
