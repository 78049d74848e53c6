// The scale records of one numbered text of a message or storage table, for the family of the scale
// it goes to: the record that sends it, the key record that deletes it and the reading of the
// records that scales send back; and the text's records in files (the file link's and Data Save's).
#pragma once

#include "db/plu/DBComTb.h"
#include "db/records/ScaleRecordOut.h"
#include "db/text/RecordHeader.h"
#include "scaledata/MessageRecords.h"
#include "scaledata/MessageRules.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

struct MessageToSend {
    std::uint32_t kind;  // MessageKind
    std::uint32_t number;
    std::string_view text;  // escape-coded
};

// Each record below is built or read for a site (MessageRules.h): the settings and text rules of
// the pass and the family of the scale or file, which for a scale must be the scale's own.

// False when the scale's family takes no record of the kind and number; a number wider than its
// field also names the refused field in `out`.
bool EncodeMessageRecord(const MessageSite& site, const CLinkScaleSettings& scale, const MessageToSend& message,
                         ScaleRecordOut& out);
bool EncodeMessageKeyRecord(const MessageSite& site, std::uint32_t kind, std::uint32_t number, ScaleRecordOut& out);

// The header in front of a record sent to a scale.
enum class HeaderKind : std::uint8_t { None, Short, Long };

// The record of the fields `write` puts after a header of the kind given; false, the output cleared
// and the refused field named, when they do not fit.
template <class Write>
bool BuildScaleRecord(ScaleRecordOut& out, HeaderKind header, std::uint16_t code, Write write)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    RecordFields fields(out.buffer);
    if (header != HeaderKind::None) fields.ZeroBytes(kRecordHeaderSize);
    write(fields);
    if (header != HeaderKind::None) PutScaleRecordHeader(out, fields, code, header == HeaderKind::Short);
    return FinishScaleRecord(fields, code, out);
}

// The site of a record that holds no slot: the family given, the market and text rules of the pass.
MessageRecordSite PlainRecordSite(const ScaleDataRoles& roles, std::uint16_t family);

// One record of a form (MessageRecords.h) for a site, after its header; false when the fields do not fit.
bool EncodeFormRecord(const CLinkScaleSettings& scale, MessageForm form, const MessageRecordSite& site,
                      HeaderKind header, std::uint16_t code, std::uint32_t number, std::string_view text,
                      std::size_t textLimit, ScaleRecordOut& out);
// The key record of the comma-separated families: the 8-byte header and "<number>,".
bool EncodeCsvKeyRecord(std::uint32_t number, std::uint16_t code, ScaleRecordOut& out);

struct ReceivedMessage {
    std::uint32_t number = 0;
    std::string text;  // escape-coded, at most the limit given
};

// A record of a form read back; none when no number could be read.
std::optional<ReceivedMessage> DecodeFormRecord(const CLinkScaleSettings& scale, MessageForm form,
                                                const MessageRecordSite& site, std::span<const std::uint8_t> record,
                                                std::size_t textLimit);

// Stores a text read back in the row of its number, which `put` fills and returns the size to store
// it with: false when none was read or the row cannot be stored; a number outside the table's is
// passed over (true). With `keepExisting` a row the table holds stays as it is.
bool StoreReceivedMessage(CDBComTb& table, const std::optional<ReceivedMessage>& received,
                          const std::function<std::uint16_t(CDBRecord&, const std::string&)>& put,
                          bool keepExisting = false);

// A record a scale sent (families 6 and above without its 8-byte header), read in the form of the
// scale's family as its encoder writes it; none when no number could be read.
std::optional<ReceivedMessage> DecodeMessageRecord(const MessageSite& site, const CLinkScaleSettings& scale,
                                                   std::uint32_t kind, std::span<const std::uint8_t> record,
                                                   std::size_t textLimit);

// The file link's record of families 6 to 8; false (length 0) for other families or a number that
// does not fit.
bool EncodeMessageFileRecord(const MessageSite& site, const MessageToSend& message, std::span<std::uint8_t> buffer,
                             std::uint16_t& length);
std::optional<ReceivedMessage> DecodeMessageFileRecord(const MessageSite& site, std::uint32_t kind,
                                                       std::span<const std::uint8_t> record, std::size_t textLimit);

// The Data Save record: the number in 4 BCD digits with the text's length, or in 2 when the general
// setup asks for the short form. 0 when the buffer cannot hold it or the number does not fit.
std::size_t EncodeMessageDataSaveRecord(const MessageSite& site, std::uint32_t number, std::string_view text,
                                        std::span<std::uint8_t> buffer);
std::optional<ReceivedMessage> DecodeMessageDataSaveRecord(const MessageSite& site,
                                                           std::span<const std::uint8_t> record, std::size_t textLimit);

}  // namespace varnel
