// Any bytes as a PLU clipboard block: refused, or a record within the format's limits that writes
// back as the very same block; never a crash or an over-read.
#include "app/PluClipboardRecord.h"
#include "FuzzRequire.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace varnel;
    // Copied so that a read past the block's end is one past an allocation of its own size.
    const std::vector<std::uint8_t> block(data, data + size);
    const auto record = ReadPluClipboardRecord(block);
    if (!record) return 0;
    fuzz::Require(record->row.size() >= PluClipboardRecord::kMinRowSize &&
                  record->row.size() <= PluClipboardRecord::kMaxRowSize);
    fuzz::Require(record->nutrition.empty() || record->nutrition.size() == PluClipboardRecord::kNutritionSize);
    const auto written = WritePluClipboardRecord(*record);
    fuzz::Require(written && *written == block);
    return 0;
}
