// The ".mdb" database of a CObjDatabase: an SQLite file holding the "Version" table and one table
// per named table. Opening loads every record into memory; afterwards each table mirrors its changes
// row by row (ObjDBTable.h).
//
// Exclusive opening (the default) holds SQLite's exclusive lock from the open to the close, so a
// second opener is refused at once; a read-only database holds the shared lock instead, keeping
// writers out but letting other readers in. Shared opening locks only while a statement runs, waits
// a while for another connection's lock, and reads a record again from its row each time it is
// fetched, so changes made by other programs are seen.
//
// Creating, exporting and compacting an exclusively held database build a new file beside the target
// and rename it over the target once it is complete and synced: a failure leaves the old file as it was.
#include "db/store/MdbRecordset.h"
#include "db/store/MdbSchemaCheck.h"
#include "db/store/MdbTableDef.h"
#include "db/store/ObjDatabase.h"

#include "platform/AtomicReplace.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace varnel {
namespace {

constexpr int kSharedBusyTimeoutMs = 5000;

// The first bytes of a Microsoft Access file: 00 01 00 00, then the engine's name.
bool IsAccessHeader(std::span<const std::uint8_t> bytes)
{
    static constexpr std::array<std::uint8_t, 4> kMagic = {0x00, 0x01, 0x00, 0x00};
    if (bytes.size() < 4 + 15 || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return false;
    const std::string_view engine(reinterpret_cast<const char*>(bytes.data() + 4), 15);
    return engine == "Standard Jet DB" || engine == "Standard ACE DB";
}

}  // namespace

Result<void> CObjDatabase::OpenMdbConnection(SqliteDatabase& database, const std::string& path, bool exclusive) const
{
    auto opened = [&]() -> Result<void> {
        if (auto r = database.Open(path, m_readOnly ? SqliteOpen::ReadOnly : SqliteOpen::ReadWrite); !r) return r;
        // The file comes from outside: no value it holds may fill memory, and nothing in its schema
        // may call functions with side effects.
        database.SetLengthLimit(kMdbValueLimit);
        if (auto r = database.Exec("PRAGMA trusted_schema = OFF"); !r) return r;
        // Durability, chosen rather than left to the library's defaults:
        // - The rollback journal (DELETE): between operations the database is one self-contained file,
        //   which stores copy and move as a whole, and in the shared mode the programs coordinate
        //   through the file's locks alone, which hold between processes of one machine. (A write-ahead
        //   log would keep committed changes in a second file until a checkpoint, and a read-only
        //   opener would need to write beside the database.)
        // - EXTRA sync: the database is synced before its journal goes, and the journal's removal,
        //   which is the commit, is synced in its directory as well; with FULL alone a power failure
        //   just after a commit could bring the journal back and roll the committed operation back.
        // Each user-level operation is one transaction (StoreTransaction.h), so these syncs are paid
        // once per operation, not once per changed row.
        database.SetBusyTimeout(exclusive ? 0 : kSharedBusyTimeoutMs);
        if (!m_readOnly)
            if (auto r = database.Exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = EXTRA"); !r) return r;
        // A file that is no database fails here rather than at its first use.
        if (!exclusive) return database.Exec("SELECT count(*) FROM sqlite_master");
        if (auto r = database.Exec("PRAGMA locking_mode = EXCLUSIVE"); !r) return r;
        // In exclusive locking mode the lock of the first transaction is kept until the close.
        return database.Exec(m_readOnly ? "BEGIN; SELECT count(*) FROM sqlite_master; COMMIT"
                                        : "BEGIN EXCLUSIVE; COMMIT");
    }();
    if (!opened) database.Close();
    return opened;
}

Error CObjDatabase::DescribeOpenFailure(const std::string& path, const Error& error) const
{
    if (error.code != Errc::Corrupt) return error;
    // Read only once SQLite has let go of the file: closing a descriptor of a file drops the
    // process's locks on it.
    std::array<std::uint8_t, 19> head{};
    auto file = m_fs.Open(path, FileAccess::Read);
    if (!file || !ReadExact(**file, head.data(), head.size()) || !IsAccessHeader(head)) return error;
    return MakeError(Errc::Unsupported, std::string(GetMessageText(kMsgAccessDatabase)));
}

bool CObjDatabase::OpenMdb(const std::string& path, bool loadAllRecords)
{
    if (auto connected = OpenMdbConnection(m_mdb, path, !m_shared); !connected) {
        SetLastError(DescribeOpenFailure(path, connected.GetError()));
        return false;
    }
    if (!CheckMdbVersion()) {
        m_mdb.Close();
        return false;
    }
    bool ok = true;
    {
        // One read transaction: every table is loaded from the same state of the database.
        SqliteSavepoint snapshot(m_mdb);
        for (std::size_t tableNo = 1; ok && tableNo < m_tables.size(); ++tableNo) {
            CObjDBTable* table = m_tables[tableNo].get();
            if (!table) continue;
            // A table of a hostile shape refuses the file, whatever its version.
            if (auto shaped = CheckShape(*table); !shaped) {
                SetLastError(shaped.GetError());
                ok = false;
            } else if (table->CheckTableSchema(m_mdb))
                ok = !loadAllRecords || table->LoadAllFromDao();
            else
                ok = m_fileVersion != m_versionToWrite;  // an older database may lack newer tables
        }
        if (ok) (void)snapshot.Release();
    }
    if (!ok) {
        (void)CloseMdb();
        return false;
    }
    m_open = true;
    return true;
}

Result<void> CObjDatabase::CheckShape(CObjDBTable& table)
{
    if (table.GetName().empty()) return {};
    auto shaped = CheckMdbTableShape(m_mdb, table.GetName(), [&table](const std::string& column) { return table.FindField(column); });
    // A missing table is judged by the version, as before.
    if (!shaped && shaped.GetError().code == Errc::NotFound) return {};
    return shaped;
}

bool CObjDatabase::CheckMdbVersion()
{
    static const DBFieldDef kVersionField{-1, "Version", DaoShort, 2, 0, 0};
    auto shaped = CheckMdbTableShape(m_mdb, "Version", [](const std::string& column) {
        return column == "Version" ? &kVersionField : nullptr;
    });
    if (!shaped && shaped.GetError().code != Errc::NotFound) {
        SetLastError(shaped.GetError());
        return false;
    }
    auto statement = m_mdb.Prepare("SELECT * FROM \"Version\"");
    if (!statement) {
        SetLastError(statement.GetError());
        return false;
    }
    auto row = statement->Step();
    if (!row) {
        SetLastError(row.GetError());
        return false;
    }
    const std::int64_t version = *row ? statement->ColumnInt(0) : 0;
    m_fileVersion = version >= 0 && version <= 0xFFFF ? static_cast<std::uint16_t>(version) : 0;
    if (!IsFileVersionAccepted(m_fileVersion)) {
        SetLastError(MakeError(Errc::Unsupported, std::string(GetMessageText(kMsgUnsupportedVersion))));
        return false;
    }
    return true;
}

bool CObjDatabase::CreateMdb(const std::string& path) { return Succeeded(BuildMdbFile(path, false)); }

Result<void> CObjDatabase::WriteMdbVersion(SqliteDatabase& database) const
{
    if (auto created = database.Exec("CREATE TABLE \"Version\" (\"Version\" INTEGER)"); !created) return created;
    auto insert = database.Prepare("INSERT INTO \"Version\" (\"Version\") VALUES (?1)");
    if (!insert) return insert.GetError();
    if (auto bound = insert->BindInt(1, m_versionToWrite); !bound) return bound;
    if (auto stepped = insert->Step(); !stepped) return stepped.GetError();
    return {};
}

Result<void> CObjDatabase::ExportTable(CObjDBTable& table, SqliteDatabase& database)
{
    if (table.GetName().empty()) return {};
    // The table's binding to the open database is set aside while it writes the new one.
    CObjDBTable::DaoBinding own = table.TakeDaoBinding();
    const bool written = table.CheckTableSchema(database) && table.WriteAllToDao();
    table.CloseRecordset();
    table.RestoreDaoBinding(std::move(own));
    if (!written) return MakeError(Errc::Io, m_lastError);
    return {};
}

Result<void> CObjDatabase::BuildMdbFile(const std::string& target, bool withRecords)
{
    return ReplaceFileByName(m_fs, target, [&](const std::string& tempPath) -> Result<void> {
        SqliteDatabase database;
        if (auto r = database.Open(tempPath, SqliteOpen::Create); !r) return r;
        // Nobody sees the file before it is complete and synced: its journal stays in memory.
        if (auto r = database.Exec("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF"); !r) return r;
        SqliteSavepoint all(database);
        if (!all.Begun()) return all.Begun();
        if (auto r = WriteMdbVersion(database); !r) return r;
        for (const auto& table : m_tables) {
            if (!table || table->GetTableNo() == 0) continue;
            MdbTableDef definition;
            table->CreateTableDef(definition);
            if (definition.IsEmpty()) continue;
            if (auto r = database.Exec(definition.CreateSql()); !r) return r;
        }
        if (withRecords) {
            for (const auto& table : m_tables)
                if (table && table->GetTableNo() != 0)
                    if (auto r = ExportTable(*table, database); !r) return r;
        }
        return all.Release();
    });
}

bool CObjDatabase::CloseMdb()
{
    if (!m_mdb.IsOpen()) return false;
    for (const auto& table : m_tables)
        if (table) table->CloseRecordset();
    m_mdb.Close();
    m_open = false;
    return true;
}

bool CObjDatabase::ReopenMdb(const std::string& path, bool reloadRecords)
{
    (void)CloseMdb();
    if (reloadRecords) FreeAllRecords();
    return OpenMdb(path, reloadRecords);
}

bool CObjDatabase::CompactMdb()
{
    if (m_mdb.IsOpen() && !m_shared) {
        // This connection holds the exclusive lock: a compact copy is built beside the file and renamed
        // over it while no other connection can use the file, and the database continues with the copy.
        auto copyInto = [&](const std::string& tempPath) -> Result<void> {
            auto vacuum = m_mdb.Prepare("VACUUM INTO ?1");
            if (!vacuum) return vacuum.GetError();
            if (auto bound = vacuum->BindText(1, tempPath); !bound) return bound;
            if (auto stepped = vacuum->Step(); !stepped) return stepped.GetError();
            return {};
        };
        const bool compacted = Succeeded(ReplaceFileByName(m_fs, m_path, copyInto));
        (void)CloseMdb();
        const bool reopened = OpenMdb(m_path, false);
        return compacted && reopened;
    }
    // Shared, or not open here: other programs may hold the file open without holding a lock while
    // they are idle, and a file renamed over theirs would take their later changes away with the old
    // one. The database is compacted in place instead, in one transaction of its own.
    if (m_mdb.IsOpen()) return Succeeded(m_mdb.Exec("VACUUM"));
    SqliteDatabase database;
    if (auto opened = OpenMdbConnection(database, m_path, false); !opened) return Succeeded(opened);
    return Succeeded(database.Exec("VACUUM"));
}

bool CObjDatabase::ExportToMdb(const std::string& path)
{
    return m_open && path != m_path && Succeeded(BuildMdbFile(path, true));
}

bool CObjDatabase::SaveAsMdb(const std::string& target)
{
    if (!Succeeded(BuildMdbFile(target, true))) return false;
    if (m_mode == DbMode::Dao) (void)CloseMdb();
    m_pldFile.reset();
    FreeBlocks().FreeAllRecords();  // rooms of the ".pld" file left behind
    m_path = target;
    m_mode = DbMode::Dao;
    return ReopenMdb(target, false);
}

}  // namespace varnel
