// Text as the store keeps it: bytes in the store's code page that end at the first 0 byte or at the
// end of the bytes that hold them, and the one way the text writers place what they write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

// The text held in `bytes`: everything before the first 0 byte.
inline std::string_view TextBeforeNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// The text that starts at `position` of `bytes`; empty when the position lies at or past their end.
inline std::string_view TextFrom(std::string_view bytes, std::size_t position)
{
    return position < bytes.size() ? TextBeforeNul(bytes.substr(position)) : std::string_view{};
}

// Writes `piece` at `position` of `buffer`, which then ends after it, and moves the position past it.
// A position beyond the buffer's end writes at the end, so nothing is ever written out of bounds.
inline void WriteAtPosition(std::string& buffer, std::size_t& position, std::string_view piece)
{
    if (position > buffer.size()) position = buffer.size();
    buffer.resize(position);
    buffer.append(piece);
    position = buffer.size();
}

}  // namespace varnel
