// What the text routines read of the site's general setup: the market, which bytes begin a two-byte
// character, and the few switches that change how text is cut, converted and coded for the scales.
// A small value made from the setup by whoever owns it and handed to each routine, so no text routine
// reads settings behind its caller's back and a job keeps the rules it started with.
#pragma once

#include "db/site/GeneralSetup.h"
#include "platform/CodePage.h"

#include <cstdint>

namespace varnel {

// The code page of the store's text under a general setup: GBK in China, Big5 in Hong Kong and
// Taiwan, Thai in Thailand, Korean in Korean font mode, Western everywhere else.
CodePage StoreCodePage(const CGeneralSetup& setup);

// Which bytes begin a two-byte character: the Korean font option makes every high byte but 255 one;
// under the system's character rule the code page decides; otherwise (China, Hong Kong, Taiwan)
// the scales' fonts begin them at 160.
struct CharRule {
    enum class LeadBytes : std::uint8_t { OfCodePage, From128, From160 };
    LeadBytes leadBytes = LeadBytes::OfCodePage;
    CodePage codePage = CodePage::Western;
};

// The rule of a general setup and the main frame's system character rule.
CharRule CharRuleOf(const CGeneralSetup& setup, bool systemDoubleByte);

// New Zealand or Australia with the standard nutrition layout in use: the Australia/New Zealand
// record layouts, file codes and fonts.
bool IsAusNzNutrition(const CGeneralSetup& setup);

// A default value answers as a site with the default general setup and the Western code page's rule.
struct TextRules {
    std::uint16_t market = MarketUsa;
    std::uint16_t defaultScaleFamily = 0;
    std::uint16_t lineLimit = 0;
    std::uint32_t maxPluNo = CGeneralSetup{}.m_maxPluNo;
    bool koreanFontMode = false;  // the USA market with the Korean font option on
    bool ausNzNutrition = false;  // IsAusNzNutrition
    bool dropTaiwanExtendedLines = false;  // Taiwan with the setup's extended-character switch on
    CharRule chars;

    static TextRules Of(const CGeneralSetup& setup, bool systemDoubleByte);

    bool IsThai() const { return market == MarketThailand; }
    bool IsChina() const { return market == MarketChina; }
    bool IsHongKongTaiwan() const { return market == MarketHongKong || market == MarketTaiwan; }
    // China, Hong Kong and Taiwan: the markets whose scales take double-byte fonts.
    bool IsDoubleByteMarket() const { return IsChina() || IsHongKongTaiwan(); }
};

}  // namespace varnel
