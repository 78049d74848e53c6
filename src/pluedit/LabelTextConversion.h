// The scales of the Hong Kong, Taiwan and China markets print no single-byte letters: label text is
// converted to their full-width double-byte forms (Big5 or GB2312) before it is edited.
#pragma once

#include "db/text/DoubleByteText.h"
#include "pluedit/LabelTextSettings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

// Bytes of converted text after which no further character is added (the last one may bring it to
// 2046; with its 0 the result fits a 2048-byte buffer).
constexpr std::size_t kConvertedTextLimit = 2044;

// Double-byte characters and escapes (with at most two bytes after the ESC) are copied as they are;
// every other byte becomes its full-width form where it has one. Stops at a 0 or at the end of `text`.
std::string ToBig5Text(std::string_view text, const CharRule& chars);
std::string ToGb2312Text(std::string_view text, const CharRule& chars);

// The text in the full-width forms of the market where its scales want them (ConvertsToFullWidth),
// else as it is.
std::string ToMarketText(std::string_view text, const LabelTextSettings& settings);

}  // namespace varnel
