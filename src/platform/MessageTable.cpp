// The one lookup of a message number, over the tables of every subsystem.
#include "platform/MessageTable.h"

namespace varnel {

std::string_view GetMessageText(MessageId id)
{
    for (const MessageTable& table : MessageTables()) {
        const auto it = std::ranges::lower_bound(table.texts, id, {}, &MessageText::id);
        if (it != table.texts.end() && it->id == id) return it->text;
    }
    return {};
}

}  // namespace varnel
