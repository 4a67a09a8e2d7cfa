#pragma once

#include <string>
#include <string_view>

// A pinyin syllable (UTF-8) without its tone mark, precomposed or combining: "lǜ" gives "lü", "ế"
// "ê".
std::string toneless(std::string_view syllable);
