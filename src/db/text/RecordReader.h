// One scale record being read back field after field: the reading side of RecordFields, with the same
// kinds of field (fixed-width decimal and hexadecimal text, packed BCD, bytes, fixed text). Every read
// checks its field against the bytes the record has: a field that would run past the end reads
// nothing, and so does every field after it, so a record shorter than its layout is read as far as it
// goes and never beyond.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

class RecordReader {
public:
    explicit RecordReader(std::span<const std::uint8_t> record) : m_record(record) {}

    // The field's characters read as "%d" reads them: blanks, a sign, then digits up to the first
    // character that is not one; none when no digit leads.
    std::optional<std::int64_t> Decimal(std::size_t width);
    // One hexadecimal digit of either case.
    std::optional<std::int64_t> HexDigit();
    // The field's characters as they stand; empty past the end.
    std::string_view Text(std::size_t width);
    void Skip(std::size_t count) { (void)Claim(count); }
    std::optional<std::uint8_t> Byte();
    // A value right-aligned in `digits` packed-BCD digits, read up to its first nibble above 9.
    std::optional<std::uint32_t> Bcd(std::size_t digits);
    // The digit characters of a field packed from the left (PackBcdText).
    std::optional<std::string> BcdText(std::size_t digits);

    // Moves back to read again what was read from `position` on (where a writer wrote over it).
    void MoveBackTo(std::size_t position)
    {
        if (!m_failed && position < m_position) m_position = position;
    }
    // A reader of the `count` bytes from the position on (fewer where the record ends first), for the
    // fields of a stretch that a writer partly wrote over; this reader does not move.
    RecordReader Window(std::size_t count) const;

    // What is left after the position; empty once a field ran past the end.
    std::span<const std::uint8_t> Rest() const { return m_failed ? m_record.last(0) : m_record.subspan(m_position); }
    std::size_t Position() const { return m_position; }
    bool Ok() const { return !m_failed; }

private:
    // The next `count` bytes, or none (and every later read none) when the record ends first.
    std::optional<std::span<const std::uint8_t>> Claim(std::size_t count);

    std::span<const std::uint8_t> m_record;
    std::size_t m_position = 0;
    bool m_failed = false;
};

// The record's text up to its first 0 byte: records are read as ending there.
std::string_view RecordText(std::span<const std::uint8_t> record);

}  // namespace varnel
