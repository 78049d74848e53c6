// The sale wizard command.
#include "app/SaleWizardCommand.h"

#include "platform/UserPrompt.h"

namespace varnel {

MessageId RunSaleWizard(CVrn3Doc& document, ISaleWizard& wizard, const std::string& programDirectory)
{
    const std::string path = (programDirectory.empty() ? std::string(".") : programDirectory) + "/" + kSaleWizardFile;
    if (const MessageId loaded = wizard.LoadFile(path); loaded != 0) {
        (void)ShowMessage(loaded);
        return loaded;
    }
    wizard.RunSaleList(document);
    wizard.ReloadFrameSales(path);
    return 0;
}

}  // namespace varnel
