#include "db/plu/PosUpdateRequests.h"

#include "db/plu/PluDefTb.h"

namespace varnel {
namespace {

// The change kind of a request's PLUs; '\0' for a request that changes none.
char ChangeKind(const CSendDataLog& request)
{
    if (request.m_tableId != CPluDefTb::kTableNo) return '\0';
    switch (request.m_kind) {
    case SendRecords: return 'C';
    case SendKeyDeletes:
    case SendExistingDeletes: return 'D';
    default: return '\0';
    }
}

}  // namespace

void QueuePosUpdatesForSend(CPluDefTb& plus, const SendRequests& requests)
{
    if (plus.GetRoles().Setup().m_posUpdateFileOutput == 0) return;
    bool queued = false;
    for (const CSendDataLog& request : requests) {
        const char kind = ChangeKind(request);
        if (kind == '\0') continue;
        KeyCursor cursor = request.m_rangeStart;
        while (const CDBRecord* record = plus.PeekNextRecord(cursor)) {
            if (record->GetKey() > request.m_rangeEnd) break;
            plus.GetPosUpdateFile().AddPending(record->GetKey(), kind);
            queued = true;
        }
    }
    if (queued) plus.WritePosUpdateLine(nullptr, '\0', false);
}

}  // namespace varnel
