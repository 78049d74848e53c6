// The quoted text field of the comma-separated families' records (QuotedScaleText.h) as one field
// of a record being written or read.
#pragma once

#include "db/records/RecordLayout.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"
#include "db/text/RecordFields.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace varnel {

// The escape-coded text as the scale's quoted field with its comma, at most `maxScaleBytes` of it as
// the scale counts them and never past the record's room.
void WriteQuotedField(const TextRules& rules, const CLinkScaleSettings& scale, std::string_view text, RecordFields& f,
                      std::size_t maxScaleBytes = std::numeric_limits<std::size_t>::max());
// The field read back as escape-coded text of at most `limit` bytes; empty for a field that is not
// quoted. The reader moves past the field and its comma either way.
std::string ReadQuotedField(const TextRules& rules, const CLinkScaleSettings& scale, std::size_t limit,
                            CsvFieldReader& r);

}  // namespace varnel
