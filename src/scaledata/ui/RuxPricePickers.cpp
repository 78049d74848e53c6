// The price master's pickers.
#include "scaledata/ui/RuxPricePickers.h"

#include "pluedit/SelectionListForm.h"
#include "scaledata/ui/StoreWindows.h"

namespace varnel {
namespace {

constexpr std::uint16_t kPopMessageTable = 37;
constexpr std::uint16_t kExtraMessageTable = 4;

}  // namespace

std::optional<std::uint32_t> RuxPricePickers::PickPopMessage(std::uint32_t current)
{
    return PickScaleDataNumber(ScaleDataList::PopMessages, kPopMessageTable, current, m_site);
}

std::optional<std::uint32_t> RuxPricePickers::PickExtraMessage(std::uint32_t current)
{
    return PickScaleDataNumber(ScaleDataList::Messages, kExtraMessageTable, current, m_site);
}

std::optional<std::uint32_t> RuxPricePickers::PickTray(std::uint32_t current)
{
    return RunTrayList({m_site.database, m_site.codePage, m_site.parent}, SelectionListForm::kPick, current);
}

}  // namespace varnel
