// A scale record's layout declared once, as data, and the one writer and one reader that walk it.
//
// A layout is a constant array of LayoutField: each field says how it is coded (fixed-width decimal,
// hexadecimal digit, packed BCD, byte, literal, zeros, comma-terminated number...), its width, the
// value it carries (a column of the row, or a value the record kind computes and takes back), and
// when it is there at all (a condition on the record's site: market, family, setup). WriteLayout puts
// the fields into a RecordFields; ReadLayout takes a fixed-width record back through a RecordReader and
// ReadCsvLayout a comma-separated one through a CsvFieldReader. A field whose value comes back from
// another field is marked write-only: the reader passes over it. A field whose two directions are not
// mirror images (a flag split in two on the way out, an "FF" standing for any value from 100) is a
// Custom field: a writer and a reader in code beside the table, each still declared at its place.
//
// The machinery knows no record kind. A kind is a traits class that names three types and a few
// functions:
//
//   struct MessageRecordKind {
//       using Source = ...;  // what a writer reads: the row and what the build knows
//       using Target = ...;  // what a reader fills: the row and what the decode knows
//       using Site = ...;    // what a condition looks at, built from either (small, by value)
//       static Site SiteOf(const Source&);  static Site SiteOf(const Target&);
//       static std::int64_t Number(const Source&, ColumnRef);      // a numeric column's value
//       static std::string_view Text(const Source&, ColumnRef);    // a text column's value
//       static void SetNumber(const Target&, ColumnRef, std::int64_t);  // cut to the column's type
//       static void SetText(const Target&, ColumnRef, std::string_view);
//       static constexpr std::string_view ColumnName(ColumnRef);   // the name a refusal gives
//   };
//
// and declares its layouts with the factories of LayoutFields<Kind>, for example
//
//   using F = LayoutFields<MessageRecordKind>;
//   constexpr LayoutField<MessageRecordKind> kFields[] = {
//       F::Bcd(6, MsgCol::Number), F::Byte(MsgCol::Font), F::Zeros(2),
//       F::Decimal(4, MsgCol::Width).When(IsWideMarket),
//   };
//
// ColumnRef converts from the column handles of ColumnLayout.h, so a kind whose rows are laid out by a
// column table binds its fields to those handles directly.
#pragma once

#include "db/text/Bcd.h"
#include "db/store/ColumnLayout.h"
#include "db/text/CsvFields.h"
#include "db/text/RecordFields.h"
#include "db/text/RecordReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

// A column of a fixed-layout row, whatever its type.
struct ColumnRef {
    enum class Type : std::uint8_t { None, Long, Short, Byte, Text };
    Type type = Type::None;
    std::uint16_t offset = 0;
    std::uint16_t size = 0;

    constexpr ColumnRef() = default;
    constexpr ColumnRef(LongColumn c) : type(Type::Long), offset(c.offset), size(4) {}
    constexpr ColumnRef(ShortColumn c) : type(Type::Short), offset(c.offset), size(2) {}
    constexpr ColumnRef(ByteColumn c) : type(Type::Byte), offset(c.offset), size(1) {}
    constexpr ColumnRef(TextColumn c) : type(Type::Text), offset(c.offset), size(c.size) {}

    constexpr bool IsNumber() const { return type == Type::Long || type == Type::Short || type == Type::Byte; }
};

// A numeric column of a row that has the typed Get and Set of ColumnLayout.h's handles; a value set
// is cut to the column's type.
template <class Row>
std::int64_t GetColumnNumber(const Row& row, ColumnRef c)
{
    switch (c.type) {
    case ColumnRef::Type::Long: return row.Get(LongColumn{c.offset});
    case ColumnRef::Type::Short: return row.Get(ShortColumn{c.offset});
    case ColumnRef::Type::Byte: return row.Get(ByteColumn{c.offset});
    default: return 0;
    }
}
template <class Row>
void SetColumnNumber(Row& row, ColumnRef c, std::int64_t value)
{
    switch (c.type) {
    case ColumnRef::Type::Long: return row.Set(LongColumn{c.offset}, static_cast<std::int32_t>(value));
    case ColumnRef::Type::Short: return row.Set(ShortColumn{c.offset}, static_cast<std::uint16_t>(value));
    case ColumnRef::Type::Byte: return row.Set(ByteColumn{c.offset}, static_cast<std::uint8_t>(value));
    default: return;
    }
}

