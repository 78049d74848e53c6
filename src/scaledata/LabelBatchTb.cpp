#include "scaledata/LabelBatchTb.h"

#include "db/records/RecordLayout.h"
#include "db/text/Bcd.h"
#include "platform/TextFormat.h"
#include "scaledata/ComputedRecordKind.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"

#include <string>
#include <utility>

namespace varnel {
namespace {

constexpr std::uint16_t kBinaryCode = 40;
constexpr std::uint16_t kCsvCode = 1025;
constexpr std::uint16_t kBinaryKeyCode = 10;
constexpr std::uint16_t kCsvKeyCode = 25;
constexpr std::size_t kSlotSize = 12;
constexpr std::size_t kSlotsSize = CLabelBatchRec::kLinesMax * kSlotSize;
constexpr std::size_t kDigitsMax = 8;

enum class SlotForm : std::uint8_t { Right, Left, Mixed };

struct BatchLineKind : ComputedRecordKind<BatchLine, BatchLine> {
    struct Site {};
    static Site SiteOf(const BatchLine&) { return {}; }
};

using F = LayoutFields<BatchLineKind>;
using Field = LayoutField<BatchLineKind>;

std::int64_t Plu(const BatchLine& line) { return line.plu; }
std::int64_t Quantity(const BatchLine& line) { return line.quantity; }
std::size_t DigitCount(std::uint32_t value) { return std::to_string(value).size(); }

template <std::int64_t (*Value)(const BatchLine&)>
void WriteDigitCount(const BatchLine& line, RecordFields& f)
{
    const auto count = static_cast<std::uint8_t>(DigitCount(static_cast<std::uint32_t>(Value(line))));
    f.Byte(count);
    f.Byte(0);
}
template <std::int64_t (*Value)(const BatchLine&)>
std::int64_t CountOf(const BatchLine& line)
{
    return static_cast<std::int64_t>(DigitCount(static_cast<std::uint32_t>(Value(line))));
}

// The value's digits from the left of 8 BCD digits, an odd count led by a 0, zeros after them.
template <std::int64_t (*Value)(const BatchLine&)>
void WriteLeftDigits(const BatchLine& line, RecordFields& f)
{
    std::string digits = std::to_string(Value(line));
    if (digits.size() % 2 != 0) digits.insert(0, "0");
    if (digits.size() > kDigitsMax) return f.Refuse(Value == Plu ? "PluNo" : "Quantity");
    digits.resize(kDigitsMax, '0');
    f.BcdText(Value == Plu ? "PluNo" : "Quantity", digits, kDigitsMax);
}

constexpr Field kRightSlot[] = {
    F::Bcd(8, "PluNo", Plu),
    F::Custom(2, WriteDigitCount<Plu>, nullptr),
    F::Bcd(8, "Quantity", Quantity),
    F::Custom(2, WriteDigitCount<Quantity>, nullptr),
};
constexpr Field kLeftSlot[] = {
    F::Custom(4, WriteLeftDigits<Plu>, nullptr),
    F::Zeros(1),
    F::Byte("PluNo", CountOf<Plu>),
    F::Custom(4, WriteLeftDigits<Quantity>, nullptr),
    F::Zeros(1),
    F::Byte("Quantity", CountOf<Quantity>),
};
constexpr Field kMixedSlot[] = {
    F::Bcd(8, "PluNo", Plu),
    F::Literal(std::string_view("\x00\x08", 2)),
    F::Bcd(4, "Quantity", Quantity),
    F::Zeros(3),
    F::Literal("\x04"),
};

std::span<const Field> SlotOf(SlotForm form)
{
    switch (form) {
    case SlotForm::Right: return kRightSlot;
    case SlotForm::Left: return kLeftSlot;
    case SlotForm::Mixed: return kMixedSlot;
    }
    return {};
}

void WriteSlots(SlotForm form, const CLabelBatchRec& row, RecordFields& f)
{
    const std::vector<BatchLine> lines = row.GetLines();
    for (const BatchLine& line : lines) WriteLayout<BatchLineKind>(SlotOf(form), line, f);
    f.ZeroBytes((CLabelBatchRec::kLinesMax - lines.size()) * kSlotSize);
}

// A value of the left-aligned form: the first `count` digits (rounded up to even) of its 8.
std::uint32_t ReadLeftDigits(std::span<const std::uint8_t> bcd, std::uint8_t count)
{
    const std::size_t used = std::min<std::size_t>(count + count % 2, kDigitsMax);
    const std::string digits = UnpackBcdDigits(bcd, kDigitsMax).substr(0, used);
    std::uint32_t value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9' || value > (0xFFFFFFFFu - 9) / 10) break;
        value = value * 10 + static_cast<std::uint32_t>(digit - '0');
    }
    return value;
}

}  // namespace

