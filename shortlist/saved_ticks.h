#pragma once

#include "naming/name_mode.h"
#include "shortlist/row_set.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The inputs a list of names was made from; ticks belong to one such list.
struct TickInputs {
    std::string surname;    // GBK bytes
    std::string candidates; // GBK bytes
    NameMode mode = NameMode::ThreeCharacter;

    bool operator==(const TickInputs&) const = default;
};

// The ticks of the last run with their inputs, as the ticks file ticks.bin holds them: the
// magic "CORVALE-TICKS-1\n", then little-endian the surname's length (u32) and bytes, the
// candidates' length (u32) and bytes, the mode (u8: 0 two characters, 1 three), the list's
// row count (u64), the bitmap's length (u64) and the bitmap in CRoaring's portable format.
struct SavedTicks {
    // Past this the bitmap is not saved.
    static constexpr std::size_t maxBitmapBytes = std::size_t{64} << 20;
    // Each input is far shorter: name.xml, which holds them, is at most 1 MiB.
    static constexpr std::size_t maxInputBytes = std::size_t{1} << 20;
    static constexpr std::size_t maxFileBytes = maxBitmapBytes + 2 * maxInputBytes + 64;

    TickInputs inputs;
    std::uint64_t rows = 0; // rows of the list they tick
    RowSet ticks;
};

// The file for `saved`; nothing when its bitmap or an input is over its limit.
std::optional<std::string> printSavedTicks(const SavedTicks& saved);
// The ticks of a file; nothing when it is not exactly as printSavedTicks writes it, or when a
// tick lies at or past the list's row count.
std::optional<SavedTicks> parseSavedTicks(std::string_view bytes);
