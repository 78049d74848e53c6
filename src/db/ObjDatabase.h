// CObjDatabase: the container of one database: its tables by number, its ".pld" file, its format
// version and its modes. Derived databases override the table factory (CreateTable).
#pragma once

#include "db/ObjDBTable.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

enum class DbMode : std::uint32_t { Pld = 0, Dao = 1 };

class CObjDatabase {
public:
    static constexpr std::uint16_t kPluDatabaseVersion = 327;
    static constexpr std::uint16_t kVersionUnread = 0xFFFF;

    explicit CObjDatabase(std::uint16_t highestTableNo, IFileSystem& fs = RealFileSystem());
    CObjDatabase(const CObjDatabase&) = delete;
    CObjDatabase& operator=(const CObjDatabase&) = delete;
    virtual ~CObjDatabase();

    // The table factory: the base makes a plain table with an empty name.
    virtual std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo);

    bool Open(const std::string& path);
    // Makes a new empty database file without opening it.
    bool Create(const std::string& path);
    bool Close();
    // Writes the open database to another file and continues with that file.
    bool SaveAs(const std::string& path);
    bool Compact();
    bool NeedsCompact() const;

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
    std::uint16_t GetHighestTableNo() const { return m_highestTableNo; }

protected:
    IFileSystem& FileSystem() { return m_fs; }
    void SetLastError(const Error& error) { m_lastError = error.message; }

private:
    class PldWriter;

    CObjDBTable& FreeBlocks() { return *m_tables[0]; }
    const CObjDBTable& FreeBlocks() const { return *m_tables[0]; }
    bool LoadPldRecords(IFile& file);
    // Writes a free block's header over the room of a record that left it, then lists the block.
    bool MarkRoomFree(std::uint32_t offset, std::uint16_t capacity);
    // Takes free block `number` off the list; the later blocks move down by one number.
    void TakeFreeBlock(std::uint32_t number);
    // Replaces the file at `target` by a compact copy of the database and continues with it.
    bool WriteCompactCopy(const std::string& target);

    std::string m_path;
    std::unique_ptr<IFile> m_pldFile;
    bool m_open = false;
    std::uint16_t m_fileVersion = kVersionUnread;
    std::uint16_t m_versionToWrite = kPluDatabaseVersion;
    std::vector<std::unique_ptr<CObjDBTable>> m_tables;
    std::uint16_t m_highestTableNo;
    bool m_chooseByExtension = true;
    DbMode m_mode = DbMode::Dao;
    std::string m_connect;
    bool m_readOnly = false;
    bool m_batchMode = false;
    bool m_shared = false;
    std::string m_lastError;
    IFileSystem& m_fs;
};

}  // namespace varnel
