#include "scaledata/UserEdits.h"

#include "platform/UserPrompt.h"

namespace varnel {

void QueueAndLogUserEdit(CDBComTb& table, std::uint32_t key, bool created)
{
    (void)table.QueueKeySend(key, false);
    if (created)
        table.LogRecordAdded(key, kMsgUserEdit, {}, false);
    else
        table.LogRecordUpdated(key, kMsgUserEdit, {}, false);
}

bool DeleteUserEdit(CDBComTb& table, std::uint32_t key)
{
    if (!table.QueueKeyDelete(key, false)) {
        ShowMessage(kMsgNotDeleted);
        return false;
    }
    if (!table.DeleteKey(key)) return false;
    table.LogRecordDeleted(key, kMsgUserEdit, false);
    return true;
}

}  // namespace varnel
