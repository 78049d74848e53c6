// The PLU database's batch hooks: the price-change entries of table 14, the user's selection of the
// entries to apply, and what follows an applied entry (dependent rows, change entries, log lines).
#include "db/plu/PluDatabase.h"

#include "db/store/BatchJournalFormat.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/PriceChangeEntry.h"
#include "db/plu/PriceChangeLog.h"
#include "platform/ByteOrder.h"

namespace varnel {
namespace {

constexpr MessageId kMsgBatchImportPrefix = 20531;
constexpr std::uint32_t kPluNumberMask = 0xFFFFFF;

std::uint16_t TableOf(const CDBRecord::Header& header) { return LoadLe16(&header[0]); }
std::uint32_t KeyOf(const CDBRecord::Header& header) { return LoadLe32(&header[8]); }

}  // namespace

void CPluDatabase::ApplyUnknownTableChunk(std::uint16_t kind, const CDBRecord::Header& header,
                                          std::span<const std::uint8_t> data)
{
    if (TableOf(header) != kPriceChangeTableNo || kind == kBatchDeleted) return;
    const std::optional<PriceChangeEntry> change = DecodePriceChangeEntry(data);
    if (!change) return;

    const std::uint32_t pluNumber = KeyOf(header);
    CPluDefTb* plus = GetPluTable();
    const auto* row = plus ? dynamic_cast<const CPluDefRec*>(plus->GetRecord(pluNumber)) : nullptr;
    if (!row) return;
    const CGeneralSetup& setup = plus->GetRoles().Setup();
    if (!setup.IsHeadOfficeMode() && change->zone != setup.GetLocalPriceZone()) return;

    const bool unitPrice = change->kind == PriceChangeUnitPrice;
    if (!IsLoadingBatchFile())
        LogPriceChange(plus->GetRoles(), unitPrice ? kMsgPriceChange : kMsgMarkdownPriceChange, *row, change->price,
                       change->markdownFlag, change->zone, false);
    if (unitPrice)
        (void)plus->ChangePrice(pluNumber, change->price, change->zone, false, true);
    else
        (void)plus->ChangeMarkdownPrice(pluNumber, change->price, change->zone, change->markdownFlag, false, true);
    if (m_trackChanges) AddChangeEntry(unitPrice ? SendPriceChanges : SendMarkdownChanges, *plus, pluNumber);
}

bool CPluDatabase::AcceptBatchChunk(std::uint16_t, const CDBRecord::Header& header)
{
    if (m_selection.empty()) return true;
    const std::uint16_t tableNo = TableOf(header);
    // Campaign PLUs and key data go with the campaign or keyboard entry before them.
    if (tableNo == kCampaignPluTable || tableNo == kKeyDataTable)
        return m_selectionCursor > 0 && m_selection[m_selectionCursor - 1].apply != 0;
    const std::uint32_t key = KeyOf(header);
    for (std::size_t i = m_selectionCursor; i < m_selection.size(); ++i) {
        if (m_selection[i].tableNo != tableNo || m_selection[i].key != key) continue;
        m_selectionCursor = i + 1;
        return m_selection[i].apply != 0;
    }
    return false;
}

bool CPluDatabase::OnBatchChunkApplied(std::uint16_t kind, const CDBRecord::Header& header, CObjDBTable& table)
{
    const std::uint16_t tableNo = table.GetTableNo();
    const std::uint32_t key = KeyOf(header);
    const bool follower = tableNo == kCampaignPluTable || tableNo == kKeyDataTable;
    if (kind == kBatchDeleted) {
        if (!follower && m_trackChanges) AddChangeEntry(SendKeyDeletes, table, key);
    } else if (tableNo == kCampaignTable) {
        // The campaign's lines follow as entries of their own.
        DeleteKeyRange(kCampaignPluTable, FirstCampaignLine(key), LastCampaignLine(key));
        if (m_trackChanges) AddChangeEntry(SendRecords, table, key);
    } else if (tableNo == kKeyboardTable) {
        DeleteKeyRange(kKeyDataTable, FirstKeyOfKeyboard(key), FirstKeyOfKeyboard(key + 1ull) - 1);
        // The scale drops the keyboard's old keys before it takes the new ones.
        if (m_trackChanges) {
            AddChangeEntry(SendKeyDeletes, table, key);
            AddChangeEntry(SendRecords, table, key);
        }
    } else if (tableNo == CPluPriceZoneTb::kTableNo) {
        // The entry may have given an existing row to another PLU.
        if (auto* zones = dynamic_cast<CPluPriceZoneTb*>(&table)) zones->ForgetRowMap();
        if (const CPluDefTb* plus = GetPluTable(); plus && m_trackChanges)
            AddChangeEntry(SendRecords, *plus, key & kPluNumberMask);
    } else if (!follower && m_trackChanges) {
        AddChangeEntry(SendRecords, table, key);
    }

    if (auto* scaleData = dynamic_cast<CDBComTb*>(&table); scaleData && !IsLoadingBatchFile()) {
        if (kind == kBatchAdded) scaleData->LogRecordAdded(key, kMsgBatchImportPrefix, {}, true);
        if (kind == kBatchUpdated) scaleData->LogRecordUpdated(key, kMsgBatchImportPrefix, {}, true);
        if (kind == kBatchDeleted) scaleData->LogRecordDeleted(key, kMsgBatchImportPrefix, true);
    }
    return true;
}

void CPluDatabase::DeleteKeyRange(std::uint16_t tableNo, std::uint64_t first, std::uint64_t last)
{
    CObjDBTable* table = GetTable(tableNo);
    if (!table) return;
    for (KeyCursor cursor = static_cast<KeyCursor>(first);;) {
        CDBRecord* record = table->PeekNextRecord(cursor);
        if (!record || record->GetKey() > last || !table->DeleteRecord(record)) return;
    }
}

}  // namespace varnel
