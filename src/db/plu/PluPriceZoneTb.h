// CPluPriceZoneTb: the PLU price-zone table, number 15 "PluPriceZone". For each PLU it holds the
// values that differ from the PLU row's own in some price zone, as entries spread over rows of 16
// (CPluPriceZoneRec). A PLU's n-th row is its n-th row in key order; a new row takes the smallest
// key that no row has. Which zones are defined and which fields may differ by zone are the site's
// settings, read through the roles the database made the table with.
#pragma once

#include "db/plu/BuildLock.h"
#include "db/store/ObjDBTable.h"
#include "db/plu/PluPriceZoneRec.h"
#include "db/plu/PriceZoneEntry.h"
#include "db/plu/PriceZoneRowMap.h"
#include "db/site/TableRoles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

class CPluDefRec;

// Whether the field may take a value of its own in a price zone under the definitions given.
bool IsPriceZoneField(const FieldDefSet& fields, std::uint16_t fieldNo);

class CPluPriceZoneTb : public CObjDBTable {
public:
    static constexpr std::uint16_t kTableNo = 15;

    CPluPriceZoneTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const TableRoles& roles);

    // A new row with every zone 0; null for more than 132 data bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;

    // The site's price-zone settings.
    bool IsZoneField(std::uint16_t fieldNo) const { return IsPriceZoneField(m_roles.Fields(), fieldNo); }
    bool IsZoneDefined(std::uint16_t zone) const { return m_roles.rules.IsPriceZoneDefined(zone); }
    bool AnyZoneDefined() const { return m_roles.rules.HasPriceZones(); }

    // The key of the PLU's n-th row; when it has no such row, the smallest key no row has.
    std::uint32_t FindRowKey(std::uint32_t pluNumber, std::size_t n);

    // The loads empty the list first. Each row is read again from the database, except by
    // LoadZoneEntriesFromIndex, which the record builders use. Zone 0 loads nothing; a field that is
    // not a price-zone field loads nothing.
    bool LoadZoneEntries(std::uint32_t pluNumber, std::uint16_t zone, PriceZoneEntries& entries);
    bool LoadZoneEntriesFromIndex(std::uint32_t pluNumber, std::uint16_t zone, PriceZoneEntries& entries);
    bool LoadFieldEntries(std::uint32_t pluNumber, std::uint16_t fieldNo, PriceZoneEntries& entries);
    bool LoadAllEntries(std::uint32_t pluNumber, PriceZoneEntries& entries);

    // Stores the entries in the PLU's rows: an entry of a zone and field the rows hold replaces that
    // value, the others fill unused places and then new rows. With the PLU's row given, entries equal
    // to the PLU's own values are not stored and those stored are removed. Only rows that change are
    // written; false when a row could not be rewritten or added (what was written before stays).
    bool WritePlu(std::uint32_t pluNumber, const PriceZoneEntries& entries, const CPluDefRec* plu);
    // One value; zone 0 does nothing and is true.
    bool SetZoneValue(std::uint32_t pluNumber, std::uint16_t fieldNo, std::uint16_t zone, std::int32_t value,
                      const CPluDefRec* plu);
    // Deletes every row of the PLU, the last first; false when a delete failed.
    bool DeletePlu(std::uint32_t pluNumber);
    // Removes the zone's entries from every row of the PLU and writes each row that changed; false
    // when a row could not be written.
    bool RemoveZoneFromPlu(std::uint32_t pluNumber, std::uint16_t zone);
    // Over every row: the first of the entries with the same zone and field stays; entries of zones
    // no longer defined or of fields no longer price-zone fields go. Changed rows are rewritten;
    // false when one could not be.
    bool RemoveDuplicateEntries();
    bool RemoveUnknownZones();
    // Takes out of the list every entry whose zone, field and value the PLU already has stored.
    void RemoveUnchangedZoneValues(std::uint32_t pluNumber, PriceZoneEntries& entries);

    // Forgets which rows belong to which PLU: a row's PLU number was changed where the index does not
    // see it (a row replaced from a batch file).
    void ForgetRowMap() { m_rowMap.Invalidate(); }

private:
    // The links read a PLU's zone rows as they build its records, under the PLU table's build lock:
    // each change of these rows holds that lock alone.
    void BeginRowChange() override;
    void EndRowChange() override { m_pluTableHolds.Pop(); }

    // The PLU's rows in key order; read again from the database unless `fromIndex`.
    std::vector<CPluPriceZoneRec*> GetPluRows(std::uint32_t pluNumber, bool fromIndex);
    // Applies `change` (true when it changed the row) and rewrites the row it changed; a row that
    // could not be rewritten is put back as it was.
    template <class Change>
    bool RewriteIfChanged(CPluPriceZoneRec& row, Change change);
    // RewriteIfChanged on every row in key order.
    template <class Change>
    bool ChangeEveryRow(Change change);
    bool AddRow(std::uint32_t pluNumber, std::unique_ptr<CPluPriceZoneRec> row);

    TableRoles m_roles;
    PriceZoneRowMap m_rowMap;
    BuildLockHolds m_pluTableHolds;
};

}  // namespace varnel
