// FieldVariant: a field value as it crosses into and out of an ".mdb" database, typed as the
// database's columns hand it over: nothing (an empty or NULL value), an unsigned byte, a 16-bit or
// 32-bit integer, a date with its status, a text (code-page bytes) or a byte array.
// MdbRow: the values of one database row, by column ordinal.
#pragma once

#include "platform/OleDate.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace varnel {

using FieldVariant = std::variant<std::monostate, std::uint8_t, std::int16_t, std::int32_t, COleDateTime, std::string,
                                  std::vector<std::uint8_t>>;

using MdbRow = std::vector<FieldVariant>;

}  // namespace varnel
