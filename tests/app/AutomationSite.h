// What the automation tests build a site from: a database file with PLUs, written by the program's
// own document, and the PLU field definitions a scale's records need.
#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnel {
class CMainFrame;
}

namespace varnel::test {

// Writes a database at `path` with the PLUs of these numbers ("Item <n>", unit price 100 times n).
void MakePluDatabase(const std::string& path, const std::vector<std::uint32_t>& plus, IClock& clock);

// The department, group and POS code fields with their widths.
void AddPluFieldDefs(CMainFrame& frame);

}  // namespace varnel::test
