// Price changes of the PLU table: the unit price or the markdown of one PLU, alone, with the extra
// price tables, or with a list of zone values. Every change follows the same steps:
//   1. the zone: -1 stands for the store's own; a store that is not the head office changes another
//      zone's values for that zone's scales, so it sends nothing to its own;
//   2. the row, read again from the database; none ends the change with false;
//   3. in batch mode, the change goes to the journal as price-change entries (table 14), and the
//      change of the row and its zone values is then made in memory only, since applying the entries
//      makes it again;
//   4. the row or the zone values change; a change that is refused (an excluded PLU range) or that
//      cannot be written ends with false, nothing sent;
//   5. outside batch mode and when asked, the change is sent to the scales: the result is the send's.
// Steps 2 to 4 are one operation on the database (StoreTransaction.h): the row, its zone values and
// the extra price records change together or not at all.
#include "db/plu/PluDefTb.h"

#include "db/store/BatchJournalFormat.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/PriceChangeEntry.h"
#include "db/plu/RuxPriceRecord.h"
#include "db/plu/SendDataLog.h"
#include "db/store/StoreTransaction.h"

#include <optional>

namespace varnel {
namespace {

constexpr std::uint16_t kMarkdownFlagField = 1003;
constexpr std::uint16_t kMarkdownPriceField = 1004;
constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint16_t kRuxPriceInUse = 1;

class PriceChangeRun {
public:
    // `zone` as the caller gave it; with `anyZoneSends` the zone does not hold back the send.
    PriceChangeRun(CPluDefTb& table, std::uint32_t pluNumber, int zone, bool send, bool anyZoneSends = false)
        : m_table(table), m_database(*table.GetDatabase()), m_operation(m_database), m_edit(table.LockRecordBuild())
    {
        const CGeneralSetup& setup = table.GetRoles().Setup();
        const std::uint16_t localZone = setup.GetLocalPriceZone();
        m_zone = zone < 0 ? localZone : static_cast<std::uint16_t>(zone);
        m_send = send && (anyZoneSends || m_zone == localZone || setup.IsHeadOfficeMode());
        m_row = dynamic_cast<CPluDefRec*>(table.GetRecord(pluNumber));
    }

    CPluDefRec* Row() const { return m_row; }
    std::uint16_t Zone() const { return m_zone; }
    bool InBatch() const { return m_database.IsBatchMode(); }

    // Step 3; false when the journal could not be written.
    bool Journal(const std::vector<PriceChangeEntry>& entries)
    {
        if (!InBatch()) return true;
        for (const PriceChangeEntry& entry : entries)
            if (!m_database.JournalRecord(kBatchUpdated, CPriceChangeRecord(m_row->GetKey(), entry))) return false;
        return true;
    }

    // Step 4: `change` runs with the journal paused in batch mode.
    template <class Fn>
    bool Change(Fn change)
    {
        std::optional<CObjDatabase::JournalPause> pause;
        if (InBatch()) pause.emplace(m_database);
        return change(*m_row);
    }

    // The end of step 4: keeps the changes, unless a part of them failed (`stored` false). The links
    // may walk the table again from here; the send is queued without the lock.
    bool Keep(bool stored = true)
    {
        const bool kept = stored && m_operation.Commit();
        if (kept) m_edit.Unlock();
        return kept;
    }