// The fields of a comma-separated record, read in place one after the other (CsvFields.h).
class CsvFieldReader {
public:
    // Text fields are cut at whole characters under `chars`.
    CsvFieldReader(std::span<char> text, std::size_t& position, const CharRule& chars)
        : m_text(text), m_position(position), m_chars(chars)
    {
    }

    // The field as a number in 32 bits (a negative one in two's complement); none when empty.
    std::optional<std::int64_t> Number();
    // The field as a number of a column's type; none when empty or out of the type's range.
    std::optional<std::int64_t> NumberOf(ColumnRef column);
    // The field's text, at most `maximum` bytes.
    std::string Text(std::size_t maximum);
    void Skip(std::size_t count = 1);

    std::span<char> Buffer() const { return m_text; }
    std::size_t& Position() { return m_position; }

private:
    std::span<char> m_text;
    std::size_t& m_position;
    CharRule m_chars;
};

enum class FieldCoding : std::uint8_t {
    Decimal,        // `width` decimal digits, zero-padded; read as "%d" reads them
    HexDigit,       // one hexadecimal digit, lower case; read in either case
    HexDigitUpper,  // one hexadecimal digit, upper case
    Bcd,            // right-aligned in `width` packed-BCD digits
    BcdText,        // a digit text packed from the left, `width` digits
    RightAligned,   // a text right-aligned in `width` characters with '0' in front; read as it stands
    BlankDecimal,   // "%Nd": the value right-aligned in `width` characters with blanks in front
    BlankText,      // a text cut to `width` bytes, right-aligned with blanks; read without them
    Byte,           // the value's low byte
    Literal,        // the fixed text `literal`; read over
    Zeros,          // `width` zero bytes; read over
    CsvNumber,      // a comma-terminated decimal number
    CsvEmpty,       // `width` empty comma-terminated fields; read over
    Block,          // the fields of `block`, when the condition holds
    Custom,         // written and read by code
};

template <class Kind>
struct LayoutField {
    using Source = typename Kind::Source;
    using Target = typename Kind::Target;
    using Site = typename Kind::Site;

    FieldCoding coding = FieldCoding::Zeros;
    std::uint16_t width = 0;
    std::string_view name{};
    ColumnRef column{};
    // A value the kind computes rather than a column; `put` takes it back (none: read over).
    std::int64_t (*get)(const Source&) = nullptr;
    void (*put)(const Target&, std::int64_t) = nullptr;
    // Present only when it holds.
    bool (*when)(const Site&) = nullptr;
    // A comma-separated field written empty unless it holds; read whatever it holds.
    bool (*writtenWhen)(const Site&) = nullptr;
    bool writeOnly = false;
    // Read with fewer digits than written, in the same bytes; 0 reads what was written.
    std::uint8_t readWidth = 0;
    std::string_view literal{};
    std::span<const LayoutField> block{};
    // A block whose last `cut` characters the fields after it write over.
    std::uint16_t cut = 0;
    // A Custom field's two directions (a comma-separated layout's reader is `readCsv`).
    void (*write)(const Source&, RecordFields&) = nullptr;
    void (*read)(const Target&, RecordReader&) = nullptr;
    void (*readCsv)(const Target&, CsvFieldReader&) = nullptr;

