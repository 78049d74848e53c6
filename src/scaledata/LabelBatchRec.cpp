#include "scaledata/LabelBatchRec.h"

#include <string>

namespace varnel {
namespace {

constexpr TextColumn kName{0, CLabelBatchRec::kNameSize};

constexpr LongColumn PluOf(std::size_t line)
{
    return {static_cast<std::uint16_t>(CLabelBatchRec::kNameSize + line * CLabelBatchRec::kLineSize)};
}
constexpr LongColumn QuantityOf(std::size_t line)
{
    return {static_cast<std::uint16_t>(PluOf(line).offset + 4)};
}

}  // namespace

std::string_view CLabelBatchRec::GetName() const { return Get(kName); }

void CLabelBatchRec::SetName(std::string_view name) { Set(kName, std::string(name)); }

std::vector<BatchLine> CLabelBatchRec::GetLines() const
{
    std::vector<BatchLine> lines;
    for (std::size_t i = 0; i < kLinesMax; ++i) {
        const auto plu = static_cast<std::uint32_t>(Get(PluOf(i)));
        if (plu == 0) break;
        lines.push_back({plu, static_cast<std::uint32_t>(Get(QuantityOf(i)))});
    }
    return lines;
}

void CLabelBatchRec::SetLines(std::span<const BatchLine> lines)
{
    for (std::size_t i = 0; i < kLinesMax; ++i) {
        const BatchLine line = i < lines.size() ? lines[i] : BatchLine{};
        Set(PluOf(i), static_cast<std::int32_t>(line.plu));
        Set(QuantityOf(i), static_cast<std::int32_t>(line.quantity));
    }
}

std::uint16_t CLabelBatchRec::CalcDataSize() const
{
    return static_cast<std::uint16_t>(kNameSize + kLineSize * GetLines().size());
}

}  // namespace varnel
