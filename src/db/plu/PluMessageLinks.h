// The four message slots of a PLU (1 coupon, 2 extra message, 3 extra message #2, 4 extra message
// #3) as the general setup's message file mapping redirects them: a setting of 0 keeps the slot's
// own column, 5 to 13 use another message column instead (5 to 9 the free messages 1 to 5, 10
// ingredients, 11 comment, 12 storage temperature, 13 storage instructions).
#pragma once

#include <cstdint>

namespace varnel {

struct CGeneralSetup;
class CPluDefRec;

// By the setup's mapping. 0 for a slot outside 1 to 4; a setting outside 0 and 5 to 13 reads the
// slot's own column.
std::uint32_t GetMessageLink(const CGeneralSetup& setup, const CPluDefRec& row, int slot);
// Writes nothing for a slot outside 1 to 4 or a setting outside 0 and 5 to 13, and, through a
// redirection, nothing above 65535 except to the ingredients column; the short columns take the
// value's low 16 bits.
void SetMessageLink(const CGeneralSetup& setup, CPluDefRec& row, int slot, std::uint32_t value);

}  // namespace varnel