    constexpr LayoutField When(bool (*condition)(const Site&)) const
    {
        LayoutField field = *this;
        field.when = condition;
        return field;
    }
    constexpr LayoutField WrittenWhen(bool (*condition)(const Site&)) const
    {
        LayoutField field = *this;
        field.writtenWhen = condition;
        return field;
    }
    // The block's last `count` characters are written over by what follows; a reader reads the block
    // only as far as it stands.
    constexpr LayoutField CutBy(std::size_t count) const
    {
        LayoutField field = *this;
        field.cut = static_cast<std::uint16_t>(count);
        return field;
    }
    // A column's field whose value goes out changed; the reader stores what it reads in the column.
    constexpr LayoutField WrittenAs(std::int64_t (*value)(const Source&)) const
    {
        LayoutField field = *this;
        field.get = value;
        return field;
    }
    // Read back as `digits` digits of the same bytes (a packed field whose top digit the scale uses
    // otherwise).
    constexpr LayoutField ReadAs(std::size_t digits) const
    {
        LayoutField field = *this;
        field.readWidth = static_cast<std::uint8_t>(digits);
        return field;
    }
    // Written only: the reader passes over it, its value coming back elsewhere or not at all.
    constexpr LayoutField WriteOnly() const
    {
        LayoutField field = *this;
        field.writeOnly = true;
        return field;
    }
};

// The factories of a kind's fields: a column's field takes its name from the kind; a computed one is
// named in the table.
template <class Kind>
struct LayoutFields {
    using Field = LayoutField<Kind>;
    using Getter = std::int64_t (*)(const typename Kind::Source&);
    using Putter = void (*)(const typename Kind::Target&, std::int64_t);

    static constexpr Field Of(FieldCoding coding, std::size_t width, ColumnRef column)
    {
        Field field;
        field.coding = coding;
        field.width = static_cast<std::uint16_t>(width);
        field.name = Kind::ColumnName(column);
        field.column = column;
        return field;
    }
    static constexpr Field Of(FieldCoding coding, std::size_t width, std::string_view name, Getter get, Putter put)
    {
        Field field;
        field.coding = coding;
        field.width = static_cast<std::uint16_t>(width);
        field.name = name;
        field.get = get;
        field.put = put;
        return field;
    }

    static constexpr Field Decimal(std::size_t width, ColumnRef c) { return Of(FieldCoding::Decimal, width, c); }
    static constexpr Field Decimal(std::size_t width, std::string_view name, Getter get, Putter put = nullptr)
    {
        return Of(FieldCoding::Decimal, width, name, get, put);
    }
    static constexpr Field Bcd(std::size_t digits, ColumnRef c) { return Of(FieldCoding::Bcd, digits, c); }
    static constexpr Field Bcd(std::size_t digits, std::string_view name, Getter get, Putter put = nullptr)
    {
        return Of(FieldCoding::Bcd, digits, name, get, put);
    }
    static constexpr Field BcdText(std::size_t digits, ColumnRef c) { return Of(FieldCoding::BcdText, digits, c); }
    static constexpr Field RightAligned(std::size_t width, ColumnRef c)
    {
        return Of(FieldCoding::RightAligned, width, c);
    }
    static constexpr Field BlankDecimal(std::size_t width, ColumnRef c) { return Of(FieldCoding::BlankDecimal, width, c); }
    static constexpr Field BlankText(std::size_t width, ColumnRef c) { return Of(FieldCoding::BlankText, width, c); }
    static constexpr Field HexDigit(ColumnRef c) { return Of(FieldCoding::HexDigit, 1, c); }
    static constexpr Field HexDigitUpper(ColumnRef c) { return Of(FieldCoding::HexDigitUpper, 1, c); }
    static constexpr Field Byte(ColumnRef c) { return Of(FieldCoding::Byte, 1, c); }
    static constexpr Field Byte(std::string_view name, Getter get, Putter put = nullptr)
    {
        return Of(FieldCoding::Byte, 1, name, get, put);
    }
    static constexpr Field CsvNumber(ColumnRef c) { return Of(FieldCoding::CsvNumber, 0, c); }
    static constexpr Field CsvNumber(std::string_view name, Getter get, Putter put = nullptr)
    {
        return Of(FieldCoding::CsvNumber, 0, name, get, put);
    }
    static constexpr Field CsvEmpty(std::size_t count = 1)
    {
        Field field;
        field.coding = FieldCoding::CsvEmpty;
        field.width = static_cast<std::uint16_t>(count);
        return field;
    }
    static constexpr Field Zeros(std::size_t count)
    {
        Field field;
        field.coding = FieldCoding::Zeros;
        field.width = static_cast<std::uint16_t>(count);
        return field;
    }
    static constexpr Field Literal(std::string_view text)
    {
        Field field;
        field.coding = FieldCoding::Literal;
        field.literal = text;
        return field;
    }
    static constexpr Field Block(std::span<const Field> fields)
    {
        Field field;
        field.coding = FieldCoding::Block;
        field.block = fields;
        return field;
    }
    // A fixed-width layout's custom field of `width` characters.
    static constexpr Field Custom(std::size_t width, void (*write)(const typename Kind::Source&, RecordFields&),
                                  void (*read)(const typename Kind::Target&, RecordReader&))
    {
        Field field;
        field.coding = FieldCoding::Custom;
        field.width = static_cast<std::uint16_t>(width);
        field.write = write;
        field.read = read;
        return field;
    }
    static constexpr Field CsvCustom(void (*write)(const typename Kind::Source&, RecordFields&),
                                     void (*read)(const typename Kind::Target&, CsvFieldReader&))
    {
        Field field;
        field.coding = FieldCoding::Custom;
        field.write = write;
        field.readCsv = read;
        return field;
    }
};

