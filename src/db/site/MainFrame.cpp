// The process's main frame, as the record store sees it.
#include "db/site/MainFrame.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>

namespace varnel {
namespace {
std::atomic<IMainFrame*> g_frame{nullptr};
}

IMainFrame* GetMainFrame() { return g_frame.load(); }
IMainFrame* SetMainFrame(IMainFrame* frame) { return g_frame.exchange(frame); }

const CLabPropMap& IMainFrame::GetFieldDefMap(FieldDefMap) const
{
    static const CLabPropMap none;
    return none;
}

// Encoders on a link's worker ask these: they read the settings pinned for the pass.
bool IMainFrame::UsesStandardNutrition() const
{
    return PinnedSetupOr(GetGeneralSetup()).m_nutritionInUse != 0 && !UsesCustomNutrition();
}

bool IMainFrame::UsesCustomNutrition() const
{
    const CGeneralSetup& setup = PinnedSetupOr(GetGeneralSetup());
    if (setup.m_market != MarketHongKong || setup.m_nutritionInUse == 0) return false;
    for (const std::uint16_t family : {0, 4, 5, 6, 8, 10, 12})
        if (HasEnabledScaleType(family)) return true;
    return false;
}

SiteSettingsPtr IMainFrame::GetSiteSettings() const
{
    return MakeSiteSettings(GetGeneralSetup(), GetSystemDoubleByteFlag());
}

const CGeneralSetup& CurrentGeneralSetup()
{
    static const CGeneralSetup defaults;
    if (const SiteSettings* pinned = SiteSettingsScope::Pinned()) return pinned->setup;
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetGeneralSetup() : defaults;
}

TextRules CurrentTextRules()
{
    if (const SiteSettings* pinned = SiteSettingsScope::Pinned()) return pinned->text;
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? TextRules::Of(frame->GetGeneralSetup(), frame->GetSystemDoubleByteFlag()) : TextRules{};
}

SiteSettingsPtr CurrentSiteSettings()
{
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetSiteSettings() : nullptr;
}

bool CanEditNutrition()
{
    constexpr std::size_t kNutritionTable = 9;
    constexpr std::uint8_t kView = 1;
    const IMainFrame* frame = GetMainFrame();
    return frame && CurrentGeneralSetup().m_nutritionInUse != 0 && frame->HasTableAccess(kNutritionTable, kView);
}

}  // namespace varnel
