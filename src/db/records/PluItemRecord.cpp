// The item record: a PLU in the packed-BCD form of Data Save files and the file link. "BCD n" is a value
// right-aligned in n packed digits, "byte" the row's byte as it is.
//
//   OFFSET SIZE  FIELD
//     0     3    PLU number, BCD 6
//     3     1    SalesMode, byte
//     4     3    UnitPrice, BCD 6 (0 with SalesMode 1)
//     7     4    with SalesMode 1 UnitPrice, BCD 7, else 0; read back as FixedPrice (and UnitPrice)
//    11     3    Weight, BCD 5          14  2  PackQuant, BCD 3       16  3  CostPrice, BCD 6
//    19     1    MarkFlag, byte         20  3  MarkPrice, BCD 6       23  2  Tare, BCD 4
//    25     1    DateFlag, byte         26  2  ShelfLife, BCD 3       28  2  unused
//    30     1    TimeFlag, byte         31  2  PackTime, BCD 4        33  1  ExpTimeFlag, byte
//    34     2    ExpTime, BCD 4         36  1  PosSelect, byte        37  1  Posflag, BCD 2
//    38     5    PosCode, 10 digits packed from the left
//    43     2    RegCode, its first 3 digits packed from the left; read back as 4 digits
//    45     4    department-group-item code, 8 digits packed
//    49     1    Message1, BCD 2        50  1  Message7, BCD 2        51  1  Coupon, BCD 2
//    52     1    Nutrition, its low byte (read back signed)           53  1  TaxNo, BCD 2
//    54     1    OpenPrice, byte        55  1  unused                 56  1  ForcedTare, byte
//    57     7    zero
//   short form (the general setup's item-record extension 0):
//    64     2    text length n, little-endian;  66  n  the text
//   long form (extension 1):
//    64     3    UpperLimit, BCD 6      67  3  LowerLimit, BCD 6      70  2  TrayNo, BCD 4
//    72     4    WrappingMode, WrappingSpeed, Volume, LabellingPos, bytes
//    76     4    unused;                80  n  the text, to the record's end
// The text is the description in line-coded form with all its effects (LineText.h).
#include "db/plu/PluDefTb.h"

#include "db/plu/DeptGroupItemCode.h"
#include "db/text/DoubleByteText.h"
#include "db/text/LineText.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/records/PluRecordLayouts.h"
#include "db/records/PluRecordReaders.h"
#include "platform/ByteOrder.h"

#include <string>

