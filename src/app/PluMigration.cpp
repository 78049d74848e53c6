#include "app/PluMigration.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluLayout.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace varnel {
namespace {

// The row's bytes from `offset` for `width`, marking them as in use; null when the row has no room.
std::uint8_t* Field(CDBRecord& record, std::size_t offset, std::size_t width)
{
    if (record.GetData() == nullptr || offset + width > record.GetDataRoom()) return nullptr;
    if (offset + width > record.GetLength()) record.SetLength(static_cast<std::uint16_t>(offset + width));
    return record.GetData() + offset;
}

const std::uint8_t* ReadField(const CDBRecord& record, std::size_t offset, std::size_t width)
{
    if (record.GetData() == nullptr || offset + width > std::min<std::size_t>(record.GetLength(), record.GetDataRoom()))
        return nullptr;
    return record.GetData() + offset;
}

std::uint16_t Read16(const CDBRecord& record, std::size_t offset)
{
    const std::uint8_t* bytes = ReadField(record, offset, 2);
    return bytes ? LoadLe16(bytes) : 0;
}

void Write16(CDBRecord& record, std::size_t offset, std::uint16_t value)
{
    if (std::uint8_t* bytes = Field(record, offset, 2)) StoreLe16(bytes, value);
}

void Write32(CDBRecord& record, std::size_t offset, std::uint32_t value)
{
    if (std::uint8_t* bytes = Field(record, offset, 4)) StoreLe32(bytes, value);
}

void Clear(CDBRecord& record, std::size_t offset, std::size_t width)
{
    if (std::uint8_t* bytes = Field(record, offset, width)) std::memset(bytes, 0, width);
}

// A text of at most `width` bytes read as a decimal number the way the old rows were: leading blanks
// skipped, then digits up to the first other byte; 0 when no digit comes.
std::uint32_t ReadDecimalText(const CDBRecord& record, std::size_t offset, std::size_t width)
{
    const std::uint8_t* bytes = ReadField(record, offset, width);
    if (!bytes) return 0;
    std::string text(reinterpret_cast<const char*>(bytes), width);
    text.resize(std::strlen(text.c_str()));
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    std::uint32_t value = 0;
    (void)std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

template <class Visit>
void ForEachRecord(CPluDatabase& database, std::uint16_t tableNo, Visit visit)
{
    if (CObjDBTable* table = database.GetTable(tableNo))
        for (const auto& entry : table->GetIndex()) visit(*entry.record);
}

// Replaces the record by one with room for `room` bytes holding the same header and data; the record
// itself when it has that room already.
CDBRecord& WithRoom(CObjDBTable& table, CDBRecord& record, std::size_t room)
{
    if (record.GetDataRoom() >= room) return record;
    std::unique_ptr<CDBRecord> larger = table.CreateRecord(room);
    if (!larger || larger->GetDataRoom() < room) return record;
    larger->CopyHeader(record.GetHeaderBytes().data());
    larger->m_fileOffset = record.m_fileOffset;
    std::memcpy(larger->GetData(), record.GetData(), std::min<std::size_t>(record.GetDataRoom(), room));
    CDBRecord& placed = *larger;
    table.GetIndex().SetAt(record.GetKey(), std::move(larger));
    return placed;
}

std::vector<CDBRecord*> RecordsOf(CPluDatabase& database, std::uint16_t tableNo)
{
    std::vector<CDBRecord*> records;
    ForEachRecord(database, tableNo, [&](CDBRecord& record) { records.push_back(&record); });
    return records;
}

}  // namespace

MigrationStep GetMigrationStep(std::uint16_t storedVersion)
{
    switch (storedVersion) {
    case 327: return MigrationStep::Current;
    case 100: return MigrationStep::OldRowsAndTextV;
    case 200: case 202: return MigrationStep::NutritionAndStores;
    case 203: return MigrationStep::NutritionAndZones;
    case 204: case 205: case 206: return MigrationStep::ZonesAndRows;
    case 300: case 301: return MigrationStep::ZonesAndRelay;
    case 244: case 310: return MigrationStep::RelayOnly;
    case 320: case 321: case 322: case 323: case 324: case 325: return MigrationStep::OldPriceFields;
    case 326: return MigrationStep::SixByteMove;
    default: return MigrationStep::Unsupported;
    }
}

bool HasOldRecordLayout(std::uint16_t storedVersion)
{
    return storedVersion == 100 || storedVersion == 200 || (storedVersion >= 202 && storedVersion <= 206);
}

namespace migration {

void LinkNutrition(CPluDatabase& database, bool pld)
{
    const CObjDBTable* nutrition = database.GetTable(kNutritionTable);
    const std::size_t offset = pld ? 184 : 120;
    ForEachRecord(database, kPluTable, [&](CDBRecord& row) {
        const std::uint32_t plu = row.GetKey();
        Write32(row, offset, nutrition && nutrition->FindRecord(plu) ? plu : 0);
    });
}

void RelayNutritionRecords(CPluDatabase& database)
{
    constexpr std::size_t kValues = 20;
    constexpr std::size_t kNewSize = 218;
    CObjDBTable* table = database.GetTable(kNutritionTable);
    if (!table) return;
    for (CDBRecord* old : RecordsOf(database, kNutritionTable)) {
        std::array<std::uint16_t, kValues> first{};
        std::array<std::uint16_t, kValues> second{};
        std::array<std::uint8_t, kValues> bytes{};
        for (std::size_t i = 0; i < kValues; ++i) {
            first[i] = Read16(*old, 36 + 2 * i);
            second[i] = Read16(*old, 76 + 2 * i);
            const std::uint8_t* byte = ReadField(*old, 116 + i, 1);
            bytes[i] = byte ? *byte : 0;
        }
        const std::uint16_t last = Read16(*old, 136);
        CDBRecord& row = WithRoom(*table, *old, kNewSize);
        if (row.GetDataRoom() < kNewSize) continue;
        Clear(row, 36, kNewSize - 36);
        for (std::size_t i = 0; i < kValues; ++i) {
            const std::string text = std::to_string(first[i]);
            std::memcpy(Field(row, 36 + 6 * i, 6), text.data(), text.size());
            Write16(row, 156 + 2 * i, second[i]);
            *Field(row, 196 + i, 1) = bytes[i];
        }
        Write16(row, 216, last);
        row.SetLength(kNewSize);
    }
}

void WidenOldPluFields(CPluDatabase& database, bool clearField156)
{
    ForEachRecord(database, kPluTable, [&](CDBRecord& row) {
        const std::uint16_t at92 = Read16(row, 92);
        const std::uint16_t at94 = Read16(row, 94);
        const std::uint32_t text34 = ReadDecimalText(row, 34, 5);
        const std::uint32_t text120 = ReadDecimalText(row, 120, 2);
        const std::uint32_t text116 = ReadDecimalText(row, 116, 1);
        Write32(row, 160, at92);
        Write32(row, 172, at94);
        Clear(row, 132, 4);
        Clear(row, 154, 1);
        if (clearField156) Clear(row, 156, 4);
        Write32(row, 168, text34);
        Write16(row, 166, static_cast<std::uint16_t>(text120));
        Write16(row, 164, static_cast<std::uint16_t>(text116));
    });
}

void ClearExtraMessageField(CPluDatabase& database)
{
    ForEachRecord(database, kExtraMessageTable, [](CDBRecord& record) { Write16(record, 34, 0); });
}

void MoveStoreTexts(CPluDatabase& database)
{
    constexpr std::size_t kNewSize = 260;
    CObjDBTable* table = database.GetTable(kStoreTable);
    if (!table) return;
    for (CDBRecord* old : RecordsOf(database, kStoreTable)) {
        std::array<std::uint8_t, 60> text{};
        if (const std::uint8_t* block = ReadField(*old, 64, text.size())) std::memcpy(text.data(), block, text.size());
        const auto byteAt = [&](std::size_t offset) {
            const std::uint8_t* byte = ReadField(*old, offset, 1);
            return byte ? *byte : std::uint8_t{0};
        };
        const std::array<std::uint8_t, 4> bytes{byteAt(62), byteAt(63), byteAt(126), byteAt(127)};
        const std::uint16_t at124 = Read16(*old, 124);
        CDBRecord& row = WithRoom(*table, *old, kNewSize);
        if (row.GetDataRoom() < kNewSize) continue;
        Clear(row, 130, 128);
        std::memcpy(Field(row, 130, text.size()), text.data(), text.size());
        *Field(row, 128, 1) = bytes[0];
        *Field(row, 129, 1) = bytes[1];
        *Field(row, 258, 1) = bytes[2];
        *Field(row, 259, 1) = bytes[3];
        Write16(row, 190, at124);
    }
}

void RenumberPriceZoneRows(CPluDatabase& database)
{
    auto* table = dynamic_cast<CPluPriceZoneTb*>(database.GetTable(kPriceZoneTable));
    if (!table) return;
    std::vector<CDBKeyIndex::Entry> entries = table->GetIndex().TakeAll();
    for (std::size_t position = 0; position < entries.size(); ++position) {
        CDBRecord& row = *entries[position].record;
        const std::uint32_t plu = entries[position].key & 0xFFFFFF;
        const auto key = static_cast<std::uint32_t>(position + 1);
        Write32(row, 128, plu);
        row.SetKey(key);
        row.SetLength(CPluPriceZoneRec::kDataSize);
        entries[position].key = key;
    }
    (void)table->AddLoadedRecords(std::move(entries));
    table->ForgetRowMap();
}

void MoveSixBytes(CPluDatabase& database)
{
    ForEachRecord(database, kPluTable, [](CDBRecord& row) {
        std::array<std::uint8_t, 6> bytes{};
        const std::uint8_t* from = ReadField(row, 46, bytes.size());
        if (!from) return;
        std::memcpy(bytes.data(), from, bytes.size());
        if (std::uint8_t* to = Field(row, 249, bytes.size())) std::memcpy(to, bytes.data(), bytes.size());
    });
}

void CleanOldestPluTexts(CPluDatabase& database)
{
    struct Text {
        std::size_t offset;
        std::size_t width;
    };
    constexpr std::array<Text, 4> kTexts{{{34, 5}, {44, 10}, {120, 2}, {116, 1}}};
    ForEachRecord(database, kPluTable, [&](CDBRecord& row) {
        for (const Text& text : kTexts) {
            std::uint8_t* bytes = Field(row, text.offset, text.width + 1);
            if (!bytes) continue;
            std::replace_if(bytes, bytes + text.width, [](std::uint8_t byte) { return byte < 32; }, std::uint8_t{0});
            bytes[text.width] = 0;
        }
    });
    WidenOldPluFields(database, false);
}

void SetOldLayoutDefaults(CPluDatabase& database)
{
    struct Default {
        ByteColumn column;
        std::uint8_t value;
    };
    static constexpr std::array<Default, 4> kDefaults{{{PluCol::TrayFlag, 2},
                                                       {PluCol::WrappingMode, 1},
                                                       {PluCol::FeedRate, 1},
                                                       {PluCol::LabellingMode, 1}}};
    ForEachRecord(database, kPluTable, [](CDBRecord& row) {
        for (const Default& setting : kDefaults)
            if (std::uint8_t* byte = Field(row, setting.column.offset, 1)) *byte = setting.value;
    });
}

}  // namespace migration

void ConvertTables(CPluDatabase& database, MigrationStep step, bool pld)
{
    using namespace migration;
    switch (step) {
    case MigrationStep::OldRowsAndTextV: CleanOldestPluTexts(database); break;
    case MigrationStep::NutritionAndStores:
        LinkNutrition(database, pld);
        if (!pld) break;
        RelayNutritionRecords(database);
        WidenOldPluFields(database, true);
        ClearExtraMessageField(database);
        MoveStoreTexts(database);
        break;
    case MigrationStep::NutritionAndZones:
        LinkNutrition(database, pld);
        RenumberPriceZoneRows(database);
        if (!pld) break;
        WidenOldPluFields(database, true);
        MoveStoreTexts(database);
        break;
    case MigrationStep::ZonesAndRows:
        RenumberPriceZoneRows(database);
        if (pld) WidenOldPluFields(database, true);
        break;
    case MigrationStep::ZonesAndRelay: RenumberPriceZoneRows(database); break;
    case MigrationStep::SixByteMove:
        if (pld) MoveSixBytes(database);
        break;
    case MigrationStep::RelayOnly:
    case MigrationStep::OldPriceFields:
    case MigrationStep::Current:
    case MigrationStep::Unsupported: break;
    }
}

void ConvertOldStoreRecord(CPluDatabase& database)
{
    constexpr std::size_t kNewSize = 260;
    CObjDBTable* table = database.GetTable(migration::kStoreTable);
    CDBRecord* old = table ? table->GetRecord(1) : nullptr;
    if (!old) return;
    std::array<std::uint8_t, 62> text{};
    if (const std::uint8_t* block = ReadField(*old, 64, text.size())) std::memcpy(text.data(), block, text.size());
    CDBRecord& row = WithRoom(*table, *old, kNewSize);
    if (row.GetDataRoom() < kNewSize) return;
    Clear(row, 130, 128);
    std::memcpy(Field(row, 130, text.size()), text.data(), text.size());
    Clear(row, 129, 1);
    Clear(row, 258, 2);
    (void)table->UpdateRecord(&row, kNewSize);
}

}  // namespace varnel
