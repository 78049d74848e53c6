// The check the editors of store names and advertising messages make before saving in the markets
// whose scales print no single-byte characters: China (double-byte GB2312 characters, lead bytes from
// 160) and Hong Kong and Taiwan (Big5, lead bytes from 128). A text that holds anything else is
// converted to full-width characters, and the user is told (message 31488).
#pragma once

#include "db/site/TextRules.h"
#include "platform/Messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

constexpr MessageId kMsgFullWidthConverted = 31488;

// The text in full-width characters when the market wants them and the text holds another
// character; none when it passes (or the market has no such rule).
std::optional<std::string> FullWidthConversion(std::string_view text, const TextRules& rules);

}  // namespace varnel
