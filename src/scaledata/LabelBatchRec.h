// The row of the label batch table (table 34, "LabelBatch"): a named list of up to 99 fixed-price PLUs
// with a count of labels for each. 824 data bytes, all zero when made:
//   offset      size  column
//   0           32    Name (NUL-terminated)
//   32 + 8i     4     PluNo<i> (i = 0 to 98)
//   36 + 8i     4     Quantity<i>
// The lines end at the first PLU number 0; the row is stored with 32 + 8 bytes a line before that.
#pragma once

#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

struct BatchLine {
    std::uint32_t plu = 0;
    std::uint32_t quantity = 0;
    bool operator==(const BatchLine&) const = default;
};

class CLabelBatchRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 824;
    static constexpr std::size_t kLinesMax = 99;
    static constexpr std::size_t kNameMax = 31;
    static constexpr std::uint16_t kNameSize = 32;
    static constexpr std::uint16_t kLineSize = 8;

    CLabelBatchRec() : CFixedScaleDataRow(kSize) {}

    std::string_view GetName() const;
    void SetName(std::string_view name);
    // The lines before the first PLU number 0.
    std::vector<BatchLine> GetLines() const;
    // At most 99 lines, the rest of the slots zeroed.
    void SetLines(std::span<const BatchLine> lines);
    // The length to store: 32 and 8 bytes a line.
    std::uint16_t CalcDataSize() const;
    std::uint16_t GetDataSize() const override { return CalcDataSize(); }
};

}  // namespace varnel
