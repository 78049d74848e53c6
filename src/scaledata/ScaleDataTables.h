// The tables of the PLU database whose classes this subsystem builds, and what the PLU records read
// of them (the extra-message and ingredient texts, the nutrition panels).
#pragma once

#include "scaledata/ScaleDataRoles.h"

namespace varnel {

// Registers every table class of this subsystem with the PLU database (PluTableRegistry.h), with the
// companion data; called once at start-up, before any database is made. Every table made afterwards
// reads the site and queues its sends through the roles given, which must outlive those tables.
void RegisterScaleDataTables(const ScaleDataRoles& roles);

}  // namespace varnel
