#pragma once

#include <string>
#include <vector>

// The characters of a list's surname and of each of its units, each decoded by itself.
struct NameUnits {
    std::u32string surname;
    std::vector<std::u32string> units;
};
