#include "db/plu/DBComTb.h"

#include "db/plu/Document.h"
#include "db/records/ScaleRecordOut.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {

// Event-log kinds of the record lines.
constexpr std::uint16_t kEventAdded = 0;
constexpr std::uint16_t kEventUpdated = 1;
constexpr std::uint16_t kEventDeleted = 2;
constexpr std::uint16_t kEventGeneral = 3;
constexpr std::uint16_t kEventImport = 4;
constexpr MessageId kMsgRecordRefused = 90301;
constexpr MessageId kMsgRecordsBeyondFamily = 90304;

}  // namespace

CDBComTb::CDBComTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const TableRoles& roles)
    : CObjDBTable(tableNo, database, std::move(name)), m_roles(roles)
{
}

bool CDBComTb::IsKeyAllowed(std::uint32_t key) const { return key >= GetMinKey() && key <= GetMaxKey(); }

bool CDBComTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings&, const CDBRecord&, ScaleRecordOut&)
{
    return false;
}

bool CDBComTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings&, std::uint32_t, ScaleRecordOut&)
{
    return false;
}

std::uint32_t CDBComTb::GetHighestKeyFor(const CLinkScaleSettings&, const ScaleRecordOut&) const { return GetMaxKey(); }

bool CDBComTb::EncodeNextInRange(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t high,
                                 ScaleRecordOut& out, KeyCursor& key)
{
    const auto lock = LockRecordBuild(out.scratch);
    if (cursor > high || cursor > GetMaxKey()) {
        key = KeyCursor{high} + 1;
        return false;
    }
    const std::uint32_t highest = GetHighestKeyFor(scale, out);
    while (const CDBRecord* record = PeekNextRecord(cursor)) {
        key = record->GetKey();
        if (key > high) return false;
        if (key > highest) {
            ReportBeyondFamily(scale, static_cast<std::uint32_t>(key), high, highest, out);
            cursor = KeyCursor{high} + 1;
            key = cursor;
            return false;
        }
        if (EncodeRecord(lock, scale, *record, out)) return true;
        ReportRefusal(scale, record->GetKey(), out);
    }
    return false;
}

void CDBComTb::ReportBeyondFamily(const CLinkScaleSettings& scale, std::uint32_t from, std::uint32_t high,
                                  std::uint32_t highest, ScaleRecordOut& out) const
{
    bool found = false;
    const std::size_t first = GetIndex().FindPosition(from, found);
    const std::size_t last = GetIndex().FindPosition(high, found) + (found ? 1 : 0);
    const auto count = static_cast<std::uint32_t>(last - first);
    if (out.refusals)
        out.refusals->RecordsBeyondFamily(count, highest);
    else
        LogRecordsBeyondFamily(m_roles.log, scale.m_name, count, highest);
}

void CDBComTb::ReportRefusal(const CLinkScaleSettings& scale, std::uint32_t key, ScaleRecordOut& out) const
{
    varnel::ReportRefusal(m_roles.log, scale, key, out);
}

void LogRefusedRecord(IEventLog& eventLog, std::string_view scaleName, std::uint32_t key, std::string_view field)
{
    const std::string name(scaleName);
    const std::string fieldName(field);
    eventLog.WriteEvent(kEventGeneral,
                        FormatMessage(kMsgRecordRefused, name.c_str(), static_cast<unsigned>(key), fieldName.c_str()));
}

void LogRecordsBeyondFamily(IEventLog& eventLog, std::string_view scaleName, std::uint32_t count,
                            std::uint32_t highest)
{
    const std::string name(scaleName);
    eventLog.WriteEvent(kEventGeneral, FormatMessage(kMsgRecordsBeyondFamily, name.c_str(),
                                                     static_cast<unsigned>(count), static_cast<unsigned>(highest)));
}

bool CDBComTb::EncodeKeyInRange(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t high,
                                ScaleRecordOut& out, KeyCursor& key, bool existingOnly)
{
    const auto lock = LockRecordBuild(out.scratch);
    for (;;) {
        if (cursor > high || cursor > GetMaxKey()) {
            key = KeyCursor{high} + 1;
            return false;
        }
        if (existingOnly) {
            const CDBRecord* record = PeekNextRecord(cursor);
            if (!record) return false;
            key = record->GetKey();
            if (key > high) return false;
        } else {
            key = cursor++;
        }
        if (EncodeKeyRecord(lock, scale, static_cast<std::uint32_t>(key), out)) return true;
        // A key the family does not take at all ends the walk; one refused for a value that does not
        // fit is reported and passed over, as the record walk does.
        if (out.refusedField.empty()) return false;
        ReportRefusal(scale, static_cast<std::uint32_t>(key), out);
    }
}

bool CDBComTb::QueueKeyDelete(std::uint32_t key, bool showResult)
{
    if (key == 0 || key > GetMaxKey() || !GetRecord(key)) return false;
    return QueueRequest(SendKeyDeletes, key, key, showResult);
}

