// Flag and data-type texts.
#include "db/text/DisplayText.h"

#include "platform/Messages.h"

namespace varnel {
namespace {

constexpr MessageId kDataTypeCaptionBase = 20400;

}  // namespace

std::string_view GetEnabledText(bool enabled) { return enabled ? "Enabled" : "Disabled"; }

std::string_view GetYesNoText(bool yes) { return yes ? "Yes" : "No"; }

std::string GetDataTypeName(std::uint16_t type, const TableNameLookup& tableName)
{
    const std::string_view caption = GetMessageText(kDataTypeCaptionBase + type);
    if (!caption.empty()) return std::string(caption);
    return tableName ? tableName(type) : std::string{};
}

}  // namespace varnel
