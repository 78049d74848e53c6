// Where the tables, the records and the links report what they did: the event log, the PLU update
// log and the flag that tells an importer that records were refused for their numbers. The main
// frame answers for them; there is always one, so no line is ever dropped for want of a receiver.
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

class CPluDefRec;

class IEventLog {
public:
    virtual ~IEventLog() = default;

    // Writes an event-log line of `kind` (EventKind: 0 added ... 6 continuation).
    virtual void WriteEvent(std::uint16_t kind, std::string_view text) const = 0;
    // Appends the PLU to the PLU update log when that log is on.
    virtual void WriteToPluUpdateLog(const CPluDefRec& row) const = 0;
    // Set to 1 when a record is refused for its number or a PLU number that is not allowed; importers
    // clear it first and tell the user when it is set afterwards.
    virtual void SetInvalidRecordFlag(std::uint32_t flag) = 0;
    virtual std::uint32_t GetInvalidRecordFlag() const = 0;
};

}  // namespace varnel
