// The event-log line of a price change applied to a PLU.
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>

namespace varnel {

class CPluDefRec;
struct CharRule;
struct TableRoles;

constexpr MessageId kMsgMarkdownPriceChange = 20523;
constexpr MessageId kMsgPriceChange = 20524;

// 20524 "Price change for PLU %ld Price=%ld -> %ld (Zone=%hd) (Desc. = %s)" with the row's unit price,
// or 20523 with the markdown mode and the row's markdown price; the description shows at most its
// first 29 bytes (whole characters). Written as kind 4 (import) with `import`, else kind 5 (price
// change), to the event log of the roles, under their character rule; any other message writes nothing.
void LogPriceChange(const TableRoles& roles, MessageId id, const CPluDefRec& row, std::int32_t newPrice,
                    std::uint32_t markdownMode, std::uint16_t zone, bool import);
// The description as a price-change line shows it: its first 29 bytes (whole characters).
std::string PriceChangeLogDesc(const CPluDefRec& row, const CharRule& chars);

}  // namespace varnel
