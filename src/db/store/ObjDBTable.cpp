#include "db/store/ObjDBTable.h"

#include "db/store/MdbRecordset.h"
#include "db/store/ObjDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace varnel {

CObjDBTable::CObjDBTable(std::uint16_t tableNo, CObjDatabase* database, std::string name)
    : m_tableNo(tableNo), m_database(database), m_name(std::move(name))
{
}

CObjDBTable::~CObjDBTable() = default;

bool CObjDBTable::IsKeyAllowed(std::uint32_t) const { return true; }

std::unique_ptr<CDBRecord> CObjDBTable::CreateRecord(std::size_t) { return std::make_unique<CDBRecord>(); }

std::unique_ptr<CDBRecord> CObjDBTable::CreateLoadedRecord(std::span<const std::uint8_t> data, RowArena&)
{
    std::unique_ptr<CDBRecord> record = CreateRecord(data.size());
    if (!record || record->GetDataRoom() < data.size()) return nullptr;
    if (!data.empty()) std::memcpy(record->GetData(), data.data(), data.size());
    return record;
}

bool CObjDBTable::IsScaleDataTable() const { return false; }

void CObjDBTable::BindColumns() {}

void CObjDBTable::AddField(std::string name, std::uint16_t daoType, std::uint16_t size, std::uint16_t offset,
                           std::uint16_t fieldNo)
{
    m_fields.push_back(DBFieldDef{-1, std::move(name), daoType, size, offset, fieldNo});
}

namespace {

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

}  // namespace

DBFieldDef* CObjDBTable::FindField(std::string_view name)
{
    std::string wanted = UpperAscii(name);
    if (wanted.size() > 4 && wanted.ends_with("_FLD")) wanted.resize(wanted.size() - 4);
    const auto it = std::ranges::find_if(m_fields, [&](const DBFieldDef& f) { return UpperAscii(f.m_name) == wanted; });
    return it == m_fields.end() ? nullptr : &*it;
}

void CObjDBTable::NoteKeyAdded(std::uint32_t key) { m_highestKey = std::max(m_highestKey, key); }

std::vector<std::unique_ptr<CDBRecord>> CObjDBTable::AddLoadedRecords(std::vector<CDBKeyIndex::Entry> records)
{
    for (const auto& entry : records) NoteKeyAdded(entry.key);
    std::vector<std::unique_ptr<CDBRecord>> duplicates;
    if (m_index.IsEmpty()) {
        m_index.Build(std::move(records), duplicates);
        return duplicates;
    }
    for (auto& entry : records)
        if (!m_index.Insert(entry.key, entry.record)) duplicates.push_back(std::move(entry.record));
    return duplicates;
}

bool CObjDBTable::AddRecord(std::uint32_t key, std::uint16_t size, std::unique_ptr<CDBRecord> record)
{
    const RowChange change(*this);
    if (!record || m_index.Lookup(key)) return false;
    record->SetHeader(m_tableNo, size, size, key);
    if (IsDaoMirrored() && !DaoAddRecord(*record)) return false;
    // Called in every mode: in batch mode it journals the add, in an ".mdb" database it does nothing.
    if (!m_database->StoreRecord(*record)) return false;
    const bool inserted = m_index.Insert(key, record);
    NoteKeyAdded(key);
    return inserted;
}

CDBRecord* CObjDBTable::GetRecord(std::uint32_t key)
{
    CDBRecord* record = FindRecord(key);
    if (record) RefreshFromDao(*record);
    return record;
}

CDBRecord* CObjDBTable::FindRecord(std::uint32_t key) const { return m_index.Lookup(key); }

CDBRecord* CObjDBTable::GetOrAddRecord(std::uint32_t key, std::uint16_t size)
{
    bool created = false;
    return GetOrAddRecordEx(key, size, created);
}

CDBRecord* CObjDBTable::GetOrAddRecordEx(std::uint32_t key, std::uint16_t size, bool& created)
{
    created = false;
    const RowChange change(*this);
    if (CDBRecord* present = GetRecord(key)) return present;
    std::unique_ptr<CDBRecord> record = CreateRecord(size);
    CDBRecord* raw = record.get();
    if (!AddRecord(key, size, std::move(record))) return nullptr;
    created = true;
    return raw;
}

