#include "shortlist/kept_rows.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The mapping of kept rows against a plain list of the rows left, after bulk removals
// spanning several blocks of 2^16 rows, single removals and removals past the end.
TEST(KeptRows, MapLikeAPlainListOfTheRowsLeft)
{
    std::mt19937 random(5);
    for (const std::uint64_t total : {0ULL, 1ULL, 70'000ULL, 300'001ULL}) {
        RowSet removed;
        for (int run = 0; run < 4; ++run) {
            const std::uint32_t start = random() % (total + 1000);
            const std::uint32_t step = 1 + random() % 4;
            for (std::uint32_t row = start; row < start + 90'000; row += step)
                removed.set(row, true);
        }
        KeptRows kept(total, removed);
        std::vector<std::uint64_t> plain;
        for (std::uint64_t row = 0; row < total; ++row) {
            if (!removed.contains(static_cast<std::uint32_t>(row)))
                plain.push_back(row);
        }
        for (int single = 0; single < 50 && !plain.empty(); ++single) {
            const std::uint64_t index = random() % plain.size();
            kept.remove(index);
            plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(index));
        }
        ASSERT_EQ(kept.size(), plain.size()) << total;
        for (std::uint64_t index = 0; index < plain.size(); index += 1 + random() % 97)
            ASSERT_EQ(kept.sourceRow(index), plain[index]) << total << " at " << index;
        if (!plain.empty()) {
            EXPECT_EQ(kept.sourceRow(plain.size() - 1), plain.back());
        }
        std::vector<std::uint64_t> all;
        kept.sourceRows(0, plain.size(), all);
        EXPECT_EQ(all, plain) << total;
    }
}

} // namespace
