// The table's side of an ".mdb" database: its definition, its record set with the column of each
// catalogue entry, loading and writing every row, and the mirrors of single changes.
#include "db/store/MdbRecordset.h"
#include "db/store/MdbTableDef.h"
#include "db/store/ObjDBTable.h"
#include "db/store/ObjDatabase.h"

#include <algorithm>

namespace varnel {

CObjDBTable::DaoBinding::DaoBinding() = default;
CObjDBTable::DaoBinding::DaoBinding(DaoBinding&&) noexcept = default;
CObjDBTable::DaoBinding& CObjDBTable::DaoBinding::operator=(DaoBinding&&) noexcept = default;
CObjDBTable::DaoBinding::~DaoBinding() = default;

bool CObjDBTable::IsDaoMirrored() const { return m_database->IsDaoMode() && !m_database->IsBatchMode(); }

void CObjDBTable::RefreshFromDao(CDBRecord& record)
{
    if (m_database->IsShared() && IsDaoMirrored()) (void)DaoReadRecord(record);
}

FieldVariant CObjDBTable::KeyVariant(const CDBRecord& record) const
{
    return record.GetFieldVariant(m_fields.at(m_keyColumn));
}

bool CObjDBTable::DaoFailed(const Error& error)
{
    m_database->SetLastError(error);
    return false;
}

void CObjDBTable::CreateTableDef(MdbTableDef& definition) const
{
    if (m_name.empty() || m_fields.empty() || m_keyColumn >= m_fields.size()) return;
    definition.name = m_name;
    for (const DBFieldDef& field : m_fields) definition.AddColumn(field);
    definition.keyColumn = m_fields[m_keyColumn].m_name;
}

void CObjDBTable::WriteFieldsToDao(const CDBRecord& record, MdbRow& row) const
{
    for (const DBFieldDef& field : m_fields)
        if (field.m_ordinal >= 0 && static_cast<std::size_t>(field.m_ordinal) < row.size())
            row[field.m_ordinal] = record.GetFieldVariant(field);
}

void CObjDBTable::ReadFieldsFromDao(CDBRecord& record, const MdbRow& row) const
{
    for (const DBFieldDef& field : m_fields)
        if (field.m_ordinal >= 0 && static_cast<std::size_t>(field.m_ordinal) < row.size())
            (void)record.SetFieldVariant(field, row[field.m_ordinal]);
}

bool CObjDBTable::CheckTableSchema(SqliteDatabase& database)
{
    CloseRecordset();
    for (DBFieldDef& field : m_fields) field.m_ordinal = -1;
    if (m_name.empty()) return true;
    auto opened = MdbRecordset::Open(database, m_name);
    if (!opened) return DaoFailed(opened.GetError());

    // Columns without a catalogue entry are left alone; entries without a column stay unbound.
    const std::vector<std::string>& columns = (*opened)->GetColumnNames();
    for (std::size_t column = 0; column < columns.size(); ++column)
        if (DBFieldDef* field = FindField(columns[column])) field->m_ordinal = static_cast<std::int16_t>(column);
    // Rows are found by their key: a table without its key column cannot mirror a change.
    if (m_keyColumn >= m_fields.size() || m_fields[m_keyColumn].m_ordinal < 0)
        return DaoFailed(MakeError(Errc::Corrupt, "the table \"" + m_name + "\" has no key column"));

    std::vector<int> written;
    for (const DBFieldDef& field : m_fields)
        if (field.m_ordinal >= 0 && std::ranges::find(written, field.m_ordinal) == written.end())
            written.push_back(field.m_ordinal);
    (*opened)->BindColumns(std::move(written), m_fields[m_keyColumn].m_ordinal);
    m_recordset = std::move(*opened);
    return true;
}

bool CObjDBTable::LoadAllFromDao()
{
    if (!m_recordset) return true;
    std::vector<CDBKeyIndex::Entry> loaded;
    auto visited = m_recordset->ForEachRow([&](const MdbRow& row) {
        std::unique_ptr<CDBRecord> record = CreateRecord(0);
        if (!record) return;
        ReadFieldsFromDao(*record, row);
        const std::uint32_t key = record->GetKey();
        // A row whose key is no number of 32 bits or no key of this table stays in the file, unloaded,
        // and is reported: it never loads as another key, nor vanishes without a word.
        const FieldVariant& keyValue = row[static_cast<std::size_t>(m_fields[m_keyColumn].m_ordinal)];
        const bool isNumber = std::holds_alternative<std::int32_t>(keyValue) ||
                              std::holds_alternative<std::int16_t>(keyValue) || std::holds_alternative<std::uint8_t>(keyValue);
        if (!isNumber || !IsKeyAllowed(key)) {
            m_database->Warn("The table \"" + m_name + "\" holds a row whose " + m_fields[m_keyColumn].m_name + " " +
                             (isNumber ? std::to_string(key) : std::string("value")) +
                             " is out of range; the row was not loaded.");
            return;
        }
        const std::uint16_t size = record->GetDataSize();
        record->SetHeader(m_tableNo, size, size, key);
        loaded.push_back({key, std::move(record)});
    });
    // A second row of a key stays in the database, untouched; only the first is loaded.
    for (const auto& duplicate : AddLoadedRecords(std::move(loaded)))
        m_database->Warn("The table \"" + m_name + "\" holds more than one row of key " +
                         std::to_string(duplicate->GetKey()) +
                         "; the first was loaded, the others were left as they are.");
    if (!visited) return DaoFailed(visited.GetError());
    return true;
}

bool CObjDBTable::WriteAllToDao()
{
    // Not refused for a read-only database: this writes another, new database.
    if (!m_recordset) return true;
    bool ok = true;
    MdbRow row = m_recordset->EmptyRow();
    for (const auto& entry : m_index) {
        WriteFieldsToDao(*entry.record, row);
        if (auto added = m_recordset->AddRow(row); !added) ok = DaoFailed(added.GetError());
    }
    return ok;
}

void CObjDBTable::CloseRecordset() { m_recordset.reset(); }

bool CObjDBTable::DaoAddRecord(const CDBRecord& record)
{
    if (!m_recordset || m_database->IsReadOnly()) return true;
    if (auto writable = m_database->CheckMirrorWritable(); !writable) return DaoFailed(writable.GetError());
    MdbRow row = m_recordset->EmptyRow();
    WriteFieldsToDao(record, row);
    if (auto added = m_recordset->AddRow(row); !added) return DaoFailed(added.GetError());
    m_database->NoteMirroredChange(*this, record.GetKey());
    return true;
}

bool CObjDBTable::DaoUpdateRecord(const CDBRecord& record)
{
    if (!m_recordset || m_database->IsReadOnly()) return true;
    if (auto writable = m_database->CheckMirrorWritable(); !writable) return DaoFailed(writable.GetError());
    MdbRow row = m_recordset->EmptyRow();
    WriteFieldsToDao(record, row);
    auto updated = m_recordset->UpdateRow(KeyVariant(record), row);
    if (!updated) return DaoFailed(updated.GetError());
    if (!*updated)
        return DaoFailed(MakeError(Errc::NotFound, "the table \"" + m_name + "\" has no row of key " +
                                                       std::to_string(record.GetKey())));
    m_database->NoteMirroredChange(*this, record.GetKey());
    return true;
}

bool CObjDBTable::DaoReadRecord(CDBRecord& record)
{
    if (!m_recordset) return true;
    MdbRow row;
    auto found = m_recordset->FindRow(KeyVariant(record), row);
    if (!found) return DaoFailed(found.GetError());
    if (*found) ReadFieldsFromDao(record, row);
    return *found;
}

bool CObjDBTable::DaoDeleteRecord(const CDBRecord& record)
{
    if (!m_recordset || m_database->IsReadOnly()) return true;
    if (auto writable = m_database->CheckMirrorWritable(); !writable) return DaoFailed(writable.GetError());
    if (auto deleted = m_recordset->DeleteRow(KeyVariant(record)); !deleted) return DaoFailed(deleted.GetError());
    m_database->NoteMirroredChange(*this, record.GetKey());
    return true;
}

bool CObjDBTable::DaoChangeKey(const CDBRecord& record, std::uint32_t newKey)
{
    if (!m_recordset || m_database->IsReadOnly()) return true;
    if (auto writable = m_database->CheckMirrorWritable(); !writable) return DaoFailed(writable.GetError());
    CDBRecord rekeyed;
    rekeyed.CopyHeader(record.GetHeaderBytes().data());
    rekeyed.SetKey(newKey);
    MdbRow row = m_recordset->EmptyRow();
    WriteFieldsToDao(record, row);
    const DBFieldDef& keyField = m_fields.at(m_keyColumn);
    row.at(keyField.m_ordinal) = rekeyed.GetFieldVariant(keyField);
    if (auto replaced = m_recordset->ReplaceRow(KeyVariant(record), row); !replaced)
        return DaoFailed(replaced.GetError());
    m_database->NoteMirroredChange(*this, record.GetKey());
    m_database->NoteMirroredChange(*this, newKey);
    return true;
}

void CObjDBTable::FollowDaoRows(std::span<const std::uint32_t> keys)
{
    for (const std::uint32_t key : keys) FollowDaoRow(key);
}

void CObjDBTable::FollowDaoRow(std::uint32_t key)
{
    if (!m_recordset) return;
    CDBRecord probe;
    probe.SetKey(key);
    MdbRow row;
    auto found = m_recordset->FindRow(KeyVariant(probe), row);
    if (!found) {
        (void)DaoFailed(found.GetError());
        return;
    }
    if (!*found) {
        m_index.RemoveKey(key);
        return;
    }
    std::unique_ptr<CDBRecord> created;
    CDBRecord* record = m_index.Lookup(key);
    if (!record) {
        created = CreateRecord(0);
        if (!created) return;
        record = created.get();
    }
    ReadFieldsFromDao(*record, row);
    const std::uint16_t size = record->GetDataSize();
    record->SetHeader(m_tableNo, size, size, key);
    if (created) {
        m_index.Insert(key, created);
        NoteKeyAdded(key);
    }
}

CObjDBTable::DaoBinding CObjDBTable::TakeDaoBinding()
{
    DaoBinding binding;
    binding.recordset = std::move(m_recordset);
    for (const DBFieldDef& field : m_fields) binding.ordinals.push_back(field.m_ordinal);
    return binding;
}

void CObjDBTable::RestoreDaoBinding(DaoBinding binding)
{
    m_recordset = std::move(binding.recordset);
    for (std::size_t i = 0; i < m_fields.size() && i < binding.ordinals.size(); ++i)
        m_fields[i].m_ordinal = binding.ordinals[i];
}

}  // namespace varnel
