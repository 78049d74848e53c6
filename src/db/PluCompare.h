// The comparison of a PLU as a scale holds it with the database's row, field by field over the PLU
// field definitions of the current scale mix, written as lines of the compare result file:
//   <PLU number>,"Scale PLU does not match database"      once, before the first difference
//   "<field name> : Scale = <value> DB = <value>"           one per differing field
// Each line ends with CR LF. The POS code is compared with the scale's code right-aligned to 13
// digits with leading '0', the pack type on its first 3 characters.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

class CPluDefRec;

// Appends the lines to `out`; true when any difference was written.
bool ComparePluWithScale(std::string& out, const CPluDefRec& scalePlu, const CPluDefRec& databasePlu,
                         std::uint32_t pluNumber);

}  // namespace varnel