bool CObjDBTable::UpdateRecord(CDBRecord* record, std::uint16_t newSize)
{
    if (!record) return false;
    const RowChange change(*this);
    if (IsDaoMirrored() && !DaoUpdateRecord(*record)) {
        (void)DaoReadRecord(*record);
        return false;
    }
    return m_database->RewriteRecord(*record, newSize);
}

bool CObjDBTable::DeleteRecord(CDBRecord* record)
{
    const RowChange change(*this);
    if (!record || m_index.Lookup(record->GetKey()) != record) return false;
    if (IsDaoMirrored() && !DaoDeleteRecord(*record)) return false;
    if (!m_database->FreeRecordSlot(*record)) return false;
    m_index.RemoveKey(record->GetKey());
    return true;
}

bool CObjDBTable::DeleteKey(std::uint32_t key)
{
    const RowChange change(*this);
    CDBRecord* record = GetRecord(key);
    return record && DeleteRecord(record);
}

bool CObjDBTable::ChangeKey(CDBRecord* record, std::uint32_t newKey)
{
    const RowChange change(*this);
    // Checked first: taking the record out under its old key and failing to add it back would lose it.
    if (!record || m_index.Lookup(record->GetKey()) != record || m_index.Lookup(newKey)) return false;
    if (IsDaoMirrored() && !DaoChangeKey(*record, newKey)) return false;
    const std::uint32_t oldKey = record->GetKey();
    // The database changes the key where the record is stored in one step, so no failure can leave
    // the record under neither key.
    if (!m_database->RekeyRecord(*record, newKey)) return false;
    std::unique_ptr<CDBRecord> owned = m_index.RemoveKey(oldKey);
    m_index.Insert(newKey, owned);
    NoteKeyAdded(newKey);
    return true;
}

bool CObjDBTable::FindFreeKey(std::uint32_t& key, std::uint32_t low, std::uint32_t high) const
{
    std::uint32_t candidate = key;
    if (m_index.FindNextFreeKey(candidate) && candidate >= low && candidate <= high) {
        key = candidate;
        return true;
    }
    candidate = low;
    if (m_index.FindNextFreeKey(candidate) && candidate >= low && candidate <= high) {
        key = candidate;
        return true;
    }
    return false;
}

CDBRecord* CObjDBTable::GetNextRecord(KeyCursor& cursor)
{
    CDBRecord* record = PeekNextRecord(cursor);
    if (record) RefreshFromDao(*record);
    return record;
}

CDBRecord* CObjDBTable::PeekNextRecord(KeyCursor& cursor) const
{
    if (cursor > kLastKeyCursor) return nullptr;
    bool found = false;
    const std::size_t position = m_index.FindPosition(static_cast<std::uint32_t>(std::max<KeyCursor>(cursor, 0)), found);
    std::uint32_t key = 0;
    CDBRecord* record = nullptr;
    if (!m_index.GetAt(position, key, record)) return nullptr;
    cursor = KeyCursor{key} + 1;
    return record;
}

CDBRecord* CObjDBTable::GetPrevRecord(KeyCursor& cursor)
{
    CDBRecord* record = PeekPrevRecord(cursor);
    if (record) RefreshFromDao(*record);
    return record;
}

CDBRecord* CObjDBTable::PeekPrevRecord(KeyCursor& cursor) const
{
    if (cursor <= 0) return nullptr;
    bool found = false;
    std::size_t position = m_index.FindPosition(static_cast<std::uint32_t>(std::min(cursor, kLastKeyCursor)), found);
    if (!found) {
        if (position == 0) return nullptr;
        --position;
    }
    std::uint32_t key = 0;
    CDBRecord* record = nullptr;
    if (!m_index.GetAt(position, key, record)) return nullptr;
    cursor = KeyCursor{key} - 1;
    return record;
}

CDBRecord* CObjDBTable::GetRecordAt(std::size_t position, std::uint32_t& key) const
{
    CDBRecord* record = nullptr;
    return m_index.GetAt(position, key, record) ? record : nullptr;
}

void CObjDBTable::FreeAllRecords()
{
    m_index.RemoveAll();
    m_highestKey = 0;
}

}  // namespace varnel
