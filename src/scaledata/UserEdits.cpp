#include "scaledata/UserEdits.h"

#include "platform/UserPrompt.h"

namespace varnel {

void LogUserEdit(CDBComTb& table, std::uint32_t key, bool created)
{
    if (created)
        table.LogRecordAdded(key, kMsgUserEdit, {}, false);
    else
        table.LogRecordUpdated(key, kMsgUserEdit, {}, false);
}

void QueueAndLogUserEdit(CDBComTb& table, std::uint32_t key, bool created)
{
    (void)table.QueueKeySend(key, false);
    LogUserEdit(table, key, created);
}

bool DeleteUserEdit(CDBComTb& table, std::uint32_t key, MessageId deleteFailed)
{
    if (!table.QueueKeyDelete(key, false)) {
        ShowMessage(kMsgNotDeleted);
        return false;
    }
    if (!table.DeleteKey(key)) {
        if (deleteFailed != 0) ShowMessage(deleteFailed);
        return false;
    }
    table.LogRecordDeleted(key, kMsgUserEdit, false);
    return true;
}

}  // namespace varnel
