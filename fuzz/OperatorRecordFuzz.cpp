// Any bytes as an operator record from a scale, under any market and family: the decoder never
// crashes or reads past the record, and an operator it reads goes back to a scale of that family in
// a record that fits its buffer and reads back to the same id.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "settings/OperatorList.h"
#include "settings/OperatorRecord.h"

#include <array>
#include <cstdint>
#include <span>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 2;
constexpr std::size_t kHeaderSize = 8;  // the record header a received record comes without

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    varnel::CLinkScaleSettings scale;
    scale.m_scaleType = data[1] & 0x0F;
    const std::span record(data + kSettingsBytes, size - kSettingsBytes);
    const varnel::TextRules rules = frame.GetTextRules();

    varnel::COperatorList list;
    const bool taken = list.ReceiveRecord(scale, rules, record);
    const std::optional<varnel::COperator> op = varnel::DecodeOperatorRecord(scale, rules, record);
    Require(taken == (op.has_value() || !varnel::SendsOperatorRecords(scale.m_scaleType)));
    if (!op) return 0;

    std::array<std::uint8_t, 512> buffer{};
    varnel::ScaleRecordOut out{buffer};
    if (!varnel::EncodeOperatorRecord(scale, rules, *op, out)) {
        Require(!out.refusedField.empty());
        return 0;
    }
    Require(out.length > kHeaderSize && out.length <= buffer.size());
    const std::optional<varnel::COperator> again =
        varnel::DecodeOperatorRecord(scale, rules, std::span(buffer).subspan(kHeaderSize, out.length - kHeaderSize));
    Require(again && again->m_id == op->m_id);
    return 0;
}