// The characters that the fields of a fixed-width layout present at the site take.
template <class Kind>
std::size_t FixedLength(std::span<const LayoutField<Kind>> layout, const typename Kind::Site& site);

namespace layout_detail {

// The bytes a fixed-width field takes.
template <class Kind>
std::size_t FixedSize(const LayoutField<Kind>& f, const typename Kind::Site& site)
{
    switch (f.coding) {
    case FieldCoding::Block: return FixedLength<Kind>(f.block, site) - f.cut;
    case FieldCoding::Bcd:
    case FieldCoding::BcdText: return BcdSize(f.width);
    case FieldCoding::HexDigit:
    case FieldCoding::HexDigitUpper:
    case FieldCoding::Byte: return 1;
    case FieldCoding::Literal: return f.literal.size();
    default: return f.width;
    }
}

template <class Kind>
void Store(const LayoutField<Kind>& f, const typename Kind::Target& target, std::optional<std::int64_t> value)
{
    if (!value) return;
    if (f.put)
        f.put(target, *value);
    else if (f.column.IsNumber())
        Kind::SetNumber(target, f.column, *value);
}

}  // namespace layout_detail

template <class Kind>
std::size_t FixedLength(std::span<const LayoutField<Kind>> layout, const typename Kind::Site& site)
{
    std::size_t length = 0;
    for (const LayoutField<Kind>& f : layout)
        if (!f.when || f.when(site)) length += layout_detail::FixedSize(f, site);
    return length;
}

template <class Kind>
void WriteLayout(std::span<const LayoutField<Kind>> layout, const typename Kind::Source& source, RecordFields& out)
{
    const typename Kind::Site site = Kind::SiteOf(source);
    for (const LayoutField<Kind>& f : layout) {
        if (f.when && !f.when(site)) continue;
        if (f.writtenWhen && !f.writtenWhen(site)) {
            out.CsvEmpty();
            continue;
        }
        const auto number = [&] { return f.get ? f.get(source) : Kind::Number(source, f.column); };
        switch (f.coding) {
        case FieldCoding::Decimal: out.Decimal(f.name, number(), f.width); break;
        case FieldCoding::HexDigit: out.HexDigit(f.name, number(), false); break;
        case FieldCoding::HexDigitUpper: out.HexDigit(f.name, number(), true); break;
        case FieldCoding::Bcd: out.Bcd(f.name, number(), f.width); break;
        case FieldCoding::BcdText: out.BcdText(f.name, Kind::Text(source, f.column), f.width); break;
        case FieldCoding::RightAligned: out.RightAligned(f.name, Kind::Text(source, f.column), f.width); break;
        case FieldCoding::BlankDecimal: out.BlankPadded(f.name, number(), f.width); break;
        case FieldCoding::BlankText: out.BlankAligned(f.name, Kind::Text(source, f.column), f.width); break;
        case FieldCoding::Byte: out.Byte(static_cast<std::uint8_t>(number())); break;
        case FieldCoding::Literal: out.Text(f.literal); break;
        case FieldCoding::Zeros: out.ZeroBytes(f.width); break;
        case FieldCoding::CsvNumber: out.CsvNumber(number()); break;
        case FieldCoding::CsvEmpty: out.CsvEmpty(f.width); break;
        case FieldCoding::Block:
            WriteLayout<Kind>(f.block, source, out);
            if (f.cut != 0 && out.Ok()) out.MoveBackTo(out.Position() - f.cut);
            break;
        case FieldCoding::Custom: f.write(source, out); break;
        }
    }
}

