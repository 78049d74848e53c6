#include "db/store/BatchJournalFormat.h"

#include "platform/ByteOrder.h"

#include <algorithm>
#include <string>

namespace varnel {
namespace {

constexpr std::size_t kKindSize = 2;

void AppendLe16(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

std::uint16_t BatchChunk::GetTableNo() const { return LoadLe16(&header[0]); }

std::uint32_t BatchChunk::GetKey() const { return LoadLe32(&header[8]); }

Error BatchJournalReader::CutOff(std::string_view what) const
{
    return MakeError(Errc::Corrupt, "the batch file ends inside " + std::string(what) + " at offset " +
                                        std::to_string(m_position));
}

Result<std::uint16_t> BatchJournalReader::ReadVersion()
{
    if (m_bytes.size() < 2) return CutOff("its version word");
    m_position = 2;
    return LoadLe16(m_bytes.data());
}

Result<std::optional<BatchChunk>> BatchJournalReader::Next()
{
    const std::size_t left = m_bytes.size() - m_position;
    if (left == 0) return std::optional<BatchChunk>{};
    if (left < kKindSize) return CutOff("a chunk's kind");
    const std::uint8_t* at = m_bytes.data() + m_position;
    BatchChunk chunk;
    chunk.kind = LoadLe16(at);

    if (chunk.kind == kBatchDepartment) {
        if (Result<void> read = ReadBatchTextChunk(chunk); !read) return read.GetError();
        return std::optional<BatchChunk>(chunk);
    }
    if (chunk.kind < kBatchAdded || chunk.kind > kBatchDeleted)
        return MakeError(Errc::Corrupt, "the batch file holds a chunk of unknown kind " + std::to_string(chunk.kind) +
                                            " at offset " + std::to_string(m_position));

    const std::size_t headerEnd = kKindSize + CDBRecord::kHeaderSize;
    if (left < headerEnd) return CutOff("a record header");
    std::copy_n(at + kKindSize, CDBRecord::kHeaderSize, chunk.header.begin());
    const std::size_t length = chunk.kind == kBatchDeleted ? 0 : LoadLe16(&chunk.header[4]);
    if (left - headerEnd < length) return CutOff("a record's data");
    chunk.data = m_bytes.subspan(m_position + headerEnd, length);
    m_position += headerEnd + length;
    return std::optional<BatchChunk>(chunk);
}

Result<void> BatchJournalReader::ReadBatchTextChunk(BatchChunk& chunk)
{
    const std::size_t left = m_bytes.size() - m_position;
    if (left < 6) return CutOff("a department chunk");
    const std::uint8_t* at = m_bytes.data() + m_position;
    const std::size_t length1 = LoadLe16(at + 2);
    const std::size_t length2 = LoadLe16(at + 4);
    const std::size_t size = 8 + length1 + length2;
    if (left < size) return CutOff("a department chunk");
    chunk.department = std::string_view(reinterpret_cast<const char*>(at + 6), length1);
    chunk.databasePath = std::string_view(reinterpret_cast<const char*>(at + 7 + length1), length2);
    m_position += size;
    return {};
}

std::vector<std::uint8_t> EncodeBatchVersion(std::uint16_t version)
{
    std::vector<std::uint8_t> bytes;
    AppendLe16(bytes, version);
    return bytes;
}

Result<std::vector<std::uint8_t>> EncodeDepartmentChunk(std::string_view department, std::string_view databasePath)
{
    if (department.size() > 0xFFFF || databasePath.size() > 0xFFFF)
        return MakeError(Errc::Invalid, "the department or the database path is too long for a batch file");
    std::vector<std::uint8_t> bytes;
    AppendLe16(bytes, kBatchDepartment);
    AppendLe16(bytes, static_cast<std::uint16_t>(department.size()));
    AppendLe16(bytes, static_cast<std::uint16_t>(databasePath.size()));
    for (std::string_view text : {department, databasePath}) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    return bytes;
}

std::vector<std::uint8_t> EncodeRecordChunk(std::uint16_t kind, const CDBRecord& record)
{
    const std::uint16_t length = kind == kBatchDeleted ? 0 : record.GetLength();
    std::vector<std::uint8_t> bytes;
    AppendLe16(bytes, kind);
    const std::vector<std::uint8_t> image = RecordImage(record, length, length);
    bytes.insert(bytes.end(), image.begin(), image.end());
    if (kind != kBatchDeleted) StoreLe16(&bytes[kKindSize + 2], length);
    return bytes;
}

}  // namespace varnel
