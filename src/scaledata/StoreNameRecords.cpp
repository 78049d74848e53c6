#include "scaledata/StoreNameRecords.h"

#include "db/text/DbcsString.h"
#include "db/text/DoubleByteText.h"
#include "db/text/EscapeCodes.h"
#include "db/text/NationalChars.h"
#include "db/text/ScaleFontCodes.h"
#include "platform/ByteOrder.h"
#include "scaledata/RowRecordKind.h"

#include <algorithm>
#include <array>
#include <string>

namespace varnel {
namespace {

using namespace store_name_columns;
using Kind = RowRecordKind<CStoreNameRec, StoreRecordSite, kColumns>;
using F = LayoutFields<Kind>;
using Field = LayoutField<Kind>;
using Source = Kind::Source;
using Target = Kind::Target;
using Site = StoreRecordSite;

constexpr std::uint8_t kLineStart = 0x0D;
constexpr std::size_t kBlockSize = 101;
constexpr std::size_t kBlockUsedMax = 100;  // the block's last byte stays 0
constexpr std::size_t kLumenTextWidth = 97;
constexpr std::size_t kPaddedAddressWidth = 47;
constexpr std::size_t kChinaTextMax = 100;

bool IsUsa(const Site& s) { return s.rules.market == MarketUsa; }
bool IsNotUsa(const Site& s) { return !IsUsa(s); }
bool IsStyledMarket(const Site& s)
{
    const std::uint16_t m = s.rules.market;
    return m == MarketThailand || m == MarketHongKong || m == MarketTaiwan;
}
bool IsChina(const Site& s) { return s.rules.market == MarketChina; }
bool IsPaddedMarket(const Site& s) { return !IsStyledMarket(s) && !IsChina(s); }

std::string FontCode(std::uint8_t font) { return MakeEscCode('C', static_cast<char>('0' + font)); }

// The style escapes of a text's style bits, in the order bold, reverse, italic.
constexpr std::array<std::pair<std::uint8_t, char>, 3> kStyleDigits{
    {{StoreBold, '1'}, {StoreReverse, '2'}, {StoreItalic, '3'}}};

// A text padded with blanks to its field's width; a longer one refuses the record.
void WritePadded(RecordFields& f, std::string_view field, std::string_view text, std::size_t width)
{
    if (text.size() > width) return f.Refuse(field);
    f.Text(text, field);
    f.Text(std::string(width - text.size(), ' '));
}

// ---- Text records.

// The styled texts of markets 3, 5 and 10 in the room the record has left (its 0 byte kept).
void WriteStyledTexts(const Source& s, RecordFields& f)
{
    const std::size_t room = f.Rest().empty() ? 0 : f.Rest().size() - 1;
    const bool thai = s.site.rules.IsThai();
    const CharRule& chars = s.site.rules.chars;
    std::string text;
    const auto put = [&](std::string_view piece, std::size_t limit) {
        if (text.size() + piece.size() <= std::min(limit, room)) text += piece;
    };
    const auto putStyles = [&](std::uint8_t style, std::size_t limit) {
        for (const auto& [bit, digit] : kStyleDigits)
            if ((style & bit) != 0) put(MakeEscCode('D', digit), limit);
    };
    const auto putText = [&](std::string_view piece, std::size_t limit) {
        const std::size_t end = std::min(limit, room);
        if (text.size() < end) text += DbcsLeft(piece, end - text.size(), chars);
    };

    const StoreText name = s.row.GetName();
    if (name.font <= 7) put(FontCode(name.font), room);
    putStyles(name.style, room);
    putText(name.text, thai ? 72 : 88);
    putStyles(name.style, room);

    const StoreText address = s.row.GetAddress();
    const std::size_t limit = thai ? text.size() + 72 : 100;
    if (address.font <= 7) put(FontCode(address.font), room);
    putStyles(address.style, limit);
    putText(address.text, limit);
    putStyles(address.style, limit);
    f.Text(text, "Name");
}

// China: the name in font 0 or 1 and the address in font 0, at most 100 bytes of text together.
void WriteChinaTexts(const Source& s, RecordFields& f)
{
    const CharRule& chars = s.site.rules.chars;
    const StoreText name = s.row.GetName();
    const std::string_view nameText = DbcsLeft(name.text, kChinaTextMax, chars);
    f.Text(MakeEscCode('C', name.font != 0 ? '1' : '0'));
    f.Text(nameText, "Name");
    f.Text(MakeEscCode('C', '0'));
    f.Text(DbcsLeft(s.row.GetAddress().text, kChinaTextMax - nameText.size(), chars), "Address");
}

// Other markets: the name behind its font code (when the switch is on or the font is not 0) padded
// to 36 bytes (47 with the switch), then the address padded to 47.
void WritePaddedTexts(const Source& s, RecordFields& f)
{
    const StoreText name = s.row.GetName();
    std::string field;
    if (s.site.fontSwitch || name.font != 0)
        field = FontCode(static_cast<std::uint8_t>(name.font + (s.site.rules.ausNzNutrition ? 1 : 0)));
    field += name.text;
    WritePadded(f, "Name", field, s.site.fontSwitch ? 47 : 36);
    WritePadded(f, "Address", s.row.GetAddress().text, kPaddedAddressWidth);
}

void WriteNarrowTexts(const Source& s, RecordFields& f)
{
    WritePadded(f, "Name", s.row.GetName().text, s.site.fontSwitch ? 70 : 36);
    WritePadded(f, "Address", s.row.GetAddress().text, s.site.fontSwitch ? 70 : kPaddedAddressWidth);
}

constexpr Field kTextRecord[] = {
    F::Literal("34"),
    F::Literal("01").When(IsNotUsa),
    F::Decimal(2, "Store_No", Kind::Key),
    F::Custom(0, WriteStyledTexts, nullptr).When(IsStyledMarket),
    F::Custom(0, WriteChinaTexts, nullptr).When(IsChina),
    F::Custom(0, WritePaddedTexts, nullptr).When(IsPaddedMarket),
};

constexpr Field kNarrowRecord[] = {
    F::Literal("34"),
    F::Decimal(2, "Store_No", Kind::Key),
    F::Custom(0, WriteNarrowTexts, nullptr),
};

// ---- Blocks of families 6 and 8.

void StoreLength(std::uint8_t* at, std::uint16_t length, bool bigEndian)
{
    if (bigEndian)
        StoreBe16(at, length);
    else
        StoreLe16(at, length);
}

void WriteBlock(const Site& site, const StoreText& t, RecordFields& f)
{
    const std::size_t start = f.Position();
    f.ZeroBytes(2);
    f.Byte(kLineStart);
    f.Byte(ScaleFontCodeToFont(site.rules, static_cast<char>('0' + t.font)));
    for (const auto& [bit, digit] : kStyleDigits)
        if ((t.style & bit) != 0) f.Byte(EffectDigitToAttr(digit));
    const std::size_t used = f.Position() - start;
    std::string text(DbcsLeft(t.text, kBlockUsedMax - std::min(used, kBlockUsedMax), site.rules.chars));
    if (site.rules.market == MarketNorway)
        for (char& ch : text) ch = TranslateChar(ch, NorwayChars().database, NorwayChars().scale);
    f.Text(text);
    if (!f.Ok()) return;
    const std::size_t length = f.Position() - start;
    f.ZeroBytes(kBlockSize - length);
    if (f.Ok()) StoreLength(f.WrittenSince(start).data(), static_cast<std::uint16_t>(length - 2), site.bigEndian);
}

// The font digit of a font byte; a font that has no digit code gives 0.
std::uint8_t FontDigitOf(const TextRules& rules, std::uint8_t fontByte)
{
    bool effect2 = false;
    const char code = FontToScaleFontCode(rules, fontByte, effect2);
    return code >= '0' && code <= '9' ? static_cast<std::uint8_t>(code - '0') : 0;
}

std::uint8_t StyleBitOfAttr(std::uint8_t attr)
{
    for (const auto& [bit, digit] : kStyleDigits)
        if (AttrToEffectDigit(attr) == digit) return bit;
    return 0;
}

// What a scale's block holds: a 0 byte ends it, 0x0D and a font byte give the font, other control
// bytes are styles, the rest is text (kept to the column's width).
struct ReadText {
    std::string text;
    std::uint8_t font = 0;
    std::uint8_t style = 0;
};

ReadText ReadBlock(const TextRules& rules, std::span<const std::uint8_t> block)
{
    ReadText read;
    const std::string_view bytes(reinterpret_cast<const char*>(block.data()), std::min(block.size(), kBlockUsedMax));
    std::size_t position = 2;
    while (position < bytes.size() && read.text.size() < CStoreNameRec::kTextMax) {
        const auto byte = static_cast<std::uint8_t>(bytes[position]);
        if (byte == 0) break;
        if (byte == kLineStart) {
            if (position + 1 >= bytes.size()) break;
            read.font = FontDigitOf(rules, static_cast<std::uint8_t>(bytes[position + 1]));
            position += 2;
        } else if (byte < 32) {
            read.style |= StyleBitOfAttr(byte);
            ++position;
        } else {
            const std::size_t length = GetCharLength(bytes.substr(position), rules.chars);
            if (length == 0 || read.text.size() + length > CStoreNameRec::kTextMax) break;
            read.text.append(bytes.substr(position, length));
            position += length;
        }
    }
    return read;
}

template <bool Address>
void WriteStoreBlock(const Source& s, RecordFields& f)
{
    WriteBlock(s.site, Address ? s.row.GetAddress() : s.row.GetName(), f);
}
template <bool Address>
void ReadStoreBlock(const Target& t, RecordReader& r)
{
    const std::span<const std::uint8_t> block = r.Rest().first(std::min(r.Rest().size(), kBlockSize));
    r.Skip(block.size());
    if (block.size() < 2) return;
    const ReadText read = ReadBlock(t.site.rules, block);
    if (Address)
        t.row.SetAddress(read.text, read.font, read.style);
    else
        t.row.SetName(read.text, read.font, read.style);
}

constexpr Field kBinaryRecord[] = {
    F::Bcd(4, "Store_No", Kind::Key, Kind::PutKey),
    F::Custom(kBlockSize, WriteStoreBlock<false>, ReadStoreBlock<false>),
    F::Custom(kBlockSize, WriteStoreBlock<true>, ReadStoreBlock<true>),
};

// ---- The file link's record of family 7.

void WriteLumenNumber(const Source& s, RecordFields& f)
{
    if (s.key > 0xFFFF) return f.Refuse("Store_No");
    std::array<std::uint8_t, 2> number{};
    StoreBe16(number.data(), static_cast<std::uint16_t>(s.key));
    f.Byte(number[0]);
    f.Byte(number[1]);
}
void ReadLumenNumber(const Target& t, RecordReader& r)
{
    const std::optional<std::uint8_t> high = r.Byte();
    const std::optional<std::uint8_t> low = r.Byte();
    if (high && low) t.key = static_cast<std::uint32_t>(*high << 8 | *low);
}

template <bool Address>
void WriteLumenText(const Source& s, RecordFields& f)
{
    const StoreText t = Address ? s.row.GetAddress() : s.row.GetName();
    const std::string_view text = DbcsLeft(t.text, kLumenTextWidth, s.site.rules.chars);
    std::array<std::uint8_t, 2> length{};
    StoreBe16(length.data(), static_cast<std::uint16_t>(text.size() + 2));
    f.Byte(length[0]);
    f.Byte(length[1]);
    f.Byte(kLineStart);
    f.Byte(t.font);
    f.Text(text);
    f.ZeroBytes(kLumenTextWidth - text.size() + 1);
}
template <bool Address>
void ReadLumenText(const Target& t, RecordReader& r)
{
    r.Skip(3);
    const std::optional<std::uint8_t> font = r.Byte();
    const std::span<const std::uint8_t> rest = r.Rest();
    const std::string_view field(reinterpret_cast<const char*>(rest.data()), std::min(rest.size(), kLumenTextWidth));
    r.Skip(kLumenTextWidth + 1);
    if (!font) return;
    const std::string_view text = DbcsLeft(field, kLumenTextWidth, t.site.rules.chars);
    if (Address)
        t.row.SetAddress(text, *font, t.row.GetAddress().style);
    else
        t.row.SetName(text, *font, t.row.GetName().style);
}

constexpr Field kLumenRecord[] = {
    F::Custom(2, WriteLumenNumber, ReadLumenNumber),
    F::Custom(2 + 2 + kLumenTextWidth + 1, WriteLumenText<false>, ReadLumenText<false>),
    F::Custom(2 + 2 + kLumenTextWidth + 1, WriteLumenText<true>, ReadLumenText<true>),
};

// ---- The Data Save record.

constexpr std::size_t kDataSaveAddressWidth = 48;
constexpr std::size_t kDataSaveNameWidth = 36;
constexpr std::uint8_t kDataSaveFontCode = 3;
constexpr std::uint8_t kDataSaveLargeFontCode = 8;

template <bool Address>
void WriteDataSaveText(const Source& s, RecordFields& f)
{
    const std::string_view text = Address ? s.row.GetAddress().text : s.row.GetName().text;
    const std::size_t width = Address ? kDataSaveAddressWidth : kDataSaveNameWidth;
    if (text.size() > width) return f.Refuse(Address ? "Address" : "Name");
    f.Text(text);
    f.ZeroBytes(width - text.size());
}
// The field's bytes with every control byte (and so the padding) dropped.
template <bool Address>
void ReadDataSaveText(const Target& t, RecordReader& r)
{
    const std::size_t width = Address ? kDataSaveAddressWidth : kDataSaveNameWidth;
    std::string text;
    for (const char ch : r.Text(width))
        if (static_cast<std::uint8_t>(ch) >= 32) text += ch;
    if (Address)
        t.row.SetAddress(text, t.row.GetAddress().font, t.row.GetAddress().style);
    else
        t.row.SetName(text, t.row.GetName().font, t.row.GetName().style);
}

std::int64_t NameFontCode(const Source& s)
{
    return s.row.GetName().font == 1 ? kDataSaveLargeFontCode : kDataSaveFontCode;
}
void PutNameFontCode(const Target& t, std::int64_t code)
{
    const StoreText name = t.row.GetName();
    t.row.SetName(std::string(name.text), code == kDataSaveLargeFontCode ? 1 : 0, name.style);
}

constexpr Field kDataSaveRecord[] = {
    F::Bcd(2, "Store_No", Kind::Key, Kind::PutKey),
    F::Literal("\x0D\x03"),
    F::Custom(kDataSaveAddressWidth, WriteDataSaveText<true>, ReadDataSaveText<true>),
    F::Literal("\x0D"),
    F::Byte("Name_Font", NameFontCode, PutNameFontCode),
    F::Custom(kDataSaveNameWidth, WriteDataSaveText<false>, ReadDataSaveText<false>),
};

std::span<const Field> LayoutOf(StoreForm form)
{
    switch (form) {
    case StoreForm::Text: return kTextRecord;
    case StoreForm::Narrow: return kNarrowRecord;
    case StoreForm::Binary: return kBinaryRecord;
    case StoreForm::Lumen: return kLumenRecord;
    case StoreForm::DataSave: return kDataSaveRecord;
    }
    return {};
}

}  // namespace

void WriteStoreRecord(StoreForm form, const StoreRecordSite& site, std::uint32_t number, const CStoreNameRec& row,
                      RecordFields& out)
{
    WriteLayout<Kind>(LayoutOf(form), Source{site, number, row}, out);
}

std::optional<std::uint32_t> ReadStoreNumber(StoreForm form, std::span<const std::uint8_t> record)
{
    const std::span<const Field> layout = LayoutOf(form);
    if (layout.empty() || form == StoreForm::Text || form == StoreForm::Narrow) return std::nullopt;
    const StoreRecordSite site;
    std::optional<std::uint32_t> key;
    CStoreNameRec row;
    RecordReader reader(record);
    ReadLayout<Kind>(layout.first(1), Target{site, key, row}, reader);
    return key;
}

void ReadStoreRecord(StoreForm form, const StoreRecordSite& site, std::span<const std::uint8_t> record,
                     CStoreNameRec& row)
{
    if (form == StoreForm::Text || form == StoreForm::Narrow) return;
    std::optional<std::uint32_t> key;
    RecordReader reader(record);
    ReadLayout<Kind>(LayoutOf(form), Target{site, key, row}, reader);
}

}  // namespace varnel
