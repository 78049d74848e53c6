// CSendDataLog: one queued job of data for one scale: what to send (its kind), from which table and
// over which key range. Jobs are kept in the scales' send queues, the unsent-data file, the schedule
// file and the PLU database's change entries.
//
// Archive form (schema 1), all little-endian:
//   u16 format 100, u16 kind, u16 table, u32 first key, u32 last key, date-time queued
// The oldest form has no format word: its first word, below 100, is the kind, and no date follows.
#pragma once

#include "platform/OleDate.h"
#include "platform/Serializable.h"

#include <cstdint>
#include <vector>

namespace varnel {

// What a job sends (its kind).
enum SendJobKind : std::uint32_t {
    SendRecords = 0,          // the records of the key range
    SendKeyDeletes = 1,       // key records that delete every key of the range
    SendExistingDeletes = 2,  // key records that delete the keys of the range that exist
    SendPriceChanges = 3,
    SendMarkdownChanges = 4,
    SendDateTime = 5,
    SendOperators = 6,
    SendOperatorDeletes = 7,
    SendProductionRequest = 8,
    SendKeyboardKeys = 9,
    SendKeyboardHeaders = 10,
    // Sent by the block link only.
    SendMemoKeys = 11,
    SendMemoKeyDeletes = 12,
    SendIndexKeys = 13,
    SendIndexKeyDeletes = 14,
    SendImages = 15,
    SendImageDeletes = 16,
    SendNewObjectKind = 17,   // the kind of a job made by name, before it is read
};

class CSendDataLog : public CObject {
    VARNEL_DECLARE_SERIAL(CSendDataLog)
public:
    static constexpr std::uint16_t kFormat = 100;

    CSendDataLog() = default;
    CSendDataLog(std::uint32_t kind, std::uint16_t tableId, std::uint32_t first, std::uint32_t last)
        : m_kind(kind), m_tableId(tableId), m_rangeStart(first), m_rangeEnd(last)
    {
    }
    CSendDataLog(const CSendDataLog&) = default;
    CSendDataLog& operator=(const CSendDataLog&) = default;

    // A job read back counts as already written to the PLU send log; one of the oldest form is
    // queued at the time it is read.
    void Serialize(CArchive& ar) override;
    void Copy(const CSendDataLog& source) { *this = source; }

    std::uint32_t m_kind = SendNewObjectKind;
    std::uint16_t m_tableId = 0;
    std::uint32_t m_rangeStart = 0;
    std::uint32_t m_rangeEnd = 0;
    COleDateTime m_queued{};
    bool m_logged = false;  // not stored
};

using SendRequests = std::vector<CSendDataLog>;

}  // namespace varnel
