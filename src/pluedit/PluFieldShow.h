// How the PLU edit window shows a field's value, worked out from the field's definition as its
// control is made, so that showing a PLU reads no more than the PLU's values.
#pragma once

#include "platform/ByteOrder.h"

#include <algorithm>
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
