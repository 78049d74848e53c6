#include "comms/idenq/PluLogRow.h"

#include "db/plu/PluDefRec.h"

namespace varnel {

PluLogEntry MakePluLogEntry(const CPluDefRec& plu)
{
    return PluLogEntry{plu.GetKey(), plu.Get(PluCol::UnitPrice), static_cast<std::int8_t>(plu.Get(PluCol::SalesMode)),
                       plu.Get(PluCol::ShelfLife), plu.GetDesc()};
}

}  // namespace varnel