bool CDBComTb::QueueKeySend(std::uint32_t key, bool showResult)
{
    if (key == 0 || key > GetMaxKey() || !GetRecord(key)) return false;
    return QueueSendRequest(key, key, showResult);
}

bool CDBComTb::QueueRangeSend(std::uint32_t from, std::uint32_t to, bool showResult)
{
    if (from == 0 || from > GetMaxKey()) return false;
    return QueueSendRequest(from, to, showResult);
}

bool CDBComTb::QueueSendRequest(std::uint32_t from, std::uint32_t to, bool showResult)
{
    return QueueRequest(SendRecords, from, to, showResult);
}

bool CDBComTb::QueueRequest(std::uint32_t kind, std::uint32_t from, std::uint32_t to, bool showResult)
{
    IDocument* document = m_roles.sends.GetDocument();
    if (!document) return false;
    const SendRequests requests{CSendDataLog(kind, GetTableNo(), from, to)};
    return document->SendData(IDocument::kDataType, showResult, requests, nullptr);
}

bool CDBComTb::DecodeRecordType9(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }
bool CDBComTb::DecodeRecordType10to12(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }
bool CDBComTb::DecodeRecordType6or8(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }
bool CDBComTb::DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }
bool CDBComTb::DecodeRecordOther(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }
bool CDBComTb::DecodeLumenRecord(std::uint16_t, std::span<const std::uint8_t>) { return false; }

bool CDBComTb::EncodeLumenRecord(std::uint16_t, std::uint32_t, std::span<std::uint8_t>, std::uint16_t&)
{
    return false;
}

std::size_t CDBComTb::EncodeItemRecord(const CDBRecord&, std::span<std::uint8_t>) { return 0; }

bool CDBComTb::ReceiveScaleRecord(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    switch (GetRoles().FamilyOf(scale)) {
    case 9: return DecodeRecordType9(scale, data);
    case 10:
    case 11:
    case 12: return DecodeRecordType10to12(scale, data);
    case 6:
    case 8: return DecodeRecordType6or8(scale, data);
    case 2: return DecodeRecordType2(scale, data);
    default: return DecodeRecordOther(scale, data);
    }
}

std::string CDBComTb::GetTableCaption(std::uint16_t tableNo)
{
    return std::string(GetMessageText(kCaptionBase + tableNo));
}

bool CDBComTb::CheckUserRights(std::uint16_t operation, bool showMessage) const
{
    const bool allowed = m_roles.rules.HasTableAccess(GetTableNo(), static_cast<std::uint8_t>(operation));
    if (!allowed && showMessage) ShowMessage(kMsgNotAllowed);
    return allowed;
}

void CDBComTb::LogRecordAdded(std::uint32_t key, MessageId prefix, std::string_view extra, bool import)
{
    LogRecordChange(kMsgLogAdded, kEventAdded, key, prefix, extra, import);
}

void CDBComTb::LogRecordUpdated(std::uint32_t key, MessageId prefix, std::string_view extra, bool import)
{
    LogRecordChange(kMsgLogUpdated, kEventUpdated, key, prefix, extra, import);
}

void CDBComTb::LogRecordDeleted(std::uint32_t key, MessageId prefix, bool import)
{
    LogRecordChange(kMsgLogDeleted, kEventDeleted, key, prefix, {}, import);
}

void CDBComTb::LogRecordChange(MessageId format, std::uint16_t kind, std::uint32_t key, MessageId prefix,
                               std::string_view extra, bool import)
{
    std::string line(prefix != 0 ? GetMessageText(prefix) : std::string_view{});
    line += FormatMessage(format, GetTableCaption().c_str(), static_cast<unsigned>(key));
    if (!extra.empty()) line.append(" : ").append(extra);
    m_roles.log.WriteEvent(import ? kEventImport : kind, line);
}

std::optional<std::string_view> CDBComTb::GetDescText(const CDBRecord&) const { return std::nullopt; }

std::size_t CDBComTb::GetDescLine(const CDBRecord& record, std::size_t position, std::size_t maxLength,
                                  DescLine& line, const CharRule& chars) const
{
    const std::optional<std::string_view> text = GetDescText(record);
    if (!text) {
        line = DescLine{};
        return 0;
    }
    return varnel::GetDescLine(*text, position, maxLength, line, chars);
}

std::size_t CDBComTb::CountDescLines(const CDBRecord& record) const
{
    const std::optional<std::string_view> text = GetDescText(record);
    return text ? varnel::CountDescLines(*text) : 0;
}

void CDBComTb::FollowDaoRows(std::span<const std::uint32_t> keys)
{
    const auto lock = LockRecordBuild();
    CObjDBTable::FollowDaoRows(keys);
}

}  // namespace varnel
