// The message table: one line per message number, kept in ascending order.
#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varnel {
namespace {

constexpr std::pair<MessageId, std::string_view> kMessages[] = {
    {20401, "Setup"},
    {20402, "PLU"},
    {61368, "Cannot open database\nUnsupported file version"},
    {61401, "The database file is read-only! You must save to a different file name before Varnel can open the "
            "database."},
    {61460, "Error opening database file. The file may already be open in another  copy of VRN on this computer. "
            "Please close all copies of VRN and try again."},
};

static_assert(std::ranges::is_sorted(kMessages, {}, &std::pair<MessageId, std::string_view>::first),
              "keep the message table in ascending order");

}  // namespace

std::string_view GetMessageText(MessageId id)
{
    const auto it = std::ranges::lower_bound(kMessages, id, {}, &std::pair<MessageId, std::string_view>::first);
    return it != std::end(kMessages) && it->first == id ? it->second : std::string_view{};
}

}  // namespace varnel
