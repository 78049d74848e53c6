// Text fields of fixed-layout records, and small byte-level text edits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnel {

// Copies the text of the `n`-byte field at `offset` of the record (up to its first 0 byte) into
// `out` and returns its length. A field that runs past the record's end is cut at the end; a field
// outside the record, or n = 0, gives "" and 0.
std::size_t CopyFixedText(std::span<const std::uint8_t> record, std::string& out, std::size_t n, std::size_t offset);

// The same without the field's leading blanks; the count includes the blanks passed over.
std::size_t CopyFixedTextTrimmed(std::span<const std::uint8_t> record, std::string& out, std::size_t n,
                                 std::size_t offset);

// Removes every leading occurrence of `ch`.
void StripLeadingChar(std::string& text, char ch);

// Upper case for ASCII letters; every other byte, a double-byte character's among them, unchanged.
std::uint8_t ToUpperAscii(std::uint8_t byte);

}  // namespace varnel
