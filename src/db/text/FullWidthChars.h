// The full-width double-byte forms of ASCII characters that the label text editor and the text
// conversions use for the China market (GB2312) and the Hong Kong and Taiwan markets (Big5).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel {

using DoubleByteChar = std::array<std::uint8_t, 2>;

// A space gives A1 A1 and '!' to '~' give A3 and the byte plus 128; returns 2. Any other byte is
// copied as it is with a second byte of 0; returns 1.
std::size_t AsciiToGb2312Char(std::uint8_t ch, DoubleByteChar& out);

// The printable ASCII characters and 127 give their Big5 full-width forms; returns 2. Control
// characters and bytes of 128 and above are copied as they are with a second byte of 0; returns 1.
std::size_t AsciiToBig5Char(std::uint8_t ch, DoubleByteChar& out);

}  // namespace varnel
