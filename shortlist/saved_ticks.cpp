#include "shortlist/saved_ticks.h"

#include "shortlist/portable_bitmap_check.h"

#include <cstring>
#include <limits>

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
    if (!bitmap || !reader.atEnd() || !isSoundPortableBitmap(*bitmap, *rows))
        return std::nullopt;
    roaring_bitmap_t* bits =
        roaring_bitmap_portable_deserialize_safe(bitmap->data(), bitmap->size());
    if (!bits)
        return std::nullopt;
    Roaring owned(bits); // takes the bitmap over and frees `bits`
    if (roaring_bitmap_portable_size_in_bytes(&owned.roaring) != bitmap->size())
        return std::nullopt;
    saved.inputs = {std::move(*surname), std::move(*candidates),
                    *mode ? NameMode::ThreeCharacter : NameMode::TwoCharacter};
    saved.rows = *rows;
    saved.ticks = RowSet(std::move(owned));
    return saved;
}