namespace varnel {
namespace {

constexpr std::size_t kShortFixedPart = 66;
constexpr std::size_t kLongFixedPart = 80;
constexpr std::size_t kTextLengthOffset = 64;
constexpr std::size_t kLargestText = 2050;
constexpr std::size_t kRegCodeDigits = 3;
constexpr std::size_t kRegCodeRoom = 4;
// Line-coded text grows at most this much a byte as escape-coded text (a line's font pair closing
// four effects and opening another), and the effects closed at the end add a few bytes more.
constexpr std::size_t kEscapeGrowth = 9;
constexpr std::size_t kEscapeClosing = 16;

bool LongForm(const CGeneralSetup& setup) { return setup.m_itemRecordExtension != 0; }

void WriteFixedPart(const CPluDefRec& r, std::uint32_t plu, RecordFields& f)
{
    const std::uint8_t salesMode = r.Get(PluCol::SalesMode);
    const std::int32_t unitPrice = r.Get(PluCol::UnitPrice);
    f.Bcd("PLU number", plu, 6);
    f.Byte(salesMode);
    f.Bcd("UnitPrice", salesMode == 1 ? 0 : unitPrice, 6);
    f.Bcd("UnitPrice", salesMode == 1 ? unitPrice : 0, 7);
    f.Bcd("Weight", r.Get(PluCol::Weight), 5);
    f.Bcd("PackQuant", r.Get(PluCol::PackQuant), 3);
    f.Bcd("CostPrice", r.Get(PluCol::CostPrice), 6);
    f.Byte(r.Get(PluCol::MarkFlag));
    f.Bcd("MarkPrice", r.Get(PluCol::MarkPrice), 6);
    f.Bcd("Tare", r.Get(PluCol::Tare), 4);
    f.Byte(r.Get(PluCol::DateFlag));
    f.Bcd("ShelfLife", r.Get(PluCol::ShelfLife), 3);
    f.ZeroBytes(2);
    f.Byte(r.Get(PluCol::TimeFlag));
    f.Bcd("PackTime", r.Get(PluCol::PackTime), 4);
    f.Byte(r.Get(PluCol::ExpTimeFlag));
    f.Bcd("ExpTime", r.Get(PluCol::ExpTime), 4);
    f.Byte(r.Get(PluCol::PosSelect));
    f.Bcd("Posflag", r.Get(PluCol::Posflag), 2);
    f.BcdText("PosCode", r.Get(PluCol::PosCode), 10);
    f.BcdText("RegCode", r.Get(PluCol::RegCode), kRegCodeDigits);
    const std::optional<std::string> code = MakeDeptGroupItemCode(r);
    if (!code) f.Refuse("department-group-item code");
    f.BcdText("department-group-item code", code.value_or(""), 8);
    f.Bcd("Message1", r.Get(PluCol::Message1), 2);
    f.Bcd("Message7", r.Get(PluCol::Message7), 2);
    f.Bcd("Coupon", r.Get(PluCol::Coupon), 2);
    f.Byte(static_cast<std::uint8_t>(r.Get(PluCol::Nutrition)));
    f.Bcd("TaxNo", r.Get(PluCol::TaxNo), 2);
    f.Byte(r.Get(PluCol::OpenPrice));
    f.ZeroBytes(1);
    f.Byte(r.Get(PluCol::ForcedTare));
    f.ZeroBytes(7);
}

void WriteLongFormFields(const CPluDefRec& r, RecordFields& f)
{
    f.Bcd("UpperLimit", r.Get(PluCol::UpperLimit), 6);
    f.Bcd("LowerLimit", r.Get(PluCol::LowerLimit), 6);
    f.Bcd("TrayNo", r.Get(PluCol::TrayNo), 4);
    f.Byte(r.Get(PluCol::WrappingMode));
    f.Byte(r.Get(PluCol::WrappingSpeed));
    f.Byte(r.Get(PluCol::Volume));
    f.Byte(r.Get(PluCol::LabellingPos));
    f.ZeroBytes(4);
}

void ReadFixedPart(CPluDefRec& r, RecordReader& in)
{
    in.Skip(3);  // the PLU number
    Put(r, PluCol::SalesMode, in.Byte());
    Put(r, PluCol::UnitPrice, in.Bcd(6));
    const auto fixedPrice = in.Bcd(7);
    Put(r, PluCol::FixedPrice, fixedPrice);
    if (r.Get(PluCol::SalesMode) == 1) Put(r, PluCol::UnitPrice, fixedPrice);
    Put(r, PluCol::Weight, in.Bcd(5));
    Put(r, PluCol::PackQuant, in.Bcd(3));
    Put(r, PluCol::CostPrice, in.Bcd(6));
    Put(r, PluCol::MarkFlag, in.Byte());
    Put(r, PluCol::MarkPrice, in.Bcd(6));
    Put(r, PluCol::Tare, in.Bcd(4));
    Put(r, PluCol::DateFlag, in.Byte());
    Put(r, PluCol::ShelfLife, in.Bcd(3));
    in.Skip(2);
    Put(r, PluCol::TimeFlag, in.Byte());
    Put(r, PluCol::PackTime, in.Bcd(4));
    Put(r, PluCol::ExpTimeFlag, in.Byte());
    Put(r, PluCol::ExpTime, in.Bcd(4));
    Put(r, PluCol::PosSelect, in.Byte());
    Put(r, PluCol::Posflag, in.Bcd(2));
    if (const auto posCode = in.BcdText(10)) r.Set(PluCol::PosCode, *posCode);
    // Three digits were written; four are read back, the pad nibble as the last ("0045" comes back "0040").
    if (const auto regCode = in.BcdText(kRegCodeRoom)) r.Set(PluCol::RegCode, *regCode);
    if (const auto code = in.BcdText(8)) ParseDeptGroupItemCode(r, *code);
    Put(r, PluCol::Message1, in.Bcd(2));
    Put(r, PluCol::Message7, in.Bcd(2));
    Put(r, PluCol::Coupon, in.Bcd(2));
    if (const auto nutrition = in.Byte())
        r.Set(PluCol::Nutrition, static_cast<std::uint16_t>(static_cast<std::int8_t>(*nutrition)));
    Put(r, PluCol::TaxNo, in.Bcd(2));
    Put(r, PluCol::OpenPrice, in.Byte());
    in.Skip(1);
    Put(r, PluCol::ForcedTare, in.Byte());
    in.Skip(7);
}

void ReadLongFormFields(CPluDefRec& r, RecordReader& in)
{
    Put(r, PluCol::UpperLimit, in.Bcd(6));
    Put(r, PluCol::LowerLimit, in.Bcd(6));
    Put(r, PluCol::TrayNo, in.Bcd(4));
    Put(r, PluCol::WrappingMode, in.Byte());
    Put(r, PluCol::WrappingSpeed, in.Byte());
    Put(r, PluCol::Volume, in.Byte());
    Put(r, PluCol::LabellingPos, in.Byte());
}

// The line-coded text as escape-coded text; none when that does not fit the description's room.
std::optional<std::string> ItemText(const TextRules& rules, std::span<const std::uint8_t> text)
{
    std::string desc(text.size() * kEscapeGrowth + kEscapeClosing, '\0');
    LineTextToEscapeText(rules, desc, {reinterpret_cast<const char*>(text.data()), text.size()});
    desc.resize(desc.find('\0'));
    if (desc.size() > kLargestText) return std::nullopt;
    return desc;
}

}  // namespace

std::size_t CPluDefTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const auto* row = dynamic_cast<const CPluDefRec*>(&record);
    if (!row || buffer.size() < kShortFixedPart) return 0;
    const bool longForm = LongForm(GetRoles().Setup());
    RecordFields fields(buffer);
    WriteFixedPart(*row, record.GetKey(), fields);
    const std::size_t lengthAt = fields.Position();
    if (longForm)
        WriteLongFormFields(*row, fields);
    else
        fields.ZeroBytes(2);
    if (!fields.Ok()) return 0;
    const std::span<std::uint8_t> rest = fields.Rest();
    const std::size_t textLength =
        EscapeTextToLineText(GetRoles().Text(), {reinterpret_cast<char*>(rest.data()), rest.size()}, row->GetDesc());
    fields.Advance(textLength);
    if (!fields.Ok() || fields.Position() > 0xFFFF) return 0;
    if (!longForm) StoreLe16(buffer.data() + lengthAt, static_cast<std::uint16_t>(textLength));
    return fields.Position();
}

