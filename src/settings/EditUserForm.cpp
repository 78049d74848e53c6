// The user sheet's rules.
#include "settings/EditUserForm.h"

#include "db/text/PathText.h"
#include "platform/FileSystem.h"
#include "platform/UserPrompt.h"
#include "settings/AccessSettings.h"
#include "settings/MasterScaleList.h"
#include "settings/PluRangeProfile.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr PermissionRow kGeneralRows[] = {
    {"Setup", 1},      {"PLUs", 2},      {"Advertising Messages", 3}, {"Extra Messages", 4}, {"Coupons", 8},
    {"Store Name/Address", 7}, {"Campaigns", 10}, {"Keyboard Presets", 12}, {"Nutrition", 9},
    {"Images (VM-8100b/QF)", 69},
};

constexpr PermissionRow kRuxDataRows[] = {
    {"Comments/Lot Msg.", 70}, {"Free Msg #1", 72}, {"Free Msg #2", 73}, {"Free Msg #3", 74},
    {"Free Msg #4", 75},       {"Free Msg #5", 76}, {"Ingredients", 78}, {"Origin", 79},
    {"Storage Temp.", 80},     {"Storage Instr.", 81},
};

constexpr PermissionRow kRuxSettingsRows[] = {
    {"Store Settings", 71}, {"Department", 82},    {"Group", 83},
    {"Memo Presets", 85},   {"Index Presets", 86}, {"Tray Settings", 53},
};

constexpr RightBox kReportRights[] = {
    {"Batch mode", RightBatchMode},
    {"Receive from Scales", RightLoadFromScales},
    {"QD47 FD Import/Export", RightQd47ImportExport},
    {"PLU Prod. Report", RightPluProdReport},
    {"Read Production data from scales", RightReadProdFromScales},
    {"Scheduler", RightScheduler},
    {"Text File Export", RightTextExport},
    {"Text File Import", RightTextImport},
    {"PZ-6602 comms", RightPz6602Comms},
    {"Lumen comms", RightLumenComms},
    {"TR-5400/LumenXT RS-232C comms", RightTr5400SerialComms},
    {"Transmit to Scales", RightTransmitToScales},
    {"PLU List Report", RightPluListReport},
    {"Hourly/Daily/Weekly Reports", RightPluDailyReport},
    {"Operator Reports", RightOperatorReport},
    {"Database Import", RightDatabaseImport},
    {"Rewrap Reports", RightRewrapReport},
    {"Next Day Reports", RightNextDayReport},
    {"Adjust Prod. Totals", RightAdjustProdTotals},
    {"Batch Production Reports", RightBatchProdReport},
};

constexpr std::size_t kExtraMessageTable = 4;
constexpr std::size_t kExtraMessage2Table = 29;
constexpr std::size_t kExtraMessage3Table = 30;
constexpr std::uint8_t kAllAccess = AccessView | AccessUpdate | AccessDelete;

const char* const kProfileFilter = "PLU Profile Files (*.prf) |*.prf|All Files (*.*)|*.*||";

// Every table a page lists, each taking its three bits from its own row.
std::vector<std::size_t> ListedTables()
{
    std::vector<std::size_t> tables;
    for (const std::span<const PermissionRow> rows :
         {std::span<const PermissionRow>(kGeneralRows), std::span<const PermissionRow>(kRuxDataRows),
          std::span<const PermissionRow>(kRuxSettingsRows)})
        for (const PermissionRow& row : rows) tables.push_back(row.table);
    return tables;
}

}  // namespace

std::span<const PermissionRow> GeneralPermissionRows() { return kGeneralRows; }
std::span<const PermissionRow> RuxDataPermissionRows() { return kRuxDataRows; }
std::span<const PermissionRow> RuxSettingsPermissionRows() { return kRuxSettingsRows; }
std::span<const RightBox> ReportRights() { return kReportRights; }

bool IsSetupAdministrator(const CUserSetup& user)
{
    const std::uint8_t setup = user.m_tablePermission[kSetupTable];
    return (setup & AccessView) != 0 && (setup & AccessUpdate) != 0;
}

EditUserForm::EditUserForm(const CUserSetup& user, const UserSheetSite& site) : m_site(site), m_user(user)
{
    m_user.m_fieldFlags = NormaliseFieldFlags(user.m_fieldFlags);
}

bool EditUserForm::HasRuxPage() const
{
    return m_site.defaultScaleFamily >= 9 && m_site.defaultScaleFamily <= 12;
}

bool EditUserForm::GetPermission(std::size_t table, std::uint8_t bit) const
{
    return (m_user.m_tablePermission.at(table) & bit) != 0;
}

void EditUserForm::SetPermission(std::size_t table, std::uint8_t bit, bool on)
{
    std::uint8_t& bits = m_user.m_tablePermission.at(table);
    bits = static_cast<std::uint8_t>(on ? bits | bit : bits & ~bit);
}

void EditUserForm::SetTiedToDatabase(bool on, const ChangeDeptDialog& changeDept)
{
    SetRight(RightTiedToDatabase, on);
    if (on) (void)SelectDatabase(changeDept);
}

