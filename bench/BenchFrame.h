// The site the benchmarks' databases live in: the tests' main frame, installed once for the whole run,
// since the PLU table takes its rules, send queue and event log from the frame that registers it.
#pragma once

#include "support/TestMainFrame.h"

namespace varnel::bench {

inline void InstallBenchFrame() { static const test::TestMainFrame frame; }

}  // namespace varnel::bench
