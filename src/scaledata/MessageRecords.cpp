#include "scaledata/MessageRecords.h"

#include "db/records/RecordLayout.h"
#include "db/records/ScaleRecordOut.h"
#include "db/text/LineText.h"
#include "db/text/RecordReader.h"
#include "db/text/ScaleCharset.h"
#include "scaledata/ComputedRecordKind.h"
#include "scaledata/QuotedFields.h"

#include <algorithm>
#include <vector>

namespace varnel {
namespace {

struct MessageRecordKind : ComputedRecordKind<MessageRecordSource, MessageRecordTarget> {
    using Site = MessageRecordSite;

    static Site SiteOf(const Source& s) { return s.site; }
    static Site SiteOf(const Target& t) { return t.site; }
};

using F = LayoutFields<MessageRecordKind>;
using Field = LayoutField<MessageRecordKind>;
using Site = MessageRecordSite;

std::int64_t Code(const MessageRecordSource& s) { return s.code; }
std::int64_t Number(const MessageRecordSource& s) { return s.number; }
void PutNumber(const MessageRecordTarget& t, std::int64_t value)
{
    if (value >= 0 && value <= 0xFFFFFFFF) t.number = static_cast<std::uint32_t>(value);
}

template <std::uint8_t Digits>
bool HasDigits(const Site& s)
{
    return s.numberDigits == Digits;
}
bool TagsSlot02(const Site& s) { return s.slotTag && s.slot != 2; }
bool TagsSlot01(const Site& s) { return s.slotTag && s.slot == 2; }
// Family 7's 6- and 2-digit numbers are followed by a 0 byte.
bool PadsNumber(const Site& s) { return s.family == 7 && s.numberDigits != 4; }

std::span<char> CharsOf(std::span<std::uint8_t> bytes) { return {reinterpret_cast<char*>(bytes.data()), bytes.size()}; }
std::string_view TextOf(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The text in the scale's character set, then its 0 byte.
void WriteCharsetText(const MessageRecordSource& s, RecordFields& f)
{
    const std::span<std::uint8_t> rest = f.Rest();
    if (rest.empty()) return f.ZeroBytes(1);
    const std::size_t length = ConvertTextToScaleCharset(s.site.text, s.scale, s.text, CharsOf(rest).first(std::min(rest.size(), s.textLimit + 1)));
    f.Advance(length);
    f.ZeroBytes(1);
}
void ReadCharsetText(const MessageRecordTarget& t, RecordReader& r)
{
    std::vector<char> text(t.textLimit + 1);
    const std::size_t length = ConvertTextFromScaleCharset(t.site.text, t.scale, text, RecordText(r.Rest()));
    t.text.assign(text.data(), length);
}

void WriteLineTextHostOrder(const MessageRecordSource& s, RecordFields& f)
{
    WriteLineTextField(s.site.text, f, s.text, s.site.family, false, false, s.textLimit);
}
void WriteLineTextBigEndian(const MessageRecordSource& s, RecordFields& f)
{
    WriteLineTextField(s.site.text, f, s.text, s.site.family, s.site.family == 7, true, s.textLimit);
}
void WriteLineTextAllEffects(const MessageRecordSource& s, RecordFields& f)
{
    WriteLineTextField(s.site.text, f, s.text, s.site.family, true, false, s.textLimit);
}
// The line-coded text from the position to the record's end.
void ReadLineTextToEnd(const MessageRecordTarget& t, RecordReader& r)
{
    std::vector<char> text(t.textLimit + 1);
    LineTextToEscapeText(t.site.text, text, TextOf(r.Rest()));
    t.text = text.data();
}
// After the length word, which the reader passes over.
void ReadLineTextAfterLength(const MessageRecordTarget& t, RecordReader& r)
{
    r.Skip(2);
    if (!r.Ok()) {
        t.number.reset();  // shorter than its number and length fields
        return;
    }
    ReadLineTextToEnd(t, r);
}
// Data Save's text: its length word taken as stored, cut to the record.
void ReadCountedLineText(const MessageRecordTarget& t, RecordReader& r)
{
    const std::optional<std::uint8_t> low = r.Byte();
    const std::optional<std::uint8_t> high = r.Byte();
    if (!low || !high) {
        t.number.reset();
        return;
    }
    const std::span<const std::uint8_t> rest = r.Rest();
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(*high << 8 | *low), rest.size());
    std::vector<char> text(t.textLimit + 1);
    LineTextToEscapeText(t.site.text, text, TextOf(rest.first(length)));
    t.text = text.data();
}
void WriteLineTextToEnd(const MessageRecordSource& s, RecordFields& f)
{
    const std::span<std::uint8_t> rest = f.Rest();
    const std::size_t room = rest.size() < 2 || s.textLimit > rest.size() - 2 ? rest.size() : s.textLimit + 2;
    f.Advance(EscapeTextToLineText(s.site.text, CharsOf(rest).first(room), s.text));
}

// The line-coded text in a field of the limit's width, after its length.
void WritePaddedLineText(const MessageRecordSource& s, RecordFields& f)
{
    std::vector<char> text(s.textLimit + 2);
    const std::size_t length = std::min(EscapeTextToLineTextForType(s.site.text, s.site.family, text, s.text), s.textLimit);
    f.Byte(static_cast<std::uint8_t>(length & 0xFF));
    f.Byte(static_cast<std::uint8_t>(length >> 8));
    f.Text(std::string_view(text.data(), s.textLimit));
}

void WriteQuotedText(const MessageRecordSource& s, RecordFields& f)
{
    WriteQuotedField(s.site.text, s.scale, s.text, f, s.textLimit);
}
void ReadQuotedText(const MessageRecordTarget& t, CsvFieldReader& r)
{
    t.text = ReadQuotedField(t.site.text, t.scale, t.textLimit, r);
}

constexpr Field kTextRecord[] = {
    F::Decimal(2, "record code", Code).WriteOnly(),
    F::Literal("02").When(TagsSlot02),
    F::Literal("01").When(TagsSlot01),
    F::Decimal(2, "message number", Number, PutNumber).When(HasDigits<2>),
    F::Decimal(4, "message number", Number, PutNumber).When(HasDigits<4>),
    F::Decimal(6, "message number", Number, PutNumber).When(HasDigits<6>),
    F::Custom(0, WriteCharsetText, ReadCharsetText),
};

constexpr Field kBinaryRecord[] = {
    F::Bcd(8, "message number", Number, PutNumber),
    F::Custom(0, WriteLineTextHostOrder, ReadLineTextAfterLength),
};

constexpr Field kCsvRecord[] = {
    F::CsvNumber("message number", Number, PutNumber),
    F::CsvCustom(WriteQuotedText, ReadQuotedText),
};

constexpr Field kFileRecord[] = {
    F::Bcd(8, "message number", Number, PutNumber).When(HasDigits<8>),
    F::Bcd(6, "message number", Number, PutNumber).When(HasDigits<6>),
    F::Bcd(4, "message number", Number, PutNumber).When(HasDigits<4>),
    F::Bcd(2, "message number", Number, PutNumber).When(HasDigits<2>),
    F::Zeros(1).When(PadsNumber),
    F::Custom(0, WriteLineTextBigEndian, ReadLineTextAfterLength),
};

constexpr Field kDataSaveRecord[] = {
    F::Bcd(4, "message number", Number, PutNumber).When(HasDigits<4>),
    F::Custom(0, WriteLineTextAllEffects, ReadCountedLineText).When(HasDigits<4>),
    F::Bcd(2, "message number", Number, PutNumber).When(HasDigits<2>),
    F::Custom(0, WriteLineTextToEnd, ReadLineTextToEnd).When(HasDigits<2>),
};

constexpr Field kPopBinaryRecord[] = {
    F::Bcd(2, "message number", Number, PutNumber),
    F::Custom(0, WritePaddedLineText, ReadCountedLineText),
};

std::span<const Field> LayoutOf(MessageForm form)
{
    switch (form) {
    case MessageForm::Text: return kTextRecord;
    case MessageForm::Binary: return kBinaryRecord;
    case MessageForm::Csv: return kCsvRecord;
    case MessageForm::File: return kFileRecord;
    case MessageForm::PopBinary: return kPopBinaryRecord;
    case MessageForm::DataSave: break;
    }
    return kDataSaveRecord;
}

}  // namespace

void WriteMessageRecord(MessageForm form, const MessageRecordSource& source, RecordFields& out)
{
    WriteLayout<MessageRecordKind>(LayoutOf(form), source, out);
}

bool ReadMessageRecord(MessageForm form, const MessageRecordTarget& target, std::span<const std::uint8_t> record)
{
    target.number.reset();
    target.text.clear();
    if (form != MessageForm::Csv) {
        RecordReader reader(record);
        ReadLayout<MessageRecordKind>(LayoutOf(form), target, reader);
        return target.number.has_value();
    }
    std::vector<char> text(record.begin(), std::ranges::find(record, 0));
    text.push_back('\0');
    std::size_t position = 0;
    CsvFieldReader reader(std::span<char>(text).first(text.size() - 1), position, target.site.text.chars);
    ReadCsvLayout<MessageRecordKind>(kCsvRecord, target, reader);
    return target.number.has_value();
}

}  // namespace varnel
