// A base for fixtures holding a CPluDatabase member: a database takes the scale-data table makers
// when it is made, so they are registered here, before any member is constructed (ctest runs each
// test in a process of its own, where nothing else has registered them yet).
#pragma once

#include "scaledata/ScaleDataTables.h"

namespace varnel::test {

class ScaleDataRegistration {
protected:
    ScaleDataRegistration() { RegisterScaleDataTables(); }
};

}  // namespace varnel::test
