// The family names and the table-to-data-kind map.
#include "comms/idenq/ScaleFamily.h"

#include "platform/Messages.h"

#include <algorithm>
#include <iterator>

namespace varnel {
namespace {

constexpr MessageId kFamilyNames = 16464;  // + family

struct TableKind {
    std::uint16_t table;
    std::uint16_t kind;
};

constexpr TableKind kTableKinds[] = {
    {2, 0},    // PLU
    {3, 12},   // Advertising Message
    {4, 2},    // Extra Message
    {7, 1},    // Store (TR-5300/LumenXT)
    {8, 5},    // Coupon
    {9, 11},   // Nutrition
    {10, 20},  // Campaign
    {12, 6},   // Keyboards
    {18, 14},  // PLU Production
    {19, 18},  // Operator Production
    {20, 17},  // Hourly Production
    {29, 3},   // Extra Message #2
    {30, 4},   // Extra Message #3
    {31, 7},   // Label Formats
    {32, 8},   // Logos
    {33, 33},  // Error Log
    {34, 10},  // Batch Labels
    {37, 21},  // Pop Message
    {39, 39},  // Batch Production
    {50, 16},  // Rewrap
    {51, 15},  // Next Day
    {53, 38},  // Trays
    {61, 13},  // Function Key
    {62, 41},
    {63, 42},
    {69, 40},  // VM Images
    {70, 22},  // Comment/Lot Message
    {71, 23},  // Store (5400-series)
    {72, 24},  // Free Message 1
    {73, 25},  // Free Message 2
    {74, 26},  // Free Message 3
    {75, 27},  // Free Message 4
    {76, 28},  // Free Message 5
    {77, 29},  // Free Message Name
    {78, 30},  // Ingredients
    {79, 31},  // Origin
    {80, 32},  // Storage Temperature
    {81, 33},  // Storage Instructions, the same kind as the error log
    {82, 34},  // Department (price master)
    {83, 35},  // Group (price master)
    {85, 36},  // Memo/VM/QF Preset Keys
    {86, 37},  // Index Keys
};

}  // namespace

std::string_view GetScaleFamilyName(std::uint16_t family)
{
    return family <= kHighestScaleFamily ? GetMessageText(kFamilyNames + family) : std::string_view{};
}

std::uint16_t GetDataKindOfTable(std::uint16_t table)
{
    const auto found = std::find_if(std::begin(kTableKinds), std::end(kTableKinds),
                                    [table](const TableKind& entry) { return entry.table == table; });
    return found != std::end(kTableKinds) ? found->kind : kNoDataKind;
}

}  // namespace varnel
