// Compare PLUs: the document's compare, then its result list.
#include "app/ComparePlusCommand.h"

#include "app/Vrn3Doc.h"
#include "comms/center/CompareResultForm.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/PluDefTb.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScale.h"

namespace varnel {

ScaleDefs CompareResultScales(const CIdEnqLinkList& links, const CMasterScale* department)
{
    ScaleDefs selection;
    if (department != nullptr)
        selection = department->GetScaleDefs();
    else
        links.GetAllScaleDefs(selection);
    ScaleDefs kept;
    for (const CScaleDef& def : selection) {
        const CIdEnqLink* link = links.FindLink(def.m_linkId);
        const CLinkScale* scale = links.FindScaleByDef(def);
        if (link != nullptr && scale != nullptr && scale->m_enabled && link->GetCommsError() == 0) kept.push_back(def);
    }
    return kept;
}

MessageId ComparePlus(CVrn3Doc& document, const CompareCommandSite& site)
{
    if (const MessageId result = document.RunCompareScales(CPluDefTb::kTableNo, false, site.department); result != 0) {
        (void)ShowMessage(result);
        return result;
    }
    if (!document.HasCompareDifferences(site.department)) {
        (void)ShowMessage(kMsgSamePlus, MessageButtons::Ok, MessageIcon::Information);
        return 0;
    }
    const ScaleDefs scales = CompareResultScales(*site.links, site.department);
    if (scales.empty()) return 0;
    CompareResultForm form(
        CompareResultForm::Shape::ScaleList, *site.links, scales,
        {&document, site.department, site.severalScalesPerLink, site.mayTransmit, site.scaleDataDirectory});
    if (ICommsDialogs* dialogs = GetCommsDialogs()) (void)dialogs->RunCompareResult(form);
    return 0;
}

}  // namespace varnel
