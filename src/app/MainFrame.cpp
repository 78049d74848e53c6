// The main frame's members: built empty, with the paths of the setup files beside each other.
#include "app/MainFrame.h"

namespace varnel {

CMainFrame::CMainFrame(std::string workingDirectory, IFileSystem& fs, IClock& clock)
    : m_fs(fs),
      m_clock(clock),
      m_links(std::make_unique<CIdEnqLinkList>(clock, fs)),
      m_qd47Link(std::make_unique<CQd47ComLink>(clock, fs)),
      m_operators(std::make_unique<COperatorList>()),
      m_departments(std::make_unique<CMasterScaleList>()),
      m_eventLog(std::make_unique<CAppEventLog>(clock, fs)),
      m_keyboardList(std::make_unique<CKeyboardList>()),
      m_workingDirectory(std::move(workingDirectory)),
      m_setupVersion(kGeneralSetupVersion)
{
    if (!m_workingDirectory.empty() && m_workingDirectory.back() != '/') m_workingDirectory += '/';
    m_generalSetupPath = m_workingDirectory + "GENSETUP.DEF";
    m_siteSetupPath = m_workingDirectory + "SITESETUP.DEF";
    m_scaleDataDirectory = m_workingDirectory + "ScalesData";
    m_backupDirectory = m_workingDirectory + "Backup";
    m_eventLog->NameUsersOf(&m_access.m_users);
}

CMainFrame::~CMainFrame() = default;

const CLabPropMap& CMainFrame::GetFieldDefMap(FieldDefMap which) const
{
    return m_fieldDefs[static_cast<std::size_t>(which)];
}

std::vector<const CLinkScaleSettings*> CMainFrame::GetLinkScales() const
{
    std::vector<const CLinkScaleSettings*> scales;
    for (const auto& link : m_links->GetLinks())
        for (const auto& scale : link->m_scales) scales.push_back(scale.get());
    return scales;
}

const CKeyboard& CMainFrame::GetLayoutKeyboard(std::uint16_t sysType) const
{
    switch (sysType) {
    case 6: return m_keyboards[0];
    case 8: return m_keyboards[1];
    case 2: return m_keyboards[3];
    case 12: return m_keyboards[4];
    default: return m_keyboards[2];
    }
}

}  // namespace varnel
