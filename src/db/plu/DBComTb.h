// CDBComTb: the base of every table whose records go to the scales. It gives each such table the
// walks that encode a key range for a send, the send and delete requests, the choice of decoder by a
// sending scale's family, its caption, its event-log lines, the user-rights check and the lines of a
// record's description. Each derived table supplies its key limits and its encoders and decoders. The
// table keeps the roles the database made it with (TableRoles.h): its event-log lines, its sends and
// its rights check go to those, never to whichever frame is installed.
//
// Link worker threads and the user-interface thread share a table's rows and record builders, which
// work in scratch state. One rule, the table's build lock (BuildLock.h): every encoder is handed it,
// held; the walks take it for each step; whoever calls an encoder outside them, and whoever changes
// the table's rows or its index while links may walk it, takes it first (LockRecordBuild; each add,
// update, delete or key change of the table holds it by itself, as a RowChange does). A walk
// handed a scratch of its own (ScaleRecordOut::scratch, as each link's is) holds it shared, so the
// links encode at once; everyone else holds it alone.
#pragma once

#include "db/plu/BuildLock.h"
#include "db/text/DescText.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TableRoles.h"
#include "db/store/ObjDBTable.h"
#include "platform/Messages.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

struct SiteSettings;

// Told of each record that an encoder refused because a value does not fit its fixed-width field; the
// link counts the record as not sent and writes it to its comms log.
class IRecordRefusals {
public:
    virtual void RecordRefused(std::uint32_t key, std::string_view field) = 0;
    // The range held `count` records above `highest`, the highest key the scale's family takes; the
    // walk stopped there and sent none of them.
    virtual void RecordsBeyondFamily(std::uint32_t count, std::uint32_t highest) = 0;

protected:
    ~IRecordRefusals() = default;
};

// Where an encoder writes one scale record: the buffer's size in, the record's length and its record
// code (file or command code) out.
struct ScaleRecordOut {
    std::span<std::uint8_t> buffer;
    std::uint16_t length = 0;
    std::uint16_t code = 0;
    // Set by an encoder that refused the record: the field whose value did not fit.
    std::string_view refusedField{};
    // Where the range walks report refused records; without one they go to the event log.
    IRecordRefusals* refusals = nullptr;
    // The builder's own scratch: with it the walks hold the table's build lock shared, beside other
    // builders; without it, alone.
    BuildScratch* scratch = nullptr;
    // The settings the record is built under (a link's, those it pinned for its pass): the PLU records
    // follow their market and text rules. Whoever hands a PLU encoder an output sets them.
    const SiteSettings* settings = nullptr;
};

// Writes the event-log line of a record refused for a value that does not fit its field.
void LogRefusedRecord(IEventLog& eventLog, std::string_view scaleName, std::uint32_t key, std::string_view field);
// Writes the one event-log line of a send's records above the highest key the scale's family takes.
void LogRecordsBeyondFamily(IEventLog& eventLog, std::string_view scaleName, std::uint32_t count,
                            std::uint32_t highest);

class CDBComTb : public CObjDBTable {
public:
    // Message numbers.
    static constexpr MessageId kCaptionBase = 20400;  // + table number
    static constexpr MessageId kMsgNotAllowed = 61328;
    static constexpr MessageId kMsgLogUpdated = 20502;
    static constexpr MessageId kMsgLogAdded = 20503;
    static constexpr MessageId kMsgLogDeleted = 20504;

    // Rights masks of CheckUserRights.
    static constexpr std::uint16_t kRightView = 1;
    static constexpr std::uint16_t kRightUpdate = 2;
    static constexpr std::uint16_t kRightDelete = 4;

    CDBComTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const TableRoles& roles);

    // The site's rules, the send queue and the event log the table, its records and the editors of
    // its rows follow.
    const TableRoles& GetRoles() const { return m_roles; }

    // Keys from GetMinKey to GetMaxKey.
    bool IsKeyAllowed(std::uint32_t key) const override;
    bool IsScaleDataTable() const override { return true; }

    virtual std::uint32_t GetMinKey() const = 0;
    virtual std::uint32_t GetMaxKey() const = 0;

    // The scale record of one row for the scale's family; false for a row the family does not take.
    // A table that sends nothing to scales keeps these defaults.
    virtual bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                              ScaleRecordOut& out);
    // The record that names a key only, which deletes it at the scale.
    virtual bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                                 ScaleRecordOut& out);

    // The highest key whose record the scale's family can carry under the output's settings; the
    // table's limit by default.
    virtual std::uint32_t GetHighestKeyFor(const CLinkScaleSettings& scale, const ScaleRecordOut& out) const;
    // The next row of the range that the family takes: from the cursor (moved past each row looked at)
    // up to `high`. False when the range is done; `key` then tells the key reached, high + 1 when the
    // cursor had passed the range or the table's limit. The walk stops at the family's highest key:
    // the rows of the range above it are counted and reported once (RecordsBeyondFamily).
    virtual bool EncodeNextInRange(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t high,
                                   ScaleRecordOut& out, KeyCursor& key);
    // The key record of the cursor's key (moving it by one), or with `existingOnly` of the next key the
    // table holds; a key whose record is refused for a value that does not fit is reported
    // (ReportRefusal) and passed over. False when the range is done or the family takes no key record.
    virtual bool EncodeKeyInRange(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t high,
                                  ScaleRecordOut& out, KeyCursor& key, bool existingOnly);

    // Send and delete requests for all scales; each queues nothing and is false for key 0, a key above
    // the table's limit or (for single keys) a key the table does not hold.
    virtual bool QueueKeyDelete(std::uint32_t key, bool showResult);
    virtual bool QueueKeySend(std::uint32_t key, bool showResult);
    virtual bool QueueRangeSend(std::uint32_t from, std::uint32_t to, bool showResult);

    // Decoders of a record received from a scale, by family group; false by default.
    virtual bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    virtual bool DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    virtual bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    virtual bool DecodeRecordType2(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    virtual bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    // The Lumen link's records; false by default.
    virtual bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data);
    virtual bool EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                   std::uint16_t& length);
    // The row in the binary item form of the file link and Data Save files; its length, 0 for none.
    virtual std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer);
    // Stores a record of that form (without its length word); false refuses it. A table that has no
    // such form keeps the defaults: its records are neither written nor read.
    virtual bool DecodeItemRecord(std::span<const std::uint8_t> /*record*/) { return false; }
    virtual bool HasItemRecords() const { return false; }

    // Event-log lines: the prefix text (message `prefix`, none for 0), then " : Added <caption> No.
    // <key>" (updated, deleted), then " : " and the extra text when there is one; kind 0, 1 or 2, or 4
    // (import) with `import`.
    virtual void LogRecordAdded(std::uint32_t key, MessageId prefix, std::string_view extra, bool import);
    virtual void LogRecordUpdated(std::uint32_t key, MessageId prefix, std::string_view extra, bool import);
    virtual void LogRecordDeleted(std::uint32_t key, MessageId prefix, bool import);

    // The record's escape-coded description; none for a table whose records have none.
    virtual std::optional<std::string_view> GetDescText(const CDBRecord& record) const;
    // The line at `position` of the record's description (DescText.h); 0 and an empty line for none.
    virtual std::size_t GetDescLine(const CDBRecord& record, std::size_t position, std::size_t maxLength,
                                    DescLine& line, const CharRule& chars) const;
    virtual std::size_t CountDescLines(const CDBRecord& record) const;

    // Message 20400 + the table number.
    std::string GetTableCaption() const { return GetTableCaption(GetTableNo()); }
    static std::string GetTableCaption(std::uint16_t tableNo);
    // The logged-in user's right on this table (kRight masks); a refusal shows 61328 when asked to.
    bool CheckUserRights(std::uint16_t operation, bool showMessage) const;
    // Passes a received record to the decoder of the sending scale's family.
    bool ReceiveScaleRecord(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data);
    // One request of kind 0 (send the records of the range) for all scales.
    bool QueueSendRequest(std::uint32_t from, std::uint32_t to, bool showResult);

    // After an encoder gave false: a refusal it named goes to the output's listener (or the table's
    // event log) and is cleared, so that the walk can go on with the next key.
    void ReportRefusal(const CLinkScaleSettings& scale, std::uint32_t key, ScaleRecordOut& out) const;

    void FollowDaoRows(std::span<const std::uint32_t> keys) override;

    // The build lock held alone, or with the builder's own scratch shared.
    [[nodiscard]] BuildLock LockRecordBuild(BuildScratch* own = nullptr) const
    {
        return own != nullptr ? m_buildLock.LockShared(*own) : m_buildLock.LockAlone();
    }
    bool HoldsBuildLock(const BuildLock& lock) const { return lock.Holds(m_buildLock); }

private:
    // The records of from..high, above the family's highest key, reported once.
    void ReportBeyondFamily(const CLinkScaleSettings& scale, std::uint32_t from, std::uint32_t high,
                            std::uint32_t highest, ScaleRecordOut& out) const;

    // Each change of the rows or the index holds the build lock alone.
    void BeginRowChange() override { m_rowChangeHolds.Push(LockRecordBuild()); }
    void EndRowChange() override { m_rowChangeHolds.Pop(); }

    bool QueueRequest(std::uint32_t kind, std::uint32_t from, std::uint32_t to, bool showResult);
    void LogRecordChange(MessageId format, std::uint16_t kind, std::uint32_t key, MessageId prefix,
                         std::string_view extra, bool import);

    TableRoles m_roles;
    mutable RecordBuildMutex m_buildLock;
    BuildLockHolds m_rowChangeHolds;
};

}  // namespace varnel
