// CObjDatabase: the container of one database: its tables by number, its ".pld" file or ".mdb"
// database, its batch journal, its format version and its modes. Derived databases override the
// table factory (CreateTable) and the batch hooks.
#pragma once

#include "db/store/ObjDBTable.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/SqliteDatabase.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace varnel {

struct BatchChunk;
class BatchJournalReader;

enum class DbMode : std::uint32_t { Pld = 0, Dao = 1 };

class CObjDatabase {
public:
    static constexpr std::uint16_t kPluDatabaseVersion = 327;
    static constexpr std::uint16_t kVersionUnread = 0xFFFF;
    static constexpr MessageId kMsgUnsupportedVersion = 61368;
    // Not one of the system's own numbers: the text for a file that is a Microsoft Access database.
    static constexpr MessageId kMsgAccessDatabase = 90001;

    // Receives the store's warnings (data it left alone); the application routes them to the event log.
    using WarningHandler = std::function<void(const std::string& text)>;

    explicit CObjDatabase(std::uint16_t highestTableNo, IFileSystem& fs = RealFileSystem());
    CObjDatabase(const CObjDatabase&) = delete;
    CObjDatabase& operator=(const CObjDatabase&) = delete;
    virtual ~CObjDatabase();

    // The table factory: the base makes a plain table with an empty name.
    virtual std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo);
    // Batch hooks, called while a batch file is applied: an entry of a table number that has no table,
    // whether an entry is to be applied, and after an entry was applied (false stops the batch).
    virtual void ApplyUnknownTableChunk(std::uint16_t kind, const CDBRecord::Header& header,
                                        std::span<const std::uint8_t> data);
    virtual bool AcceptBatchChunk(std::uint16_t kind, const CDBRecord::Header& header);
    virtual bool OnBatchChunkApplied(std::uint16_t kind, const CDBRecord::Header& header, CObjDBTable& table);

    bool Open(const std::string& path);
    // Makes a new empty database file without opening it.
    bool Create(const std::string& path);
    bool Close();
    // Writes the open database to another file and continues with that file.
    bool SaveAs(const std::string& path);
    bool Compact();
    bool NeedsCompact() const;
    // Writes the open database to a new ".mdb" file, which replaces `path` only once it is complete;
    // refused for the database's own path. Fails when any table fails.
    bool ExportToMdb(const std::string& path);

    CObjDBTable* GetOrCreateTable(std::uint16_t tableNo);
    bool EnsureTable(std::uint16_t tableNo) { return GetOrCreateTable(tableNo) != nullptr; }
    CObjDBTable* GetTable(std::uint16_t tableNo) const;
    std::size_t GetTableSlots() const { return m_tables.size(); }
    void FreeAllRecords();
    void DeleteAllTables();

    void SetFileVersion(std::uint16_t version) { m_versionToWrite = version; }
    std::uint16_t GetVersionToWrite() const { return m_versionToWrite; }
    std::uint16_t GetFileVersion() const { return m_fileVersion; }
    bool IsFileVersionAccepted(std::uint16_t version) const;
    bool IsOldHeaderFormat() const;
    std::size_t GetHeaderSize() const { return IsOldHeaderFormat() ? 10 : 12; }

    // The text after the file name's last '.'; empty when there is none, when the name starts with it
    // or when nothing follows it.
    static std::string GetFileExtension(const std::string& path);

    // ".pld" file: loading, whole writes and the three live operations the tables call.
    bool ReadPldFile(const std::string& path);
    bool ReloadPldFile(const std::string& path);
    bool CreateEmptyPldFile(const std::string& path);
    bool StoreRecord(CDBRecord& record);
    bool RewriteRecord(CDBRecord& record, std::uint16_t newSize);
    bool FreeRecordSlot(CDBRecord& record);
    // Gives a stored record a new key in one step: its header in place, or one journal write.
    bool RekeyRecord(CDBRecord& record, std::uint32_t newKey);

    // ".mdb" database (an SQLite file). Failures leave SQLite's message as the last error text and
    // show nothing: the caller shows its own message with it.
    bool OpenMdb(const std::string& path, bool loadAllRecords);
    // Reads the "Version" table (no row gives 0) and tells whether the version is accepted.
    bool CheckMdbVersion();
    // Makes a new ".mdb" file with the "Version" table and one table per named table, without opening it.
    bool CreateMdb(const std::string& path);
    bool CloseMdb();
    bool ReopenMdb(const std::string& path, bool reloadRecords);
    bool CompactMdb();
    // For the tables' row mirrors, under the operation in progress (StoreTransaction.h): a change is
    // refused while the operation's transaction is lost (never begun, or ended by SQLite after a
    // failure), since it would commit alone; a change made is noted, so memory can follow a rollback.
    Result<void> CheckMirrorWritable();
    void NoteMirroredChange(CObjDBTable& table, std::uint32_t key);

    // Batch journal (".bch"): while batch mode is on every change goes to the journal and the tables
    // in memory, not to the database, which EndBatch reads again. A journal is applied to the database
    // (ReadBatchFile) or to the tables in memory only (LoadBatchFile), wholly or for one department.
    bool BeginBatch(const std::string& path, const std::string& department, bool append);
    bool EndBatch();
    bool WriteBatchHeader(const std::string& department);
    // The department of the journal's last department chunk; false for a journal that does not read whole.
    bool ReadBatchDepartment(const std::string& path, std::string& department);
    bool ReadBatchFile(const std::string& path, const std::string& department);
    bool LoadBatchFile(const std::string& path, const std::string& department);
    // Writes a change to the journal in batch mode (nothing while a journal is being applied): for
    // entries of table numbers that have no table, such as the price changes.
    bool JournalRecord(std::uint16_t kind, const CDBRecord& record) { return JournalChange(kind, record); }
    // While one lives, the changes of batch mode reach the tables in memory and not the journal, as
    // while a journal is applied (a change journaled in a form of its own is made so).
    class JournalPause {
    public:
        explicit JournalPause(CObjDatabase& database)
            : m_database(database), m_wasApplying(std::exchange(database.m_applyingBatch, true))
        {
        }
        ~JournalPause() { m_database.m_applyingBatch = m_wasApplying; }
        JournalPause(const JournalPause&) = delete;
        JournalPause& operator=(const JournalPause&) = delete;

    private:
        CObjDatabase& m_database;
        bool m_wasApplying;
    };
    const std::string& GetBatchFilePath() const { return m_batchPath; }
    bool IsApplyingBatch() const { return m_applyingBatch; }
    // Whether a journal is being applied to the tables in memory only (LoadBatchFile).
    bool IsLoadingBatchFile() const { return m_loadingBatchFile; }

    const std::string& GetPath() const { return m_path; }
    bool IsOpen() const { return m_open; }
    DbMode GetMode() const { return m_mode; }
    bool IsDaoMode() const { return m_mode == DbMode::Dao; }
    bool IsBatchMode() const { return m_batchMode; }
    bool IsReadOnly() const { return m_readOnly; }
    bool IsShared() const { return m_shared; }
    void SetChooseByExtension(bool choose) { m_chooseByExtension = choose; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    void SetShared(bool shared) { m_shared = shared; }
    void SetConnectString(std::string connect) { m_connect = std::move(connect); }
    // The text of the last failure of the file or the ".mdb" store, for the caller's own message.
    const std::string& GetLastErrorText() const { return m_lastError; }
    void SetLastError(const Error& error) { m_lastError = error.message; }
    // Whether `result` succeeded; its failure becomes the last error text.
    bool Succeeded(const Result<void>& result)
    {
        if (!result) SetLastError(result.GetError());
        return result.HasValue();
    }
    std::uint16_t GetHighestTableNo() const { return m_highestTableNo; }

    void SetWarningHandler(WarningHandler handler) { m_warningHandler = std::move(handler); }
    void Warn(const std::string& text) const;

protected:
    IFileSystem& FileSystem() { return m_fs; }

private:
    friend class StoreTransaction;
    class PldWriter;
    enum class ChunkOutcome { Applied, Stop, Failed };

    CObjDBTable& FreeBlocks() { return *m_tables[0]; }
    const CObjDBTable& FreeBlocks() const { return *m_tables[0]; }
    bool LoadPldRecords(IFile& file);
    // Writes a free block's header over the room of a record that left it, then lists the block.
    bool MarkRoomFree(std::uint32_t offset, std::uint16_t capacity);
    // Takes free block `number` off the list; the later blocks move down by one number.
    void TakeFreeBlock(std::uint32_t number);
    // Replaces the file at `target` by a compact ".pld" copy of the database and continues with it.
    bool WriteCompactCopy(const std::string& target);
    bool SaveAsMdb(const std::string& target);

    // ".mdb" helpers: the connection with its locking, the explanation of a file that does not open,
    // and a new database file built beside `target` and renamed over it.
    Result<void> OpenMdbConnection(SqliteDatabase& database, const std::string& path, bool exclusive) const;
    Error DescribeOpenFailure(const std::string& path, const Error& error) const;
    Result<void> BuildMdbFile(const std::string& target, bool withRecords);
    Result<void> WriteMdbVersion(SqliteDatabase& database) const;
    Result<void> ExportTable(CObjDBTable& table, SqliteDatabase& database);
    // Whether the open file's table of that name has a shape that may be read (MdbSchemaCheck.h); a
    // missing table passes.
    Result<void> CheckShape(CObjDBTable& table);
    // The operation scopes (StoreTransaction.cpp): whether the scope takes part in a transaction, and
    // whether the outermost scope's end kept the operation's changes.
    bool EnterOperation();
    bool LeaveOperation(bool keep);
    // Reads every record the rolled-back operation changed again from its row.
    void FollowRollback(std::vector<std::pair<CObjDBTable*, std::uint32_t>> changed);

    // Batch helpers.
    bool JournalChange(std::uint16_t kind, const CDBRecord& record);
    bool AppendToJournal(const std::vector<std::uint8_t>& bytes);
    bool CloseBatchFile();
    // Reads a whole journal into `bytes` and checks its version; the reader stands at the first chunk.
    std::optional<BatchJournalReader> OpenJournal(const std::string& path, std::vector<std::uint8_t>& bytes);
    ChunkOutcome ApplyBatchChunk(const BatchChunk& chunk);
    ChunkOutcome ApplyRecordChunk(CObjDBTable& table, const BatchChunk& chunk);

    std::string m_path;
    std::unique_ptr<IFile> m_pldFile;
    std::unique_ptr<IFile> m_batchFile;
    std::uint64_t m_batchEnd = 0;  // the journal's length after its last whole chunk
    bool m_open = false;
    std::uint16_t m_fileVersion = kVersionUnread;
    std::uint16_t m_versionToWrite = kPluDatabaseVersion;
    // Declared before the tables, whose record sets hold statements of this connection.
    SqliteDatabase m_mdb;
    std::vector<std::unique_ptr<CObjDBTable>> m_tables;
    std::uint16_t m_highestTableNo;
    bool m_chooseByExtension = true;
    DbMode m_mode = DbMode::Dao;
    std::string m_connect;
    bool m_readOnly = false;
    bool m_batchMode = false;
    bool m_shared = false;
    bool m_applyingBatch = false;
    bool m_loadingBatchFile = false;
    std::string m_batchPath;
    std::string m_lastError;
    WarningHandler m_warningHandler;
    IFileSystem& m_fs;
    // The user-level operation in progress; link threads mirror their changes into it too.
    struct Operation {
        std::mutex mutex;
        int depth = 0;
        bool transacted = false;  // the outermost scope asked for an SQLite transaction
        bool doomed = false;      // a nested scope ended without committing
        std::vector<std::pair<CObjDBTable*, std::uint32_t>> changed;
    } m_operation;
};

}  // namespace varnel
