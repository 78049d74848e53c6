// The clock command.
#include "app/ui/ClockCommand.h"

#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {

constexpr std::uint32_t kDateAndTime = 32790;

void RegisterClockCommand(MainFrameWindow& window, CVrn3Doc& document)
{
    window.Commands().Register(
        kDateAndTime, "&Date and Time", [&document] { (void)document.SendDateAndTime(); },
        [&document] { return CommandState{document.CanUseOnlineComms(), std::nullopt}; });
}

}  // namespace varnel
