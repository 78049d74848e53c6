// "Sale &Wizard...": the sale list of the program's "SaleWiz.def" loaded (made empty when missing; a
// failure is shown and ends the command), the sale list dialog run on it, and then the frame's own
// sale list read again from the same file, so what the dialog saved is what the frame uses. The sale
// wizard subsystem fills ISaleWizard; until it does, the program has none and the command stays
// disabled.
#pragma once

#include "platform/Messages.h"

#include <string>

namespace varnel {

class CVrn3Doc;

inline constexpr const char* kSaleWizardFile = "SaleWiz.def";

class ISaleWizard {
public:
    virtual ~ISaleWizard() = default;
    // The command's sale list from the file: 0, 61216 when it cannot be made, 31480 when it cannot be
    // opened.
    virtual MessageId LoadFile(const std::string& path) = 0;
    // The sale list dialog on the list loaded.
    virtual void RunSaleList(CVrn3Doc& document) = 0;
    // The frame's own sale list read again from the file.
    virtual void ReloadFrameSales(const std::string& path) = 0;
};

// 0, or the load's failure as shown.
MessageId RunSaleWizard(CVrn3Doc& document, ISaleWizard& wizard, const std::string& programDirectory);

}  // namespace varnel
