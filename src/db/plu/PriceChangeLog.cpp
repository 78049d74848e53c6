#include "db/plu/PriceChangeLog.h"

#include "db/text/DbcsString.h"
#include "db/site/TableRoles.h"
#include "db/plu/PluDefRec.h"
#include "platform/TextFormat.h"

#include <string>

namespace varnel {
namespace {

constexpr std::size_t kLoggedDescBytes = 29;
constexpr std::uint16_t kEventImport = 4;
constexpr std::uint16_t kEventPriceChange = 5;

}  // namespace

std::string PriceChangeLogDesc(const CPluDefRec& row, const CharRule& chars)
{
    // A copy is cut for the line: the row keeps its whole description.
    return std::string(DbcsLeft(row.GetDesc(), kLoggedDescBytes, chars));
}

void LogPriceChange(const TableRoles& roles, MessageId id, const CPluDefRec& row, std::int32_t newPrice,
                    std::uint32_t markdownMode, std::uint16_t zone, bool import)
{
    const std::string desc = PriceChangeLogDesc(row, roles.Text().chars);
    const long plu = static_cast<long>(row.GetKey());
    std::string line;
    if (id == kMsgPriceChange)
        line = FormatMessage(id, plu, long{row.Get(PluCol::UnitPrice)}, long{newPrice}, static_cast<short>(zone),
                             desc.c_str());
    else if (id == kMsgMarkdownPriceChange)
        line = FormatMessage(id, plu, static_cast<int>(markdownMode), long{row.Get(PluCol::MarkPrice)}, long{newPrice},
                             static_cast<short>(zone), desc.c_str());
    else
        return;
    roles.log.WriteEvent(import ? kEventImport : kEventPriceChange, line);
}

}  // namespace varnel
