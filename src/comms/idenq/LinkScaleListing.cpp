// The scale's lines of the setup listing.
#include "comms/idenq/LinkScale.h"

#include "comms/idenq/ScaleFamily.h"
#include "db/site/GeneralSetup.h"
#include "db/text/DisplayText.h"
#include "platform/TextFormat.h"

#include <array>
#include <string_view>

namespace varnel {
namespace {

// The listing's own names of families 0 to 11; family 2's comma is part of its listed name.
constexpr std::array<std::string_view, 12> kListingNames = {
    "TR-5300", "HBKU (TR-5300)", "TR-5200,", "HBKU (TR-5200)", "ZNQ", "GK-6300", "LumenXT",
    "Lumen", "TR-5400XT", "IP-RUX", "TR-5400", "VM-8100b/QF"};

// Families the listing has no name of its own for are named from the family names (family 12
// "KB-7100"); none for a number above 12.
std::string_view ListingName(std::uint16_t family)
{
    return family < kListingNames.size() ? kListingNames[family] : GetScaleFamilyName(family);
}

}  // namespace

void CLinkScale::WriteSetupDump(std::string& out, const CGeneralSetup& setup, bool indent) const
{
    const char* prefix = indent ? "  " : "";
    const auto yesNo = [](std::uint16_t flag) { return std::string(GetYesNoText(flag != 0)); };
    const std::uint16_t family = GetScaleType(setup.m_defaultScaleFamily);
    if (const std::string_view name = ListingName(family); !name.empty())
        out += FormatText("%s  System type                         : %s\r\n", prefix, std::string(name).c_str());
    out += FormatText("%s  ID-ENQ machine ID                   : %hd\r\n", prefix, static_cast<short>(m_machineNo));
    out += FormatText("%s  Price zone                          : %hd\r\n", prefix, static_cast<short>(m_priceZone));
    if (family == 0)
        out += FormatText("%s  Max. desc. text length              : %d\r\n", prefix, static_cast<int>(m_maxDescLength));
    out += FormatText("%s  Add 1 day to shelf life?            : %s\r\n", prefix, yesNo(m_addOneDay).c_str());
    out += FormatText(m_tareFormat == 1 ? "%s  Tare format                         : Divide by 10\r\n"
                                        : "%s  Tare format                         : Standard\r\n",
                      prefix);
    out += FormatText("%s  Support msg #28 (LumenXT/TR-5400)?   : %s\r\n", prefix, yesNo(m_message28).c_str());
    out += FormatText("%s  Support 2-color printer (RUX/TR-5400)?: %s\r\n", prefix, yesNo(m_twoColour).c_str());
    out += FormatText("%s  Store ID (RUX/Taiwan): %d\r\n", prefix, static_cast<int>(m_storeNumber));
    if (m_filters.empty()) return;
    out += FormatText("%s  Filtering:\r\n", prefix);
    for (const auto& filter : m_filters)
        if (filter) filter->WriteSetup(out);
}

}  // namespace varnel
