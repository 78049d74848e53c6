// The frame's PLU range profiles (".prf", PluRangeProfile.h) and the old single setup file.
#include "app/MainFrame.h"

#include "platform/UserPrompt.h"
#include "settings/PluRangeProfile.h"

namespace varnel {

bool CMainFrame::SavePluRangeProfile(const std::string& path)
{
    return varnel::SavePluRangeProfile(m_fs, path, m_access.m_activePluRanges);
}

bool CMainFrame::LoadPluRangeProfile(const std::string& path)
{
    const auto loaded = varnel::LoadPluRangeProfile(m_fs, path, m_access.m_activePluRanges);
    if (!loaded) ShowMessage(loaded.GetError().code == Errc::Unsupported ? kInvalidSetup : kErrorLoadingProfile);
    return static_cast<bool>(loaded);
}

std::optional<std::string> CMainFrame::CheckOldSetupFile()
{
    const std::string oldFile = m_workingDirectory + "SETUP.DEF";
    if (!m_fs.Exists(oldFile)) return std::nullopt;
    const bool useIt = ShowMessage(kUseOldSetupFile, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
    const std::string renamed = oldFile + ".OLD";
    if (m_fs.Exists(renamed)) (void)m_fs.Remove(renamed);
    if (!m_fs.Rename(oldFile, renamed)) return std::nullopt;
    ShowMessage(useIt ? kOldSetupRenamedLoading : kOldSetupRenamed, MessageButtons::Ok, MessageIcon::Information);
    if (!useIt) return std::nullopt;
    return renamed;
}

}  // namespace varnel
