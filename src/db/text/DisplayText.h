// Short texts that lists, logs and reports show for flags and data types.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace varnel {

// "Enabled" or "Disabled".
std::string_view GetEnabledText(bool enabled);

// "Yes" or "No".
std::string_view GetYesNoText(bool yes);

// The name of a table of the open PLU database by its number; "" when there is none (or no database
// is open).
using TableNameLookup = std::function<std::string(std::uint16_t tableNo)>;

// The caption of a data type (message 20400 + type); for a type without one, the name of the table
// of that number that `tableName` gives; else "".
std::string GetDataTypeName(std::uint16_t type, const TableNameLookup& tableName = {});

}  // namespace varnel
