#include "db/records/ScaleRecordOut.h"

#include "db/text/LineText.h"
#include "db/text/RecordHeader.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace varnel {

void ClearScaleRecordOut(ScaleRecordOut& out)
{
    out.length = 0;
    out.code = 0;
    if (!out.buffer.empty()) out.buffer[0] = 0;
}

const SiteSettings& BuildSettings(const ScaleRecordOut& out)
{
    if (out.settings == nullptr) {
        std::fprintf(stderr, "A PLU scale record was asked for without the site's settings.\n");
        std::abort();
    }
    return *out.settings;
}

void ReportRefusal(IEventLog& eventLog, const CLinkScaleSettings& scale, std::uint32_t key, ScaleRecordOut& out)
{
    if (out.refusedField.empty()) return;
    if (out.refusals)
        out.refusals->RecordRefused(key, out.refusedField);
    else
        LogRefusedRecord(eventLog, scale.m_name, key, out.refusedField);
    out.refusedField = {};
}

bool FinishScaleRecord(const RecordFields& fields, std::uint16_t code, ScaleRecordOut& out)
{
    if (!fields.Ok() || fields.Position() > 0xFFFF) {
        out.refusedField = fields.RefusedField();
        ClearScaleRecordOut(out);
        return false;
    }
    out.length = static_cast<std::uint16_t>(fields.Position());
    out.code = code;
    return true;
}

void PutScaleRecordHeader(ScaleRecordOut& out, const RecordFields& fields, std::uint16_t code, bool shortHeader)
{
    if (!fields.Ok() || out.buffer.size() < kRecordHeaderSize) return;
    const auto bodyLength = static_cast<std::uint16_t>(fields.Position() - kRecordHeaderSize);
    const RecordHeader header = out.buffer.first<kRecordHeaderSize>();
    if (shortHeader)
        MakeShortRecordHeader(header, code, bodyLength);
    else
        MakeRecordHeader(header, code, bodyLength);
}

void WriteLineTextField(const TextRules& rules, RecordFields& f, std::string_view text, std::uint16_t family,
                        bool allEffects, bool bigEndian, std::size_t limit)
{
    const std::size_t lengthAt = f.Position();
    f.ZeroBytes(2);
    if (!f.Ok()) return;
    const std::span<std::uint8_t> rest = f.Rest();
    // The converter keeps 2 bytes of its output for the 0 byte and the even pad.
    const std::size_t room = rest.size() < 2 || limit > rest.size() - 2 ? rest.size() : limit + 2;
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), room);
    const std::size_t length =
        allEffects ? EscapeTextToLineText(rules, out, text) : EscapeTextToLineTextForType(rules, family, out, text);
    f.Advance(length);
    std::uint8_t* field = f.WrittenSince(lengthAt).data();
    const auto count = static_cast<std::uint16_t>(length);
    if (bigEndian)
        StoreBe16(field, count);
    else
        StoreLe16(field, count);
}

}  // namespace varnel
