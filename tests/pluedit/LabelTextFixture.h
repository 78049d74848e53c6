// Settings and helpers for the label text model's tests: font lists built from plain metrics, and
// the stored text a form writes.
#pragma once

#include "pluedit/LabelTextEditForm.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::test {

struct FontSpec {
    char code;
    std::uint16_t width = 10;
    std::uint16_t height = 20;  // display and print height
    bool centring = false;
    bool upperCaseOnly = false;
    std::uint16_t boldWidth = 0;  // 0: as wide as plain
    bool effectsAllowed = true;
};

inline CScaleFont MakeTestFont(const FontSpec& spec)
{
    CScaleFont font;
    font.m_code = static_cast<std::uint8_t>(spec.code);
    font.m_name = std::string(1, spec.code);
    font.m_charWidth = spec.width;
    font.m_charHeight = spec.height;
    font.m_linePitch = spec.height;
    font.m_metric1 = spec.boldWidth;
    font.m_lineLimit = 3;
    font.m_flags[CScaleFont::kLayoutFlag] = spec.centring ? 1 : 0;
    font.m_flags[CScaleFont::kUpperCaseOnlyFlag] = spec.upperCaseOnly ? 1 : 0;
    for (const std::size_t flag : CScaleFont::kEffectAllowedFlags) font.m_flags[flag] = spec.effectsAllowed ? 1 : 0;
    return font;
}

// Settings of a market over the given fonts, with the market's character rule.
inline LabelTextSettings MakeSettings(const std::vector<FontSpec>& specs, std::uint16_t market = MarketUsa,
                                      std::uint16_t family = 0)
{
    std::vector<CScaleFont> fonts;
    for (const FontSpec& spec : specs) fonts.push_back(MakeTestFont(spec));
    CGeneralSetup setup;
    setup.m_market = market;
    setup.m_defaultScaleFamily = family;
    const bool systemRule = market != MarketChina && market != MarketHongKong && market != MarketTaiwan;
    CDefLineFont lineFonts;
    for (auto& positions : lineFonts.m_positions) positions.fill(0);
    return LabelTextSettings::Of(setup, systemRule, CScaleFontList(std::move(fonts)), lineFonts);
}

// Three plain fonts of different heights: '1' (10 wide), '2' (12 wide) and '3' (8 wide).
inline LabelTextSettings PlainSettings(std::uint16_t market = MarketUsa)
{
    return MakeSettings({{'1', 10, 20}, {'2', 12, 30}, {'3', 8, 16}}, market);
}

// What the form writes into a buffer of `size` bytes, up to its closing 0.
inline std::string Written(LabelTextEditForm& form, std::size_t size, bool& truncated)
{
    std::vector<char> buffer(size, '\x7F');
    const std::size_t length = form.GetTextChecked(buffer, truncated);
    if (size != 0 && buffer[length] != '\0') return "<no closing 0>";
    return std::string(buffer.data(), length);
}

inline std::string Written(LabelTextEditForm& form)
{
    bool truncated = false;
    return Written(form, 8192, truncated);
}

// The texts of a line's runs.
inline std::vector<std::string> RunTexts(const CLabelTextLine& line)
{
    std::vector<std::string> texts;
    for (const CLabelTextRun& run : line.m_runs) texts.push_back(run.m_text);
    return texts;
}

inline std::string Esc(char letter, char operand) { return std::string{'\x1B', letter, operand}; }

// The texts of every line of a form.
inline std::vector<std::string> LineTexts(const LabelTextEditForm& form)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < form.GetLineCount(); ++i) texts.push_back(form.GetLine(i).Text());
    return texts;
}

// A clipboard in memory: what was put last, and what the next paste gets.
class MemoryClipboard final : public ILabelTextClipboard {
public:
    bool Put(std::string_view block, std::string_view plainText) override
    {
        ++m_puts;
        m_content = {LabelTextClipboardContent::Kind::DescField, std::string(block)};
        m_plainText = plainText;
        return true;
    }
    LabelTextClipboardContent Get() const override { return m_content; }

    LabelTextClipboardContent m_content;
    std::string m_plainText;
    int m_puts = 0;
};

}  // namespace varnel::test
