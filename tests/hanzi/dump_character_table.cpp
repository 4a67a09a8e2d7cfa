// Prints every covered code point as the table answers it, one tab-separated line each:
// code point (hex), readings, their tones, strokes, 1 when in the general standard list, gloss,
// the reading in a name and the number of modern readings.
#include "hanzi/character_info.h"

#include <cstdio>

int main()
{
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        const std::optional<CharacterInfo> info = LookUpCharacter(codePoint);
        if (!info)
            continue;
        std::string readings;
        std::string tones;
        for (const std::string& reading : info->readings) {
            readings += (readings.empty() ? "" : " ") + reading;
            tones += std::to_string(ToneOf(reading));
        }
        std::printf("%X\t%s\t%s\t%d\t%d\t%s\t%s\t%zu\n", static_cast<unsigned>(codePoint),
                    readings.c_str(), tones.c_str(), info->strokes, info->generalStandard ? 1 : 0,
                    info->definition.c_str(), std::string(info->readingInName()).c_str(),
                    info->modernReadings);
    }
    return 0;
}
