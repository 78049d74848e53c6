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

bool IMainFrame::UsesStandardNutrition() const
{
    return GetGeneralSetup().m_nutritionInUse != 0 && !UsesCustomNutrition();
}

bool IMainFrame::UsesCustomNutrition() const
{
    const CGeneralSetup& setup = GetGeneralSetup();
    if (setup.m_market != MarketHongKong || setup.m_nutritionInUse == 0) return false;
    for (const std::uint16_t family : {0, 4, 5, 6, 8, 10, 12})
        if (HasEnabledScaleType(family)) return true;
    return false;
}

const CGeneralSetup& CurrentGeneralSetup()
{
    static const CGeneralSetup defaults;
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetGeneralSetup() : defaults;
}

TextRules CurrentTextRules()
{
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? TextRules::Of(frame->GetGeneralSetup(), frame->GetSystemDoubleByteFlag()) : TextRules{};
}

bool CanEditNutrition()
{
    constexpr std::size_t kNutritionTable = 9;
    constexpr std::uint8_t kView = 1;
    const IMainFrame* frame = GetMainFrame();
    return frame && frame->GetGeneralSetup().m_nutritionInUse != 0 && frame->HasTableAccess(kNutritionTable, kView);
}

}  // namespace varnel
