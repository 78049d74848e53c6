// The department-group-item code of a PLU: its Dept, Group and ItemCode as one 8-digit number, the
// department in the display width of field 1014 "Department", the group in that of field 1015
// "Group" and the item code in the digits left, each zero-padded on the left.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CPluDefRec;

// None when a definition is missing, when the department alone takes 8 digits or more while the
// widths add up to more than 8, or when a value has more digits than its part. Widths adding up to
// more than 8 cut the group's width to what the department leaves.
std::optional<std::string> MakeDeptGroupItemCode(const CPluDefRec& row);

// Reads the three parts back; a part that does not read as a number leaves its field unchanged.
// Nothing with a department 9 digits wide or more; the department only when the two widths add up
// to 9 or more.
void ParseDeptGroupItemCode(CPluDefRec& row, std::string_view code);

}  // namespace varnel
