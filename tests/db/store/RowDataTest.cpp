#include "db/store/RowData.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace varnel {
namespace {

std::vector<std::uint8_t> BytesOf(const RowData& row) { return {row.begin(), row.end()}; }

std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t byte) { return std::vector<std::uint8_t>(size, byte); }

// Rows of one load share a block: what one does to its data never reaches its neighbour's.
TEST(RowData, RowsOfOneArenaKeepToTheirOwnBytes)
{
    RowArena arena;
    const std::vector<std::uint8_t> first = Filled(10, 1);
    const std::vector<std::uint8_t> second = Filled(10, 2);
    RowData a(first, 12, arena);
    RowData b(second, 10, arena);
    EXPECT_EQ(BytesOf(a), (std::vector<std::uint8_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));

    a.resize(40);  // past its slice: moves to bytes of its own
    std::fill(a.begin(), a.end(), std::uint8_t{7});
    EXPECT_EQ(BytesOf(b), second);

    b.resize(4);  // shrinks within its slice; what grows back is zero, not the old bytes
    b.resize(10);
    EXPECT_EQ(BytesOf(b), (std::vector<std::uint8_t>{2, 2, 2, 2, 0, 0, 0, 0, 0, 0}));
}

TEST(RowData, ACopyHasBytesOfItsOwn)
{
    RowArena arena;
    const std::vector<std::uint8_t> bytes = Filled(16, 3);
    RowData source(bytes, 16, arena);
    RowData copied(source);
    RowData shorter(Filled(8, 4), 8, arena);
    RowData assigned(Filled(32, 5), 32, arena);
    assigned = source;  // fits the room it has
    shorter = source;   // does not: bytes of its own
    for (RowData* copy : {&copied, &assigned, &shorter}) {
        EXPECT_EQ(BytesOf(*copy), bytes);
        std::fill(copy->begin(), copy->end(), std::uint8_t{9});
    }
    EXPECT_EQ(BytesOf(source), bytes);
}

TEST(RowData, RowsKeepTheirBytesWhenTheArenaIsGone)
{
    std::optional<RowArena> arena(std::in_place);
    std::vector<RowData> rows;
    // More rows than one block holds.
    for (std::uint8_t i = 0; i < 200; ++i) rows.emplace_back(Filled(1000, i), 1000, *arena);
    arena.reset();
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(BytesOf(rows[i]), Filled(1000, static_cast<std::uint8_t>(i)));
}

}  // namespace
}  // namespace varnel
