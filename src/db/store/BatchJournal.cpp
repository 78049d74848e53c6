// Batch mode and batch files of CObjDatabase: recording every change into a ".bch" journal instead of
// the database, and applying a journal to a database or to the tables in memory.
//
// Recording: the journal only ever grows by whole chunks. A chunk is written with one call, and a
// write that fails part way is cut off again, so a failed change leaves a journal that still reads
// to its end. Applying: a journal is read whole and every length checked against the bytes there are;
// a chunk that cannot be read or applied ends the apply with false, keeping the changes made before.
#include "db/store/BatchJournalFormat.h"
#include "db/store/ObjDatabase.h"
#include "db/store/StoreTransaction.h"

#include "platform/AtomicReplace.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace varnel {
namespace {

Result<std::vector<std::uint8_t>> ReadWholeJournal(IFileSystem& fs, const std::string& path)
{
    auto opened = fs.Open(path, FileAccess::Read, FileShare::DenyWrite);
    if (!opened) return opened.GetError();
    IFile& file = **opened;
    auto length = file.Length();
    if (!length) return length.GetError();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*length));
    if (auto read = ReadExact(file, bytes.data(), bytes.size()); !read) return read.GetError();
    return bytes;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b,
                              [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

}  // namespace

bool CObjDatabase::BeginBatch(const std::string& path, const std::string& department, bool append)
{
    if (!m_open || m_batchMode) return false;
    if (append) {
        std::string stored;
        if (!ReadBatchDepartment(path, stored)) return false;
        auto opened = m_fs.Open(path, FileAccess::OpenAlways, FileShare::DenyWrite);
        if (!opened) {
            SetLastError(opened.GetError());
            return false;
        }
        auto length = (*opened)->Length();
        if (!length) {
            SetLastError(length.GetError());
            return false;
        }
        (void)(*opened)->Seek(*length);
        m_batchFile = std::move(*opened);
        m_batchEnd = *length;
        // The department is compared exactly here: another spelling starts a department chunk of its own.
        if (stored != department && !WriteBatchHeader(department)) {
            m_batchFile.reset();
            return false;
        }
    } else {
        auto header = EncodeDepartmentChunk(department, m_path);
        if (!header) {
            SetLastError(header.GetError());
            return false;
        }
        std::vector<std::uint8_t> start = EncodeBatchVersion(m_versionToWrite);
        start.insert(start.end(), header->begin(), header->end());
        // A journal of the same name is replaced only once the new one has its header.
        std::unique_ptr<IFile> journal;
        auto created = ReplaceFileKeepOpen(
            m_fs, path, [&](IFile& file) { return WriteBytes(file, start.data(), start.size()); }, journal);
        if (!created) {
            SetLastError(created.GetError());
            return false;
        }
        m_batchFile = std::move(journal);
        m_batchEnd = start.size();
    }
    m_batchMode = true;
    m_batchPath = path;
    return true;
}

bool CObjDatabase::WriteBatchHeader(const std::string& department)
{
    auto chunk = EncodeDepartmentChunk(department, m_path);
    if (!chunk) {
        SetLastError(chunk.GetError());
        return false;
    }
    return AppendToJournal(*chunk);
}

bool CObjDatabase::JournalChange(std::uint16_t kind, const CDBRecord& record)
{
    if (m_applyingBatch) return true;
    return AppendToJournal(EncodeRecordChunk(kind, record));
}

bool CObjDatabase::AppendToJournal(const std::vector<std::uint8_t>& bytes)
{
    if (!m_batchFile) {
        SetLastError(MakeError(Errc::Invalid, "no batch file is open"));
        return false;
    }
    if (auto written = WriteBytes(*m_batchFile, bytes.data(), bytes.size()); !written) {
        (void)m_batchFile->Truncate(m_batchEnd);
        (void)m_batchFile->Seek(m_batchEnd);
        SetLastError(written.GetError());
        return false;
    }
    m_batchEnd += bytes.size();
    return true;
}

bool CObjDatabase::CloseBatchFile()
{
    if (!m_batchFile) return true;
    auto synced = m_batchFile->Sync();
    m_batchFile.reset();
    if (!synced) SetLastError(synced.GetError());
    return synced.HasValue();
}

bool CObjDatabase::EndBatch()
{
    if (!m_batchMode) return false;
    const bool journalKept = CloseBatchFile();
    m_batchMode = false;
    // Every change of the batch was made in memory only: reading the database again drops them.
    const bool reloaded = m_mode == DbMode::Dao ? ReopenMdb(m_path, true) : ReloadPldFile(m_path);
    return reloaded && journalKept;
}

std::optional<BatchJournalReader> CObjDatabase::OpenJournal(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    auto read = ReadWholeJournal(m_fs, path);
    if (!read) {
        SetLastError(read.GetError());
        return std::nullopt;
    }
    bytes = std::move(*read);
    BatchJournalReader reader(bytes);
    auto version = reader.ReadVersion();
    if (!version) {
        SetLastError(version.GetError());
        return std::nullopt;
    }
    if (!IsFileVersionAccepted(*version)) {
        SetLastError(MakeError(Errc::Unsupported, "the batch file's version " + std::to_string(*version) +
                                                      " is not one this database reads"));
        return std::nullopt;
    }
    return reader;
}

