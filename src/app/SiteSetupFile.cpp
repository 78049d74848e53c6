// The site setup file ("SITESETUP.DEF", ".sit"):
//
//   u32 version (383), the link manager, operators, departments, users, user profiles (above 300),
//   event log settings, keyboards, keyboards 1, 3, 2 (above 300) and 4, keyboard 5 (above 382), memo
//   and index keyboards (above 311), Tarn keyboards (above 381), VM keyboards (above 321), images
//   (above 380), the excluded PLU ranges.
//
// Accepted: 300, 310, 311, 320, 321, 380, 381, 382, 383. A version-300 file's keyboard 2 is a copy of
// its keyboard 3; keyboard 5 of files before 383 is a default keyboard.
#include "app/MainFrame.h"

#include "app/SetupContents.h"
#include "platform/ArchiveCollections.h"
#include "platform/ArchiveFile.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint32_t kSiteVersions[] = {300, 310, 311, 320, 321, 380, 381, 382, 383};

// What the site file stores; one list for writing and reading.
struct SiteSetupParts {
    CIdEnqLinkList* links;
    COperatorList* operators;
    CMasterScaleList* departments;
    CUserSetupList* users;
    CUserSetupList* userProfiles;
    CAppEventLog* eventLog;
    CKeyboardList* keyboardList;
    std::array<CKeyboard, 5>* keyboards;
    CPluRangeList* pluRanges;
};

void SerializeSite(CArchive& ar, const SiteSetupParts& parts, std::uint32_t version)
{
    parts.links->Serialize(ar);
    parts.operators->Serialize(ar);
    parts.departments->Serialize(ar);
    parts.users->Serialize(ar);
    if (version > 300) parts.userProfiles->Serialize(ar);
    parts.eventLog->Serialize(ar);
    parts.keyboardList->Serialize(ar);
    std::array<CKeyboard, 5>& keyboards = *parts.keyboards;
    keyboards[0].Serialize(ar);
    keyboards[2].Serialize(ar);
    if (version > 300)
        keyboards[1].Serialize(ar);
    else
        keyboards[1] = keyboards[2];
    keyboards[3].Serialize(ar);
    if (version > 382)
        keyboards[4].Serialize(ar);
    else
        keyboards[4] = CKeyboard();
    if (version > 311) {
        SerializeUnbuiltCollection(ar, "memo keyboards");
        SerializeUnbuiltCollection(ar, "index keyboards");
    }
    if (version > 381) SerializeUnbuiltCollection(ar, "Tarn keyboards");
    if (version > 321) SerializeUnbuiltCollection(ar, "VM keyboards");
    if (version > 380) SerializeUnbuiltCollection(ar, "scale images");
    parts.pluRanges->Serialize(ar);
}

}  // namespace

bool CMainFrame::SaveSiteSetup(const std::string& path)
{
    // A user with a PLU profile keeps the active ranges in the profile; the site keeps its own.
    const CUserSetupList& users = m_access.m_users;
    const bool profile = users.HasPluProfile();
    if (profile && !SavePluRangeProfile(users.GetPluProfile())) return false;
    CPluRangeList& ranges = profile ? m_access.m_sitePluRanges : m_access.m_activePluRanges;
    const SiteSetupParts parts{m_links.get(),      m_operators.get(),     m_departments.get(),
                               &m_access.m_users, &m_userProfiles,       m_eventLog.get(),
                               m_keyboardList.get(), &m_keyboards,       &ranges};
    const auto saved = SaveSetupFile(m_fs, m_clock, path, [&](CArchive& ar) {
        ar << kSiteSetupVersion;
        SerializeSite(ar, parts, kSiteSetupVersion);
    });
    if (!saved) ShowMessage(kErrorSavingSetup);
    return static_cast<bool>(saved);
}

bool CMainFrame::LoadSiteSetup(const std::string& path, bool userChosen)
{
    if (m_loadSaleList) m_loadSaleList(m_workingDirectory + "SaleWiz.def");
    auto opened = OpenSetupFile(m_fs, m_clock, path, FileAccess::Read);
    if (!opened) {
        const std::string text = FormatMessage(kErrorLoadingSiteSetup, path.c_str());
        ShowMessageText(text);
        WriteEvent(EventGeneral, text);
        return false;
    }
    SiteSetupContents c(m_clock, m_fs);
    SetupFileContext context;
    context.formatMark = m_setupVersion;
    context.userChosenSiteSetup = userChosen;
    context.textRules = GetTextRules();
    context.maxCommsLogSize = GetGeneralSetup().m_maxCommsLogSize;
    const auto read = LoadArchiveFromFile(**opened, path, [&](CArchive& ar) {
        std::uint32_t version = 0;
        ar >> version;
        if (ar.Ok() && std::ranges::find(kSiteVersions, version) == std::end(kSiteVersions)) {
            ar.Fail(Errc::Unsupported, "site setup version " + std::to_string(version) + " is not supported");
            return;
        }
        context.siteSetupVersion = version;
        ar.SetContext(&context);
        const SiteSetupParts parts{c.links.get(),        c.operators.get(), c.departments.get(),
                                   &c.users,             &c.userProfiles,   c.eventLog.get(),
                                   c.keyboardList.get(), &c.keyboards,      &c.pluRanges};
        SerializeSite(ar, parts, version);
    });
    opened->reset();
    // The links' threads use the list they run on: it is never replaced under them.
    if (!read || m_links->IsStarted()) {
        ShowMessage(kInvalidSiteSetup);
        WriteEvent(EventGeneral, GetMessageText(kInvalidSiteSetup));
        return false;
    }
    TakeSiteSetup(std::move(c));
    return true;
}

void CMainFrame::TakeSiteSetup(SiteSetupContents&& c)
{
    m_links = std::move(c.links);
    m_operators = std::move(c.operators);
    m_departments = std::move(c.departments);
    m_access.m_users = c.users;
    m_userProfiles = c.userProfiles;
    m_eventLog = std::move(c.eventLog);
    m_eventLog->NameUsersOf(&m_access.m_users);
    m_keyboardList = std::move(c.keyboardList);
    m_keyboards = std::move(c.keyboards);
    m_access.m_sitePluRanges = std::move(c.pluRanges);
    const CUserSetupList& users = m_access.m_users;
    if (!users.HasPluProfile() || !LoadPluRangeProfile(users.GetPluProfile())) ResetPluRanges();
    m_siteSetupLoaded = true;
    RecalcSetupFlags();
}

}  // namespace varnel
