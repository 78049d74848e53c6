// What the main frame answers from its settings: scale families on the links, price zones, nutrition,
// search options and the database file kinds.
#include "app/MainFrame.h"

#include "comms/manager/SiteScales.h"
#include "db/plu/Document.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {
constexpr std::size_t kNutritionTable = 9;
constexpr std::uint8_t kViewRight = 1;
constexpr std::uint16_t kMsAccessFormat = 1;
constexpr MessageId kMsgOffline = 31460;
constexpr std::size_t kExtraMessageSetFlag = 6;  // flags 6 to 8: extra messages, #2 and #3

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

// The queries the link workers reach read the settings of their pass (PinnedSetupOr).
std::uint32_t CMainFrame::GetRuxScaleMix() const
{
    return varnel::GetRuxScaleMix(*m_links, PinnedSetupOr(m_generalSetup));
}

bool CMainFrame::HasScaleType(std::uint16_t family, bool all) const
{
    return varnel::HasScaleType(*m_links, *m_departments, m_generalSetup, family, all);
}

bool CMainFrame::HasEnabledScaleType(std::uint16_t family) const
{
    return varnel::HasEnabledScaleType(*m_links, *m_departments, PinnedSetupOr(m_generalSetup), family);
}

CLabPropMap CMainFrame::GetPluFieldDefs() const
{
    const auto copyInto = [](CLabPropMap& into, const CLabPropMap& from) {
        for (const auto& [key, definition] : from)
            if (definition) into[definition->m_fieldNo] = std::make_unique<CLabProp>(*definition);
    };
    const std::uint32_t mix = GetRuxScaleMix();
    CLabPropMap merged;
    if (mix != 2) copyInto(merged, GetFieldDefMap(FieldDefMap::Plu));
    if (mix != 0) copyInto(merged, GetFieldDefMap(FieldDefMap::Plu2));
    return merged;
}

CMainFrame::DatabaseFileFilter CMainFrame::GetDatabaseFileFilter() const
{
    static constexpr const char* kPld = "Varnel database (*.pld)|*.pld|";
    static constexpr const char* kMdb = "SQLite database (*.mdb)|*.mdb|";
    if (m_generalSetup.m_defaultDatabaseFormat == kMsAccessFormat)
        return {".mdb", "*.mdb", std::string(kMdb) + kPld + "|"};
    return {".pld", "*.pld", std::string(kPld) + kMdb + "|"};
}

std::string CMainFrame::GetDataSourceName() const
{
    if (m_departments->GetCurrent() != nullptr) return m_departments->GetCurrentName();
    if (m_document != nullptr) return FileNameOf(m_document->GetPathName());
    return {};
}

std::uint16_t CMainFrame::GetCurrentPriceZone() const
{
    if (IsHeadOfficeMode()) {
        const CUserSetup* user = m_access.m_users.GetCurrentUser();
        if (user != nullptr && user->m_priceZone != 0) return user->m_priceZone;
    }
    return GetLocalPriceZone();
}

bool CMainFrame::IsOnlineCommsActive() const
{
    return m_generalSetup.m_onlineComms != 0 && m_links->AnyScaleEnabled(nullptr);
}

bool CMainFrame::ConfirmOfflineEdit() const
{
    if (!IsOnlineCommsActive() || m_run.linksStarted) return true;
    return ShowMessage(kMsgOffline, MessageButtons::OkCancel, MessageIcon::Question) == MessageAnswer::Ok;
}

std::array<bool, 3> CMainFrame::GetExtraMessageSetsInUse() const
{
    return {m_setupFlags[kExtraMessageSetFlag], m_setupFlags[kExtraMessageSetFlag + 1],
            m_setupFlags[kExtraMessageSetFlag + 2]};
}

bool CMainFrame::UsesStandardNutrition() const { return m_setupFlags[SetupFlagStandardNutrition]; }
bool CMainFrame::UsesCustomNutrition() const { return m_setupFlags[SetupFlagCustomNutrition]; }

bool CMainFrame::CanEditNutrition() const
{
    return m_setupFlags[SetupFlagStandardNutrition] && HasTableAccess(kNutritionTable, kViewRight);
}

bool CMainFrame::CanEditCustomNutrition() const
{
    return m_setupFlags[SetupFlagCustomNutrition] && HasTableAccess(kNutritionTable, kViewRight);
}

bool CMainFrame::IsAusNzNutrition() const
{
    const std::uint16_t market = m_generalSetup.m_market;
    return (market == MarketNewZealand || market == MarketAustralia) && m_setupFlags[SetupFlagStandardNutrition];
}

bool CMainFrame::UsesUsaCouponNumbers() const
{
    return m_generalSetup.m_market == MarketUsa && m_generalSetup.m_maxCouponNo == 9999;
}

bool CMainFrame::UseDeptGroupSearch() const
{
    if (m_generalSetup.m_defaultScaleFamily >= 10 && m_generalSetup.m_noDeptGroupSearchFamily10 != 0) return false;
    return m_generalSetup.m_deptGroupInSearch != 0;
}

void CMainFrame::RecalcSetupFlags()
{
    m_setupFlags = ComputeSetupFlags(m_generalSetup, [this](std::uint16_t family) { return HasScaleType(family, true); });
}

void CMainFrame::SetupScaleFonts()
{
    const ScaleFontSetChoice choice = ChooseScaleFontSet(m_generalSetup);
    m_scaleFonts.Build(m_generalSetup, choice.fontSet, choice.series);
    const std::uint16_t market = m_generalSetup.m_market;
    m_systemCharRule = market != MarketChina && market != MarketHongKong && market != MarketTaiwan;
}

}  // namespace varnel
