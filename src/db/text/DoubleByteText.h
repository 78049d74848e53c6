// Which market the general setup names, the code page of the store's text that follows from it, and
// stepping through text one whole character at a time, so that no cut, copy or search ever splits a
// double-byte character.
#pragma once

#include "db/site/GeneralSetup.h"
#include "platform/CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

bool IsThaiVersion();
// The USA market with the Korean font option on.
bool IsKoreanFontMode();
bool IsHongKongTaiwanVersion();
bool IsChinaVersion();
// New Zealand or Australia with the standard nutrition layout in use: the Australia/New Zealand
// record layouts, file codes and fonts.
bool IsAusNzNutrition();

// The code page of the store's text under a general setup: GBK in China, Big5 in Hong Kong and
// Taiwan, Thai in Thailand, Korean in Korean font mode, Western everywhere else.
CodePage StoreCodePage(const CGeneralSetup& setup);

// Which bytes begin a two-byte character: the Korean font option makes every high byte but 255 one;
// under the system's character rule the code page decides; otherwise (China, Hong Kong, Taiwan)
// the scales' fonts begin them at 160.
struct CharRule {
    enum class LeadBytes : std::uint8_t { OfCodePage, From128, From160 };
    LeadBytes leadBytes = LeadBytes::OfCodePage;
    CodePage codePage = CodePage::Western;
};

// The rule of a general setup and the main frame's system character rule.
CharRule CharRuleOf(const CGeneralSetup& setup, bool systemDoubleByte);
// The rule of the main frame's settings; the Western code page's before the main frame exists.
CharRule CurrentCharRule();

// The byte length of the character at the start of `text`: 1 or 2. 0 where the text ends: an empty
// view, a 0 byte, or a lead byte with no second byte after it (which is never stepped over).
std::size_t GetCharLength(std::string_view text, const CharRule& rule);
std::size_t GetCharLength(std::string_view text);  // under the main frame's settings

// Appends the character at the start of `text` to `out` and returns its length (0 at the end).
std::size_t CopyOneChar(std::string& out, std::string_view text);

// The position just past the character at `position`; `position` itself where the text ends.
std::size_t NextChar(std::string_view text, std::size_t position, const CharRule& rule);
std::size_t NextChar(std::string_view text, std::size_t position);  // under the main frame's settings

}  // namespace varnel
