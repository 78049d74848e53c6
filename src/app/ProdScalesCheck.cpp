#include "app/ProdScalesCheck.h"

#include "comms/idenq/ScaleFamily.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/site/GeneralSetup.h"
#include "db/site/MainFrame.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <optional>

namespace varnel {
namespace {

constexpr MessageId kMsgPollCancelled = 61225;

void Log(MessageId text) { FrameEventLog().WriteEvent(EventGeneral, GetMessageText(text)); }

bool Cancelled()
{
    Log(kMsgProdLoadCancelled);
    return false;
}

}  // namespace

bool CheckProdScalesOnline(const ProdScalesCheckSite& site, const CMasterScale* department)
{
    Log(kMsgProdLoadStarted);
    if (CurrentGeneralSetup().m_checkConnectionBeforeProduction == 0) return true;
    std::optional<ScaleDefs> scales;
    if (department != nullptr) scales = department->GetScaleDefs();
    const ScaleDefs* selection = scales ? &*scales : nullptr;
    CIdEnqLinkList& links = *site.links;
    // The poll waits for busy links first; a cancel there or in "Scale Comms" stops the load.
    const MessageId polled =
        RunScaleComms(links, {ScaleCommsForm::Mode::Poll, selection, nullptr, kNoDataKind, false}, site.comms);
    if (polled == kMsgPollCancelled) return Cancelled();
    if (links.AreAllScalesOnline(selection)) return true;
    links.LogOfflineScales(selection);
    if (ShowMessage(kMsgProdScalesOffline, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return Cancelled();
    if (site.continueInCommCenter && site.continueInCommCenter(department)) return true;
    return Cancelled();
}

}  // namespace varnel
