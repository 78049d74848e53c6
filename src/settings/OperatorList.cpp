#include "settings/OperatorList.h"

#include "db/plu/Document.h"
#include "db/plu/SendDataLog.h"
#include "db/records/ScaleRecordOut.h"
#include "platform/ArchiveCollections.h"
#include "platform/TextFormat.h"
#include "settings/OperatorRecord.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgOperator = 1605;  // "Operator"
constexpr KeyCursor kHighestId = 0xFFFF;
constexpr KeyCursor kPastEveryId = kLastKeyCursor + 1;

bool QueueJob(const ISendQueue& sends, std::uint32_t kind, std::uint16_t from, std::uint16_t to, bool showResult)
{
    IDocument* document = sends.GetDocument();
    if (!document) return false;
    const SendRequests requests{CSendDataLog(kind, 0, from, to)};
    return document->SendData(IDocument::kDataType, showResult, requests, nullptr);
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(COperatorList, 1)

void COperatorList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeMapWordToOb(ar, m_operators);
        return;
    }
    Operators loaded;
    SerializeMapWordToOb(ar, loaded);
    if (!ar.Ok()) return;  // a damaged setup leaves the list as it was
    m_operators.clear();
    for (auto& [key, op] : loaded)
        if (op) SetOperator(std::move(op));
}

const COperator* COperatorList::Find(std::uint16_t id) const
{
    const auto found = m_operators.find(id);
    return found != m_operators.end() ? found->second.get() : nullptr;
}

void COperatorList::SetOperator(std::unique_ptr<COperator> op)
{
    const std::uint16_t id = op->m_id;
    m_operators[id] = std::move(op);
}

std::string COperatorList::GetName(std::uint16_t id) const
{
    if (const COperator* op = Find(id)) return op->m_name;
    return std::string(GetMessageText(kMsgOperator)) + FormatText(" %02.2d", int{id});
}

void COperatorList::Print(std::string& out) const
{
    if (m_operators.empty()) return;
    out += "Operator Names:\r\n";
    for (const auto& [id, op] : m_operators)
        out += FormatText("  Id: %02.2d  Name: %s\r\n", int{id}, op->m_name.c_str());
    out += "\r\n\r\n";
}

bool COperatorList::GetNextSendRecord(const CLinkScaleSettings& scale, const TextRules& rules, IEventLog& log,
                                      KeyCursor& cursor, std::uint32_t highest, ScaleRecordOut& out,
                                      KeyCursor& key) const
{
    if (cursor > highest || cursor > kHighestId || !TakesOperatorRecords(scale.GetScaleType(rules.defaultScaleFamily)))
        return false;
    auto found = m_operators.lower_bound(static_cast<std::uint16_t>(std::max<KeyCursor>(cursor, 0)));
    for (; found != m_operators.end() && found->first <= highest; ++found) {
        if (EncodeOperatorRecord(scale, rules, *found->second, out)) {
            key = found->first;
            const auto next = std::next(found);
            cursor = next != m_operators.end() ? KeyCursor{next->first} : kPastEveryId;
            return true;
        }
        // A refused operator is reported and passed over.
        ReportRefusal(log, scale, found->first, out);
    }
    return false;
}

bool COperatorList::GetNextDeleteRecord(const CLinkScaleSettings& scale, const TextRules& rules, IEventLog& log,
                                        KeyCursor& cursor, std::uint32_t highest, ScaleRecordOut& out,
                                        KeyCursor& key) const
{
    if (cursor < 0 || cursor > highest || !TakesOperatorRecords(scale.GetScaleType(rules.defaultScaleFamily)))
        return false;
    const auto id = static_cast<std::uint32_t>(cursor);
    if (!EncodeOperatorClearRecord(scale, rules, id, out)) {
        // Only ids above 99 are refused, and every id after one of them would be: the walk ends.
        ReportRefusal(log, scale, id, out);
        return false;
    }
    key = cursor;
    cursor = id == 0 ? KeyCursor{highest} + 1 : cursor + 1;
    return true;
}

bool COperatorList::QueueSend(const ISendQueue& sends, const CGeneralSetup& setup, std::uint16_t from,
                              std::uint16_t to, bool showResult) const
{
    if (setup.m_onlineComms == 0) return true;
    return QueueJob(sends, SendOperators, from, to, showResult);
}

bool COperatorList::QueueDelete(const ISendQueue& sends, std::uint16_t from, std::uint16_t to, bool showResult) const
{
    return QueueJob(sends, SendOperatorDeletes, from, to, showResult);
}

bool COperatorList::ReceiveRecord(const CLinkScaleSettings& scale, const TextRules& rules,
                                  std::span<const std::uint8_t> record)
{
    if (!SendsOperatorRecords(scale.GetScaleType(rules.defaultScaleFamily))) return true;
    std::optional<COperator> op = DecodeOperatorRecord(scale, rules, record);
    if (!op) return false;
    SetOperator(std::make_unique<COperator>(std::move(*op)));
    return true;
}

}  // namespace varnel
