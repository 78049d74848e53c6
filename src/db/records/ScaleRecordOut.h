// What every record builder does around its fields: the output cleared before a build, the record's
// length and code (or the refused field) handed back after it, the 8-byte header put over the body,
// and the line-coded text field of the binary records with its 16-bit length in front.
#pragma once

#include "db/plu/DBComTb.h"
#include "db/site/SiteSettings.h"
#include "db/site/TextRules.h"
#include "db/text/RecordFields.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace varnel {

void ClearScaleRecordOut(ScaleRecordOut& out);
// The settings the output was handed. A PLU record asked for without them is a programming error: it
// stops the program instead of building the record under some other market's rules.
const SiteSettings& BuildSettings(const ScaleRecordOut& out);
// The record written, or refused: false (the out cleared and the refused field named) when the fields
// failed or the record is longer than 65,535 bytes.
bool FinishScaleRecord(const RecordFields& fields, std::uint16_t code, ScaleRecordOut& out);
// After a builder gave false: a refusal it named goes to the output's listener, or else to the event
// log, and is cleared, so that a walk can go on with the next key.
void ReportRefusal(IEventLog& eventLog, const CLinkScaleSettings& scale, std::uint32_t key, ScaleRecordOut& out);
// The 8-byte header (short or not, RecordHeader.h) over the body written after it.
void PutScaleRecordHeader(ScaleRecordOut& out, const RecordFields& fields, std::uint16_t code, bool shortHeader);

// The text's 16-bit length (host order, or big-endian), then the escape-coded text in line-coded
// form, at most `limit` bytes of it: every effect kept, or those the family keeps.
void WriteLineTextField(const TextRules& rules, RecordFields& f, std::string_view text, std::uint16_t family,
                        bool allEffects, bool bigEndian, std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace varnel
