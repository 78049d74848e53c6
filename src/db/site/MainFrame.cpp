// The process's main frame, as the record store sees it.
#include "db/site/MainFrame.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace varnel {
namespace {

std::atomic<IMainFrame*> g_frame{nullptr};

// A role asked for with no frame installed: a caller that would otherwise lose what it reports.
IMainFrame& InstalledFrame(const char* role)
{
    IMainFrame* frame = g_frame.load();
    if (frame == nullptr) {
        std::fprintf(stderr, "No main frame is installed to act as the %s.\n", role);
        std::abort();
    }
    return *frame;
}

}  // namespace

IMainFrame* GetMainFrame() { return g_frame.load(); }
IMainFrame* SetMainFrame(IMainFrame* frame) { return g_frame.exchange(frame); }

const ISiteRules& FrameSiteRules() { return InstalledFrame("site rules"); }
IEventLog& FrameEventLog() { return InstalledFrame("event log"); }
ISendQueue& FrameSendQueue() { return InstalledFrame("send queue"); }
ICommsStatus& FrameCommsStatus() { return InstalledFrame("comms status"); }

const CLabPropMap& IMainFrame::GetFieldDefMap(FieldDefMap) const
{
    static const CLabPropMap none;
    return none;
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

FieldDefSet CurrentFieldDefs()
{
    if (const SiteSettings* pinned = SiteSettingsScope::Pinned()) return pinned->Fields();
    const IMainFrame* frame = GetMainFrame();
    return frame != nullptr ? FieldDefSet(*frame) : FieldDefSet{};
}

bool CanEditNutrition()
{
    constexpr std::size_t kNutritionTable = 9;
    constexpr std::uint8_t kView = 1;
    const IMainFrame* frame = GetMainFrame();
    return frame && CurrentGeneralSetup().m_nutritionInUse != 0 && frame->HasTableAccess(kNutritionTable, kView);
}

}  // namespace varnel