bool EditUserForm::SelectDatabase(const ChangeDeptDialog& changeDept)
{
    if (!m_site.departments.GetDepartments().empty()) {
        const CMasterScale* department = ChooseDepartment(m_site.departments, m_site.chars, changeDept);
        if (department == nullptr) return false;
        m_user.m_department = department->m_id;
        return true;
    }
    FileRequest request;
    request.defaultExtension = m_site.databaseFiles.extension;
    request.fileName = m_user.m_database.empty() ? m_site.databaseFiles.pattern : m_user.m_database;
    request.filter = m_site.databaseFiles.filter;
    const std::optional<std::string> chosen = AskFileName(request);
    if (!chosen) return false;
    m_user.m_database = *chosen;
    return true;
}

std::string EditUserForm::GetDatabaseText() const
{
    if (!m_site.departments.GetDepartments().empty()) return m_site.departments.GetNameById(m_user.m_department);
    return AbbreviatePath(m_user.m_database, kPathWidth, m_site.chars);
}

void EditUserForm::SetUseProfile(bool on)
{
    m_user.m_useProfile = on ? 1 : 0;
    if (on) (void)SelectProfileFile();
}

bool EditUserForm::SelectProfileFile()
{
    FileRequest request;
    request.defaultExtension = "prf";
    request.fileName = m_user.m_profileFile.empty() ? "*.prf" : m_user.m_profileFile;
    request.filter = kProfileFilter;
    const std::optional<std::string> chosen = AskFileName(request);
    if (!chosen) return false;
    m_user.m_profileFile = *chosen;
    return true;
}

std::string EditUserForm::GetProfileText() const
{
    return AbbreviatePath(m_user.m_profileFile, kPathWidth, m_site.chars);
}

FieldSelectionForm EditUserForm::MakeFieldSelection() const
{
    return {kMsgUserFieldSelection, m_user.m_fieldFlags, m_site.pluFields};
}

FieldChoices EditUserForm::GetPriceZoneChoices() const { return m_site.zones.FillCombo(m_user.m_priceZone, true); }

void EditUserForm::SelectPriceZone(std::optional<std::size_t> row)
{
    if (!row || m_site.zones.IsEmpty()) return;
    if (*row == 0) {
        m_user.m_priceZone = CPriceZoneList::kDefaultZone;
        return;
    }
    const std::vector<const CPriceZone*> zones = m_site.zones.SortById();
    if (*row - 1 < zones.size()) m_user.m_priceZone = zones[*row - 1]->m_id;
}

bool EditUserForm::IsCopyFromProfileEnabled() const { return m_site.profiles.GetCount() > 0; }

PickerForm EditUserForm::MakeProfilePicker() const { return MakeUserProfilePicker(m_site.profiles, nullptr); }

bool EditUserForm::CopyFromProfile(std::size_t profile)
{
    if (ShowMessage(kMsgCopyFromProfile, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
        return false;
    CUserSetup copy = m_site.profiles.GetAt(profile);
    copy.m_name = m_user.m_name;
    copy.m_password = m_user.m_password;
    copy.m_priceZone = m_user.m_priceZone;
    copy.m_fieldFlags = NormaliseFieldFlags(copy.m_fieldFlags);
    m_user = copy;
    return true;
}

bool EditUserForm::Store(CUserSetup& user) const
{
    if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return false;
    if (user.m_useProfile != 0 && m_user.m_useProfile == 0) m_site.access.ResetPluRanges();
    user.m_name = m_user.m_name;
    user.m_password = m_user.m_password;
    user.m_profileFile = m_user.m_profileFile;
    user.m_useProfile = m_user.m_useProfile;
    user.m_priceZone = m_user.m_priceZone;
    // A profile named for the first time starts from the ranges in use; a failure is reported by the save.
    if (user.m_useProfile != 0 && !user.m_profileFile.empty() && !m_site.fs.Exists(user.m_profileFile))
        (void)SavePluRangeProfile(m_site.fs, user.m_profileFile, m_site.access.m_activePluRanges);
    user.m_database = m_user.m_database;
    user.m_department = m_user.m_department;
    user.m_rights[RightTiedToDatabase] = m_user.m_rights[RightTiedToDatabase];
    user.m_fieldFlags = m_user.m_fieldFlags;

    user.m_tablePermission.fill(0);
    for (const std::size_t table : ListedTables()) user.m_tablePermission[table] = m_user.m_tablePermission[table] & kAllAccess;
    for (const std::size_t table : {kExtraMessage2Table, kExtraMessage3Table})
        user.m_tablePermission[table] = user.m_tablePermission[kExtraMessageTable];
    user.m_tablePermission[kPriceChangeTable] = m_user.m_tablePermission[kPriceChangeTable] & AccessUpdate;
    user.m_rights = m_user.m_rights;
    return true;
}

bool EditUserSetup(CUserSetup& user, const UserSheetSite& site, const std::function<bool(EditUserForm&)>& runSheet)
{
    EditUserForm form(user, site);
    return runSheet(form) && form.Store(user);
}

}  // namespace varnel
