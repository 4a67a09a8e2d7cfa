#include "insight/level_tones.h"

ToneLevel LevelOfTone(int tone)
{
    return tone == 1 || tone == 2   ? ToneLevel::Level
           : tone == 3 || tone == 4 ? ToneLevel::Oblique
                                    : ToneLevel::Unknown;
}

std::string LevelText(std::span<const int> tones)
{
    std::string text;
    for (const int tone : tones) {
        const ToneLevel level = LevelOfTone(tone);
        text += level == ToneLevel::Level ? "平" : level == ToneLevel::Oblique ? "仄" : "？";
    }
    return text;
}
