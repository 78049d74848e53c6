// CObjDBTable: the base of every table of the record store. A table has a number, a name, a field
// catalogue binding database columns to fixed places in its rows, and all of its records in memory,
// indexed by a 32-bit key. Every change goes through the table, which updates the index and asks its
// database to make the change durable (the ".pld" file, the batch journal or the ".mdb" mirror).
//
// In an ".mdb" database every change is first mirrored into the table's row of the database, and only
// when that succeeded is the index changed: a failed mirror fails the operation and leaves the table
// as the database holds it.
#pragma once

#include "db/store/DBFieldDef.h"
#include "db/store/DBKeyIndex.h"
#include "db/store/DBRecord.h"
#include "db/store/FieldVariant.h"
#include "platform/Result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CObjDatabase;
class MdbRecordset;
class SqliteDatabase;
struct MdbTableDef;

// A walk cursor. Forward walks start at 0, backward walks at kLastKeyCursor; a step moves the cursor
// past the key found, and a cursor that passes either end of the 32-bit key range ends the walk
// instead of wrapping around.
using KeyCursor = std::int64_t;
constexpr KeyCursor kLastKeyCursor = 0xFFFFFFFF;

class RowArena;

class CObjDBTable {
public:
    CObjDBTable(std::uint16_t tableNo, CObjDatabase* database, std::string name);
    CObjDBTable(const CObjDBTable&) = delete;
    CObjDBTable& operator=(const CObjDBTable&) = delete;
    virtual ~CObjDBTable();

    // Whether a key may exist in this table; records of refused keys are skipped when a file is read.
    virtual bool IsKeyAllowed(std::uint32_t key) const;
    // A new row able to hold `size` data bytes; the base makes a bare record without data.
    virtual std::unique_ptr<CDBRecord> CreateRecord(std::size_t size);
    // A row holding the data bytes read from a file, whose data area may lie in the load's arena; null
    // when the row cannot hold them. The base makes the row with CreateRecord and copies the bytes in.
    virtual std::unique_ptr<CDBRecord> CreateLoadedRecord(std::span<const std::uint8_t> data, RowArena& arena);
    virtual bool IsScaleDataTable() const;
    // Fills the field catalogue with AddField, once per column in column order.
    virtual void BindColumns();
    // The table's ".mdb" definition: one column per catalogue entry, the key column as primary key.
    // Left empty for a table without a name or a catalogue, which lives only in memory and ".pld" files.
    virtual void CreateTableDef(MdbTableDef& definition) const;
    // Copies every catalogued field that has a column into the row of the open record set, and back.
    virtual void WriteFieldsToDao(const CDBRecord& record, MdbRow& row) const;
    virtual void ReadFieldsFromDao(CDBRecord& record, const MdbRow& row) const;

    std::uint16_t GetTableNo() const { return m_tableNo; }
    const std::string& GetName() const { return m_name; }
    CObjDatabase* GetDatabase() const { return m_database; }
    std::uint32_t GetHighestKey() const { return m_highestKey; }
    std::uint16_t GetKeyColumn() const { return m_keyColumn; }

    // Catalogue.
    void AddField(std::string name, std::uint16_t daoType, std::uint16_t size, std::uint16_t offset,
                  std::uint16_t fieldNo);
    // Case-insensitive; a name ending in "_FLD" (and longer than that) is looked up without it.
    DBFieldDef* FindField(std::string_view name);
    const std::vector<DBFieldDef>& GetFields() const { return m_fields; }

    // Records. A failed add leaves the table and the file as they were; the record is destroyed.
    // In a shared ".mdb" database GetRecord and the Get walks read the record again from its row first.
    bool AddRecord(std::uint32_t key, std::uint16_t size, std::unique_ptr<CDBRecord> record);
    CDBRecord* GetRecord(std::uint32_t key);
    CDBRecord* FindRecord(std::uint32_t key) const;
    CDBRecord* GetOrAddRecord(std::uint32_t key, std::uint16_t size);
    CDBRecord* GetOrAddRecordEx(std::uint32_t key, std::uint16_t size, bool& created);
    // A failed update of an ".mdb" row reads the record back from the row, so the two agree again.
    bool UpdateRecord(CDBRecord* record, std::uint16_t newSize);
    bool DeleteRecord(CDBRecord* record);
    bool DeleteKey(std::uint32_t key);
    // Refused, leaving everything as it was, when the new key is taken.
    bool ChangeKey(CDBRecord* record, std::uint32_t newKey);
    bool FindFreeKey(std::uint32_t& key, std::uint32_t low, std::uint32_t high) const;

