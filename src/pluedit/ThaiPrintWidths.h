// How wide the Thai scales print each character, from their four width tables, and which Thai
// characters are combining marks that share the cell of the character before them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnel {

// The printed width in dots of `ch` in a line whose line font sits at `lineFont` in the font list,
// in a run with Bold or Italic on (`boldOrItalic`) or not. Control characters print nothing.
std::uint16_t ThaiPrintWidth(std::uint8_t ch, std::size_t lineFont, bool boldOrItalic);

// The table entry itself (the width before the fixed 2 dots and the doubling of wide fonts).
std::uint8_t ThaiWidthEntry(std::uint8_t ch, std::size_t lineFont, bool boldOrItalic);

// Above- and below-vowels and tone marks: they take no room of their own on screen or label.
bool IsThaiCombiningMark(std::uint8_t ch);

}  // namespace varnel
