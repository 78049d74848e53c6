// A user's archive form:
//   u16 version (none in the oldest setup format: version 100)
//   Name, Password, ProfileFile                 counted strings
//   10 bytes  rights 0 to 9
//   4 bytes   rights 12 to 15
//   u16       UseProfile
//   1 byte    right 1 (again)
//   u16       Department
//   Database                                    counted string
//   u16 n, n bytes      permissions of tables 0, 1, 2, ... (written with n = 92)
//   u16 n, n bytes      rights 16, 17, 18, 19, 10, 11, 20, 21, then reserved zeros (written with n = 15)
//   word array          FieldFlags                              from version 101
//   u16       PriceZone                                         from version 102
#include "settings/UserSetup.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kFirstRightBlock = 10;                    // rights 0 to 9
constexpr std::size_t kSecondRightBlock[] = {12, 13, 14, 15};
constexpr std::size_t kLaterRights[] = {16, 17, 18, 19, 10, 11, 20, 21};
constexpr std::uint16_t kLaterRightsCount = 15;  // the eight rights and seven reserved bytes

void SkipBytes(CArchive& ar, std::size_t count)
{
    std::uint8_t skipped = 0;
    for (std::size_t i = 0; i < count && ar.Ok(); ++i) ar >> skipped;
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CUserSetup, 1)

CUserSetup::CUserSetup()
{
    m_tablePermission.fill(0xFF);
    m_rights.fill(1);
    m_rights[RightTiedToDatabase] = 0;
    m_rights[RightRestrictedAccess] = 0;
}

bool CUserSetup::operator==(const CUserSetup& other) const
{
    return m_name == other.m_name && m_password == other.m_password && m_profileFile == other.m_profileFile &&
           m_database == other.m_database && m_department == other.m_department &&
           m_tablePermission == other.m_tablePermission && m_rights == other.m_rights &&
           m_useProfile == other.m_useProfile && m_fieldFlags == other.m_fieldFlags && m_priceZone == other.m_priceZone;
}

void CUserSetup::Serialize(CArchive& ar)
{
    const std::uint16_t version = SerializeSetupVersion(ar, kVersion);
    if (ar.IsStoring())
        StoreFields(ar);
    else
        LoadFields(ar, version);
}

void CUserSetup::StoreFields(CArchive& ar)
{
    ar << m_name << m_password << m_profileFile;
    ar.Write(std::span(m_rights).first(kFirstRightBlock));
    for (const std::size_t right : kSecondRightBlock) ar << m_rights[right];
    ar << m_useProfile << m_rights[RightTiedToDatabase] << m_department << m_database;
    ar << static_cast<std::uint16_t>(kPermissionTables);
    ar.Write(m_tablePermission);
    ar << kLaterRightsCount;
    for (const std::size_t right : kLaterRights) ar << m_rights[right];
    for (std::size_t i = std::size(kLaterRights); i < kLaterRightsCount; ++i) ar << std::uint8_t{0};
    SerializeWordArray(ar, m_fieldFlags);
    ar << m_priceZone;
}

void CUserSetup::LoadFields(CArchive& ar, std::uint16_t version)
{
    ar >> m_name >> m_password >> m_profileFile;
    ar.Read(std::span(m_rights).first(kFirstRightBlock));
    for (const std::size_t right : kSecondRightBlock) ar >> m_rights[right];
    ar >> m_useProfile >> m_rights[RightTiedToDatabase] >> m_department >> m_database;

    // Tables beyond the stored count get no permission; bytes beyond the tables we know are skipped.
    std::uint16_t tables = 0;
    ar >> tables;
    m_tablePermission.fill(0);
    const std::size_t known = std::min<std::size_t>(tables, kPermissionTables);
    ar.Read(std::span(m_tablePermission).first(known));
    SkipBytes(ar, tables - known);

    std::uint16_t laterRights = 0;
    ar >> laterRights;
    const std::size_t rights = std::min<std::size_t>(laterRights, std::size(kLaterRights));
    for (std::size_t i = 0; i < rights; ++i) ar >> m_rights[kLaterRights[i]];
    SkipBytes(ar, laterRights - rights);

    if (version >= 101) SerializeWordArray(ar, m_fieldFlags);
    if (version >= 102) ar >> m_priceZone;
    if (version == kFirstObjectVersion) {
        // Price changes were part of editing PLUs, and the Lumen and serial links were open to all.
        m_tablePermission[kPriceChangeTable] = m_tablePermission[kPluTable];
        m_rights[RightLumenComms] = 1;
        m_rights[RightTr5400SerialComms] = 1;
    }
}

}  // namespace varnel
