// The PLU clipboard block: its bytes, and the reader refusing any block whose sizes do not add up.
#include "app/PluClipboardRecord.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace varnel {
namespace {

using Bytes = std::vector<std::uint8_t>;

PluClipboardRecord SampleRecord()
{
    PluClipboardRecord record;
    record.row.resize(264);
    std::iota(record.row.begin(), record.row.end(), std::uint8_t{0});
    record.row[0] = 0x39;  // PLU 12345
    record.row[1] = 0x30;
    record.row[2] = 0;
    record.row[3] = 0;
    record.nutrition.assign(512, 0xA5);
    record.zones = {{1, 1005, 250}, {2, 1005, -1}, {0x1234, 1004, 0x7FFFFFFF}};
    return record;
}

Bytes U16(std::size_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

// A block of the given parts, each after its own size field.
Bytes Block(const Bytes& row, const Bytes& nutrition, const Bytes& zones)
{
    Bytes block;
    for (const Bytes* part : {&row, &nutrition, &zones}) {
        const Bytes size = U16(part->size());
        block.insert(block.end(), size.begin(), size.end());
        block.insert(block.end(), part->begin(), part->end());
    }
    return block;
}

TEST(PluClipboardRecord, ARowWithNutritionAndThreeZoneEntriesIsLaidOutFieldByField)
{
    const PluClipboardRecord record = SampleRecord();
    const auto block = WritePluClipboardRecord(record);
    ASSERT_TRUE(block);
    ASSERT_EQ(block->size(), 806u);
    EXPECT_EQ(Bytes(block->begin(), block->begin() + 2), (Bytes{0x08, 0x01}));
    EXPECT_EQ(Bytes(block->begin() + 2, block->begin() + 266), record.row);
    EXPECT_EQ(Bytes(block->begin() + 266, block->begin() + 268), (Bytes{0x00, 0x02}));
    EXPECT_EQ(Bytes(block->begin() + 268, block->begin() + 780), record.nutrition);
    EXPECT_EQ(Bytes(block->begin() + 780, block->begin() + 782), (Bytes{0x18, 0x00}));
    // Zone, field, value: 0x1234, 1004 (0x03EC), 0x7FFFFFFF.
    EXPECT_EQ(Bytes(block->begin() + 798, block->end()), (Bytes{0x34, 0x12, 0xEC, 0x03, 0xFF, 0xFF, 0xFF, 0x7F}));

    const auto read = ReadPluClipboardRecord(*block);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, record);
    EXPECT_EQ(read->GetPluNumber(), 12345u);
}

TEST(PluClipboardRecord, ARowAloneReadsBackWithoutNutritionOrZones)
{
    PluClipboardRecord record;
    record.row = {1, 0, 0, 0};
    const auto block = WritePluClipboardRecord(record);
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, (Bytes{4, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadPluClipboardRecord(*block), record);
}

TEST(PluClipboardRecord, ABlockWhoseSizesDoNotAddUpReadsAsNothing)
{
    const Bytes row(264, 1);
    const Bytes nutrition(512, 2);
    const Bytes zones(16, 3);
    const Bytes good = Block(row, nutrition, zones);
    Bytes trailing = good;
    trailing.push_back(0);
    struct Case {
        std::string name;
        Bytes block;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"one byte", {4}},
        {"row of 3 bytes", Block(Bytes(3, 1), {}, {})},
        {"row past a PLU row's 2312 bytes", Block(Bytes(2313, 1), {}, {})},
        {"nutrition neither 0 nor 512 bytes", Block(row, Bytes(511, 2), {})},
        {"zone bytes not a multiple of 8", Block(row, {}, Bytes(12, 3))},
        {"a byte after the entries", trailing},
        {"cut inside the entries", Bytes(good.begin(), good.end() - 1)},
        {"cut before the zone size", Bytes(good.begin(), good.begin() + 2 + 264 + 2 + 512 + 1)},
        {"cut inside the row", Bytes(good.begin(), good.begin() + 100)},
        {"row size beyond the block", U16(0xFFFF)},
    };
    for (const Case& bad : cases) EXPECT_FALSE(ReadPluClipboardRecord(bad.block)) << bad.name;
    EXPECT_TRUE(ReadPluClipboardRecord(good));
}

TEST(PluClipboardRecord, ARecordTheBlockCannotHoldIsNotWritten)
{
    const auto writes = [](auto change) {
        PluClipboardRecord record = SampleRecord();
        change(record);
        return WritePluClipboardRecord(record).has_value();
    };
    EXPECT_FALSE(writes([](PluClipboardRecord& r) { r.row.resize(3); }));
    EXPECT_FALSE(writes([](PluClipboardRecord& r) { r.row.resize(2313); }));
    EXPECT_TRUE(writes([](PluClipboardRecord& r) { r.row.resize(2312); }));
    EXPECT_FALSE(writes([](PluClipboardRecord& r) { r.nutrition.resize(100); }));
    EXPECT_FALSE(writes([](PluClipboardRecord& r) { r.zones.resize(8192); }));
    EXPECT_TRUE(writes([](PluClipboardRecord& r) { r.zones.resize(8191); }));
}

}  // namespace
}  // namespace varnel
