// The tables of the PLU database whose classes this subsystem builds, and what the PLU records read
// of them (the extra-message and ingredient texts, the nutrition panels).
#pragma once

namespace varnel {

// Registers every table class of this subsystem with the PLU database (PluTableRegistry.h), with the
// companion data; called once at start-up, before any database is made.
void RegisterScaleDataTables();

}  // namespace varnel
