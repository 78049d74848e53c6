#include "scaledata/MessageEncoding.h"

#include "db/records/ScaleRecordOut.h"
#include "db/text/RecordHeader.h"
#include "scaledata/MessageRecords.h"
#include "scaledata/MessageRules.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/ScaleDataRoles.h"

#include <string_view>

namespace varnel {
namespace {

constexpr std::size_t kStorageCsvTextMax = 240;

bool IsStorageKind(std::uint32_t kind) { return kind == MsgStorageTemp || kind == MsgStorageInstruct; }

// Where a kind's records go on one family, or nothing.
struct Placement {
    MessageSite site;
    std::uint32_t slot = 0;
    std::uint16_t code = 0;  // the record code
    bool sent = false;
};

Placement PlacementOf(const MessageSite& site, std::uint32_t kind, std::uint32_t number)
{
    Placement p{site};
    const std::uint16_t family = p.site.family;
    if (family > 12) return p;
    p.slot = MessageSlotOf(p.site, kind);
    const bool storageCsv = IsStorageKind(kind) && (family == 9 || family == 11);
    p.code = storageCsv ? static_cast<std::uint16_t>(1001 + kind) : GetMessageRecordCode(p.site, p.slot);
    // A comment in the coupon slot is a coupon to family 10 only.
    const bool commentAsCoupon = kind == MsgComment && p.slot == 1 && family != 10;
    p.sent = p.slot != 0 && p.code != 0 && number <= GetMaxMessageNo(p.site, p.slot) && !commentAsCoupon;
    return p;
}

// Digits of a number field for a slot's highest number: 2 below 100, 4 below 10000, else 6.
std::uint8_t DigitsForMaximum(std::uint32_t maximum)
{
    if (maximum < 100) return 2;
    return maximum < 10000 ? 4 : 6;
}

struct TextShape {
    std::uint8_t digits;
    std::size_t limit;
};

// The number field and text limit of the text records; none where the family holds the number back.
std::optional<TextShape> TextShapeOf(const Placement& p, std::uint32_t number)
{
    const MessageSite& site = p.site;
    const bool coupon = p.slot == 1;
    switch (site.family) {
    case 1:
        if (!site.ausNz) return TextShape{4, 1000};
        return coupon ? TextShape{6, 1200} : TextShape{4, 150};
    case 2:
    case 3: return TextShape{2, 1000};
    default: break;
    }
    const bool usaCoupon = coupon && site.UsaCoupons();
    if (site.Market() == MarketUsa && number > 99 && !usaCoupon) return std::nullopt;
    const std::uint32_t maximum = GetMaxMessageNo(site, p.slot);
    std::uint8_t digits = 2;
    if (site.Market() != MarketUsa && maximum >= 100)
        digits = DigitsForMaximum(maximum);
    else if (usaCoupon)
        digits = 4;
    std::size_t limit = GetMaxMessageText(site, p.slot);
    if (site.Market() == MarketTaiwan) limit = coupon ? 16 : GetMaxMessageText(site, MsgExtra);
    return TextShape{digits, limit};
}

MessageRecordSite RecordSite(const Placement& p, std::uint8_t digits)
{
    const std::uint16_t family = p.site.family;
    const bool tagged = (family == 0 || family == 4 || family == 5) && p.site.Market() != MarketUsa;
    return {family, p.site.Market(), p.slot, digits, tagged, p.site.text};
}

std::optional<ReceivedMessage> Read(MessageForm form, const CLinkScaleSettings& scale, const MessageRecordSite& site,
                                    std::span<const std::uint8_t> record, std::size_t textLimit)
{
    std::optional<std::uint32_t> number;
    ReceivedMessage received;
    if (!ReadMessageRecord(form, {scale, site, number, received.text, textLimit}, record)) return std::nullopt;
    received.number = *number;
    return received;
}

// The number's digits in the file link's records.
std::uint8_t FileNumberDigits(const MessageSite& site, std::uint32_t kind)
{
    if (site.family != 7) return 8;
    if (site.ausNz) return kind == MsgCoupon ? 6 : 4;
    return site.Market() == MarketThailand ? 4 : 2;
}

std::uint8_t DataSaveNumberDigits(const MessageSite& site) { return site.setup.m_itemRecordExtension != 0 ? 2 : 4; }

}  // namespace

MessageRecordSite PlainRecordSite(const ScaleDataRoles& roles, std::uint16_t family)
{
    return {family, roles.Setup().m_market, 0, 0, false, roles.Text()};
}

bool EncodeFormRecord(const CLinkScaleSettings& scale, MessageForm form, const MessageRecordSite& site,
                      HeaderKind header, std::uint16_t code, std::uint32_t number, std::string_view text,
                      std::size_t textLimit, ScaleRecordOut& out)
{
    return BuildScaleRecord(out, header, code, [&](RecordFields& fields) {
        WriteMessageRecord(form, {scale, site, code, number, text, textLimit}, fields);
    });
}

bool EncodeCsvKeyRecord(std::uint32_t number, std::uint16_t code, ScaleRecordOut& out)
{
    return BuildScaleRecord(out, HeaderKind::Long, code, [number](RecordFields& fields) { fields.CsvNumber(number); });
}

std::optional<ReceivedMessage> DecodeFormRecord(const CLinkScaleSettings& scale, MessageForm form,
                                                const MessageRecordSite& site, std::span<const std::uint8_t> record,
                                                std::size_t textLimit)
{
    return Read(form, scale, site, record, textLimit);
}

bool StoreReceivedMessage(CDBComTb& table, const std::optional<ReceivedMessage>& received,
                          const std::function<std::uint16_t(CDBRecord&, const std::string&)>& put, bool keepExisting)
{
    if (!received) return false;
    return StoreReceivedNumber(
        table, received->number, [&](CDBRecord& record) { return put(record, received->text); }, keepExisting);
}

bool EncodeMessageRecord(const MessageSite& site, const CLinkScaleSettings& scale, const MessageToSend& message,
                         ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const Placement p = PlacementOf(site, message.kind, message.number);
    if (!p.sent) return false;
    const std::uint16_t family = p.site.family;
    if (family <= 5) {
        const std::optional<TextShape> shape = TextShapeOf(p, message.number);
        if (!shape) return false;
        return EncodeFormRecord(scale, MessageForm::Text, RecordSite(p, shape->digits), HeaderKind::None, p.code,
                                message.number, message.text, shape->limit, out);
    }
    const bool binary = family == 6 || family == 8;
    std::size_t limit = GetMaxMessageText(p.site, binary ? p.slot : message.kind);
    if (IsStorageKind(message.kind) && !binary) limit = kStorageCsvTextMax;
    return EncodeFormRecord(scale, binary ? MessageForm::Binary : MessageForm::Csv, RecordSite(p, 0),
                            binary ? HeaderKind::Short : HeaderKind::Long, p.code, message.number, message.text,
                            limit, out);
}

bool EncodeMessageKeyRecord(const MessageSite& messageSite, std::uint32_t kind, std::uint32_t number,
                            ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const Placement p = PlacementOf(messageSite, kind, number);
    if (!p.sent) return false;
    const MessageSite& site = p.site;
    const bool coupon = p.slot == 1;
    RecordFields fields(out.buffer);
    std::uint16_t code = 0;
    std::uint8_t digits = 2;
    switch (site.family) {
    case 0:
    case 4:
    case 5: {
        struct Prefix {
            std::string_view text;
            std::uint16_t code;
        };
        Prefix prefix{};
        switch (site.Market()) {
        case MarketUsa: prefix = {"", static_cast<std::uint16_t>(coupon ? 21 : 13)}; break;
        case MarketTaiwan:
            if (p.slot == 2) prefix = {"1301", 13};
            if (p.slot == 3) prefix = {"1101", 11};
            if (p.slot == 4) prefix = {"1201", 12};
            break;
        case MarketThailand:
            // As the scales of this market are sent it: the coupon key opens "1202" and is code 21.
            if (coupon) prefix = {"1202", 21};
            if (p.slot == 2) prefix = {"1301", 13};
            if (p.slot == 3) prefix = {"8002", 80};
            break;
        default: prefix = coupon ? Prefix{"2102", 21} : Prefix{"1301", 13}; break;
        }
        if (prefix.code == 0) return false;
        code = prefix.code;
        if (prefix.text.empty())
            fields.Decimal("record code", code, 2);
        else
            fields.Text(prefix.text);
        if (site.Market() != MarketUsa) digits = DigitsForMaximum(GetMaxMessageNo(site, p.slot));
        break;
    }
    case 1:
        code = coupon ? 21 : 13;
        fields.Decimal("record code", code, 2);
        if (site.ausNz) digits = coupon ? 6 : 4;
        break;
    case 2:
    case 3:
        if (coupon) return false;
        code = 13;
        fields.Decimal("record code", code, 2);
        break;
    case 6:
    case 8:
        code = static_cast<std::uint16_t>(coupon ? 5 : p.slot);
        fields.Bcd("message number", number, 8);
        return FinishScaleRecord(fields, code, out);
    default: {
        const bool storageFamily9 = IsStorageKind(kind) && site.family == 9;
        const std::uint16_t recordCode = storageFamily9 ? p.code : GetMessageRecordCode(site, p.slot);
        if (recordCode < 1000) return false;
        return EncodeCsvKeyRecord(number, static_cast<std::uint16_t>(recordCode - 1000), out);
    }
    }
    fields.Decimal("message number", number, digits);
    return FinishScaleRecord(fields, code, out);
}

std::optional<ReceivedMessage> DecodeMessageRecord(const MessageSite& site, const CLinkScaleSettings& scale,
                                                   std::uint32_t kind, std::span<const std::uint8_t> record,
                                                   std::size_t textLimit)
{
    const Placement p = PlacementOf(site, kind, 0);
    const std::uint16_t family = p.site.family;
    if (family >= 9) return Read(MessageForm::Csv, scale, RecordSite(p, 0), record, textLimit);
    if (family == 6 || family == 8) return Read(MessageForm::Binary, scale, RecordSite(p, 0), record, textLimit);
    const std::uint8_t digits = TextShapeOf(p, 0).value_or(TextShape{2, 0}).digits;
    return Read(MessageForm::Text, scale, RecordSite(p, digits), record, textLimit);
}

bool EncodeMessageFileRecord(const MessageSite& site, const MessageToSend& message, std::span<std::uint8_t> buffer,
                             std::uint16_t& length)
{
    length = 0;
    const std::uint16_t family = site.family;
    if (family < 6 || family > 8) return false;
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    const std::size_t limit = family == 7 ? (buffer.size() > 11 ? buffer.size() - 11 : 0) : GetMaxMessageText(site, message.kind);
    const MessageRecordSite recordSite{family, site.Market(), message.kind, FileNumberDigits(site, message.kind), false, site.text};
    RecordFields fields(buffer);
    WriteMessageRecord(MessageForm::File, {scale, recordSite, 0, message.number, message.text, limit}, fields);
    if (!fields.Ok() || fields.Position() > 0xFFFF) return false;
    length = static_cast<std::uint16_t>(fields.Position());
    return true;
}

std::optional<ReceivedMessage> DecodeMessageFileRecord(const MessageSite& site, std::uint32_t kind,
                                                       std::span<const std::uint8_t> record, std::size_t textLimit)
{
    const std::uint16_t family = site.family;
    if (family < 6 || family > 8) return std::nullopt;
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    const MessageRecordSite recordSite{family, site.Market(), kind, FileNumberDigits(site, kind), false, site.text};
    return Read(MessageForm::File, scale, recordSite, record, textLimit);
}

std::size_t EncodeMessageDataSaveRecord(const MessageSite& site, std::uint32_t number, std::string_view text,
                                        std::span<std::uint8_t> buffer)
{
    const CLinkScaleSettings scale;
    const MessageRecordSite recordSite{0, 0, 0, DataSaveNumberDigits(site), false, site.text};
    const std::size_t limit = buffer.size() > 2 ? buffer.size() - 2 : 0;
    RecordFields fields(buffer);
    WriteMessageRecord(MessageForm::DataSave, {scale, recordSite, 0, number, text, limit}, fields);
    return fields.Ok() ? fields.Position() : 0;
}

std::optional<ReceivedMessage> DecodeMessageDataSaveRecord(const MessageSite& site,
                                                           std::span<const std::uint8_t> record, std::size_t textLimit)
{
    const CLinkScaleSettings scale;
    const MessageRecordSite recordSite{0, 0, 0, DataSaveNumberDigits(site), false, site.text};
    return Read(MessageForm::DataSave, scale, recordSite, record, textLimit);
}

}  // namespace varnel
