// The ".pld" record file: the record store's own database file, kept open while the database is
// open and updated in place on every add, change and delete.
//
// Layout, all numbers little-endian:
//   OFFSET  SIZE      FIELD
//     0      2        version
//     2      ...      records back to back to the end of the file, each:
//                       12-byte header (table, capacity, length, reserved, key; see DBRecord.h),
//                       or 10 bytes (table, capacity, length, key) in versions 100 to 206,
//                       then `capacity` bytes of room: `length` bytes of data, the rest unused.
// Table 0 lists the free blocks: rooms of deleted or moved records, whose header has table 0.
//
// Invariants of the live update:
//   (1) A record is written with one call: header, data and padding together, so a failed call
//       leaves the bytes that were there.
//   (2) A record that outgrows its room is written in its new place before its old room is freed; a
//       failure between the two leaves two copies of the key, and the reader keeps the first of them,
//       which is either the old row or the new one.
//   (3) The free-block list and the records' offsets change only after the write they describe
//       succeeded.
//   (4) A whole rewrite (compaction, save-as) builds a new file beside the target and renames it over
//       the target; the open file is switched, and the records' offsets moved, only after the rename.
#include "db/store/ObjDatabase.h"

#include "db/store/BatchJournalFormat.h"
#include "db/store/RowData.h"
#include "platform/AtomicReplace.h"
#include "platform/ByteOrder.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <array>

namespace varnel {

namespace {

constexpr MessageId kMsgDatabaseInUse = 61460;

// The old versions a database reads besides its own version to write (327 is that of the PLU database
// only: a database that writes 354 or 110 does not read it).
constexpr std::array<std::uint16_t, 22> kAcceptedVersions = {100, 150, 200, 202, 203, 204, 205, 206,
                                                             244, 300, 301, 310, 320, 321, 322, 323,
                                                             324, 325, 326, 350, 352, 353};
constexpr std::array<std::uint16_t, 8> kOldHeaderVersions = {100, 150, 200, 202, 203, 204, 205, 206};

CDBRecord::Header FreeBlockHeader(std::uint16_t capacity, std::uint32_t number)
{
    CDBRecord block;
    block.SetHeader(0, capacity, 0, number);
    return block.GetHeaderBytes();
}

Result<void> WriteAt(IFile& file, std::uint64_t position, const std::vector<std::uint8_t>& bytes)
{
    if (auto sought = file.Seek(position); !sought) return sought;
    return WriteBytes(file, bytes.data(), bytes.size());
}

// The file as the load walks it from front to back, read a piece at a time into an image of its own
// that the rows made of it keep as their data: the bytes are copied from the file once, and a piece
// lives only as long as rows use it.
class PldImageReader {
public:
    PldImageReader(IFile& file, std::uint64_t size, RowArena& arena) : m_file(file), m_size(size), m_arena(arena) {}

    // The `n` bytes at `position` (the caller checked that the file holds them); positions never go back.
    Result<std::span<const std::uint8_t>> At(std::uint64_t position, std::size_t n)
    {
        if (position < m_start || position + n > m_start + m_piece.size()) {
            // The bytes of the piece before are read again when a record crosses its end.
            const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(
                std::max<std::uint64_t>(n, kPieceBytes), m_size - position));
            m_piece = {};
            const std::span<std::uint8_t> piece = m_arena.NewImage(wanted);
            if (auto sought = m_file.Seek(position); !sought) return sought.GetError();
            if (auto read = ReadExact(m_file, piece.data(), wanted); !read) return read.GetError();
            m_start = position;
            m_piece = piece;
        }
        return std::span<const std::uint8_t>(m_piece).subspan(static_cast<std::size_t>(position - m_start), n);
    }

private:
    // Large enough that few records cross a piece's end, small enough that a piece holding no rows
    // that keep their data in place (another table's) is given back soon after the load.
    static constexpr std::uint64_t kPieceBytes = std::uint64_t{4} << 20;

    IFile& m_file;
    std::uint64_t m_size;
    RowArena& m_arena;
    std::uint64_t m_start = 0;
    std::span<std::uint8_t> m_piece;
};

}  // namespace

// Writes the database compactly: every record of every table from 1 upward in key order, each with
// its capacity equal to its length. Records are buffered into large writes; their new offsets are
// collected for the caller to apply once the file is in place (invariant 4).
class CObjDatabase::PldWriter {
public:
    explicit PldWriter(IFile& file) : m_file(file) {}

