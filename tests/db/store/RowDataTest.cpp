#include "db/store/RowData.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <span>
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

// Rows read from an image keep their bytes where they lie; a row that needs zeros after its bytes,
// or whose bytes lie elsewhere, gets a slice of its own. The image lives as long as a row uses it.
TEST(RowData, RowsKeepTheirBytesInTheImageTheyWereReadFrom)
{
    std::vector<RowData> rows;
    const std::uint8_t* image = nullptr;
    {
        RowArena arena;
        const std::span<std::uint8_t> bytes = arena.NewImage(30);
        for (std::uint8_t i = 0; i < 30; ++i) bytes[i] = i;
        image = bytes.data();
        const std::vector<std::uint8_t> elsewhere = Filled(4, 9);
        rows.emplace_back(bytes.subspan(0, 10), 10, arena);
        rows.emplace_back(bytes.subspan(10, 10), 10, arena);
        rows.emplace_back(bytes.subspan(20, 4), 6, arena);  // zeros after its bytes
        rows.emplace_back(elsewhere, 4, arena);
        (void)arena.NewImage(30);  // the next piece: the rows keep the first alive
    }
    EXPECT_EQ(rows[0].data(), image);
    EXPECT_EQ(rows[1].data(), image + 10);
    EXPECT_NE(rows[2].data(), image + 20);
    EXPECT_EQ(BytesOf(rows[2]), (std::vector<std::uint8_t>{20, 21, 22, 23, 0, 0}));
    EXPECT_EQ(BytesOf(rows[3]), Filled(4, 9));

    std::fill(rows[0].begin(), rows[0].end(), std::uint8_t{7});
    rows[1].resize(12);  // outgrows its place: bytes of its own, its neighbours untouched
    EXPECT_NE(rows[1].data(), image + 10);
    EXPECT_EQ(BytesOf(rows[1]), (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0}));
    EXPECT_EQ(BytesOf(rows[0]), Filled(10, 7));
    EXPECT_EQ(image[10], 10);
}

// Row objects made in an arena, and alone, are deleted alike; the arena's blocks outlive the arena
// as long as a row lies in them, whichever row goes last.
TEST(RowData, RowObjectsOfAnArenaLiveUntilTheLastOfThemIsDeleted)
{
    struct Row : ArenaRow {
        explicit Row(std::uint32_t v) : value(v) {}
        std::uint32_t value;
        std::uint8_t padding[100]{};
    };
    std::vector<std::unique_ptr<Row>> rows;
    {
        RowArena arena;
        for (std::uint32_t i = 0; i < 2000; ++i) rows.emplace_back(new (arena) Row(i));  // several blocks
    }
    rows.push_back(std::make_unique<Row>(2000));
    for (std::size_t i = 0; i < rows.size(); i += 2) rows[i].reset();
    for (std::size_t i = 1; i < rows.size(); i += 2) EXPECT_EQ(rows[i]->value, i);
    rows.clear();
}

}  // namespace
}  // namespace varnel
