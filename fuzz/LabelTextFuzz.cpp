// Any bytes read as label text under the single-byte, double-byte (with and without the full-width
// conversion), Thai and Korean-option settings, at label widths chosen by the input, then changed by
// one editing operation the input chooses: never a crash, a hang or an over-read, and what is written
// reads back to a model that writes the same bytes again.
#include "db/text/ScaleFontSets.h"
#include "pluedit/LabelTextConversion.h"
#include "pluedit/LabelTextEditForm.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace varnel;

struct Variant {
    std::uint16_t market;
    std::uint16_t family;
    bool koreanFont;
    int fontSet;
    bool convertsText;  // single bytes read become full-width double-byte characters
};

constexpr Variant kVariants[] = {
    {MarketUsa, 0, false, 0, false},    {MarketChina, 0, false, 2, true}, {MarketHongKong, 0, false, 3, true},
    {MarketThailand, 0, false, 4, false}, {MarketUsa, 0, true, 7, false}, {MarketTaiwan, 9, false, 5, false},
    {MarketChina, 9, false, 2, false},  {MarketSweden, 6, false, 1, false},
};

LabelTextSettings MakeSettings(const Variant& variant)
{
    CGeneralSetup setup;
    setup.m_market = variant.market;
    setup.m_defaultScaleFamily = variant.family;
    setup.m_koreanFont = variant.koreanFont ? 1 : 0;
    const bool systemRule = variant.market != MarketChina && variant.market != MarketHongKong && variant.market != MarketTaiwan;
    return LabelTextSettings::Of(setup, systemRule, CScaleFontList(MakeScaleFontSet(setup, variant.fontSet, 0)),
                                 CDefLineFont());
}

// The character boundary at or after `column` of the line.
std::size_t CharBoundary(const CLabelTextLine& line, std::size_t column, const CharRule& chars)
{
    const std::string text = line.Text();
    std::size_t boundary = 0;
    while (boundary < column && boundary < text.size()) {
        const std::size_t next = NextChar(text, boundary, chars);
        if (next == boundary) break;
        boundary = next;
    }
    return boundary;
}

void Edit(LabelTextEditForm& form, const Variant& variant, std::uint8_t operation, std::uint8_t where)
{
    const CharRule& chars = form.GetSettings().chars;
    const std::size_t line = where % form.GetLineCount();
    const std::size_t column = CharBoundary(form.GetLine(line), where, chars);
    const std::size_t end = CharBoundary(form.GetLine(line), static_cast<std::size_t>(where) * 3, chars);
    const std::string_view typed = variant.convertsText ? std::string_view("\xA3\xC1") : std::string_view("x y");
    const LabelTextSelection selection{{0, 0}, {line, column}};
    LabelTextFormat format;
    format.font = where % 5;
    format.effects[where % kLabelEffects] = true;
    switch (operation % 9) {
    case 1: form.InsertText({line, column}, typed, 1 + where % 40, false); break;
    case 2: form.InsertText({line, column}, typed, 1 + where % 3, true); break;
    case 3: form.DeleteRange(line, column, end); break;
    case 4: form.SetEffect(selection, static_cast<LabelEffect>(where % kLabelEffects), (where & 0x80) != 0); break;
    case 5: form.SplitAtEnter({line, column}, &selection, (where & 1) != 0); break;
    case 6: form.ApplyFormat(selection, format); break;
    case 7: form.SetLineFont(line, where % 20); break;
    case 8: form.Flow(0); break;
    default: break;
    }
}

std::string WriteText(LabelTextEditForm& form, std::vector<char>& buffer)
{
    bool truncated = false;
    const std::size_t length = form.GetTextChecked(buffer, truncated);
    if (length >= buffer.size() || buffer[length] != '\0') __builtin_trap();
    return std::string(buffer.data(), length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const Variant& variant = kVariants[data[0] % std::size(kVariants)];
    const auto labelWidth = static_cast<std::uint16_t>(10 + (data[0] >> 3) * 4);
    const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
    const LabelTextSettings settings = MakeSettings(variant);

    LabelTextEditForm form(settings);
    form.SetLabelWidth(labelWidth);
    form.SetText(text);
    Edit(form, variant, data[1], data[2]);
    // The full-width conversion keeps at most 2044 bytes of what it reads back.
    std::vector<char> buffer(variant.convertsText ? kConvertedTextLimit + 1 : 4096);
    const std::string written = WriteText(form, buffer);

    LabelTextEditForm again(settings);
    again.SetLabelWidth(labelWidth);
    if (again.SetText(written) != 1) __builtin_trap();
    if (WriteText(again, buffer) != written) __builtin_trap();
    return 0;
}