    Result<void> Write(const CObjDatabase& database)
    {
        std::uint8_t version[2];
        StoreLe16(version, database.m_versionToWrite);
        Append(version, sizeof version);
        for (std::size_t tableNo = 1; tableNo < database.m_tables.size(); ++tableNo) {
            const CObjDBTable* table = database.m_tables[tableNo].get();
            if (!table) continue;
            for (const auto& entry : table->GetIndex()) {
                const CDBRecord& record = *entry.record;
                CDBRecord::Header header = record.GetHeaderBytes();
                StoreLe16(&header[2], record.GetLength());
                m_placed.push_back({entry.record.get(), static_cast<std::uint32_t>(m_position)});
                Append(header.data(), header.size());
                Append(record.GetData(), std::min<std::size_t>(record.GetLength(), record.GetDataRoom()));
                if (m_buffer.size() >= kFlushBytes)
                    if (auto flushed = Flush(); !flushed) return flushed;
            }
        }
        return Flush();
    }

    // Moves every written record to its place in the new file.
    void ApplyPlacement() const
    {
        for (const auto& [record, offset] : m_placed) {
            record->SetCapacity(record->GetLength());
            record->m_fileOffset = offset;
        }
    }

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;

    void Append(const std::uint8_t* bytes, std::size_t size)
    {
        if (size == 0) return;
        m_buffer.insert(m_buffer.end(), bytes, bytes + size);
        m_position += size;
    }

