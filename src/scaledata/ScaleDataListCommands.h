// Which list editor each of the scale-data commands opens, on which table, and which list the
// document's message picker shows for a message type.
#pragma once

#include "db/site/GeneralSetup.h"

#include <cstdint>
#include <optional>

namespace varnel {

enum class ScaleDataList { Messages, PopMessages, StorageMessages, Categories, FreeMessageNames };

struct ScaleDataListCommand {
    std::uint32_t command;
    const char* menuText;
    ScaleDataList list;
    std::uint16_t table;
    bool confirmOffline;  // asks the frame first while the links are not started
};

inline constexpr ScaleDataListCommand kScaleDataListCommands[] = {
    {32787, "&Extra Messages", ScaleDataList::Messages, 4, true},
    {32816, "Cou&pon Messages", ScaleDataList::Messages, 8, true},
    {32965, "&Lot Messages", ScaleDataList::Messages, 70, true},
    {32887, "&Comments", ScaleDataList::Messages, 70, true},
    {32886, "&Free Messages", ScaleDataList::Messages, 72, true},
    {32904, "Ingredients", ScaleDataList::Messages, 78, true},
    {32854, "Pop &Messages", ScaleDataList::PopMessages, 37, true},
    {32892, "&Country of Origin", ScaleDataList::PopMessages, 79, true},
    {32893, "Storage &Temperature", ScaleDataList::StorageMessages, 80, false},
    {32894, "Storage &Instructions", ScaleDataList::StorageMessages, 81, false},
    {32895, "Department", ScaleDataList::Categories, 82, false},
    {32897, "Group", ScaleDataList::Categories, 83, false},
    {32890, "Free Message &Names", ScaleDataList::FreeMessageNames, 77, false},
};

// The command's entry; null for a command that opens none of these lists.
const ScaleDataListCommand* FindScaleDataListCommand(std::uint32_t command);

// The list a message picker of type 1 to 13 opens: types 1 to 4 (coupons and the three extra
// message sets) first take the message kind the general setup sends in their place, when it names
// one. Message lists for types 1 to 11, storage lists for 12 and 13; none for other types.
struct MessagePickerList {
    ScaleDataList list;
    std::uint16_t table;
};
std::optional<MessagePickerList> FindMessagePickerList(const CGeneralSetup& setup, std::uint32_t messageType);

}  // namespace varnel
