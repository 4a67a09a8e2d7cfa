#include "shortlist/saved_ticks.h"

#include <bit>
#include <cstring>
#include <limits>
#include <roaring/containers/containers.h>

namespace {

constexpr std::string_view magic = "CORVALE-TICKS-1\n";

template <typename Number>
void appendNumber(std::string& out, Number value)
{
    for (std::size_t i = 0; i < sizeof(Number); ++i)
        out += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

// Reads the file front to back; every read fails once the bytes run out.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    std::optional<std::string_view> take(std::uint64_t count)
    {
        if (count > m_bytes.size())
            return std::nullopt;
        const std::string_view part = m_bytes.substr(0, count);
        m_bytes.remove_prefix(count);
        return part;
    }

    template <typename Number>
    std::optional<Number> number()
    {
        const std::optional<std::string_view> bytes = take(sizeof(Number));
        if (!bytes)
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(Number); ++i)
            value |= std::uint64_t{static_cast<unsigned char>((*bytes)[i])} << (8 * i);
        return static_cast<Number>(value);
    }

    std::optional<std::string> text()
    {
        const std::optional<std::uint32_t> length = number<std::uint32_t>();
        if (!length || *length > SavedTicks::maxInputBytes)
            return std::nullopt;
        const std::optional<std::string_view> bytes = take(*length);
        return bytes ? std::optional(std::string(*bytes)) : std::nullopt;
    }

    bool atEnd() const { return m_bytes.empty(); }

private:
    std::string_view m_bytes;
};

bool isSoundArray(const array_container_t& part)
{
    if (part.cardinality <= 0 || part.cardinality > DEFAULT_MAX_SIZE)
        return false;
    for (std::int32_t i = 1; i < part.cardinality; ++i) {
        if (part.array[i - 1] >= part.array[i])
            return false;
    }
    return true;
}

bool isSoundBitset(const bitset_container_t& part)
{
    std::int64_t count = 0;
    for (std::size_t word = 0; word < BITSET_CONTAINER_SIZE_IN_WORDS; ++word)
        count += std::popcount(part.array[word]);
    return count == part.cardinality && count > DEFAULT_MAX_SIZE;
}

bool isSoundRun(const run_container_t& part)
{
    std::int64_t next = 0; // the least value the next run may start at
    for (std::int32_t i = 0; i < part.n_runs; ++i) {
        const rle16_t run = part.runs[i];
        if (run.value < next || std::int64_t{run.value} + run.length > 0xFFFF)
            return false;
        next = std::int64_t{run.value} + run.length + 2; // runs neither overlap nor touch
    }
    return part.n_runs > 0;
}

// The one place that looks inside CRoaring's containers: the installed version has no public
// check of a deserialised bitmap, and checking row by row through its iterator took 1.7 s for
// a list of every row.
// Whether every part of `bits` is as CRoaring makes it, with no row at or past `rows`: a bitmap
// read from a hostile file may hold parts that contradict themselves, which the bitmap
// operations do not expect. Runs are checked as runs, so a list of every row costs little.
bool isSound(const roaring_bitmap_t* bits, std::uint64_t rows)
{
    const roaring_array_t& parts = bits->high_low_container;
    for (std::int32_t i = 0; i < parts.size; ++i) {
        if (i > 0 && parts.keys[i - 1] >= parts.keys[i])
            return false;
        const void* part = parts.containers[i];
        const bool sound = parts.typecodes[i] == ARRAY_CONTAINER_TYPE_CODE
                               ? isSoundArray(*static_cast<const array_container_t*>(part))
                           : parts.typecodes[i] == BITSET_CONTAINER_TYPE_CODE
                               ? isSoundBitset(*static_cast<const bitset_container_t*>(part))
                               : parts.typecodes[i] == RUN_CONTAINER_TYPE_CODE &&
                                     isSoundRun(*static_cast<const run_container_t*>(part));
        if (!sound)
            return false;
    }
    return parts.size == 0 || roaring_bitmap_maximum(bits) < rows;
}

} // namespace

std::optional<std::string> printSavedTicks(const SavedTicks& saved)
{
    const roaring_bitmap_t* bits = &saved.ticks.bits().roaring;
    const std::size_t bitmapBytes = roaring_bitmap_portable_size_in_bytes(bits);
    if (bitmapBytes > SavedTicks::maxBitmapBytes ||
        saved.inputs.surname.size() > SavedTicks::maxInputBytes ||
        saved.inputs.candidates.size() > SavedTicks::maxInputBytes)
        return std::nullopt;
    std::string out(magic);
    for (const std::string* text : {&saved.inputs.surname, &saved.inputs.candidates}) {
        appendNumber(out, static_cast<std::uint32_t>(text->size()));
        out += *text;
    }
    appendNumber(out, static_cast<std::uint8_t>(saved.inputs.mode == NameMode::ThreeCharacter));
    appendNumber(out, saved.rows);
    appendNumber(out, static_cast<std::uint64_t>(bitmapBytes));
    const std::size_t start = out.size();
    out.resize(start + bitmapBytes);
    if (roaring_bitmap_portable_serialize(bits, out.data() + start) != bitmapBytes)
        return std::nullopt;
    return out;
}

std::optional<SavedTicks> parseSavedTicks(std::string_view bytes)
{
    Reader reader(bytes);
    if (reader.take(magic.size()) != magic)
        return std::nullopt;
    SavedTicks saved;
    std::optional<std::string> surname = reader.text();
    std::optional<std::string> candidates = surname ? reader.text() : std::nullopt;
    const std::optional<std::uint8_t> mode = reader.number<std::uint8_t>();
    const std::optional<std::uint64_t> rows = reader.number<std::uint64_t>();
    const std::optional<std::uint64_t> bitmapBytes = reader.number<std::uint64_t>();
    if (!candidates || !mode || *mode > 1 || !rows || !bitmapBytes ||
        *bitmapBytes > SavedTicks::maxBitmapBytes)
        return std::nullopt;
    const std::optional<std::string_view> bitmap = reader.take(*bitmapBytes);
    if (!bitmap || !reader.atEnd())
        return std::nullopt;
    roaring_bitmap_t* bits =
        roaring_bitmap_portable_deserialize_safe(bitmap->data(), bitmap->size());
    if (!bits)
        return std::nullopt;
    Roaring owned(bits); // takes the bitmap over and frees `bits`
    if (roaring_bitmap_portable_size_in_bytes(&owned.roaring) != bitmap->size() ||
        !isSound(&owned.roaring, *rows))
        return std::nullopt;
    saved.inputs = {std::move(*surname), std::move(*candidates),
                    *mode ? NameMode::ThreeCharacter : NameMode::TwoCharacter};
    saved.rows = *rows;
    saved.ticks = RowSet(std::move(owned));
    return saved;
}
