// What the record store asks of the open document: sending jobs to the scales. The application's
// document implements it; the main frame hands it out (IMainFrame::GetDocument), null while no
// database is open.
#pragma once

#include "db/store/ObjDBTable.h"
#include "db/plu/SendDataLog.h"
#include "platform/Messages.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace varnel {

class CLinkScale;
class CMasterScale;
class CObjDatabase;
class IEventLog;
struct CLinkScaleSettings;
struct ScaleRecordOut;

class IDocument {
public:
    // The data type every caller passes.
    static constexpr std::uint32_t kDataType = 2;

    virtual ~IDocument() = default;

    // Queues the jobs on the scales of `department` (all scales when null). Interactively the jobs
    // are queued and true returned at once; in automation and scheduler mode the send runs to its end
    // and the result tells whether it succeeded. The caller keeps its list.
    virtual bool SendData(std::uint32_t dataType, bool showResult, const SendRequests& requests,
                          const CMasterScale* department) = 0;
    // Runs the send to its end: 0 on success, else the message number that ended it.
    virtual MessageId SendDataNow(std::uint32_t dataType, bool showResult, const SendRequests& requests,
                                  const CMasterScale* department) = 0;
    // As SendData, on that one scale of the links.
    virtual bool SendDataToScale(std::uint32_t /*dataType*/, bool /*showResult*/, const SendRequests& /*requests*/,
                                 const CLinkScaleSettings& /*scale*/)
    {
        return false;
    }

    // What the scale links take from the document; a document without a database answers none.

    // The database's full path; the unsent-data file is this path with ".usd" appended.
    virtual std::string GetPathName() const { return {}; }

    // The open PLU database, whose tables the links send from (by table number).
    virtual CObjDatabase* GetPluDatabase() const { return nullptr; }
    // Hands one packet received from `scale` to the table of `dataKind` (0 to 42); in compare mode only
    // PLUs are taken, and compared instead of stored. False stops the processing of the packets left.
    virtual bool StoreReceivedRecord(std::uint16_t /*dataKind*/, CLinkScale& /*scale*/,
                                     std::span<const std::uint8_t> /*packet*/)
    {
        return false;
    }
    // Received records are stored in their tables (1), or PLUs compared with the database (0): set by
    // the receive and compare commands before they ask the scales.
    virtual void SetReceivedRecordMode(int /*mode*/) {}
    virtual int GetReceivedRecordMode() const { return 1; }
    // The windows that show the database are drawn again (after records were received).
    virtual void UpdateAllViews() {}
    // Sends the scale what its last comparison found missing or different and deletes what only it
    // holds: 0 when that went well, 1 when there was nothing to do, else the send's message number.
    virtual MessageId SynchronizeScale(bool /*showErrors*/, std::uint16_t /*linkNo*/, CLinkScale& /*scale*/) { return 1; }
    // The same for every enabled scale of `department` (all scales when null) that has compare results.
    virtual void SynchronizeAllScales(bool /*showErrors*/, const CMasterScale* /*department*/) {}
    // The number chosen in the message list of a message kind (1 coupon, 2 to 4 extra messages 1 to 3,
    // 5 to 9 free messages 1 to 5, 10 ingredients, 11 comment, 12 and 13 the storage texts), the
    // current one preselected; none when the user cancelled or the document offers no list.
    virtual std::optional<std::uint32_t> SelectMessageNo(std::uint32_t /*kind*/, std::uint32_t /*current*/)
    {
        return std::nullopt;
    }

    // The Lumen link's record exchange, called on the user-interface thread at the link's request.
    // The next record to send goes into `buffer`, its command index into `kind` (kLumenEnd when
    // nothing is left); a received record is stored by its command index (0 to 11). Both give true.
    static constexpr std::uint32_t kLumenEnd = 12;
    virtual bool GetNextLumenRecord(std::uint32_t& kind, std::span<std::uint8_t> /*buffer*/, std::uint32_t& length)
    {
        kind = kLumenEnd;
        length = 0;
        return true;
    }
    virtual bool StoreLumenRecord(std::uint32_t /*kind*/, std::span<const std::uint8_t> /*record*/) { return true; }

    // The next record of a queued job whose records other parts of the system build: the scale's date
    // and time (job kind 5, one record), operator records and their deletes (6, 7), keyboard keys and
    // keyboard headers (9, 10). It walks
    // from `cursor` (moved past what it looked at) up to `last`; `key` is the key of the record made.
    // A refused record the output has no listener for is reported to `log`. False when none is left.
    virtual bool NextJobRecord(std::uint32_t /*kind*/, const CLinkScaleSettings& /*scale*/, IEventLog& /*log*/,
                               KeyCursor& /*cursor*/, std::uint32_t /*last*/, ScaleRecordOut& /*out*/,
                               KeyCursor& /*key*/)
    {
        return false;
    }
};

}  // namespace varnel
