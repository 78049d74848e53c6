#include "db/plu/PluDatabase.h"

#include "db/plu/Document.h"
#include "db/site/MainFrame.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceTables.h"
#include "db/plu/UnbuiltTable.h"

#include <algorithm>

namespace varnel {
namespace {

enum class TableClass { None, Plu, PriceZone, ScaleData, Plain };

// The base of each table's class. The PLU and price-zone tables have their own classes so far; the
// others keep their rows as bytes (UnbuiltTable.h).
TableClass ClassOfTable(std::uint16_t tableNo)
{
    switch (tableNo) {
    case CPluDefTb::kTableNo: return TableClass::Plu;
    case CPluPriceZoneTb::kTableNo: return TableClass::PriceZone;
    case 5:   // table 5
    case 6:   // preset-key pages
    case 11:  // campaign PLUs
    case 13:  // key data
    case 87: case 88: case 89: case 90: case 91:  // price masters
        return TableClass::Plain;
    case 3: case 4: case 7: case 8: case 9: case 10: case 12: case 29: case 30: case 34: case 37: case 53:
    case 70: case 71: case 72: case 73: case 74: case 75: case 76: case 77: case 78: case 79: case 80: case 81:
    case 82: case 83:
        return TableClass::ScaleData;
    default: return TableClass::None;
    }
}

CPluDatabase::TableMaker g_tableMaker = nullptr;
CPluDatabase::CompanionMaker g_companionMaker = nullptr;

}  // namespace

void CPluDatabase::SetTableMakers(TableMaker tables, CompanionMaker companions)
{
    g_tableMaker = tables;
    g_companionMaker = companions;
}

CPluDatabase::CPluDatabase(IFileSystem& fs)
    : CObjDatabase(kHighestTableNo, fs), m_companions(g_companionMaker ? g_companionMaker(*this) : nullptr)
{
}

std::unique_ptr<CObjDBTable> CPluDatabase::CreateTable(std::uint16_t tableNo)
{
    switch (ClassOfTable(tableNo)) {
    case TableClass::Plu: {
        auto plus = std::make_unique<CPluDefTb>(tableNo, this, "Plus");
        if (m_companions) plus->SetCompanionData(m_companions.get());
        // Companions that hold the price master tables also take their parts of received PLU records.
        if (auto* prices = dynamic_cast<IRuxPriceTables*>(m_companions.get())) plus->SetRuxPriceTables(prices);
        return plus;
    }
    case TableClass::PriceZone: return std::make_unique<CPluPriceZoneTb>(tableNo, this, "PluPriceZone");
    case TableClass::ScaleData:
        if (auto made = g_tableMaker ? g_tableMaker(tableNo, this) : nullptr) return made;
        return std::make_unique<CUnbuiltScaleDataTb>(tableNo, this);
    case TableClass::Plain:
        if (auto made = g_tableMaker ? g_tableMaker(tableNo, this) : nullptr) return made;
        return std::make_unique<CUnbuiltPlainTb>(tableNo, this);
    case TableClass::None: break;
    }
    return nullptr;
}

void CPluDatabase::CreateAllTables()
{
    for (std::uint16_t tableNo = 1; tableNo <= kHighestTableNo; ++tableNo)
        if (ClassOfTable(tableNo) != TableClass::None) (void)GetOrCreateTable(tableNo);
}

CPluDefTb* CPluDatabase::GetPluTable() const { return dynamic_cast<CPluDefTb*>(GetTable(CPluDefTb::kTableNo)); }

void CPluDatabase::AddChangeEntry(std::uint32_t kind, const CObjDBTable& table, std::uint32_t key)
{
    if (!table.IsScaleDataTable()) return;
    const CSendDataLog entry(kind, table.GetTableNo(), key, key);
    const bool held = std::ranges::any_of(m_changes, [&](const CSendDataLog& present) {
        return present.m_kind == entry.m_kind && present.m_tableId == entry.m_tableId &&
               present.m_rangeStart == key && present.m_rangeEnd == key;
    });
    if (!held) m_changes.push_back(entry);
}

bool CPluDatabase::SendChangeEntries(bool showResult)
{
    if (m_changes.empty()) return showResult;
    const SendRequests entries = std::exchange(m_changes, {});
    IDocument* document = FrameSendQueue().GetDocument();
    return document && document->SendDataNow(IDocument::kDataType, showResult, entries, nullptr) == 0;
}

void CPluDatabase::RefreshSendRecords(const SendRequests& requests)
{
    if (!IsShared()) return;
    const auto reread = [](CObjDBTable& table, std::uint64_t first, std::uint64_t last) {
        for (KeyCursor cursor = static_cast<KeyCursor>(first);;) {
            const CDBRecord* record = table.GetNextRecord(cursor);
            if (!record || record->GetKey() > last) return;
        }
    };
    for (const CSendDataLog& request : requests) {
        if (request.m_kind != SendRecords || request.m_tableId == 0) continue;
        CObjDBTable* table = GetTable(request.m_tableId);
        if (!table) continue;
        reread(*table, request.m_rangeStart, request.m_rangeEnd);
        if (request.m_tableId != kCampaignTable) continue;
        if (CObjDBTable* lines = GetTable(kCampaignPluTable))
            reread(*lines, FirstCampaignLine(request.m_rangeStart), LastCampaignLine(request.m_rangeEnd));
    }
}

void CPluDatabase::ConvertAllRecords()
{
    if (GetMode() != DbMode::Pld) return;
    for (std::uint16_t tableNo = 1; tableNo < GetTableSlots(); ++tableNo)
        if (CObjDBTable* table = GetTable(tableNo))
            for (const auto& entry : table->GetIndex()) entry.record->ConvertOldLayout();
}

void CPluDatabase::SetBatchSelection(std::vector<BatchSelectionEntry> selection)
{
    m_selection = std::move(selection);
    m_selectionCursor = 0;
}

}  // namespace varnel
