#include "db/plu/PluMessageLinks.h"

#include "db/site/GeneralSetup.h"
#include "db/plu/PluDefRec.h"

#include <string_view>

namespace varnel {
namespace {

constexpr std::string_view kSlotColumns[] = {"Coupon", "Message7", "ExMessage2", "ExMessage3"};
constexpr std::uint8_t kFirstRedirection = 5;
constexpr std::string_view kRedirectedColumns[] = {"FreeMsg1", "FreeMsg2",    "FreeMsg3",   "FreeMsg4", "FreeMsg5",
                                                   "Ingredients", "Comment", "StorageTemp", "StorageInstruct"};

const ColumnDef& Column(std::string_view name) { return FindColumn(kPluColumns, name); }

bool IsSlot(int slot) { return slot >= 1 && slot <= 4; }

std::uint8_t SettingOf(const CGeneralSetup& setup, int slot)
{
    return setup.m_messageFileMapping[static_cast<std::size_t>(slot - 1)];
}

// The column a redirection names; null for a setting that names none.
const ColumnDef* Redirected(std::uint8_t setting)
{
    if (setting < kFirstRedirection || setting - kFirstRedirection >= static_cast<int>(std::size(kRedirectedColumns)))
        return nullptr;
    return &Column(kRedirectedColumns[setting - kFirstRedirection]);
}

}  // namespace

std::uint32_t GetMessageLink(const CGeneralSetup& setup, const CPluDefRec& row, int slot)
{
    if (!IsSlot(slot)) return 0;
    const ColumnDef* redirected = Redirected(SettingOf(setup, slot));
    std::int32_t value = 0;
    (void)ReadNumber(row.Bytes(), redirected ? *redirected : Column(kSlotColumns[slot - 1]), value);
    return static_cast<std::uint32_t>(value);
}

void SetMessageLink(const CGeneralSetup& setup, CPluDefRec& row, int slot, std::uint32_t value)
{
    if (!IsSlot(slot)) return;
    const std::uint8_t setting = SettingOf(setup, slot);
    if (setting == 0) {
        (void)WriteNumber(row.Bytes(), Column(kSlotColumns[slot - 1]), static_cast<std::int32_t>(value));
        return;
    }
    const ColumnDef* redirected = Redirected(setting);
    if (!redirected || (value > 0xFFFF && redirected->name != "Ingredients")) return;
    (void)WriteNumber(row.Bytes(), *redirected, static_cast<std::int32_t>(value));
}

}  // namespace varnel