    // Walking in key order (see KeyCursor).
    CDBRecord* GetNextRecord(KeyCursor& cursor);
    CDBRecord* PeekNextRecord(KeyCursor& cursor) const;
    CDBRecord* GetPrevRecord(KeyCursor& cursor);
    CDBRecord* PeekPrevRecord(KeyCursor& cursor) const;
    CDBRecord* GetRecordAt(std::size_t position, std::uint32_t& key) const;
    std::size_t GetRecordCount() const { return m_index.GetCount(); }

    // For the database: the index it loads and frees, and the highest-key bookkeeping.
    CDBKeyIndex& GetIndex() { return m_index; }
    const CDBKeyIndex& GetIndex() const { return m_index; }
    void FreeAllRecords();
    void NoteKeyAdded(std::uint32_t key);
    // Enters records read from a file or a database, in any order. Where a key repeats, the record
    // the table already holds or the first one given stays; the others are handed back.
    std::vector<std::unique_ptr<CDBRecord>> AddLoadedRecords(std::vector<CDBKeyIndex::Entry> records);

    // ".mdb" database. CheckTableSchema opens the table's record set and finds each catalogue entry's
    // column; LoadAllFromDao reads every row into memory, WriteAllToDao adds every record as a row.
    // The row mirrors do nothing, successfully, without a record set, and the writing ones also when
    // the database is read-only. Failures leave SQLite's message as the database's last error text.
    bool CheckTableSchema(SqliteDatabase& database);
    bool LoadAllFromDao();
    bool WriteAllToDao();
    void CloseRecordset();
    bool DaoAddRecord(const CDBRecord& record);
    bool DaoUpdateRecord(const CDBRecord& record);
    bool DaoReadRecord(CDBRecord& record);
    bool DaoDeleteRecord(const CDBRecord& record);
    // Moves the row of the record's key to `newKey`, both steps or neither.
    bool DaoChangeKey(const CDBRecord& record, std::uint32_t newKey);
    // Makes the record of the key what its row holds: read again, made when absent, removed when
    // the row is gone. For memory after a rolled-back operation (StoreTransaction.h).
    void FollowDaoRow(std::uint32_t key);
    // FollowDaoRow for each key; a table that link threads walk holds its walk lock meanwhile.
    virtual void FollowDaoRows(std::span<const std::uint32_t> keys);

    // The record set and column ordinals of the open database, set aside while the table is written
    // to another database and put back after.
    struct DaoBinding {
        DaoBinding();
        DaoBinding(DaoBinding&&) noexcept;
        DaoBinding& operator=(DaoBinding&&) noexcept;
        ~DaoBinding();
        std::unique_ptr<MdbRecordset> recordset;
        std::vector<std::int16_t> ordinals;
    };
    DaoBinding TakeDaoBinding();
    void RestoreDaoBinding(DaoBinding binding);

    // Held across each change of the rows or the index (add, update, delete, key change, and an edit
    // made of several): a table that other threads read meanwhile makes its Begin/EndRowChange keep
    // them out. The holder may take it again.
    class RowChange {
    public:
        explicit RowChange(CObjDBTable& table) : m_table(table) { m_table.BeginRowChange(); }
        ~RowChange() { m_table.EndRowChange(); }
        RowChange(const RowChange&) = delete;
        RowChange& operator=(const RowChange&) = delete;

    private:
        CObjDBTable& m_table;
    };

protected:
    void SetKeyColumn(std::uint16_t column) { m_keyColumn = column; }

private:
    // What a RowChange holds: a table that other threads read meanwhile keeps them out here.
    virtual void BeginRowChange() {}
    virtual void EndRowChange() {}
    // Whether changes are mirrored into an ".mdb" row: in an ".mdb" database outside batch mode.
    bool IsDaoMirrored() const;
    // In a shared ".mdb" database, reads the record again from its row; the record stays as it was
    // when that fails.
    void RefreshFromDao(CDBRecord& record);
    FieldVariant KeyVariant(const CDBRecord& record) const;
    bool DaoFailed(const Error& error);

    std::uint32_t m_highestKey = 0;
    std::uint16_t m_tableNo;
    CDBKeyIndex m_index;
    CObjDatabase* m_database;
    std::string m_name;
    std::uint16_t m_keyColumn = 0;
    std::vector<DBFieldDef> m_fields;
    std::unique_ptr<MdbRecordset> m_recordset;
};

}  // namespace varnel
