// The system's message texts, keyed by their message numbers. Callers pass and compare the numbers;
// only the edge that shows a message turns it into text. A text lives in the table of the subsystem whose
// code uses its number, src/<subsystem>/MessageTexts.inc (see platform/MessageTable.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

using MessageId = std::uint32_t;

// The text of a message number; empty when the table has none.
std::string_view GetMessageText(MessageId id);

}  // namespace varnel
