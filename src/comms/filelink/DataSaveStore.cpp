#include "comms/filelink/DataSaveStore.h"

#include "comms/filelink/DataSaveIndex.h"
#include "db/site/GeneralSetup.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/ByteOrder.h"

#include <array>
#include <optional>
#include <vector>

namespace varnel {
namespace {

constexpr std::size_t kLengthWord = 2;
constexpr std::size_t kItemRecordRoom = 4096;
constexpr std::uint32_t kHighestIngredients = 999999;
constexpr std::uint32_t kHighestScrollMessage = 9;

struct TypeTable {
    std::uint16_t type;
    std::uint16_t tableNo;
    std::size_t largest;  // with its length word
};

// The largest item record is 66 or 80 bytes and the longest description. A message record is at
// most 2104 bytes (number, text length and 2100 bytes of text), 2106 with its length word; a campaign
// record 822 (22 and 100 lines of 8), 824 with it; a store record 89, 91 with it; an advertising
// message 103 (market 0), 105 with it.
constexpr TypeTable kTypeTables[] = {
    {DsvItems, 2, 0},      {DsvStores, 7, 91},   {DsvMessages, 4, 2106},   {DsvScrollMessages, 3, 105},
    {DsvCampaigns, 10, 824}, {DsvCoupons, 8, 2106}, {DsvIngredients, 9, 128},
};

const TypeTable* FindType(std::uint16_t type)
{
    for (const TypeTable& entry : kTypeTables)
        if (entry.type == type) return &entry;
    return nullptr;
}

struct KeyRange {
    std::uint32_t low;
    std::uint32_t high;
};

KeyRange RangeOf(std::uint16_t type, const CDBComTb& table, const CGeneralSetup& setup)
{
    switch (type) {
    case DsvItems: return {1, setup.m_maxPluNo};
    case DsvStores: return {1, setup.m_maxStoreNo};
    case DsvMessages: return {table.GetMinKey(), setup.m_maxExMessageNo};
    case DsvScrollMessages: return {1, kHighestScrollMessage};
    case DsvCampaigns: return {1, setup.m_maxCampaignNo};
    case DsvCoupons: return {1, setup.m_maxExMessageNo};
    default: return {1, kHighestIngredients};
    }
}

Result<void> WriteRecord(IFile& out, std::span<const std::uint8_t> record)
{
    std::array<std::uint8_t, kLengthWord> length{};
    StoreLe16(length.data(), static_cast<std::uint16_t>(record.size() + kLengthWord));
    if (auto written = WriteBytes(out, length.data(), length.size()); !written) return written;
    return WriteBytes(out, record.data(), record.size());
}

}  // namespace

CDBComTb* CDataSaveStore::TableOf(std::uint16_t type) const
{
    const TypeTable* entry = FindType(type);
    if (!entry) return nullptr;
    auto* table = dynamic_cast<CDBComTb*>(m_database.GetTable(entry->tableNo));
    return table && table->HasItemRecords() ? table : nullptr;
}

bool CDataSaveStore::Holds(std::uint16_t type) const
{
    return type == DsvPresets ? m_presets != nullptr : TableOf(type) != nullptr;
}

std::size_t CDataSaveStore::LargestRecord(std::uint16_t type) const
{
    if (type == DsvPresets) return kPresetSectionMax;
    if (type == DsvItems) {
        const std::size_t fixedPart = m_setup.m_itemRecordExtension != 0 ? 80 : 66;
        return kLengthWord + fixedPart + kPluDescMax;
    }
    const TypeTable* entry = FindType(type);
    return entry ? entry->largest : 0;
}

bool CDataSaveStore::ApplyRecord(std::uint16_t type, std::span<const std::uint8_t> record, std::uint32_t recordNo)
{
    if (type == DsvPresets) {
        const auto address = static_cast<std::uint16_t>(recordNo);
        return m_presets && recordNo <= 0xFFFF && m_presets->ImportPsetKey(record, address);
    }
    CDBComTb* table = TableOf(type);
    return table && table->DecodeItemRecord(record);
}

Result<void> CDataSaveStore::WriteSection(std::uint16_t type, IFile& out)
{
    if (type == DsvPresets) {
        if (!m_presets) return {};
        std::array<std::uint8_t, kPresetSectionMax> presets{};
        const std::size_t length = std::min(m_presets->ImportPsetRecords(presets), presets.size());
        return WriteBytes(out, presets.data(), length);
    }
    CDBComTb* table = TableOf(type);
    if (!table) return {};
    auto* plus = dynamic_cast<CPluDefTb*>(table);
    const KeyRange range = RangeOf(type, *table, m_setup);
    std::vector<std::uint8_t> buffer(kItemRecordRoom);
    KeyCursor cursor = range.low;
    while (const CDBRecord* row = table->PeekNextRecord(cursor)) {
        if (row->GetKey() > range.high) break;
        std::size_t length = 0;
        if (plus) {
            const BuildLock lock = plus->LockRecordBuild();
            const auto& pluRow = dynamic_cast<const CPluDefRec&>(*row);
            length = plus->EncodeItemRecord(plus->GetCurrentZonePlu(lock, pluRow), buffer);
        } else {
            length = table->EncodeItemRecord(*row, buffer);
        }
        // A row whose values do not fit the item form is left out rather than written wrong.
        if (length == 0) continue;
        if (auto written = WriteRecord(out, std::span(buffer).first(length)); !written) return written;
    }
    return {};
}

void ForEachSectionRecord(std::span<const std::uint8_t> section, std::size_t largest,
                          const std::function<bool(std::span<const std::uint8_t>, std::uint32_t)>& apply)
{
    std::size_t position = 0;
    for (std::uint32_t recordNo = 0; section.size() - position >= kLengthWord; ++recordNo) {
        const std::size_t length = LoadLe16(section.data() + position);
        if (length < kLengthWord || length > largest || length > section.size() - position) return;
        if (!apply(section.subspan(position + kLengthWord, length - kLengthWord), recordNo)) return;
        position += length;
    }
}

}  // namespace varnel
