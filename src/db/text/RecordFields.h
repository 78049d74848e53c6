// One scale record being written into a caller's buffer, field after field: fixed-width decimal and
// hexadecimal text, packed-BCD fields, comma-terminated fields, literal text and bytes. Nothing
// allocates, so a record builder can run for every PLU of a send without touching the heap.
//
// A value that does not fit its fixed-width field (too many digits, or negative) is never cut or
// allowed to widen the field: the record is refused and the field is named, so that the scale never
// receives a wrong PLU number or price. A field that would pass the buffer's end fails the record too.
// After the first failure every further write is ignored.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

// One field as a record was written: where it stands and what it holds ("" for fixed text and bytes).
struct TracedField {
    std::size_t offset;
    std::size_t size;
    std::string_view name;
};

// While one lives, the records built on its thread tell it each field they write: a diagnostic that
// lets a test name the field of a byte that differs.
class RecordFieldTrace {
public:
    explicit RecordFieldTrace(std::vector<TracedField>& into);
    ~RecordFieldTrace();
    RecordFieldTrace(const RecordFieldTrace&) = delete;
    RecordFieldTrace& operator=(const RecordFieldTrace&) = delete;

private:
    std::vector<TracedField>* m_previous;
};

class RecordFields {
public:
    explicit RecordFields(std::span<std::uint8_t> out);

    // The text as it stands.
    void Text(std::string_view text, std::string_view field = {});
    void Byte(std::uint8_t byte);
    void ZeroBytes(std::size_t count);
    // The value's decimal digits, zero-padded on the left to `width`.
    void Decimal(std::string_view field, std::int64_t value, std::size_t width);
    // One hexadecimal digit, upper or lower case.
    void HexDigit(std::string_view field, std::int64_t value, bool upperCase);
    // The text right-aligned in `width` characters with '0' in front.
    void RightAligned(std::string_view field, std::string_view text, std::size_t width);
    // The value's digits right-aligned in `width` characters with blanks in front, as "%Nd" writes it.
    void BlankPadded(std::string_view field, std::int64_t value, std::size_t width);
    // The text cut to `width` bytes, right-aligned with blanks in front.
    void BlankAligned(std::string_view field, std::string_view text, std::size_t width);
    // The value right-aligned in `digits` packed-BCD digits.
    void Bcd(std::string_view field, std::int64_t value, std::size_t digits);
    // The first `digits` characters of a digit text packed from the left (see PackBcdText).
    void BcdText(std::string_view field, std::string_view text, std::size_t digits);

    // Comma-terminated fields.
    void CsvNumber(std::int64_t value);
    void CsvText(std::string_view text);
    void CsvEmpty(std::size_t count = 1);

    // Refuses the record for a value of `field` that the layout cannot carry.
    void Refuse(std::string_view field);

    // The room after the position, for a conversion that writes in place; Advance then moves past
    // what it wrote.
    std::span<std::uint8_t> Rest() const { return m_out.subspan(m_position); }
    void Advance(std::size_t count);
    std::size_t Position() const { return m_position; }
    // Moves back to overwrite what was written from `position` on.
    void MoveBackTo(std::size_t position);

    bool Ok() const { return !m_refused && !m_full; }
    bool Refused() const { return m_refused; }
    // The field that refused the record; empty when none did.
    std::string_view RefusedField() const { return m_refusedField; }
    std::span<const std::uint8_t> Written() const { return m_out.first(m_position); }
    // What was written from `start` on, to edit in place.
    std::span<std::uint8_t> WrittenSince(std::size_t start) const
    {
        return m_out.subspan(std::min(start, m_position), m_position - std::min(start, m_position));
    }
    // A 0 byte after the record, not counted, when the buffer has room for it.
    void Terminate() const
    {
        if (m_position < m_out.size()) m_out[m_position] = 0;
    }

private:
    // The next `count` bytes, or an empty span (failing the record) when they are not all there.
    std::span<std::uint8_t> Claim(std::size_t count, std::string_view field = {});
    void PutDigits(std::uint64_t value, std::span<std::uint8_t> field);

    std::span<std::uint8_t> m_out;
    std::size_t m_position = 0;
    bool m_refused = false;
    bool m_full = false;
    std::string_view m_refusedField;
    std::vector<TracedField>* m_trace;
};

}  // namespace varnel
