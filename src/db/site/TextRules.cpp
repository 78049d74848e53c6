// The text rules of a general setup.
#include "db/site/TextRules.h"

namespace varnel {

CodePage StoreCodePage(const CGeneralSetup& setup)
{
    if (setup.IsKoreanFontMode()) return CodePage::Korean;
    switch (setup.m_market) {
    case MarketChina: return CodePage::SimplifiedChinese;
    case MarketHongKong:
    case MarketTaiwan: return CodePage::TraditionalChinese;
    case MarketThailand: return CodePage::Thai;
    default: return CodePage::Western;
    }
}

CharRule CharRuleOf(const CGeneralSetup& setup, bool systemDoubleByte)
{
    // The Korean font option makes every high byte but 255 a lead byte, whatever the market says.
    if (setup.m_koreanFont != 0) return {CharRule::LeadBytes::From128, StoreCodePage(setup)};
    if (systemDoubleByte) return {CharRule::LeadBytes::OfCodePage, StoreCodePage(setup)};
    return {CharRule::LeadBytes::From160, StoreCodePage(setup)};
}

bool IsAusNzNutrition(const CGeneralSetup& setup)
{
    // The frame's standard-nutrition flag is the nutrition switch itself in these two markets.
    return (setup.m_market == MarketNewZealand || setup.m_market == MarketAustralia) && setup.m_nutritionInUse != 0;
}

TextRules TextRules::Of(const CGeneralSetup& setup, bool systemDoubleByte)
{
    TextRules rules;
    rules.market = setup.m_market;
    rules.defaultScaleFamily = setup.m_defaultScaleFamily;
    rules.lineLimit = setup.m_lineLimit;
    rules.maxPluNo = setup.m_maxPluNo;
    rules.koreanFontMode = setup.IsKoreanFontMode();
    rules.ausNzNutrition = IsAusNzNutrition(setup);
    rules.dropTaiwanExtendedLines = setup.m_market == MarketTaiwan && setup.m_taiwanExtendedChars != 0;
    rules.chars = CharRuleOf(setup, systemDoubleByte);
    return rules;
}

}  // namespace varnel
