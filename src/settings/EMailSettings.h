// CEMailSettings: the store's e-mail details (SMTP server and account, sender, recipients, store ID and
// three body texts), saved in the general setup file. The program sends no mail itself; the scheduler
// hands the status log to the site's mail batch file. The SMTP password is kept in plain text, as the
// general setup file stores it.
#pragma once

#include "platform/Serializable.h"

#include <cstdint>
#include <string>

namespace varnel {

class CEMailSettings : public CObject {
    VARNEL_DECLARE_SERIAL(CEMailSettings)
public:
    static constexpr std::uint16_t kVersion = 101;

    CEMailSettings() = default;
    CEMailSettings(const CEMailSettings&) = default;
    CEMailSettings& operator=(const CEMailSettings&) = default;

    // u16 version, then From, SmtpServer, Reserved, BodyText1 to 3, To, StoreId, SmtpPassword,
    // SmtpUserName and, from version 101, Cc.
    void Serialize(CArchive& ar) override;
    bool operator==(const CEMailSettings& other) const;

    std::string m_from;
    std::string m_smtpServer;
    std::string m_smtpUserName;
    std::string m_smtpPassword;
    std::string m_reserved;  // stored, never shown
    std::string m_bodyText1;
    std::string m_bodyText2;
    std::string m_bodyText3;
    std::string m_to;
    std::string m_storeId;
    std::string m_cc;
};

}  // namespace varnel
