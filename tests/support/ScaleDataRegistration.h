// A base for fixtures holding a CPluDatabase member: a database takes the scale-data table makers
// when it is made, so they are registered here, before any member is constructed (ctest runs each
// test in a process of its own, where nothing else has registered them yet). The tables read the
// site of the frame the test installs.
#pragma once

#include "scaledata/ScaleDataTables.h"
#include "support/InstalledFrameRoles.h"

namespace varnel::test {

// Registers the PLU and scale-data tables with the roles of the installed frame.
inline void RegisterScaleDataTablesForTests()
{
    RegisterPluTablesForTests();
    RegisterScaleDataTables(FrameRoles());
}

class ScaleDataRegistration {
protected:
    ScaleDataRegistration() { RegisterScaleDataTablesForTests(); }
};

}  // namespace varnel::test
