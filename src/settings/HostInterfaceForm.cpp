// The host interface settings.
#include "settings/HostInterfaceForm.h"

#include "db/site/GeneralSetup.h"
#include "db/text/PathText.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {

constexpr std::uint16_t kFileTextWidth = 40;

HostInterfaceSettings ReadHostInterface(const CGeneralSetup& setup, const CAppEventLog& eventLog)
{
    return {setup.m_kauriAucklandHostImport != 0, setup.m_kauriSouthIslandHostImport != 0,
            setup.m_totaraHostImport != 0, setup.m_posUpdateFileOutput != 0, eventLog.PosUpdateFile};
}

bool StoreHostInterface(const HostInterfaceSettings& settings, CGeneralSetup& setup, CAppEventLog& eventLog)
{
    if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return false;
    setup.m_kauriAucklandHostImport = settings.kauriAucklandImport ? 1 : 0;
    setup.m_kauriSouthIslandHostImport = settings.kauriSouthIslandImport ? 1 : 0;
    setup.m_totaraHostImport = settings.totaraImport ? 1 : 0;
    setup.m_posUpdateFileOutput = settings.posUpdateOutput ? 1 : 0;
    setup.m_posUpdateFilePath = settings.posUpdateFile;
    eventLog.PosUpdateFile = settings.posUpdateFile;
    return true;
}

std::string HostInterfaceForm::GetFileText() const
{
    return AbbreviatePath(m_settings.posUpdateFile, kFileTextWidth, m_chars);
}

bool HostInterfaceForm::SelectFile()
{
    std::optional<std::string> path =
        AskSaveFileName("txt", m_settings.posUpdateFile, "Text Files (*.txt) |*.txt|All Files (*.*)|*.*||");
    if (!path) return false;
    m_settings.posUpdateFile = std::move(*path);
    return true;
}

}  // namespace varnel
