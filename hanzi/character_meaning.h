#pragma once

#include <string_view>

// 字义: the short Chinese meaning of a character of the 2013 general standard list, UTF-8, the
// senses separated by "；"; empty when the table has none. The table is constant data in the
// program, so only the pages a look-up touches are ever read in.
std::string_view MeaningOf(char32_t codePoint);
