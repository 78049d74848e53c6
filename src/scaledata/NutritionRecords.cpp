#include "scaledata/NutritionRecords.h"

#include "db/records/RecordLayout.h"
#include "db/site/GeneralSetup.h"
#include "db/text/RecordReader.h"
#include "scaledata/RowRecordKind.h"

#include <algorithm>
#include <string>

namespace varnel {
namespace {

using namespace nutrition_columns;

constexpr bool InRange(std::uint16_t offset, std::uint16_t first, std::size_t count, std::size_t stride)
{
    return offset >= first && offset < first + count * stride;
}

// The nutrition rows have no column table: a refused field is named by the column it lies in.
struct NutritionRecordKind : RowRecordAccess<CNutritionRec, NutritionRecordSite> {
    static constexpr std::string_view ColumnName(ColumnRef c)
    {
        if (c.offset == kCalories.offset) return "Calories";
        if (c.offset == kFatCalories.offset) return "FatCalories";
        if (c.offset == kEnergyKj.offset) return "EnergyKj";
        if (InRange(c.offset, kPercent, kNutrients, 2)) return "Percent";
        if (InRange(c.offset, kUnit, kNutrients, 1)) return "Unit";
        if (InRange(c.offset, kContent, kNutrients, kTextWidth)) return "Content";
        return c.offset == kServeSize.offset ? "ServeSize" : "ServeCont";
    }
};

using NutritionSource = NutritionRecordKind::Source;
using NutritionTarget = NutritionRecordKind::Target;
using F = LayoutFields<NutritionRecordKind>;
using Field = LayoutField<NutritionRecordKind>;
using Site = NutritionRecordSite;

constexpr auto Key = NutritionRecordKind::Key;
constexpr auto PutKey = NutritionRecordKind::PutKey;

bool IsNotUsa(const Site& s) { return s.market != MarketUsa; }
bool OwnsUnits(const Site& s) { return s.form == NutritionForm::DataSave; }
bool FixesUnits(const Site& s) { return s.form != NutritionForm::DataSave; }

// The unit a nutrient's place in the standard records fixes: milligrams for nutrients 3 and 4.
template <std::size_t I>
std::int64_t FixedUnit(const NutritionSource&)
{
    return I == 2 || I == 3 ? 0 : 1;
}

// "g 0" for grams, "mg0" for milligrams; read back by its "mg".
template <std::size_t I>
void WriteTextUnit(const NutritionSource& s, RecordFields& f)
{
    f.Text(s.row.Get(Unit(I)) == 0 ? "mg0" : "g 0");
}
template <std::size_t I>
void ReadTextUnit(const NutritionTarget& t, RecordReader& r)
{
    const std::string_view unit = r.Text(3);
    if (unit.size() == 3) t.row.Set(Unit(I), unit.starts_with("mg") ? 0 : 1);
}

// ---- The text record.

constexpr std::string_view UnitText(bool milligrams) { return milligrams ? "mg0" : "g 0"; }

// Content, its fixed unit and the percentage.
template <std::size_t I, std::size_t Width>
constexpr Field kTextNutrient[] = {
    F::BlankText(Width, Content(I)),
    F::Literal(UnitText(I == 2 || I == 3)),
    F::BlankDecimal(3, Percent(I)),
};
// Content, the row's unit and the percentage.
template <std::size_t I>
constexpr Field kTextNutrientWithUnit[] = {
    F::BlankText(3, Content(I)),
    F::Custom(3, WriteTextUnit<I>, ReadTextUnit<I>),
    F::BlankDecimal(3, Percent(I)),
};
template <std::size_t I>
constexpr Field kTextPercent[] = {F::Literal("0"), F::BlankDecimal(3, Percent(I))};

constexpr Field kTextRecord[] = {
    F::Literal("60"),
    F::Literal("02").When(IsNotUsa),
    F::Decimal(6, "Nutrition_No", Key, PutKey),
    F::BlankText(10, kServeSize),
    F::Literal("000000"),
    F::BlankText(4, kServeCont),
    F::BlankDecimal(4, kCalories),
    F::BlankDecimal(4, kFatCalories),
    F::Block(kTextNutrient<0, 3>),
    F::Block(kTextNutrient<1, 3>),
    F::Block(kTextNutrient<2, 3>),
    F::Block(kTextNutrient<3, 4>),
    F::Block(kTextNutrient<4, 4>),
    F::Block(kTextNutrientWithUnit<5>),
    F::Block(kTextNutrientWithUnit<6>),
    F::Block(kTextNutrientWithUnit<7>),
    F::Block(kTextPercent<8>),
    F::Block(kTextPercent<9>),
    F::Block(kTextPercent<10>),
    F::Block(kTextPercent<11>),
    F::BlankText(4, Content(15)),
    F::Literal("g "),
};

// ---- The binary forms.

bool HasTwoBytePercents(const Site& s) { return s.form != NutritionForm::DataSave; }
bool HasThreeDigitPercents(const Site& s) { return s.form == NutritionForm::DataSave; }

template <std::size_t I>
constexpr Field kPercentBcd[] = {
    F::Bcd(4, Percent(I)).When(HasTwoBytePercents),
    F::Bcd(3, Percent(I)).When(HasThreeDigitPercents),
};
template <std::size_t I, std::size_t Width>
constexpr Field kBinaryNutrient[] = {
    F::BlankText(Width, Content(I)),
    F::Zeros(1),
    F::Byte(Unit(I)).WrittenAs(FixedUnit<I>).When(FixesUnits),
    F::Byte(Unit(I)).When(OwnsUnits),
    F::Block(kPercentBcd<I>),
};

constexpr Field kStandardBody[] = {
    F::BlankText(10, kServeSize),
    F::Zeros(1),
    F::BlankText(4, kServeCont),
    F::Zeros(1),
    F::Bcd(4, kCalories),
    F::Bcd(4, kFatCalories),
    F::Block(kBinaryNutrient<0, 3>),
    F::Block(kBinaryNutrient<1, 3>),
    F::Block(kBinaryNutrient<2, 3>),
    F::Block(kBinaryNutrient<3, 4>),
    F::Block(kBinaryNutrient<4, 4>),
    F::Block(kBinaryNutrient<5, 3>),
    F::Block(kBinaryNutrient<6, 3>),
    F::Block(kBinaryNutrient<7, 3>),
    F::Block(kPercentBcd<8>),
    F::Block(kPercentBcd<9>),
    F::Block(kPercentBcd<10>),
    F::Block(kPercentBcd<11>),
};

constexpr Field kBinaryRecord[] = {
    F::Bcd(8, "Nutrition_No", Key, PutKey),
    F::Block(kStandardBody),
    F::Zeros(1),
};
constexpr Field kSixDigitKeyRecord[] = {
    F::Bcd(6, "Nutrition_No", Key, PutKey),
    F::Block(kStandardBody),
};

// ---- The comma-separated forms.

// A text between double quotes, each double quote in it doubled, then a comma.
void WriteQuoted(RecordFields& f, std::string_view opening, std::string_view text)
{
    f.Text("\"");
    f.Text(opening);
    for (const char c : text) f.Text(c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1));
    f.Text("\",");
}
// The text of a field, quoted or not, without the escapes ("\xHH") and blanks that open it.
std::string ReadCsvText(CsvFieldReader& r)
{
    std::string text;
    (void)CsvReadText(r.Buffer(), r.Position(), r.Buffer().size(), text, {});
    std::size_t start = 0;
    while (text.size() >= start + 4 && text[start] == '\\' && (text[start + 1] == 'x' || text[start + 1] == 'X')) start += 4;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

template <std::size_t Width>
std::string RightAligned(std::string_view text)
{
    const std::string_view cut = text.substr(0, std::min(text.size(), Width));
    return std::string(Width - cut.size(), ' ').append(cut);
}

template <auto Column, std::size_t Width>
void WritePlainText(const NutritionSource& s, RecordFields& f)
{
    f.CsvText(Width == 0 ? std::string(s.row.Get(Column)) : RightAligned<Width>(s.row.Get(Column)));
}
template <auto Column, std::size_t Width>
void WriteQuotedText(const NutritionSource& s, RecordFields& f)
{
    WriteQuoted(f, {}, Width == 0 ? std::string(s.row.Get(Column)) : RightAligned<Width>(s.row.Get(Column)));
}
template <auto Column>
void ReadText(const NutritionTarget& t, CsvFieldReader& r)
{
    t.row.Set(Column, ReadCsvText(r));
}
// ServeSize after the escape text of a line start.
void WriteEscapedServeSize(const NutritionSource& s, RecordFields& f)
{
    WriteQuoted(f, "\\x0d\\x03", RightAligned<10>(s.row.Get(kServeSize)));
}

template <std::size_t I>
constexpr Field kCsvNutrient[] = {
    F::CsvCustom(WritePlainText<Content(I), 0>, ReadText<Content(I)>),
    F::CsvNumber(Percent(I)),
};
template <std::size_t I>
constexpr Field kQuotedNutrient[] = {
    F::CsvCustom(WriteQuotedText<Content(I), 0>, ReadText<Content(I)>),
    F::CsvNumber(Unit(I)).WrittenAs(FixedUnit<I>),
    F::CsvNumber(Percent(I)),
};
constexpr Field kCsvPercents[] = {
    F::CsvNumber(Percent(8)), F::CsvNumber(Percent(9)), F::CsvNumber(Percent(10)), F::CsvNumber(Percent(11)),
};

std::int64_t One(const NutritionSource&) { return 1; }

constexpr Field kCsvRecord[] = {
    F::CsvNumber("Nutrition_No", Key, PutKey),
    F::CsvCustom(WriteEscapedServeSize, ReadText<kServeSize>),
    F::CsvCustom(WritePlainText<kServeCont, 4>, ReadText<kServeCont>),
    F::CsvNumber(kCalories),
    F::CsvNumber(kFatCalories),
    F::Block(kCsvNutrient<0>), F::Block(kCsvNutrient<1>), F::Block(kCsvNutrient<2>), F::Block(kCsvNutrient<3>),
    F::Block(kCsvNutrient<4>), F::Block(kCsvNutrient<5>), F::Block(kCsvNutrient<6>), F::Block(kCsvNutrient<7>),
    F::Block(kCsvPercents),
    F::CsvCustom(WritePlainText<Content(15), 0>, ReadText<Content(15)>),
};
constexpr Field kQuotedCsvRecord[] = {
    F::CsvNumber("Nutrition_No", Key, PutKey),
    F::CsvCustom(WriteQuotedText<kServeSize, 10>, ReadText<kServeSize>),
    F::CsvCustom(WriteQuotedText<kServeCont, 4>, ReadText<kServeCont>),
    F::CsvNumber(kCalories),
    F::CsvNumber(kFatCalories),
    F::Block(kQuotedNutrient<0>), F::Block(kQuotedNutrient<1>), F::Block(kQuotedNutrient<2>),
    F::Block(kQuotedNutrient<3>), F::Block(kQuotedNutrient<4>), F::Block(kQuotedNutrient<5>),
    F::Block(kQuotedNutrient<6>), F::Block(kQuotedNutrient<7>),
    F::Block(kCsvPercents),
    F::CsvCustom(WriteQuotedText<Content(15), 0>, ReadText<Content(15)>),
    F::CsvNumber("end", One).WriteOnly(),
};

std::span<const Field> LayoutOf(NutritionForm form)
{
    switch (form) {
    case NutritionForm::Text: return kTextRecord;
    case NutritionForm::Binary: return kBinaryRecord;
    case NutritionForm::Csv: return kCsvRecord;
    case NutritionForm::QuotedCsv: return kQuotedCsvRecord;
    case NutritionForm::File:
    case NutritionForm::DataSave: break;
    }
    return kSixDigitKeyRecord;
}

bool IsCsv(NutritionForm form) { return form == NutritionForm::Csv || form == NutritionForm::QuotedCsv; }

// A comma-separated record's text up to its first 0 byte, ended by one, for the in-place readers.
std::vector<char> CsvText(std::span<const std::uint8_t> record)
{
    std::vector<char> text(record.begin(), std::ranges::find(record, 0));
    text.push_back('\0');
    return text;
}

// ---- The custom records.

// The text record's positions.
constexpr std::size_t kCustomTextLength = 43;
constexpr std::size_t kCustomValuesAt = 17;
constexpr std::size_t kCustomBinaryLength = 31;

}  // namespace

void WriteNutritionRecord(const NutritionRecordSite& site, std::uint32_t key, const CNutritionRec& row,
                          RecordFields& out)
{
    WriteLayout<NutritionRecordKind>(LayoutOf(site.form), NutritionSource{site, key, row}, out);
}

std::optional<std::uint32_t> ReadNutritionRecord(const NutritionRecordSite& site, std::span<const std::uint8_t> record,
                                                 CNutritionRec& row)
{
    std::optional<std::uint32_t> key;
    const NutritionTarget target{site, key, row};
    if (IsCsv(site.form)) {
        std::vector<char> text = CsvText(record);
        std::size_t position = 0;
        CsvFieldReader reader(std::span<char>(text).first(text.size() - 1), position, {});
        ReadCsvLayout<NutritionRecordKind>(LayoutOf(site.form), target, reader);
    } else {
        RecordReader reader(record);
        ReadLayout<NutritionRecordKind>(LayoutOf(site.form), target, reader);
    }
    return key;
}

std::optional<std::uint32_t> ReadNutritionKey(const NutritionRecordSite& site, std::span<const std::uint8_t> record)
{
    CNutritionRec scratch;
    return ReadNutritionRecord(site, record, scratch);
}

void WriteCustomNutrition(CustomNutritionForm form, std::uint32_t key, const StandardNutrition& values,
                          std::span<const CustomNutritionField> fields, RecordFields& out)
{
    switch (form) {
    case CustomNutritionForm::Text: {
        const std::size_t start = out.Position();
        out.Text("6002");
        out.Decimal("Nutrition_No", key, 6);
        out.BlankPadded("EnergyKj", values.energyKj, 4);
        out.BlankPadded("Calories", values.calories, 3);
        for (const CustomNutritionField& field : fields) {
            if (out.Position() - start + field.width > kCustomTextLength) break;
            out.BlankPadded("Percent", values.GetField(field.fieldNo), field.width);
        }
        const std::size_t written = out.Position() - start;
        if (written < kCustomTextLength) out.Text(std::string(kCustomTextLength - written, '0'));
        return;
    }
    case CustomNutritionForm::Binary: {
        const std::size_t start = out.Position();
        out.Bcd("Nutrition_No", key, 8);
        out.Bcd("EnergyKj", values.energyKj, 4);
        out.Bcd("Calories", values.calories, 4);
        for (const CustomNutritionField& field : fields) out.Bcd("Percent", values.GetField(field.fieldNo), 2);
        const std::size_t written = out.Position() - start;
        if (written < kCustomBinaryLength) out.ZeroBytes(kCustomBinaryLength - written);
        return;
    }
    case CustomNutritionForm::Csv:
        out.CsvNumber(key);
        out.CsvNumber(values.energyKj);
        out.CsvNumber(values.calories);
        for (const CustomNutritionField& field : fields) out.CsvNumber(values.GetField(field.fieldNo));
        return;
    }
}

std::optional<std::uint32_t> ReadCustomNutrition(CustomNutritionForm form, std::span<const std::uint8_t> record,
                                                 std::span<const CustomNutritionField> fields, StandardNutrition& values)
{
    const auto set = [&](std::uint16_t fieldNo, const auto& value) {
        if (value) (void)values.SetField(fieldNo, static_cast<std::int32_t>(*value));
    };
    std::optional<std::uint32_t> key;
    switch (form) {
    case CustomNutritionForm::Text: {
        RecordReader reader(record);
        reader.Skip(4);
        if (const auto number = reader.Decimal(6); number && *number >= 0) key = static_cast<std::uint32_t>(*number);
        set(StandardNutrition::kEnergyKjField, reader.Decimal(4));
        set(StandardNutrition::kCaloriesField, reader.Decimal(3));
        std::size_t at = kCustomValuesAt;
        for (const CustomNutritionField& field : fields) {
            if (at + field.width > kCustomTextLength) break;
            set(field.fieldNo, reader.Decimal(field.width));
            at += field.width;
        }
        break;
    }
    case CustomNutritionForm::Binary: {
        RecordReader reader(record);
        set(StandardNutrition::kEnergyKjField, reader.Bcd(4));
        set(StandardNutrition::kCaloriesField, reader.Bcd(4));
        for (const CustomNutritionField& field : fields) set(field.fieldNo, reader.Bcd(2));
        break;
    }
    case CustomNutritionForm::Csv: {
        std::vector<char> text = CsvText(record);
        std::size_t position = 0;
        CsvFieldReader reader(std::span<char>(text).first(text.size() - 1), position, {});
        if (const auto number = reader.Number(); number && *number >= 0) key = static_cast<std::uint32_t>(*number);
        set(StandardNutrition::kEnergyKjField, reader.Number());
        set(StandardNutrition::kCaloriesField, reader.Number());
        for (const CustomNutritionField& field : fields) set(field.fieldNo, reader.Number());
        break;
    }
    }
    return key;
}

}  // namespace varnel
