// The tests' main frame and the in-memory database of a record benchmark, made once for the program
// on first use: `Fill` sets up the frame, makes the tables and adds the rows to encode.
#pragma once

#include "db/plu/PluDatabase.h"
#include "support/TestMainFrame.h"

namespace varnel::bench {

struct RecordBenchDatabase {
    test::TestMainFrame frame;
    CPluDatabase database;
};

template <void (*Fill)(RecordBenchDatabase&)>
RecordBenchDatabase& SharedDatabase()
{
    static RecordBenchDatabase shared;
    static const bool filled = (Fill(shared), true);
    (void)filled;
    return shared;
}

}  // namespace varnel::bench
