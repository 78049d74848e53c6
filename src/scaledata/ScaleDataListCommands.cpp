// The scale-data list commands and the message picker's lists.
#include "scaledata/ScaleDataListCommands.h"

#include "scaledata/MessageRules.h"

#include <algorithm>

namespace varnel {

const ScaleDataListCommand* FindScaleDataListCommand(std::uint32_t command)
{
    const auto found = std::ranges::find(kScaleDataListCommands, command, &ScaleDataListCommand::command);
    return found == std::end(kScaleDataListCommands) ? nullptr : &*found;
}

std::optional<MessagePickerList> FindMessagePickerList(const CGeneralSetup& setup, std::uint32_t messageType)
{
    std::uint32_t kind = messageType;
    if (kind >= MsgCoupon && kind <= MsgExtra3 && setup.m_messageFileMapping[kind - 1] != 0)
        kind = setup.m_messageFileMapping[kind - 1];
    const std::uint16_t table = MsgKindToTableId(kind);
    if (table == 0) return std::nullopt;
    const bool storage = kind == MsgStorageTemp || kind == MsgStorageInstruct;
    return MessagePickerList{storage ? ScaleDataList::StorageMessages : ScaleDataList::Messages, table};
}

}  // namespace varnel
