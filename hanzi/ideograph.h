#pragma once

// Whether `c` is a Chinese ideograph: the CJK unified ideographs with extension A, the
// compatibility ideographs and the supplementary ideographic planes through extension G.
constexpr bool isIdeograph(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F);
}
