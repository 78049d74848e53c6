// CUserSetupList: the users (or the access-permission profiles) with the one logged in. Every guarded
// operation asks it for the current user's rights; with nobody logged in (no users defined) everything
// is allowed, and access reads as not restricted.
#pragma once

#include "settings/UserSetup.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CMasterScaleList;
class CPriceZoneList;
class ISiteRules;

class CUserSetupList : public CObject {
    VARNEL_DECLARE_SERIAL(CUserSetupList)
public:
    CUserSetupList() = default;
    // A copy of every user, with the copy of the current user current.
    CUserSetupList(const CUserSetupList& other);
    CUserSetupList& operator=(const CUserSetupList& other);

    // The list, then the current user's name (empty when nobody is logged in). Loading replaces the
    // list and makes the user of that name current; users stored as null objects are left out.
    void Serialize(CArchive& ar) override;

    std::size_t GetCount() const { return m_users.size(); }
    CUserSetup& GetAt(std::size_t index) const { return *m_users[index]; }
    CUserSetup& Add(std::unique_ptr<CUserSetup> user);
    // Takes out the user at that place; when it was the current user, nobody is logged in.
    void RemoveAt(std::size_t index);
    void RemoveAll();

    const CUserSetup* GetCurrentUser() const { return m_current; }
    std::optional<std::size_t> GetCurrentIndex() const;
    void SetCurrentUser(std::size_t index) { m_current = m_users[index].get(); }

    // Makes the user whose name and password are both exactly these current; false (nothing changes)
    // when there is none.
    bool LogInAs(std::string_view name, std::string_view password);

    // The database the logged-in user works in: none while nobody is logged in; without departments the
    // user's own; else the user's department (none for 0) becomes current and gives its database.
    std::string GetDatabase(CMasterScaleList& departments) const;

    // Before the site setup is stored: a current user not tied to a database keeps where they work.
    void RememberWorkplace(std::optional<std::uint16_t> currentDepartment, const std::string& databasePath);

    // Rights of the current user. Tables 0 to 91 have permission bytes; any other is refused to a user.
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const;
    bool AllowBatchMode() const { return Allows(RightBatchMode); }
    bool CanChangeDatabase() const { return m_current == nullptr || !m_current->HasRight(RightTiedToDatabase); }
    bool AllowLoadFromScales() const { return Allows(RightLoadFromScales); }
    bool AllowQd47ImportExport() const { return Allows(RightQd47ImportExport); }
    bool AllowPluProdReport() const { return Allows(RightPluProdReport); }
    bool AllowReadProdFromScales() const { return Allows(RightReadProdFromScales); }
    bool AllowScheduler() const { return Allows(RightScheduler); }
    bool AllowTextExport() const { return Allows(RightTextExport); }
    bool AllowTextImport() const { return Allows(RightTextImport); }
    bool AllowPz6602Comms() const { return Allows(RightPz6602Comms); }
    bool AllowLumenComms() const { return Allows(RightLumenComms); }
    bool AllowTr5400SerialComms() const { return Allows(RightTr5400SerialComms); }
    bool AllowTransmitToScales() const { return Allows(RightTransmitToScales); }
    bool AllowPluListReport() const { return Allows(RightPluListReport); }
    bool AllowPluDailyReport() const { return Allows(RightPluDailyReport); }
    bool AllowOperatorReport() const { return Allows(RightOperatorReport); }
    bool AllowDatabaseImport() const { return Allows(RightDatabaseImport); }
    bool AllowRewrapReport() const { return Allows(RightRewrapReport); }
    bool AllowNextDayReport() const { return Allows(RightNextDayReport); }
    bool AllowAdjustProdTotals() const { return Allows(RightAdjustProdTotals); }
    bool AllowBatchProdReport() const { return Allows(RightBatchProdReport); }
    bool IsRestrictedAccess() const { return m_current != nullptr && m_current->HasRight(RightRestrictedAccess); }

    // The current user's PLU range profile and PLU field switches.
    bool HasPluProfile() const;
    std::string GetPluProfile() const;
    const std::vector<std::uint16_t>* GetFieldList() const;

    // The users' block of the setup list, naming each user's price zone; nothing when there are none.
    void Print(std::string& out, const CPriceZoneList& zones) const;

private:
    bool Allows(UserRight right) const { return m_current == nullptr || m_current->HasRight(right); }

    std::vector<std::unique_ptr<CUserSetup>> m_users;
    const CUserSetup* m_current = nullptr;
};

// The current user's right on a table as the site's rules say (ISiteRules::HasTableAccess). When
// refused and `showMessage` is set, 61328 tells the user that the database was not updated.
bool CheckUserPermission(const ISiteRules& rights, std::size_t table, std::uint8_t mask, bool showMessage);
// The same through the installed main frame's users; allowed without a frame.
bool CheckUserPermission(std::size_t table, std::uint8_t mask, bool showMessage);

}  // namespace varnel
