// How the PLU edit window shows a field's value, worked out from the field's definition as its
// control is made, so that showing a PLU reads no more than the PLU's values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

class CLabProp;
struct ColumnDef;

struct PluFieldShow {
    enum class Kind : std::uint8_t {
        Number, PackTime, ExpiryTime, UnitPrice, MarkdownPrice, RegCode, PosCode, PackType, Blank
    };
    Kind kind = Kind::Blank;
    char point = '.';      // of a number with decimals
    bool clamped = false;  // to min..max, which a definition with its maximum below its minimum has not
    std::uint16_t fieldNo = 0;
    std::uint16_t decimals = 0;  // the definition's; the price and expiry time kinds work theirs out
    std::uint16_t width = 0;
    std::int32_t min = 0;
    std::int32_t max = 0;
    const ColumnDef* number = nullptr;  // the row's column of a numeric field; null for none
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
};

}  // namespace varnel
