// "Sale &Wizard..." (32908) in the command table (SaleWizardCommand.h holds what it does), over the
// sale wizard handed in; without one (null) it stays disabled. Otherwise it is disabled in head-office
// price-zone mode for a user whose sales are restricted, and else enabled out of batch mode for a user
// without restricted access. The menus that show it are built elsewhere.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class ISaleWizard;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kSaleWizard = 32908;
}  // namespace Commands

void RegisterSaleWizardCommand(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document, ISaleWizard* wizard);

}  // namespace varnel
