// The field definitions a general setup gets when its file lacks them.
#pragma once

#include "db/site/LabProp.h"

namespace varnel {

// The 27 extra price fields (1200 to 1238), each under the map's count plus 1, displayed, not printed.
void AddExtraPriceFieldDefs(CLabPropMap& extraPriceDefs);
// The PLU fields 1043 to 1047 and the fields 1606 to 1609 that older files lack, each only where no
// definition of its field number exists, under the lowest free key, not displayed.
void AddStandardFieldDefs(CLabPropMap& pluDefs, CLabPropMap& defs1600);
// A fresh site's price fields (unit price 1005, markdown price 1004, markdown flag 1003), displayed,
// each only where no definition of its field number exists.
void AddFreshSitePluFieldDefs(CLabPropMap& pluDefs);
// The RUX family's PLU fields, when it has none: copies of the PLU fields under the same keys, not displayed.
void FillRuxFieldDefs(CLabPropMap& ruxDefs, const CLabPropMap& pluDefs);
// Moves the definitions of fields 1044 to 1049 (files of version 200 to 220) to the 1600 map as
// fields 1600 to 1605, each under the lowest free key.
void MoveOldFieldDefs(CLabPropMap& pluDefs, CLabPropMap& defs1600);

}  // namespace varnel
