// A scale's own settings dialog, "Scale Setup", for links that carry a list of scales.
#include "comms/idenq/LinkScale.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/ScaleSetupForm.h"

namespace varnel {

bool CLinkScale::EditSettings(const LinkSetupContext& context)
{
    ScaleSetupForm form(*this, context);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunScaleSetup(form)) return false;
    form.StoreInto(*this);
    return true;
}

}  // namespace varnel
