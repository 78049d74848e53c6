// The settings dialogs: host interface and e-mail settings.
#include "ScreenShots.h"

#include "settings/EMailSettings.h"
#include "settings/HostInterfaceForm.h"
#include "settings/ui/EMailSettingsDlg.h"
#include "settings/ui/HostInterfaceDlg.h"

namespace varnel::screens {

void AddSettingsScreens(ScreenShots& shots)
{
    HostInterfaceForm host({true, false, false, true, "/home/ann/Varnel/pos/POSUPDATE.txt"});
    CHostInterfaceDlg hostInterface(host);
    shots.Take("dialog-host-interface", hostInterface);

    CEMailSettings mail;
    mail.m_storeId = "0042";
    mail.m_smtpServer = "smtp.example.net";
    mail.m_smtpUserName = "store42";
    mail.m_smtpPassword = "secret";
    mail.m_from = "store42@example.net";
    mail.m_to = "scales@example.net";
    mail.m_bodyText1 = "Scale status of store 42.";
    CEMailSettingsDlg eMail(mail, CodePage::Western);
    shots.Take("dialog-email-settings", eMail);
}

}  // namespace varnel::screens
