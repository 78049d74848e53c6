#include "db/plu/PluDatabase.h"

#include "db/plu/Document.h"
#include "db/site/SendQueue.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluTableRegistry.h"
#include "db/plu/RuxPriceTables.h"
#include "db/plu/UnbuiltTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace varnel {
namespace {

// The tables whose class no subsystem registered yet, by number, with the base their class will have:
// each keeps its rows as bytes in a placeholder of that base (UnbuiltTable.h). A registered class
// (PluTableRegistry.h) takes the number's place.
enum class TableBase { Plain, ScaleData };
struct Placeholder {
    std::uint16_t tableNo;
    TableBase base;
};
using enum TableBase;
constexpr Placeholder kPlaceholders[] = {
    {5, Plain},                                                      // table 5
    {6, Plain},                                                      // preset-key pages
    {11, Plain},                                                     // campaign PLUs
    {13, Plain},                                                     // key data
    {87, Plain},     {88, Plain},     {89, Plain},     {90, Plain},     {91, Plain},  // price masters
    {3, ScaleData},  {4, ScaleData},  {7, ScaleData},  {8, ScaleData},  {9, ScaleData},  {10, ScaleData},
    {12, ScaleData}, {29, ScaleData}, {30, ScaleData}, {34, ScaleData}, {37, ScaleData}, {53, ScaleData},
    {70, ScaleData}, {71, ScaleData}, {72, ScaleData}, {73, ScaleData}, {74, ScaleData}, {75, ScaleData},
    {76, ScaleData}, {77, ScaleData}, {78, ScaleData}, {79, ScaleData}, {80, ScaleData}, {81, ScaleData},
    {82, ScaleData}, {83, ScaleData},
};

const Placeholder* FindPlaceholder(std::uint16_t tableNo)
{
    const auto found = std::ranges::find(kPlaceholders, tableNo, &Placeholder::tableNo);
    return found == std::end(kPlaceholders) ? nullptr : &*found;
}

bool HasTable(std::uint16_t tableNo) { return IsPluTableRegistered(tableNo) || FindPlaceholder(tableNo); }

// A scale-data table of no registered class logs and sends as the registered ones do; without them it
// would have nowhere to.
TableRoles PlaceholderRoles()
{
    const std::optional<TableRoles> roles = RegisteredPluTableRoles();
    if (!roles) {
        std::fprintf(stderr, "A scale-data table was made before the PLU tables were registered.\n");
        std::abort();
    }
    return *roles;
}

}  // namespace

CPluDatabase::CPluDatabase(IFileSystem& fs)
    : CObjDatabase(kHighestTableNo, fs), m_companions(MakeRegisteredPluCompanionData(*this))
{
}

std::unique_ptr<CObjDBTable> CPluDatabase::CreateTable(std::uint16_t tableNo)
{
    if (std::unique_ptr<CObjDBTable> table = MakeRegisteredPluTable(tableNo, this)) {
        if (auto* plus = dynamic_cast<CPluDefTb*>(table.get()); plus && m_companions) {
            plus->SetCompanionData(m_companions.get());
            // Companions that hold the price master tables also take their parts of received PLU records.
            if (auto* prices = dynamic_cast<IRuxPriceTables*>(m_companions.get())) plus->SetRuxPriceTables(prices);
        }
        return table;
    }
    const Placeholder* placeholder = FindPlaceholder(tableNo);
    if (!placeholder) return nullptr;
    if (placeholder->base == ScaleData) return std::make_unique<CUnbuiltScaleDataTb>(tableNo, this, PlaceholderRoles());
    return std::make_unique<CUnbuiltPlainTb>(tableNo, this);
}

void CPluDatabase::CreateAllTables()
{
    for (std::uint16_t tableNo = 1; tableNo <= kHighestTableNo; ++tableNo)
        if (HasTable(tableNo)) (void)GetOrCreateTable(tableNo);
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

bool CPluDatabase::SendChangeEntries(const ISendQueue& sends, bool showResult)
{
    if (m_changes.empty()) return showResult;
    const SendRequests entries = std::exchange(m_changes, {});
    IDocument* document = sends.GetDocument();
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
    for (std::size_t tableNo = 1; tableNo < GetTableSlots(); ++tableNo)
        if (CObjDBTable* table = GetTable(static_cast<std::uint16_t>(tableNo)))
            for (const auto& entry : table->GetIndex()) entry.record->ConvertOldLayout();
}

void CPluDatabase::SetBatchSelection(std::vector<BatchSelectionEntry> selection)
{
    m_selection = std::move(selection);
    m_selectionCursor = 0;
}

}  // namespace varnel
