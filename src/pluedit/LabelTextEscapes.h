// The 3-byte escapes inside a line of label text and the format state they switch.
#pragma once

#include "pluedit/LabelTextRun.h"
#include "pluedit/LabelTextSettings.h"

namespace varnel {

constexpr char kLineOpener = 'C';
constexpr char kEffectToggle = 'D';
constexpr char kFontChange = 'E';
constexpr char kExtraEffectToggle = 'F';
constexpr char kFirstColour = 'G';  // 'G' Black, 'H' Red, 'I' White

// Applies the escape with `letter` and `operand` to the format; false for a letter that ends the
// line. Operands outside an escape's range are read and change nothing.
bool ApplyLabelEscape(char letter, char operand, LabelTextFormat& format, const LabelTextSettings& settings);

}  // namespace varnel
