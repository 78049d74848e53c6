// CUserSetup: one user account (or access-permission profile): name and password, the database and
// department the user works in, the PLU range profile, the PLU field switches, the price zone, 22 right
// switches and a permission byte for each table. Passwords are kept in plain text, as the site setup
// file stores them; that file is written for its owner alone.
#pragma once

#include "platform/Serializable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

constexpr std::size_t kPermissionTables = 92;  // tables 0 to 91
constexpr std::size_t kUserRights = 22;

// The bits of a table permission byte.
enum TableAccess : std::uint8_t { AccessView = 0x01, AccessUpdate = 0x02, AccessDelete = 0x04 };

// The right switches, by index.
enum UserRight : std::size_t {
    RightBatchMode = 0,
    RightTiedToDatabase = 1,  // the user may not change the database
    RightLoadFromScales = 2,
    RightQd47ImportExport = 3,
    RightPluProdReport = 4,
    RightReadProdFromScales = 5,
    RightScheduler = 6,
    RightTextExport = 7,
    RightTextImport = 8,
    RightPz6602Comms = 9,
    RightLumenComms = 10,
    RightTr5400SerialComms = 11,
    RightTransmitToScales = 12,
    RightPluListReport = 13,
    RightPluDailyReport = 14,
    RightOperatorReport = 15,
    RightDatabaseImport = 16,
    RightRewrapReport = 17,
    RightNextDayReport = 18,
    RightAdjustProdTotals = 19,
    RightBatchProdReport = 20,
    RightRestrictedAccess = 21,
};

// Table numbers the users' rules name.
constexpr std::size_t kSetupTable = 1;
constexpr std::size_t kPluTable = 2;
constexpr std::size_t kPriceChangeTable = 14;

class CUserSetup : public CObject {
    VARNEL_DECLARE_SERIAL(CUserSetup)
public:
    static constexpr std::uint16_t kVersion = 102;

    CUserSetup();
    CUserSetup(const CUserSetup&) = default;
    CUserSetup& operator=(const CUserSetup&) = default;

    void Serialize(CArchive& ar) override;
    bool operator==(const CUserSetup& other) const;

    bool HasRight(UserRight right) const { return m_rights[right] != 0; }

    std::string m_name;  // matched exactly
    std::string m_password;
    std::string m_profileFile;  // the user's PLU range profile (".prf")
    std::string m_database;
    std::uint16_t m_department = 0;  // 0 none
    std::array<std::uint8_t, kPermissionTables> m_tablePermission;
    std::array<std::uint8_t, kUserRights> m_rights;
    std::uint16_t m_useProfile = 0;
    std::vector<std::uint16_t> m_fieldFlags;  // entry i: PLU field 1000 + i on (1) or off (0)
    std::uint16_t m_priceZone = 0;

private:
    void StoreFields(CArchive& ar);
    void LoadFields(CArchive& ar, std::uint16_t version);
};

}  // namespace varnel
