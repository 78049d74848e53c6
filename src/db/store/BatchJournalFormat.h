// The ".bch" batch journal: the changes of a batch, recorded instead of being written to the database.
//
// Layout, all numbers little-endian:
//   OFFSET  SIZE  FIELD
//     0      2    version: the recording database's version to write
//     2     ...   chunks back to back to the end of the file, each beginning with its kind (u16):
//   kind 1 record added, 2 record updated:  12-byte record header (capacity = length), then the
//                                           record's `length` data bytes            -> 14 + length bytes
//   kind 3 record deleted:                  12-byte record header only, whatever its
//                                           length says                              -> 14 bytes
//   kind 4 department:                      u16 length 1, u16 length 2, text 1 and a 0 byte,
//                                           text 2 and a 0 byte                      -> 8 + both lengths
// Text 1 is the department the changes were made for, text 2 the path of the recording database.
#pragma once

#include "db/store/DBRecord.h"
#include "platform/Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

enum BatchChunkKind : std::uint16_t {
    kBatchAdded = 1,
    kBatchUpdated = 2,
    kBatchDeleted = 3,
    kBatchDepartment = 4
};

// One chunk as read; its views point into the journal's bytes.
struct BatchChunk {
    std::uint16_t kind = 0;
    CDBRecord::Header header{};          // kinds 1 to 3
    std::span<const std::uint8_t> data;  // kinds 1 and 2
    std::string_view department;         // kind 4
    std::string_view databasePath;       // kind 4

    std::uint16_t GetTableNo() const;
    std::uint32_t GetKey() const;
};

// Reads a journal held whole in memory; every length is checked against the bytes there are.
class BatchJournalReader {
public:
    explicit BatchJournalReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // The version word, read first; an error when the journal is shorter than it.
    Result<std::uint16_t> ReadVersion();
    // The next chunk, or nothing at the journal's end; an error for a chunk of an unknown kind or one
    // cut off by the end.
    Result<std::optional<BatchChunk>> Next();

private:
    // The texts of the department chunk whose kind stands at the position; moves past the chunk.
    Result<void> ReadBatchTextChunk(BatchChunk& chunk);
    Error CutOff(std::string_view what) const;

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

std::vector<std::uint8_t> EncodeBatchVersion(std::uint16_t version);
// A department chunk; an error when a text is too long for its 16-bit length.
Result<std::vector<std::uint8_t>> EncodeDepartmentChunk(std::string_view department, std::string_view databasePath);
// A record chunk of kind 1, 2 or 3; kinds 1 and 2 carry the record's data, with its capacity
// written as its length.
std::vector<std::uint8_t> EncodeRecordChunk(std::uint16_t kind, const CDBRecord& record);

}  // namespace varnel