CLabelBatchRec* CLabelBatchTb::FindBatch(std::uint32_t number) const
{
    return dynamic_cast<CLabelBatchRec*>(FindRecord(number));
}

std::unique_ptr<CDBRecord> CLabelBatchTb::CreateRecord(std::size_t size) { return MakeRowUpTo<CLabelBatchRec>(size); }

void CLabelBatchTb::BindColumns()
{
    AddField("Batch_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0);
    AddField("Name", DaoText, CLabelBatchRec::kNameSize, 0, 0);
    for (std::size_t i = 0; i < CLabelBatchRec::kLinesMax; ++i) {
        const auto offset = static_cast<std::uint16_t>(CLabelBatchRec::kNameSize + i * CLabelBatchRec::kLineSize);
        AddField(FormatText("PluNo%d", static_cast<int>(i)), DaoLong, 4, offset, 0);
        AddField(FormatText("Quantity%d", static_cast<int>(i)), DaoLong, 4, static_cast<std::uint16_t>(offset + 4), 0);
    }
}

bool CLabelBatchTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                 ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const auto* row = dynamic_cast<const CLabelBatchRec*>(&record);
    if (!row) return false;
    switch (GetRoles().FamilyOf(scale)) {
    case 6:
    case 8:
        return BuildScaleRecord(out, HeaderKind::Short, kBinaryCode,
                                [row](RecordFields& f) { WriteSlots(SlotForm::Right, *row, f); });
    case 10:
        return BuildScaleRecord(out, HeaderKind::Long, kCsvCode,
                                [row](RecordFields& f) { WriteSlots(SlotForm::Left, *row, f); });
    case 12:
        return BuildScaleRecord(out, HeaderKind::Long, kCsvCode,
                                [row](RecordFields& f) { WriteSlots(SlotForm::Mixed, *row, f); });
    default: return false;
    }
}

bool CLabelBatchTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                    ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    switch (GetRoles().FamilyOf(scale)) {
    case 6:
    case 8: return BuildScaleRecord(out, HeaderKind::None, kBinaryKeyCode, [](RecordFields&) {});
    case 10:
    case 12: return EncodeCsvKeyRecord(key, kCsvKeyCode, out);
    default: return false;
    }
}

bool CLabelBatchTb::DecodeRecordType6or8(const CLinkScaleSettings&, std::span<const std::uint8_t> data)
{
    if (data.size() < kSlotsSize) return false;
    std::vector<BatchLine> lines;
    for (std::size_t slot = 0; slot < CLabelBatchRec::kLinesMax; ++slot) {
        const std::span<const std::uint8_t> bytes = data.subspan(slot * kSlotSize, kSlotSize);
        const BatchLine line{ReadLeftDigits(bytes.first(4), bytes[5]), ReadLeftDigits(bytes.subspan(6, 4), bytes[11])};
        if (line.plu == 0) break;
        lines.push_back(line);
    }
    return StoreReceivedRow(*this, kReceivedBatch, [&lines](CDBRecord& record) -> std::uint16_t {
        auto& row = dynamic_cast<CLabelBatchRec&>(record);
        row.SetLines(lines);
        return row.CalcDataSize();
    });
}

}  // namespace varnel
