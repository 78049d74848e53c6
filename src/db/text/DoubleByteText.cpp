// Market tests and character lengths, read from the main frame's general setup at each call.
#include "db/text/DoubleByteText.h"

#include "db/site/MainFrame.h"

#include <cstdint>
#include <optional>

namespace varnel {
namespace {

// The general setup's market; none before the main frame exists.
std::optional<std::uint16_t> CurrentMarket()
{
    const IMainFrame* frame = GetMainFrame();
    if (frame == nullptr) return std::nullopt;
    return frame->GetGeneralSetup().m_market;
}


bool BeginsTwoByteChar(std::uint8_t byte, const CharRule& rule)
{
    switch (rule.leadBytes) {
    case CharRule::LeadBytes::From128: return byte >= 128 && byte <= 254;
    case CharRule::LeadBytes::From160: return byte >= 160 && byte <= 254;
    case CharRule::LeadBytes::OfCodePage: break;
    }
    return IsLeadByte(rule.codePage, byte);
}

}  // namespace

bool IsThaiVersion() { return CurrentMarket() == MarketThailand; }

bool IsKoreanFontMode()
{
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr && frame->GetGeneralSetup().IsKoreanFontMode();
}

bool IsHongKongTaiwanVersion()
{
    const std::optional<std::uint16_t> market = CurrentMarket();
    return market == MarketHongKong || market == MarketTaiwan;
}

bool IsChinaVersion() { return CurrentMarket() == MarketChina; }

bool IsAusNzNutrition()
{
    // The frame's standard-nutrition flag is the nutrition switch itself in these two markets.
    const CGeneralSetup& setup = CurrentGeneralSetup();
    return (setup.m_market == MarketNewZealand || setup.m_market == MarketAustralia) && setup.m_nutritionInUse != 0;
}

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

CharRule CurrentCharRule()
{
    const IMainFrame* frame = GetMainFrame();
    if (frame == nullptr) return {};
    return CharRuleOf(frame->GetGeneralSetup(), frame->GetSystemDoubleByteFlag());
}

std::size_t GetCharLength(std::string_view text, const CharRule& rule)
{
    if (text.empty() || text[0] == '\0') return 0;
    if (!BeginsTwoByteChar(static_cast<std::uint8_t>(text[0]), rule)) return 1;
    return text.size() >= 2 && text[1] != '\0' ? 2 : 0;
}

std::size_t GetCharLength(std::string_view text) { return GetCharLength(text, CurrentCharRule()); }

std::size_t CopyOneChar(std::string& out, std::string_view text)
{
    const std::size_t length = GetCharLength(text);
    out.append(text.substr(0, length));
    return length;
}

std::size_t NextChar(std::string_view text, std::size_t position, const CharRule& rule)
{
    return position < text.size() ? position + GetCharLength(text.substr(position), rule) : position;
}

std::size_t NextChar(std::string_view text, std::size_t position)
{
    return NextChar(text, position, CurrentCharRule());
}

}  // namespace varnel
