// Comma-separated fields of the scales' records and the host files.
//
// Writers append at a position in a growing buffer: the buffer then ends after what they wrote and
// the position moves past it.
//
// Readers take the record's bytes and a position that they move past the field and its comma; the
// text ends at the first 0 byte or at the end of the bytes, and at the end of the text the position
// stays there. The readers marked "in place" terminate the field inside the buffer (the byte after
// it becomes 0), as the callers that keep working in the buffer expect. A field may be quoted: it
// then runs from a double quote to the next single double quote, two double quotes inside standing
// for one, and whatever follows up to the comma is skipped. Quoted text is walked by whole
// characters (under the caller's character rule), so a double-byte character is never split or
// taken for a quote.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

// Appends the value and a comma.
void CsvAppendInt(std::string& buffer, std::size_t& position, std::int64_t value);
// Appends the text as it is and a comma.
void CsvAppendText(std::string& buffer, std::size_t& position, std::string_view text);
// Appends the text between double quotes, each double quote inside doubled, and a comma.
void CsvAppendQuoted(std::string& buffer, std::size_t& position, std::string_view text, const CharRule& chars);
void CsvAppendComma(std::string& buffer, std::size_t& position);

// Reads a field of at most `maximum` bytes into `out`. Scans at most `maximum` bytes for a comma or
// a double quote. At a double quote the quoted text after it is unquoted into `out` and the result
// is 1. Otherwise the field is terminated in place (its comma becomes 0) and also copied to `out`,
// and the result is 0. A longer field is cut at the last whole character within `maximum` bytes and
// the rest of it is skipped.
int CsvReadText(std::span<char> buffer, std::size_t& position, std::size_t maximum, std::string& out,
                const CharRule& chars);

// Copies the field up to its comma, at most `maximum` bytes of whole characters, into `out`; the
// rest of the field is skipped. Quotes are not special.
void CsvReadField(std::string_view buffer, std::size_t& position, std::size_t maximum, std::string& out,
                  const CharRule& chars);

// In place: reads the field up to its comma as a decimal integer (leading white space and a sign
// allowed, reading stops at the first non-digit). False, leaving `value` as it was, when no number
// is read or it fits neither the signed nor the unsigned form of the value's width; a negative
// number is stored in two's complement, so signed columns cast the value back.
bool CsvReadInt(std::span<char> buffer, std::size_t& position, std::uint32_t& value);
bool CsvReadShort(std::span<char> buffer, std::size_t& position, std::uint16_t& value);
bool CsvReadByte(std::span<char> buffer, std::size_t& position, std::uint8_t& value);

// In place: the next field, quoted or not (a double quote before the comma opens a quoted field),
// terminated in the buffer. A quoted field keeps its doubled quotes as two characters.
std::string_view CsvNextFieldInPlace(std::span<char> buffer, std::size_t& position, const CharRule& chars);

}  // namespace varnel
