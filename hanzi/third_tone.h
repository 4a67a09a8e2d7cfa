#pragma once

#include <cstddef>

// The third-tone rule of spoken Mandarin on a run of tones (1 to 4, 0 for the neutral tone): a
// third tone before a third tone reads as a second tone, through the run (3-3 → 2-3,
// 3-3-3 → 2-2-3).
template <typename Tones>
void applyThirdToneRule(Tones& tones)
{
    for (std::size_t i = 0; i + 1 < std::size(tones); ++i) {
        if (tones[i] == 3 && tones[i + 1] == 3)
            tones[i] = 2;
    }
}