    Result<void> Flush()
    {
        if (m_buffer.empty()) return {};
        auto written = WriteBytes(m_file, m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return written;
    }

    IFile& m_file;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_position = 0;
    std::vector<std::pair<CDBRecord*, std::uint32_t>> m_placed;
};

bool CObjDatabase::IsFileVersionAccepted(std::uint16_t version) const
{
    return version == m_versionToWrite || std::ranges::find(kAcceptedVersions, version) != kAcceptedVersions.end();
}

bool CObjDatabase::IsOldHeaderFormat() const
{
    return std::ranges::find(kOldHeaderVersions, m_fileVersion) != kOldHeaderVersions.end();
}

bool CObjDatabase::ReadPldFile(const std::string& path)
{
    auto opened = m_fs.Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
    if (!opened) {
        SetLastError(opened.GetError());
        if (m_fs.Exists(path)) ShowMessage(kMsgDatabaseInUse);
        return false;
    }
    std::unique_ptr<IFile> file = std::move(*opened);
    m_open = true;

    std::uint8_t version[2];
    if (auto read = ReadExact(*file, version, sizeof version); !read || !IsFileVersionAccepted(LoadLe16(version))) {
        if (read) m_fileVersion = LoadLe16(version);
        ShowMessage(kMsgUnsupportedVersion);
        m_open = false;
        return false;
    }
    m_fileVersion = LoadLe16(version);
    if (!LoadPldRecords(*file)) {
        m_open = false;
        return false;
    }
    m_pldFile = std::move(file);
    return true;
}

bool CObjDatabase::LoadPldRecords(IFile& file)
{
    auto length = file.Length();
    if (!length) {
        SetLastError(length.GetError());
        return false;
    }
    if (*length > 0xFFFFFFFFull) {
        SetLastError(MakeError(Errc::Corrupt, "\"" + m_path + "\" is too large for a database file"));
        return false;
    }
    const std::uint64_t size = *length;
    // The rows' data areas lie in the file's image where they can, instead of one allocation each.
    RowArena arena;
    PldImageReader image(file, size, arena);

    const std::size_t headerSize = GetHeaderSize();
    const bool oldHeaders = IsOldHeaderFormat();
    std::vector<std::vector<CDBKeyIndex::Entry>> loaded(m_highestTableNo + std::size_t{1});
    std::uint32_t freeBlocks = static_cast<std::uint32_t>(FreeBlocks().GetRecordCount());
    std::uint64_t position = 2;
    bool whole = true;
    while (position < size) {
        if (size - position < headerSize) {
            SetLastError(MakeError(Errc::Corrupt, "a record header is cut off at offset " + std::to_string(position)));
            whole = false;
            break;
        }
        const auto header = image.At(position, headerSize);
        if (!header) {
            SetLastError(header.GetError());
            return false;
        }
        const std::uint8_t* h = header->data();
        const std::uint16_t tableNo = LoadLe16(h);
        const std::uint16_t capacity = LoadLe16(h + 2);
        const std::uint16_t dataLength = LoadLe16(h + 4);
        const std::uint32_t key = LoadLe32(h + (oldHeaders ? 6 : 8));
        const std::uint64_t dataStart = position + headerSize;
        position = dataStart + capacity;

        if (tableNo > m_highestTableNo || dataLength > capacity || !EnsureTable(tableNo)) continue;
        CObjDBTable& table = *m_tables[tableNo];
        if (!table.IsKeyAllowed(key)) continue;
        const std::uint32_t offset = static_cast<std::uint32_t>(dataStart - headerSize);
        if (tableNo == 0) {
            std::unique_ptr<CDBRecord> block = table.CreateRecord(0);
            if (!block) continue;
            block->m_fileOffset = offset;
            block->SetHeader(0, capacity, 0, freeBlocks);
            FreeBlocks().GetIndex().Insert(freeBlocks++, block);
            continue;
        }
        // A record whose data is cut off by the end of the file, or does not fit its row, is lost alone.
        if (size - dataStart < dataLength) continue;
        std::span<const std::uint8_t> data;
        if (dataLength > 0) {
            const auto read = image.At(dataStart, dataLength);
            if (!read) {
                SetLastError(read.GetError());
                return false;
            }
            data = *read;
        }
        std::unique_ptr<CDBRecord> record = table.CreateLoadedRecord(data, arena);
        if (!record) continue;
        record->m_fileOffset = offset;
        record->SetHeader(tableNo, capacity, dataLength, key);
        loaded[tableNo].push_back({key, std::move(record)});
    }

    for (std::size_t tableNo = 1; tableNo < loaded.size(); ++tableNo)
        if (!loaded[tableNo].empty()) (void)m_tables[tableNo]->AddLoadedRecords(std::move(loaded[tableNo]));
    return whole;
}

bool CObjDatabase::ReloadPldFile(const std::string& path)
{
    FreeAllRecords();
    m_pldFile.reset();
    return ReadPldFile(path);
}

bool CObjDatabase::CreateEmptyPldFile(const std::string& path)
{
    auto created = ReplaceFile(m_fs, path, [this](IFile& file) {
        std::uint8_t version[2];
        StoreLe16(version, m_versionToWrite);
        return WriteBytes(file, version, sizeof version);
    });
    if (!created) SetLastError(created.GetError());
    return created.HasValue();
}

bool CObjDatabase::StoreRecord(CDBRecord& record)
{
    if (m_batchMode) return JournalChange(kBatchAdded, record);
    if (m_mode == DbMode::Dao) return true;
    if (record.GetCapacity() < record.GetLength()) return false;

    // Best fit: the smallest free block that holds the data; among equals the lowest number.
    const CObjDBTable& freeBlocks = FreeBlocks();
    const CDBRecord* chosen = nullptr;
    std::uint32_t chosenNumber = 0;
    for (const auto& entry : freeBlocks.GetIndex()) {
        const std::uint16_t room = entry.record->GetCapacity();
        if (room >= record.GetLength() && (!chosen || room < chosen->GetCapacity())) {
            chosen = entry.record.get();
            chosenNumber = entry.key;
        }
    }

    const std::uint16_t oldCapacity = record.GetCapacity();
    std::uint64_t position = 0;
    if (chosen) {
        record.SetCapacity(chosen->GetCapacity());
        position = chosen->m_fileOffset;
    } else if (m_pldFile) {
        auto end = m_pldFile->Length();
        if (!end) {
            SetLastError(end.GetError());
            return false;
        }
        position = *end;
    }
    if (!m_readOnly && m_pldFile) {
        if (position > 0xFFFFFFFFull) {
            record.SetCapacity(oldCapacity);
            SetLastError(MakeError(Errc::DiskFull, "the database file has reached its largest size"));
            return false;
        }
        if (auto written = WriteAt(*m_pldFile, position, RecordImage(record, record.GetLength(), record.GetCapacity()));
            !written) {
            record.SetCapacity(oldCapacity);
            SetLastError(written.GetError());
            return false;
        }
        record.m_fileOffset = static_cast<std::uint32_t>(position);
    }
    if (chosen) TakeFreeBlock(chosenNumber);
    return true;
}

bool CObjDatabase::RewriteRecord(CDBRecord& record, std::uint16_t newSize)
{
    if (m_batchMode) {
        const CDBRecord::Header oldHeader = record.GetHeaderBytes();
        record.SetCapacity(newSize);
        record.SetLength(newSize);
        if (JournalChange(kBatchUpdated, record)) return true;
        record.CopyHeader(oldHeader.data());
        return false;
    }
    if (m_mode == DbMode::Dao) {
        record.SetCapacity(newSize);
        record.SetLength(newSize);
        return true;
    }
    if (m_readOnly || !m_pldFile) return true;
    const CDBRecord::Header oldHeader = record.GetHeaderBytes();
    if (newSize <= record.GetCapacity()) {
        record.SetLength(newSize);
        if (auto written = WriteAt(*m_pldFile, record.m_fileOffset, RecordImage(record, newSize, newSize)); !written) {
            record.CopyHeader(oldHeader.data());
            SetLastError(written.GetError());
            return false;
        }
        return true;
    }
    // Grown past its room: written in a new place first, the old room freed after (invariant 2).
    const std::uint32_t oldOffset = record.m_fileOffset;
    record.SetCapacity(newSize);
    record.SetLength(newSize);
    if (!StoreRecord(record)) {
        record.CopyHeader(oldHeader.data());
        record.m_fileOffset = oldOffset;
        return false;
    }
    return MarkRoomFree(oldOffset, LoadLe16(&oldHeader[2]));
}

bool CObjDatabase::FreeRecordSlot(CDBRecord& record)
{
    // In batch mode and in an ".mdb" database the ".pld" rooms are not kept, so no free block is listed.
    if (m_batchMode) return JournalChange(kBatchDeleted, record);
    if (m_mode == DbMode::Dao) return true;
    return MarkRoomFree(record.m_fileOffset, record.GetCapacity());
}

bool CObjDatabase::RekeyRecord(CDBRecord& record, std::uint32_t newKey)
{
    const CDBRecord::Header oldHeader = record.GetHeaderBytes();
    if (m_batchMode) {
        // Journaled as the delete of the old key and the add of the new one, written together.
        std::vector<std::uint8_t> chunks = EncodeRecordChunk(kBatchDeleted, record);
        record.SetKey(newKey);
        const std::vector<std::uint8_t> added = EncodeRecordChunk(kBatchAdded, record);
        chunks.insert(chunks.end(), added.begin(), added.end());
        if (m_applyingBatch || AppendToJournal(chunks)) return true;
        record.CopyHeader(oldHeader.data());
        return false;
    }
    record.SetKey(newKey);
    if (m_mode == DbMode::Dao || m_readOnly || !m_pldFile) return true;
    // The key is part of the header, so one write of the header moves the record to its new key.
    const CDBRecord::Header& header = record.GetHeaderBytes();
    if (auto written = WriteAt(*m_pldFile, record.m_fileOffset, {header.begin(), header.end()}); !written) {
        record.CopyHeader(oldHeader.data());
        SetLastError(written.GetError());
        return false;
    }
    return true;
}

bool CObjDatabase::MarkRoomFree(std::uint32_t offset, std::uint16_t capacity)
{
    const auto number = static_cast<std::uint32_t>(FreeBlocks().GetRecordCount());
    const CDBRecord::Header header = FreeBlockHeader(capacity, number);
    if (m_pldFile && !m_readOnly) {
        if (auto written = WriteAt(*m_pldFile, offset, {header.begin(), header.end()}); !written) {
            SetLastError(written.GetError());
            return false;
        }
    }
    auto block = std::make_unique<CDBRecord>();
    block->CopyHeader(header.data());
    block->m_fileOffset = offset;
    FreeBlocks().GetIndex().Insert(number, block);
    return true;
}

void CObjDatabase::TakeFreeBlock(std::uint32_t number)
{
    // Free blocks are numbered 0..n-1 in list order, so a block's number is also its position.
    CDBKeyIndex& index = FreeBlocks().GetIndex();
    std::vector<CDBKeyIndex::Entry> blocks = index.TakeAll();
    if (number < blocks.size()) blocks.erase(blocks.begin() + number);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        blocks[i].key = static_cast<std::uint32_t>(i);
        blocks[i].record->SetKey(blocks[i].key);
    }
    std::vector<std::unique_ptr<CDBRecord>> none;
    index.Build(std::move(blocks), none);
}

bool CObjDatabase::NeedsCompact() const
{
    if (m_mode == DbMode::Dao) return true;
    return m_open && FreeBlocks().GetRecordCount() > 10;
}

bool CObjDatabase::WriteCompactCopy(const std::string& target)
{
    if (!m_open) return false;
    std::unique_ptr<PldWriter> writer;
    std::unique_ptr<IFile> written;
    auto replaced = ReplaceFileKeepOpen(
        m_fs, target,
        [&](IFile& file) {
            writer = std::make_unique<PldWriter>(file);
            return writer->Write(*this);
        },
        written);
    // Once the new file stands in place of the target the database goes on with it, whatever came
    // after: writing on into the replaced file would lose every later change.
    if (written) {
        // An ".mdb" database saved as a ".pld" file continues with the file it was written to.
        if (m_mode == DbMode::Dao) (void)CloseMdb();
        writer->ApplyPlacement();
        FreeBlocks().FreeAllRecords();
        m_pldFile = std::move(written);
        m_fileVersion = m_versionToWrite;
        m_path = target;
        m_mode = DbMode::Pld;
        m_open = true;
    }
    if (!replaced) {
        SetLastError(replaced.GetError());
        return false;
    }
    return true;
}

}  // namespace varnel
