// What the label text model reads of the settings, handed to it as one value: the market and default
// scale family, the character rule, the label width scale, the font list and the default line fonts.
// A host fills it from the main frame (or a test from its own values) and the model never looks at
// global state, so texts can be laid out and rewritten without a window or a frame.
#pragma once

#include "db/text/DefLineFont.h"
#include "db/text/DoubleByteText.h"
#include "db/site/GeneralSetup.h"
#include "db/text/ScaleFontList.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

struct LabelTextSettings {
    std::uint16_t market = MarketUsa;
    std::uint16_t defaultFamily = 0;
    bool koreanFont = false;                 // the general setup's Korean font option
    CharRule chars;                          // how double-byte characters are told
    std::uint16_t labelWidth60mmDots = 440;  // dots across a 60 mm label
    std::uint16_t lineSpacing = 0;           // the general setup's description line spacing
    CScaleFontList fonts;
    CDefLineFont lineFonts;
    bool otherFamilyOnLinks = false;  // a link has a scale of a family other than 9

    // The settings of a general setup, the main frame's system character rule and its lists.
    static LabelTextSettings Of(const CGeneralSetup& setup, bool systemDoubleByte, const CScaleFontList& fonts,
                                const CDefLineFont& lineFonts);

    bool IsThai() const { return market == MarketThailand; }
    bool IsHongKongTaiwan() const { return market == MarketHongKong || market == MarketTaiwan; }
    bool IsChina() const { return market == MarketChina; }
    bool IsTaiwan() const { return market == MarketTaiwan; }
    bool IsKoreanFontMode() const { return market == MarketUsa && koreanFont; }
    // Family 9 scales have double-byte fonts of their own; the others in China, Hong Kong and Taiwan
    // print single-byte characters only in their full-width forms.
    bool IsFamily9Default() const { return defaultFamily == 9; }
    bool ConvertsToFullWidth() const { return !IsFamily9Default() && (IsHongKongTaiwan() || IsChina()); }

    // Font metrics by position in the list. A position past the end is 9 dots wide and 14 high; a
    // bold width or display height that a font set leaves at 0 is its width or height.
    std::uint16_t CharWidth(std::size_t font, bool bold) const;
    std::uint16_t DisplayHeight(std::size_t font) const;
    std::uint16_t PrintHeight(std::size_t font) const { return fonts.GetLinePitch(font); }
    std::uint16_t LineSpacing(std::size_t font) const
    {
        return fonts.GetLineLimit(font, defaultFamily, lineSpacing);
    }
    std::uint8_t Code(std::size_t font) const { return fonts.GetCode(font); }
    // Whether the stored form can name the font: a position in the list (or the first of an empty one).
    bool CanName(std::size_t font) const { return font == 0 || font < fonts.GetSize(); }
    std::size_t FontOfCode(std::uint8_t code) const { return fonts.FindIndex(code); }
};

}  // namespace varnel
