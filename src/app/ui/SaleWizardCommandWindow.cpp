// The sale wizard command.
#include "app/ui/SaleWizardCommandWindow.h"

#include "app/MainFrame.h"
#include "app/MenuCommands.h"
#include "app/MenuStateSource.h"
#include "app/SaleWizardCommand.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "platform/ProgramRunner.h"

#include <filesystem>

namespace varnel {

void RegisterSaleWizardCommand(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document, ISaleWizard* wizard)
{
    window.Commands().Register(
        Commands::kSaleWizard, "Sale &Wizard...",
        [&document, wizard] {
            if (wizard == nullptr) return;
            (void)RunSaleWizard(document, *wizard, std::filesystem::path(GetProgramPath()).parent_path().string());
        },
        [&frame, &document, wizard] {
            const CommandDef* rule = FindCommand(Commands::kSaleWizard);
            const bool enabled =
                wizard != nullptr && rule != nullptr &&
                IsCommandEnabled(*rule, MenuStateOf(frame, &document, MenuWindow::PluList, false));
            return CommandState{enabled, std::nullopt};
        });
}

}  // namespace varnel