template <class Kind>
void ReadLayout(std::span<const LayoutField<Kind>> layout, const typename Kind::Target& target, RecordReader& in)
{
    const typename Kind::Site site = Kind::SiteOf(target);
    for (const LayoutField<Kind>& f : layout) {
        if (f.when && !f.when(site)) continue;
        const std::size_t width = f.readWidth != 0 ? f.readWidth : f.width;
        if (f.coding == FieldCoding::Block) {
            if (f.cut == 0) {
                ReadLayout<Kind>(f.block, target, in);
                continue;
            }
            const std::size_t length = layout_detail::FixedSize(f, site);
            RecordReader window = in.Window(length);
            ReadLayout<Kind>(f.block, target, window);
            in.Skip(length);
            continue;
        }
        if (f.coding == FieldCoding::Custom) {
            f.read(target, in);
            continue;
        }
        if (f.writeOnly || (!f.put && !f.column.IsNumber() && f.column.type != ColumnRef::Type::Text)) {
            in.Skip(layout_detail::FixedSize(f, site));
            continue;
        }
        switch (f.coding) {
        case FieldCoding::Decimal:
        case FieldCoding::BlankDecimal: layout_detail::Store(f, target, in.Decimal(width)); break;
        case FieldCoding::HexDigit:
        case FieldCoding::HexDigitUpper: layout_detail::Store(f, target, in.HexDigit()); break;
        case FieldCoding::Bcd: {
            const std::optional<std::uint32_t> value = in.Bcd(width);
            layout_detail::Store(f, target, value ? std::optional<std::int64_t>(*value) : std::nullopt);
            break;
        }
        case FieldCoding::Byte: {
            const std::optional<std::uint8_t> value = in.Byte();
            layout_detail::Store(f, target, value ? std::optional<std::int64_t>(*value) : std::nullopt);
            break;
        }
        case FieldCoding::BcdText:
            if (const std::optional<std::string> text = in.BcdText(f.width)) Kind::SetText(target, f.column, *text);
            break;
        case FieldCoding::RightAligned:
            if (const std::string_view text = in.Text(f.width); !text.empty()) Kind::SetText(target, f.column, text);
            break;
        case FieldCoding::BlankText: {
            const std::string_view text = in.Text(f.width);
            if (text.size() == f.width) Kind::SetText(target, f.column, text.substr(std::min(text.find_first_not_of(' '), text.size())));
            break;
        }
        default: in.Skip(layout_detail::FixedSize(f, site)); break;
        }
    }
}

template <class Kind>
void ReadCsvLayout(std::span<const LayoutField<Kind>> layout, const typename Kind::Target& target, CsvFieldReader& in)
{
    const typename Kind::Site site = Kind::SiteOf(target);
    for (const LayoutField<Kind>& f : layout) {
        if (f.when && !f.when(site)) continue;
        switch (f.coding) {
        case FieldCoding::Block: ReadCsvLayout<Kind>(f.block, target, in); break;
        case FieldCoding::Custom: f.readCsv(target, in); break;
        case FieldCoding::CsvEmpty: in.Skip(f.width); break;
        default:
            if (f.writeOnly || (!f.put && !f.column.IsNumber()))
                in.Skip();
            else
                layout_detail::Store(f, target, f.put ? in.Number() : in.NumberOf(f.column));
            break;
        }
    }
}

}  // namespace varnel
