// The display font is kept as the 60 bytes of a Windows logical font, as the general setup stores it;
// on screen it is a QFont. Height (pixels; negative for the character height), weight, italic,
// underline, strike-out and the face name are mapped; every other byte is kept as it was.
#pragma once

#include <QFont>

#include <array>
#include <cstdint>

namespace varnel {

using LogicalFont = std::array<std::uint8_t, 60>;

QFont ToQFont(const LogicalFont& stored);
// `stored` with the font's mapped fields put in.
LogicalFont FromQFont(const QFont& font, LogicalFont stored);

}  // namespace varnel