bool CObjDatabase::ReadBatchDepartment(const std::string& path, std::string& department)
{
    department.clear();
    std::vector<std::uint8_t> bytes;
    std::optional<BatchJournalReader> reader = OpenJournal(path, bytes);
    if (!reader) return false;
    for (;;) {
        auto chunk = reader->Next();
        if (!chunk) {
            SetLastError(chunk.GetError());
            return false;
        }
        if (!*chunk) return true;
        if ((*chunk)->kind == kBatchDepartment) department = (*chunk)->department;
    }
}

bool CObjDatabase::ReadBatchFile(const std::string& path, const std::string& department)
{
    std::vector<std::uint8_t> bytes;
    std::optional<BatchJournalReader> reader = OpenJournal(path, bytes);
    if (!reader) return false;

    // No journal entry is written for a change that comes from a journal.
    const bool wasApplying = std::exchange(m_applyingBatch, true);
    // The journal is applied as one operation: a failure keeps none of it.
    StoreTransaction operation(*this);
    bool ok = true;
    bool departmentApplies = true;
    for (;;) {
        auto next = reader->Next();
        if (!next) {
            SetLastError(next.GetError());
            ok = false;
            break;
        }
        if (!*next) break;  // the end, also right after a department chunk
        const BatchChunk& chunk = **next;
        if (chunk.kind == kBatchDepartment) {
            if (!department.empty()) departmentApplies = EqualsIgnoringCase(chunk.department, department);
            continue;
        }
        if (!departmentApplies) continue;
        const ChunkOutcome outcome = ApplyBatchChunk(chunk);
        if (outcome == ChunkOutcome::Failed) ok = false;
        if (outcome != ChunkOutcome::Applied) break;
    }
    ok = ok && operation.Commit();
    m_applyingBatch = wasApplying;
    return ok;
}

bool CObjDatabase::LoadBatchFile(const std::string& path, const std::string& department)
{
    // Batch mode keeps the changes from the database, the applying flag from the journal.
    const bool wasBatchMode = std::exchange(m_batchMode, true);
    const bool wasApplying = std::exchange(m_applyingBatch, true);
    const bool wasLoading = std::exchange(m_loadingBatchFile, true);
    const bool read = ReadBatchFile(path, department);
    m_loadingBatchFile = wasLoading;
    m_applyingBatch = wasApplying;
    m_batchMode = wasBatchMode;
    return read;
}

CObjDatabase::ChunkOutcome CObjDatabase::ApplyBatchChunk(const BatchChunk& chunk)
{
    const std::uint16_t tableNo = chunk.GetTableNo();
    if (tableNo == 0) {
        // Table 0 lists the ".pld" file's free blocks; no change of a batch ever names it.
        SetLastError(MakeError(Errc::Corrupt, "a batch entry names table 0"));
        return ChunkOutcome::Failed;
    }
    CObjDBTable* table = GetTable(tableNo);
    if (!table) {
        if (AcceptBatchChunk(chunk.kind, chunk.header)) ApplyUnknownTableChunk(chunk.kind, chunk.header, chunk.data);
        return ChunkOutcome::Applied;
    }
    if (chunk.kind == kBatchDeleted) {
        if (!AcceptBatchChunk(chunk.kind, chunk.header)) return ChunkOutcome::Applied;
        // A key that is not there is no failure; a delete that fails is.
        if (CDBRecord* present = table->GetRecord(chunk.GetKey()); present && !table->DeleteRecord(present))
            return ChunkOutcome::Failed;
        (void)OnBatchChunkApplied(chunk.kind, chunk.header, *table);
        return ChunkOutcome::Applied;
    }
    if (!table->IsKeyAllowed(chunk.GetKey()) || !AcceptBatchChunk(chunk.kind, chunk.header))
        return ChunkOutcome::Applied;
    const ChunkOutcome outcome = ApplyRecordChunk(*table, chunk);
    if (outcome != ChunkOutcome::Applied) return outcome;
    return OnBatchChunkApplied(chunk.kind, chunk.header, *table) ? ChunkOutcome::Applied : ChunkOutcome::Stop;
}

CObjDatabase::ChunkOutcome CObjDatabase::ApplyRecordChunk(CObjDBTable& table, const BatchChunk& chunk)
{
    // An add of a present key updates it, an update of an absent key adds it.
    const std::uint32_t key = chunk.GetKey();
    const auto length = static_cast<std::uint16_t>(chunk.data.size());
    const CObjDBTable::RowChange change(table);  // the row's bytes change in place before the update
    CDBRecord* present = table.GetRecord(key);
    std::unique_ptr<CDBRecord> created = present ? nullptr : table.CreateRecord(length);
    CDBRecord* record = present ? present : created.get();
    if (!record || !record->ReserveData(length)) {
        SetLastError(MakeError(Errc::Corrupt, "the batch entry of key " + std::to_string(key) + " in table " +
                                                  std::to_string(table.GetTableNo()) + " holds " +
                                                  std::to_string(length) + " bytes, more than its records hold"));
        return ChunkOutcome::Failed;
    }
    if (created) {
        if (length > 0) std::memcpy(created->GetData(), chunk.data.data(), length);
        return table.AddRecord(key, length, std::move(created)) ? ChunkOutcome::Applied : ChunkOutcome::Failed;
    }
    // The old bytes come back when the update fails, so memory keeps what the database holds.
    std::vector<std::uint8_t> old;
    if (length > 0) {
        old.assign(present->GetData(), present->GetData() + length);
        std::memcpy(present->GetData(), chunk.data.data(), length);
    }
    if (table.UpdateRecord(present, length)) return ChunkOutcome::Applied;
    if (length > 0) std::memcpy(present->GetData(), old.data(), length);
    return ChunkOutcome::Failed;
}

}  // namespace varnel
