#include "comms/center/ScaleCommsForm.h"

#include "comms/center/CommsResultMessage.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "db/site/GeneralSetup.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <cctype>
#include <utility>

namespace varnel {
namespace {

// The number a serial port's name gives: its fourth character ("COM2"), or for a device path the
// digits that end it ("/dev/ttyS1").
int PortNumber(const std::string& port)
{
    if (port.size() >= 4 && std::isdigit(static_cast<unsigned char>(port[3]))) return port[3] - '0';
    std::size_t start = port.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(port[start - 1]))) --start;
    return start == port.size() ? 0 : std::stoi(port.substr(start, 4));
}

}  // namespace

int ScaleErrorCode(MessageId result)
{
    switch (result) {
    case CIdEnqLink::kMsgCannotOpen: return 0;
    case CIdEnqLink::kMsgScaleMemoryFull: return 13;
    case CIdEnqLink::kMsgTimeout: return 11;
    case CSorrelSocketLink::kMsgScaleReportedError: return 8;
    case CIdEnqLink::kMsgRecordsRefused: return 9;
    default: return 7;
    }
}

std::string ScaleErrorRecord(const DateTimeParts& now, const CIdEnqLink& link, MessageId error)
{
    std::string record = FormatText("%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", now.year, now.month, now.day, now.hour,
                                    now.minute, now.second);
    const int code = ScaleErrorCode(error);
    if (const auto* address = link.GetIpAddress())
        return record + FormatText("%3.3d%3.3d%3.3d%3.3d%2.2d", (*address)[0], (*address)[1], (*address)[2],
                                   (*address)[3], code);
    if (const auto* serial = dynamic_cast<const CIdEnqComLink*>(&link))
        return record + FormatText("00000000000%d%2.2d", PortNumber(serial->m_portName), code);
    return {};
}

ScaleCommsForm::ScaleCommsForm(CIdEnqLinkList& links, Request request, Site site)
    : m_links(links), m_request(request), m_site(std::move(site))
{
}

ScaleCommsForm::~ScaleCommsForm() { m_pending.Release(); }

void ScaleCommsForm::Open()
{
    m_pending.Collect(m_links, m_request.scales);
    m_result = 0;
    if (!m_links.AnyScaleEnabled(m_request.scales) || m_pending.IsEmpty()) {
        m_pending.Release();
        m_outcome = true;
        return;
    }
    switch (m_request.mode) {
    case Mode::Poll: m_links.TestLinks(m_request.scales, &m_posts); break;
    case Mode::Receive: m_links.ReceiveData(m_request.scales, m_request.dataKind, &m_posts); break;
    case Mode::Send:
        m_links.QueueJob(m_request.scales, m_request.sends ? *m_request.sends : SendRequests{}, &m_posts);
        break;
    case Mode::SendUnsent: m_links.SendUnsentData(m_request.scales, &m_posts); break;
    }
}

void ScaleCommsForm::OnTimer() { UpdateProgress(); }

void ScaleCommsForm::UpdateProgress()
{
    if (const std::uint32_t records = m_links.CountJobRecords(m_request.scales); records != 0)
        m_progress = FormatMessage(kMsgRecordsTransferred, static_cast<int>(records));
}

void ScaleCommsForm::OnCancel()
{
    if (m_outcome) return;
    if (m_request.mode == Mode::Send) m_links.ClearQueues(m_request.scales, false, true);
    m_links.CancelJobs(m_request.scales);
    m_pending.Release();
    m_result = CIdEnqLink::kMsgCancelled;
    m_outcome = false;
}

void ScaleCommsForm::Dispatch()
{
    while (!m_outcome) {
        const std::optional<PostQueue::Posted> posted = m_posts.Take();
        if (!posted) return;
        Handle(*posted);
    }
}

void ScaleCommsForm::RunUnseen()
{
    Open();
    while (!m_outcome) {
        m_posts.WaitForPost();
        Dispatch();
    }
}

void ScaleCommsForm::Handle(const PostQueue::Posted& posted)
{
    if (posted.message != CIdEnqLink::kResultMessage) return;
    switch (posted.wParam) {
    case CIdEnqLink::ResultDone:
    case CIdEnqLink::ResultReceiveDone:
        if (CIdEnqLink* link = m_pending.Find(static_cast<std::uint16_t>(posted.lParam))) EndLinkPart(*link, posted.wParam);
        break;
    case kWaitingForPrevious: m_progress = std::string(GetMessageText(kMsgWaitingForPrevious)); break;
    default: break;
    }
}

void ScaleCommsForm::EndLinkPart(CIdEnqLink& link, std::uintptr_t code)
{
    UpdateProgress();
    const MessageId linkResult =
        varnel::EndLinkPart(link, code, m_request.scales, m_site.document, m_site.scaleDataDirectory, *m_site.fs);
    if (m_result == 0) m_result = linkResult;
    m_pending.Remove(link.m_linkId);
    if (const auto* block = dynamic_cast<const CSorrelSocketLink*>(&link); block && block->HasBatchLabelRefusal())
        m_batchPrintRefused = true;
    if (code == CIdEnqLink::ResultDone && linkResult != 0 && m_site.market == MarketThailand)
        AppendErrorRecord(link, linkResult);
    if (m_pending.IsEmpty()) Finish();
}

void ScaleCommsForm::AppendErrorRecord(const CIdEnqLink& link, MessageId error)
{
    const std::string record = ScaleErrorRecord(ToLocalParts(m_site.clock->WallNow()), link, error);
    if (record.empty()) return;
    if (!m_errorText.empty()) m_errorText += "\r\n";
    m_errorText += record;
}

void ScaleCommsForm::Finish()
{
    if (m_request.showErrors) {
        if (m_batchPrintRefused)
            (void)ShowMessage(kMsgBatchPrintRefused);
        else if (m_result != 0)
            ShowCommsResult(m_result);
    }
    m_outcome = true;
}

MessageId RunScaleComms(CIdEnqLinkList& links, const ScaleCommsForm::Request& request,
                        const ScaleCommsForm::Site& site, std::string* errorText)
{
    if (const MessageId busy = links.WaitWithBusyDialog(request.scales); busy != 0) return busy;
    ScaleCommsForm form(links, request, site);
    if (ICommsDialogs* dialogs = GetCommsDialogs())
        (void)dialogs->RunScaleComms(form);
    else
        form.RunUnseen();
    if (errorText) *errorText = form.GetErrorText();
    return form.GetResult();
}

}  // namespace varnel