    // Step 5.
    bool Send(SendJobKind kind, bool showResult)
    {
        if (InBatch() || !m_send) return true;
        const std::uint32_t pluNumber = m_row->GetKey();
        return kind == SendPriceChanges ? m_table.QueuePriceSend(pluNumber, showResult)
                                        : m_table.QueueMarkdownSend(pluNumber, showResult);
    }

private:
    CPluDefTb& m_table;
    CObjDatabase& m_database;
    StoreTransaction m_operation;
    // Steps 2 to 4 change the row in place: the build lock keeps the links' walks off it meanwhile.
    // Released before a failed operation rolls back (members end in reverse order).
    BuildLock m_edit;
    CPluDefRec* m_row = nullptr;
    std::uint16_t m_zone = 0;
    bool m_send = false;
};

// Rewrites the row with `set` applied; a refused rewrite leaves the row in memory as it is stored.
template <class Set>
bool UpdateRow(CPluDefTb& table, CPluDefRec& row, Set set)
{
    const CPluDefRec stored = row;
    set(row);
    if (table.UpdatePlu(row, row.CalcDataSize())) return true;
    row = stored;
    return false;
}

bool WriteZoneValues(CPluDefTb& table, const CPluDefRec& row, const PriceZoneEntries& values)
{
    if (values.empty()) return true;
    CPluPriceZoneTb* zones = table.GetPriceZoneTable();
    return zones && zones->WritePlu(row.GetKey(), values, &row);
}

// Stores each value in the zone when its field is a price-zone field (and the zone is not 0), else in
// the row. The zone values are compared with the row's own, which are not stored.
bool StoreValues(CPluDefTb& table, CPluDefRec& row, std::uint16_t zone, const PriceZoneEntries& values)
{
    PriceZoneEntries toZone;
    PriceZoneEntries toRow;
    const FieldDefSet fields = table.GetRoles().Fields();
    for (const PriceZoneEntry& value : values) {
        PriceZoneEntries& target = zone != 0 && IsPriceZoneField(fields, value.fieldNo) ? toZone : toRow;
        target.push_back({zone, value.fieldNo, value.value});
    }
    const auto setRowValues = [&](CPluDefRec& r) {
        for (const PriceZoneEntry& value : toRow) (void)SetPluFieldValue(r, value.fieldNo, value.value);
    };
    if (!toRow.empty() && !UpdateRow(table, row, setRowValues)) return false;
    return WriteZoneValues(table, row, toZone);
}

PriceZoneEntries MarkdownValues(std::int32_t price, std::uint8_t flag)
{
    return {{0, kMarkdownPriceField, price}, {0, kMarkdownFlagField, flag}};
}

// The zone lists of a change with zone values: in batch mode only the values that differ from those
// stored, which are the ones journaled.
void DropUnchanged(const PriceChangeRun& run, CPluDefTb& table, PriceZoneEntries& values)
{
    CPluPriceZoneTb* zones = table.GetPriceZoneTable();
    if (run.InBatch() && zones) zones->RemoveUnchangedZoneValues(run.Row()->GetKey(), values);
}

struct RuxPriceRecord {
    CObjDBTable* table = nullptr;
    CDBRecord* record = nullptr;
};

// The PLU's record in extra price table `index` (0 to 4), when it holds a whole record.
RuxPriceRecord FindRuxPrice(CObjDatabase& database, std::size_t index, std::uint32_t pluNumber)
{
    CObjDBTable* table = database.GetTable(static_cast<std::uint16_t>(kFirstRuxPriceTable + index));
    CDBRecord* record = table ? table->GetRecord(pluNumber) : nullptr;
    if (!record || record->GetDataRoom() < kRuxPriceRecordSize) return {table, nullptr};
    return {table, record};
}

std::span<std::uint8_t> Bytes(CDBRecord& record) { return {record.GetData(), kRuxPriceRecordSize}; }

using RuxValues = std::vector<std::pair<const ColumnDef*, std::int32_t>>;

// Sets the values and rewrites the record when one of them differs; a refused rewrite leaves the
// record as it is stored.
bool UpdateRuxPrice(const RuxPriceRecord& found, const RuxValues& values)
{
    const std::span<std::uint8_t> bytes = Bytes(*found.record);
    const std::vector<std::uint8_t> stored(bytes.begin(), bytes.end());
    for (const auto& [column, value] : values) (void)WriteNumber(bytes, *column, value);
    if (std::ranges::equal(stored, bytes) || found.table->UpdateRecord(found.record, kRuxPriceRecordSize)) return true;
    std::ranges::copy(stored, bytes.begin());
    return false;
}

const ColumnDef& RuxColumn(std::string_view name) { return FindColumn(kRuxPriceColumns, name); }

// The first extra price table's record of a PLU that has none: made from the PLU, with price number 1.
bool AddFirstRuxPrice(CObjDatabase& database, const CPluDefRec& row)
{
    CObjDBTable* table = database.GetTable(kFirstRuxPriceTable);
    if (!table) return false;
    std::unique_ptr<CDBRecord> record = table->CreateRecord(kRuxPriceRecordSize);
    if (!record || record->GetDataRoom() < kRuxPriceRecordSize) return false;
    std::ranges::fill(Bytes(*record), std::uint8_t{0});
    RuxPriceRecordFromPlu(Bytes(*record), row);
    (void)WriteNumber(Bytes(*record), RuxColumn("PriceNo"), kRuxPriceInUse);
    return table->AddRecord(row.GetKey(), kRuxPriceRecordSize, std::move(record));
}

}  // namespace

bool CPluDefTb::ChangePrice(std::uint32_t pluNumber, std::int32_t price, int zone, bool send, bool showResult)
{
    PriceChangeRun run(*this, pluNumber, zone, send);
    if (!run.Row() || !run.Journal({{PriceChangeUnitPrice, run.Zone(), price}})) return false;
    const auto change = [&](CPluDefRec& row) {
        return StoreValues(*this, row, run.Zone(), {{0, kUnitPriceField, price}});
    };
    if (!run.Change(change) || !run.Keep()) return false;
    const bool sent = run.Send(SendPriceChanges, showResult);
    WritePosUpdateLine(run.Row(), 'C', false);
    return sent;
}

bool CPluDefTb::ChangeMarkdownPrice(std::uint32_t pluNumber, std::int32_t price, int zone, std::uint8_t markdownFlag,
                                    bool send, bool showResult)
{
    PriceChangeRun run(*this, pluNumber, zone, send);
    if (!run.Row() || !run.Journal({{PriceChangeMarkdown, run.Zone(), price, markdownFlag}})) return false;
    if (!run.Change(
            [&](CPluDefRec& row) { return StoreValues(*this, row, run.Zone(), MarkdownValues(price, markdownFlag)); }) ||
        !run.Keep())
        return false;
    return run.Send(SendMarkdownChanges, showResult);
}

// The extra price records are changed outside the journal's pause: their changes are journaled as
// they are made, since the price-change entry brings back only the PLU's own price.
bool CPluDefTb::ChangePriceWithRuxPrices(std::uint32_t pluNumber, const RuxPrices& prices, int zone, bool send,
                                         bool showResult)
{
    PriceChangeRun run(*this, pluNumber, zone, send);
    if (!run.Row() || !run.Journal({{PriceChangeUnitPrice, run.Zone(), prices[0]}})) return false;
    if (!run.Change(
            [&](CPluDefRec& row) { return StoreValues(*this, row, run.Zone(), {{0, kUnitPriceField, prices[0]}}); }))
        return false;
    CObjDatabase& database = *GetDatabase();
    bool stored = true;
    if (!FindRuxPrice(database, 0, pluNumber).record && GetRoles().Setup().m_noAutoRuxPriceRecord == 0)
        stored = AddFirstRuxPrice(database, *run.Row());
    for (std::size_t i = 0; i < kRuxPriceTableCount; ++i)
        if (const RuxPriceRecord found = FindRuxPrice(database, i, pluNumber); found.record)
            stored = UpdateRuxPrice(found, {{&RuxColumn("UnitPrice"), prices[i + 1]}}) && stored;
    if (!run.Keep(stored)) return false;
    const bool sent = run.Send(SendPriceChanges, showResult);
    WritePosUpdateLine(run.Row(), 'C', false);
    return sent;
}

bool CPluDefTb::ChangeMarkdownWithRuxPrices(std::uint32_t pluNumber, const RuxPrices& prices,
                                            const RuxMarkdownFlags& flags, int zone, bool send, bool showResult)
{
    PriceChangeRun run(*this, pluNumber, zone, send);
    if (!run.Row() || !run.Journal({{PriceChangeMarkdown, run.Zone(), prices[0], flags[0]}})) return false;
    if (!run.Change(
            [&](CPluDefRec& row) { return StoreValues(*this, row, run.Zone(), MarkdownValues(prices[0], flags[0])); }))
        return false;
    bool stored = true;
    for (std::size_t i = 0; i < kRuxPriceTableCount; ++i)
        if (const RuxPriceRecord found = FindRuxPrice(*GetDatabase(), i, pluNumber); found.record)
            stored = UpdateRuxPrice(found, {{&RuxColumn("MarkPrice"), prices[i + 1]},
                                            {&RuxColumn("MarkFlag"), flags[i + 1]}}) &&
                     stored;
    return run.Keep(stored) && run.Send(SendMarkdownChanges, showResult);
}

bool CPluDefTb::ChangePriceWithZones(std::uint32_t pluNumber, std::int32_t price, bool send, bool showResult,
                                     PriceZoneEntries zonePrices)
{
    PriceChangeRun run(*this, pluNumber, 0, send, true);
    if (!run.Row()) return false;
    DropUnchanged(run, *this, zonePrices);
    std::vector<PriceChangeEntry> journal{{PriceChangeUnitPrice, 0, price}};
    for (const PriceZoneEntry& entry : zonePrices)
        if (entry.fieldNo == kUnitPriceField) journal.push_back({PriceChangeUnitPrice, entry.zone, entry.value});
    if (!run.Journal(journal)) return false;
    const bool changed = run.Change([&](CPluDefRec& row) {
        return UpdateRow(*this, row, [&](CPluDefRec& r) { r.Set(PluCol::UnitPrice, price); }) &&
               WriteZoneValues(*this, row, zonePrices);
    });
    return run.Keep(changed) && run.Send(SendPriceChanges, showResult);
}

bool CPluDefTb::ChangeMarkdownWithZones(std::uint32_t pluNumber, std::int32_t price, std::uint8_t markdownFlag,
                                        bool send, bool showResult, PriceZoneEntries zoneFlags,
                                        PriceZoneEntries zonePrices)
{
    PriceChangeRun run(*this, pluNumber, 0, send, true);
    if (!run.Row()) return false;
    DropUnchanged(run, *this, zoneFlags);
    DropUnchanged(run, *this, zonePrices);
    PriceZoneEntries values = zoneFlags;
    values.insert(values.end(), zonePrices.begin(), zonePrices.end());
    // One markdown entry per zone that changes, with the zone's price and flag as they will be: the new
    // value, else the one stored for the zone, else the PLU's own new one.
    PriceZoneEntries stored;
    CPluPriceZoneTb* zones = GetPriceZoneTable();
    if (zones && run.InBatch()) (void)zones->LoadAllEntries(pluNumber, stored);
    const auto valueInZone = [&](std::uint16_t zone, std::uint16_t field, std::int32_t base) {
        for (const PriceZoneEntries* list : {&values, &stored}) {
            const auto found = std::ranges::find_if(
                *list, [&](const PriceZoneEntry& e) { return e.zone == zone && e.fieldNo == field; });
            if (found != list->end()) return found->value;
        }
        return base;
    };
    std::vector<PriceChangeEntry> journal{{PriceChangeMarkdown, 0, price, markdownFlag}};
    for (const PriceZoneEntry& entry : values)
        if (std::ranges::none_of(journal, [&](const PriceChangeEntry& e) { return e.zone == entry.zone; }))
            journal.push_back({PriceChangeMarkdown, entry.zone, valueInZone(entry.zone, kMarkdownPriceField, price),
                               static_cast<std::uint8_t>(valueInZone(entry.zone, kMarkdownFlagField, markdownFlag))});
    if (!run.Journal(journal)) return false;
    const bool changed = run.Change([&](CPluDefRec& row) {
        return UpdateRow(*this, row,
                         [&](CPluDefRec& r) {
                             r.Set(PluCol::MarkPrice, price);
                             r.Set(PluCol::MarkFlag, markdownFlag);
                         }) &&
               WriteZoneValues(*this, row, values);
    });
    return run.Keep(changed) && run.Send(SendMarkdownChanges, showResult);
}

}  // namespace varnel
