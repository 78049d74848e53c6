// The link manager's windows: the busy wait and the "Communication Links" list.
#include "comms/manager/IdEnqLinkList.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/manager/CommLinksForm.h"
#include "comms/manager/CommsBusyForm.h"

namespace varnel {

MessageId CIdEnqLinkList::WaitWithBusyDialog(const ScaleDefs*) const
{
    if (!IsBusy()) return 0;
    CommsBusyForm form(*this);
    if (ICommsDialogs* dialogs = GetCommsDialogs())
        (void)dialogs->RunCommsBusy(form);
    else
        form.RunUnseen(m_clock);
    return form.GetOutcome().value_or(false) ? 0 : CIdEnqLink::kMsgCancelled;
}

bool CIdEnqLinkList::EditLinks(const LinkSetupContext& context)
{
    CommLinksForm form(*this, context);
    if (ICommsDialogs* dialogs = GetCommsDialogs()) (void)dialogs->RunCommLinks(form);
    return form.IsChanged();
}

}  // namespace varnel
