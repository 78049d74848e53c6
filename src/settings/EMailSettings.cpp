#include "settings/EMailSettings.h"

#include "platform/ArchiveExchange.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CEMailSettings, 1)

void CEMailSettings::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    Exchange(ar, version, m_from, m_smtpServer, m_reserved, m_bodyText1, m_bodyText2, m_bodyText3, m_to, m_storeId,
             m_smtpPassword, m_smtpUserName);
    if (version >= 101) Exchange(ar, m_cc);
}

bool CEMailSettings::operator==(const CEMailSettings& other) const
{
    return m_from == other.m_from && m_smtpServer == other.m_smtpServer && m_smtpUserName == other.m_smtpUserName &&
           m_smtpPassword == other.m_smtpPassword && m_reserved == other.m_reserved &&
           m_bodyText1 == other.m_bodyText1 && m_bodyText2 == other.m_bodyText2 && m_bodyText3 == other.m_bodyText3 &&
           m_to == other.m_to && m_storeId == other.m_storeId && m_cc == other.m_cc;
}

}  // namespace varnel
