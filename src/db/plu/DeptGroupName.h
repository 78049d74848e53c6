// The name of a PLU department or group code as the PLU lists show it: with the general setup's
// switch on, the text the department (table 82) or group (table 83) table holds for the code, when
// it is a description line (ESC 'C' and a font code); else the table's caption and the number.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

class CObjDatabase;
struct CGeneralSetup;

constexpr std::uint16_t kDepartmentTable = 82;
constexpr std::uint16_t kGroupTable = 83;

std::string GetDeptGroupName(const CGeneralSetup& setup, const CObjDatabase& database, std::uint16_t tableNo,
                             std::uint16_t code);

}  // namespace varnel
