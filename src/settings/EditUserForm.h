// "Edit User" (18012): one user's (or default user profile's) settings on the pages of the sheet,
// worked on a copy of the user.
//
//   General                                name (20), password (12; off for profiles), "Restricted
//                                          Access Only?", "Price Changes", the tied database or
//                                          department, the PLU range profile, the PLU field switches,
//                                          the price zone ("Use Defaults" or a zone), the permission
//                                          grid, and a copy from a default user profile
//   Reports and Data Import/Export         twenty rights
//   User Settings - TR-5400/RUX Settings   two permission grids; a page of the sheet only with default
//                                          system type 9 to 12
// A grid row stands for the view, delete and update bits of one table; "Extra Messages" also stands
// for tables 29 and 30.
//
// EditUserSetup is the user's own edit: it runs the sheet and, after OK and for a user who may update
// the setup (61328 otherwise), stores it: a PLU profile switched off puts the site's excluded ranges
// back in use; a profile switched on whose file is missing gets the active ranges written to it; every
// permission is cleared and only the tables the pages list get their bits back.
#pragma once

#include "db/site/LabProp.h"
#include "db/site/TextRules.h"
#include "db/plu/FieldChoices.h"
#include "platform/Messages.h"
#include "settings/DepartmentChoice.h"
#include "settings/EditDeptForm.h"
#include "settings/FieldSelectionForm.h"
#include "settings/PickerForm.h"
#include "settings/UserSetup.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace varnel {

class IFileSystem;
class CMasterScaleList;
class CPriceZoneList;
class CUserSetupList;
struct AccessSettings;

// A row of a permission grid: its label and the table whose bits it shows.
struct PermissionRow {
    const char* label;
    std::size_t table;
};
// A right's check box.
struct RightBox {
    const char* label;
    UserRight right;
};

std::span<const PermissionRow> GeneralPermissionRows();
std::span<const PermissionRow> RuxDataPermissionRows();      // "RUX/PZ4/Tarn4 Data Access Permissions"
std::span<const PermissionRow> RuxSettingsPermissionRows();  // the RUX page's second grid
std::span<const RightBox> ReportRights();

// What the sheet reads and touches of the site.
struct UserSheetSite {
    bool profileMode;
    std::uint16_t defaultScaleFamily;
    const CUserSetupList& profiles;
    CMasterScaleList& departments;
    const CPriceZoneList& zones;
    const CLabPropMap& pluFields;
    DatabaseFileChoice databaseFiles;
    CharRule chars;
    AccessSettings& access;  // the excluded PLU ranges a profile change touches
    IFileSystem& fs;
};

class EditUserForm {
public:
    static constexpr MessageId kMsgTitle = 18012;
    static constexpr MessageId kMsgCopyFromProfile = 31496;
    static constexpr std::size_t kNameLimit = 20;
    static constexpr std::size_t kPasswordLimit = 12;
    static constexpr std::uint16_t kPathWidth = 40;

    EditUserForm(const CUserSetup& user, const UserSheetSite& site);

    // The copy the pages edit.
    CUserSetup& User() { return m_user; }
    const CUserSetup& User() const { return m_user; }
    bool HasRuxPage() const;
    bool IsPasswordEnabled() const { return !m_site.profileMode; }

    bool GetPermission(std::size_t table, std::uint8_t bit) const;
    void SetPermission(std::size_t table, std::uint8_t bit, bool on);
    bool GetRight(UserRight right) const { return m_user.HasRight(right); }
    void SetRight(UserRight right, bool on) { m_user.m_rights[right] = on ? 1 : 0; }

    // "Use specified database/ department only?": checking it chooses the database or department at
    // once. "Select DB/Dept...": a database file without departments, else a department of dialog 209.
    void SetTiedToDatabase(bool on, const ChangeDeptDialog& changeDept);
    bool SelectDatabase(const ChangeDeptDialog& changeDept);
    // The database or department the user is tied to, shortened to 40 bytes.
    std::string GetDatabaseText() const;
    // "Specify PLU profile?": checking it chooses the file at once; "Select File...".
    void SetUseProfile(bool on);
    bool SelectProfileFile();
    std::string GetProfileText() const;

    // "PLU Field Enable/Disable...".
    FieldSelectionForm MakeFieldSelection() const;
    void TakeFieldSelection(const FieldSelectionForm& selection) { m_user.m_fieldFlags = selection.GetFlags(); }

    // "Price Zone*": "Use Defaults" and the zones by number.
    FieldChoices GetPriceZoneChoices() const;
    void SelectPriceZone(std::optional<std::size_t> row);

    // "Copy settings from default user profile...": off without profiles. After the picker, 31496
    // (OK/Cancel); OK copies every setting of the profile but the name, the password and the price zone.
    bool IsCopyFromProfileEnabled() const;
    PickerForm MakeProfilePicker() const;
    bool CopyFromProfile(std::size_t profile);

    // The sheet ended with OK: true when the user may update the setup (61328 otherwise) and the user
    // was stored.
    bool Store(CUserSetup& user) const;

private:
    const UserSheetSite& m_site;
    CUserSetup m_user;
};

// Runs the sheet on the user; true when the user was changed.
bool EditUserSetup(CUserSetup& user, const UserSheetSite& site, const std::function<bool(EditUserForm&)>& runSheet);

// Whether the user holds both the view and the update right on the setup.
bool IsSetupAdministrator(const CUserSetup& user);

}  // namespace varnel
