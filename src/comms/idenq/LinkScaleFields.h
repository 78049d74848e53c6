// The fields of a scale that the link and scale setup dialogs show and store, and the choice lists
// they are shown in: the scale type ("Default scale type" and families 0 to 5, or the six network
// models of the block link), the price zone (0 and the site's zones by number), the maximum
// description length (1001, 1501, 2000, 2050) and the tare format.
#pragma once

#include "comms/idenq/LinkScale.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CPriceZoneList;

struct LinkScaleFields {
    bool enabled = true;
    std::string name;
    std::uint16_t scaleNo = 0;
    std::uint16_t family = CLinkScaleSettings::kDefaultFamily;
    std::uint16_t priceZone = 0;
    std::uint16_t machineNo = 1;
    bool addOneDay = false;
    std::uint16_t maxDescLength = 1001;
    std::uint16_t tareFormat = 0;
    bool message28 = false;
    bool twoColour = false;
    std::uint32_t storeNo = 0;
    bool saveOffline = false;  // shown cleared each time, never stored

    static LinkScaleFields Of(const CLinkScale& scale);
    // Everything but the filters.
    void StoreInto(CLinkScale& scale) const;
};

// "Default scale type" and the names of families 0 to 5: index 0 the default (65535), i family i - 1.
std::vector<std::string> ScaleTypeChoices();
std::size_t ScaleTypeIndex(std::uint16_t family);
std::uint16_t FamilyOfScaleTypeIndex(std::size_t index);

// The block link's models, families 6, 8, 9, 10, 11 and 12, each with its default port.
struct NetworkModel {
    const char* name;
    std::uint16_t family;
    std::uint16_t port;
};
constexpr std::array<NetworkModel, 6> kNetworkModels = {{{"LumenXT", 6, 50021},
                                                         {"TR-5400XT", 8, 50031},
                                                         {"RUX/PZ4/TARN4", 9, 5041},
                                                         {"TR-5400", 10, 4031},
                                                         {"VM-8100b/QF", 11, 6051},
                                                         {"KB-7100", 12, 7061}}};
// The model of a family: 6 the first, 8 to 12 the family minus 7; none for any other.
std::optional<std::size_t> NetworkModelIndex(std::uint16_t family);

constexpr std::array<std::uint16_t, 4> kMaxDescLengths = {1001, 1501, 2000, 2050};
std::vector<std::string> MaxDescLengthChoices();
// 1001 0, 1501 1, 2000 2, any other 3.
std::size_t MaxDescLengthIndex(std::uint16_t length);

std::vector<std::string> TareFormatChoices();

// The price zone combo: row 0 zone 0, row i the i-th zone of the list by number.
struct PriceZoneChoices {
    std::vector<std::string> rows;
    std::vector<std::uint16_t> zones;  // by row
    std::size_t IndexOf(std::uint16_t zone) const;
};
PriceZoneChoices MakePriceZoneChoices(const CPriceZoneList* zones);

}  // namespace varnel
