#include "shortlist/portable_bitmap_check.h"

#include <bit>
#include <optional>
#include <vector>

namespace {

// The format's constants: the two cookies, the largest array part, a bitset part's size, and
// the part count from which a file with runs also lists the parts' offsets.
constexpr std::uint32_t cookieWithRuns = 12347;
constexpr std::uint32_t cookieWithoutRuns = 12346;
constexpr std::uint32_t maxArrayCount = 4096;
constexpr std::size_t bitsetBytes = 8192;
constexpr std::uint32_t offsetsFromParts = 4;

// Little-endian numbers read front to back; every read fails once the bytes run out.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    template <typename Number>
    std::optional<Number> number()
    {
        if (m_bytes.size() < sizeof(Number))
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(Number); ++i)
            value |= std::uint64_t{static_cast<unsigned char>(m_bytes[i])} << (8 * i);
        m_bytes.remove_prefix(sizeof(Number));
        return static_cast<Number>(value);
    }

    std::optional<std::string_view> take(std::size_t count)
    {
        if (m_bytes.size() < count)
            return std::nullopt;
        const std::string_view part = m_bytes.substr(0, count);
        m_bytes.remove_prefix(count);
        return part;
    }

    bool atEnd() const { return m_bytes.empty(); }

private:
    std::string_view m_bytes;
};

struct Part {
    std::uint16_t key;
    std::uint32_t count;
    bool runs;
};

// Checks one part's body and returns its largest value, or nothing when it is not sound.
std::optional<std::uint16_t> readPart(Reader& reader, const Part& part)
{
    if (part.runs) {
        const std::optional<std::uint16_t> runCount = reader.number<std::uint16_t>();
        if (!runCount || *runCount == 0)
            return std::nullopt;
        std::uint32_t next = 0; // the least value the next run may start at
        std::uint32_t count = 0;
        std::uint32_t last = 0;
        for (std::uint16_t i = 0; i < *runCount; ++i) {
            const std::optional<std::uint16_t> start = reader.number<std::uint16_t>();
            const std::optional<std::uint16_t> length = reader.number<std::uint16_t>();
            if (!length || *start < next || std::uint32_t{*start} + *length > 0xFFFF)
                return std::nullopt;
            last = std::uint32_t{*start} + *length;
            count += std::uint32_t{*length} + 1;
            next = last + 2; // runs neither overlap nor touch
        }
        return count == part.count ? std::optional<std::uint16_t>(last) : std::nullopt;
    }
    if (part.count <= maxArrayCount) {
        std::uint32_t previous = 0;
        for (std::uint32_t i = 0; i < part.count; ++i) {
            const std::optional<std::uint16_t> value = reader.number<std::uint16_t>();
            if (!value || (i > 0 && *value <= previous))
                return std::nullopt;
            previous = *value;
        }
        return static_cast<std::uint16_t>(previous);
    }
    std::uint32_t count = 0;
    std::uint16_t last = 0;
    for (std::size_t word = 0; word < bitsetBytes / 8; ++word) {
        const std::optional<std::uint64_t> bits = reader.number<std::uint64_t>();
        if (!bits)
            return std::nullopt;
        count += static_cast<std::uint32_t>(std::popcount(*bits));
        if (*bits)
            last = static_cast<std::uint16_t>(word * 64 + 63 - std::countl_zero(*bits));
    }
    return count == part.count ? std::optional<std::uint16_t>(last) : std::nullopt;
}

} // namespace

bool isSoundPortableBitmap(std::string_view bytes, std::uint64_t rows)
{
    Reader reader(bytes);
    const std::optional<std::uint32_t> cookie = reader.number<std::uint32_t>();
    if (!cookie)
        return false;
    const bool withRuns = (*cookie & 0xFFFF) == cookieWithRuns;
    std::uint32_t partCount = 0;
    std::string_view runFlags;
    if (withRuns) {
        partCount = (*cookie >> 16) + 1;
        const std::optional<std::string_view> flags = reader.take((partCount + 7) / 8);
        if (!flags)
            return false;
        runFlags = *flags;
    } else {
        const std::optional<std::uint32_t> count = reader.number<std::uint32_t>();
        if (*cookie != cookieWithoutRuns || !count || *count > 0x10000)
            return false;
        partCount = *count;
    }
    std::vector<Part> parts;
    parts.reserve(partCount);
    for (std::uint32_t i = 0; i < partCount; ++i) {
        const std::optional<std::uint16_t> key = reader.number<std::uint16_t>();
        const std::optional<std::uint16_t> countLess1 = reader.number<std::uint16_t>();
        if (!countLess1 || (i > 0 && *key <= parts.back().key))
            return false;
        const bool runs = withRuns && (static_cast<unsigned char>(runFlags[i / 8]) >> (i % 8)) & 1;
        parts.push_back({*key, std::uint32_t{*countLess1} + 1, runs});
    }
    if ((!withRuns || partCount >= offsetsFromParts) && !reader.take(4 * std::size_t{partCount}))
        return false;
    std::uint64_t largest = 0;
    for (const Part& part : parts) {
        const std::optional<std::uint16_t> last = readPart(reader, part);
        if (!last)
            return false;
        largest = (std::uint64_t{part.key} << 16) | *last;
    }
    return reader.atEnd() && (parts.empty() || largest < rows);
}
