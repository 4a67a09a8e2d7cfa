#pragma once

#include "poetry/collections.h"

// The collections by their bits in `collections`.
inline constexpr Collections shijing = 1, chuci = 2, tangshi = 4, songci = 8, lunyu = 16,
                             daxue = 32, zhongyong = 64, mengzi = 128, yuanqu = 256;