bool CPluDefTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < kShortFixedPart) return false;
    const CGeneralSetup& setup = GetRoles().Setup();
    const bool longForm = LongForm(setup);
    if (longForm && record.size() < kLongFixedPart) return false;
    const std::size_t textStart = longForm ? kLongFixedPart : kShortFixedPart;
    const std::size_t textLength =
        longForm ? record.size() - kLongFixedPart : LoadLe16(record.data() + kTextLengthOffset);
    if (textLength > kLargestText || textStart + textLength > record.size()) return false;

    RecordReader in(record);
    const std::optional<std::uint32_t> plu = in.Window(3).Bcd(6);
    const TextRules text = GetRoles().Text();
    if (!plu || *plu == 0 || *plu > setup.m_maxPluNo) return false;
    CPluDefRec* existing = FindPlu(*plu);
    if (existing && setup.m_overwriteExisting == 0) return true;
    if (!CheckPluAllowed(*plu)) return true;

    // Read into a block first: a record that turns out bad changes nothing stored.
    CPluDefRec block;
    InitNewPlu(*plu, block);
    ReadFixedPart(block, in);
    if (longForm) ReadLongFormFields(block, in);
    block.Set(PluCol::LabelWidth, setup.GetLabelWidth(*plu));
    block.Set(PluCol::DescLen, text.ausNzNutrition ? std::uint16_t{100} : setup.GetDescLength(*plu));
    const std::optional<std::string> desc = ItemText(text, record.subspan(textStart, textLength));
    if (!desc) return false;
    block.SetDesc(*desc, text.chars);
    block.SetNameFromDesc(text.chars);

    const std::uint16_t size = block.CalcDataSize();
    const BuildLock lock = LockRecordBuild();  // the link threads' range walks step through the table
    if (existing) {
        const CPluDefRec before = *existing;
        existing->CopyDataFrom(block);
        if (!UpdatePlu(*existing, size)) {
            *existing = before;
            return false;
        }
    } else if (!AddPlu(*plu, size, std::make_unique<CPluDefRec>(block))) {
        return false;
    }
    CPluPriceZoneTb* zones = GetPriceZoneTable();
    return !zones || zones->DeletePlu(*plu);
}

}  // namespace varnel
