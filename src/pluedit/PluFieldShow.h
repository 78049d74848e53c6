// How the PLU edit window shows a field's value, worked out from the field's definition as its
// control is made, so that showing a PLU reads no more than the PLU's values.
#pragma once

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluLayout.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

class CLabProp;

struct PluFieldShow {
    enum class Kind : std::uint8_t {
        Number, PackTime, ExpiryTime, UnitPrice, MarkdownPrice, RegCode, PosCode, PackType, Blank
    };
    Kind kind = Kind::Blank;
    bool IsText() const { return kind >= Kind::RegCode; }
    // A number shown with the definition's decimals (or a pack time), which follows no other field.
    bool ShowsAsDefined() const { return kind == Kind::Number || kind == Kind::PackTime; }
    bool IsTime() const { return kind == Kind::PackTime; }
    std::int32_t Clamp(std::int32_t value) const { return clamped ? std::clamp(value, min, max) : value; }
    char point = '.';      // of a number with decimals
    bool clamped = false;  // to min..max, which a definition with its maximum below its minimum has not
    std::uint16_t fieldNo = 0;
    std::uint16_t decimals = 0;  // the definition's; the price and expiry time kinds work theirs out
    std::uint16_t width = 0;
    std::int32_t min = 0;
    std::int32_t max = 0;
    // Where a numeric field's value lies in the row: its offset and 1, 2 or 4 bytes; 0 bytes for a
    // field without a numeric column (it shows 0).
    std::uint16_t offset = 0;
    std::uint8_t bytes = 0;
    // The 8-byte words of the row its value or text is read from (bit n: bytes 8n to 8n + 7); none
    // for a field without a column.
    std::uint64_t rowWords = 0;

    // The value in the row's bytes, read as its column is (a byte and a short unsigned).
    std::int32_t ReadValue(std::span<const std::uint8_t> row) const
    {
        if (bytes == 0) return 0;
        assert(offset + std::size_t{bytes} <= row.size());  // a row holds every fixed column
        const std::uint8_t* at = row.data() + offset;
        switch (bytes) {
        case 1: return *at;
        case 2: return LoadLe16(at);
        default: return static_cast<std::int32_t>(LoadLe32(at));
        }
    }
};

// `separator` is the one character besides digits the field's edit takes.
PluFieldShow MakePluFieldShow(const CLabProp& definition, char separator);

// The bits of rowWords for `size` bytes from `offset`; the words past the 64th are not told apart.
std::uint64_t RowWordsOf(std::size_t offset, std::size_t size);

// The row's fixed bytes and the price decimal rules that a form's field texts were last made from:
// a text made from the same bytes under the same rules is the same.
class PluShownRow {
public:
    static constexpr std::size_t kBytes = (kPluFixedOffset + kPluFixedSize + 7) / 8 * 8;

    // Of the `watched` row words, those whose bytes differ from the last call's (all of them on the
    // first call, after Forget and under other rules); the row is kept for the next call.
    std::uint64_t TakeChanged(std::span<const std::uint8_t> row, const PriceDecimalRules& rules, std::uint64_t watched);
    // Texts were made otherwise since: the next call finds every word changed.
    void Forget() { m_kept = false; }

private:
    std::array<std::uint8_t, kBytes> m_row{};
    PriceDecimalRules m_rules;
    bool m_kept = false;
};

// A field's text as last shown and the number it was made from: moving to the next PLU mostly
// leaves a field's value, decimals and form as they were, and its text is then not made again.
struct PluShownText {
    std::int32_t value = 0;
    std::uint16_t decimals = 0;
    bool time = false;  // "h:mm"
    bool number = false;  // made from the three above
    std::string text;

    bool Shows(std::int32_t v, std::uint16_t d, bool t) const
    {
        return number && value == v && decimals == d && time == t;
    }
    const std::string& Show(std::string_view shown)
    {
        number = false;
        text.assign(shown);
        return text;
    }
    // The number as "h:mm" (a time, hhmm) or with its decimals and decimal point, made again only
    // when it differs from the one shown.
    const std::string& ShowNumber(std::int32_t v, std::uint16_t d, bool t, char point)
    {
        if (!Shows(v, d, t)) MakeNumber(v, d, t, point);
        return text;
    }

private:
    void MakeNumber(std::int32_t v, std::uint16_t d, bool t, char point);
};

}  // namespace varnel
