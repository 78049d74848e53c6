// Text written into a caller's buffer that is never passed. Each piece is written whole or not at all,
// so a conversion stops at a whole character or code; a piece is written only when the bytes the
// caller still has to write after it (`reserve`: closing codes, a terminating 0) fit as well.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace varnel {

class BoundedText {
public:
    explicit BoundedText(std::span<char> out) : m_out(out) {}

    bool Fits(std::size_t size, std::size_t reserve) const { return m_size + size + reserve <= m_out.size(); }

    // Writes the piece when it fits with `reserve` bytes to spare; false, writing nothing, otherwise.
    bool Append(std::string_view piece, std::size_t reserve);
    bool Append(char byte, std::size_t reserve) { return Append(std::string_view(&byte, 1), reserve); }
    // Writes the whole character (under `chars`) at `position` of `text` and moves the position past it; false, with
    // the position unchanged, where the text ends (a lead byte at its end ends it too) or when the
    // character does not fit.
    bool AppendChar(std::string_view text, std::size_t& position, std::size_t reserve, const CharRule& chars);

    // Writes as many of the single-byte pieces `bytes` as fit with `reserve` bytes to spare, in one copy;
    // the count written.
    std::size_t AppendBytesThatFit(std::string_view bytes, std::size_t reserve);

    std::size_t Size() const { return m_size; }
    // Drops what was written after `size`.
    void Truncate(std::size_t size);
    // Writes a 0 after the text when the buffer has room for it; the size stays.
    void Terminate();

private:
    std::span<char> m_out;
    std::size_t m_size = 0;
};

}  // namespace varnel
