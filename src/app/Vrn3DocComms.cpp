// Sending to and receiving from the scales through the document.
#include "app/Vrn3Doc.h"

#include "comms/center/ScaleCommsForm.h"
#include "app/DateTimeRecord.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/idenq/LinkScale.h"
#include "comms/idenq/ScaleFamily.h"
#include "db/site/MainFrame.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "platform/LocalTime.h"
#include "platform/Messages.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <chrono>

namespace varnel {
namespace {

constexpr std::uint16_t kFirstTextKind = 22;
constexpr std::uint16_t kLastTextKind = 35;
constexpr std::uint16_t kFirstTextTable = 70;

// A scale's clock is set to the time its record should arrive by.
constexpr std::chrono::seconds kClockLead{30};

}  // namespace

bool CVrn3Doc::IsOnlineCommsOn() const { return CurrentGeneralSetup().m_onlineComms != 0; }

bool CVrn3Doc::CanUseOnlineComms() const
{
    if (m_pluDatabase.IsBatchMode() || !IsOnlineCommsOn()) return false;
    const auto scales = SelectScales(nullptr);
    return m_host.GetLinks().AnyScaleEnabled(Selection(scales));
}

std::optional<ScaleDefs> CVrn3Doc::SelectScales(const CMasterScale* department) const
{
    if (!department) department = m_host.GetCurrentDepartment();
    if (!department) return std::nullopt;
    return department->GetScaleDefs();
}

bool CVrn3Doc::SendData(std::uint32_t, bool showResult, const SendRequests& requests, const CMasterScale* department)
{
    const auto scales = SelectScales(department);
    if (!IsUnattended()) return QueueSendData(showResult, requests, Selection(scales));
    return RunSendDialog(showResult, requests, Selection(scales)) == 0;
}

MessageId CVrn3Doc::SendDataNow(std::uint32_t, bool showResult, const SendRequests& requests,
                                const CMasterScale* department)
{
    const auto scales = SelectScales(department);
    return RunSendDialog(showResult, requests, Selection(scales));
}

bool CVrn3Doc::SendDataToScale(std::uint32_t, bool showResult, const SendRequests& requests,
                               const CLinkScaleSettings& scale)
{
    const CIdEnqLink* link = m_host.GetLinks().FindLinkOfScale(scale.m_scaleNo);
    if (!link) return false;
    const ScaleDefs one{CScaleDef(link->m_linkId, scale.m_scaleNo)};
    if (!IsUnattended()) return QueueSendData(showResult, requests, &one);
    return RunSendDialog(showResult, requests, &one) == 0;
}

bool CVrn3Doc::QueueSendData(bool, const SendRequests& requests, const ScaleDefs* scales)
{
    if (!CanUseOnlineComms()) return true;
    m_pluDatabase.RefreshSendRecords(requests);
    (void)m_host.GetLinks().QueueSend(scales, requests);
    return true;
}

MessageId CVrn3Doc::RunSendDialog(bool showErrors, const SendRequests& requests, const ScaleDefs* scales)
{
    if (!CanUseOnlineComms()) {
        // Unattended, a send that cannot go out is a failure, never a success with nothing sent.
        return IsUnattended() && !IsOnlineCommsOn() ? kMsgCommsOffline : 0;
    }
    m_pluDatabase.RefreshSendRecords(requests);
    return RunScaleComms({ScaleCommsForm::Mode::Send, scales, &requests, kNoDataKind, showErrors});
}

MessageId CVrn3Doc::RunScaleComms(const ScaleCommsForm::Request& request)
{
    ScaleCommsForm::Site site;
    site.document = this;
    site.market = CurrentGeneralSetup().m_market;
    site.clock = &m_clock;
    site.fs = &m_fs;
    site.scaleDataDirectory = m_host.GetLinkRoles().site.GetScaleDataDirectory();
    return varnel::RunScaleComms(m_host.GetLinks(), request, site, &m_commsErrorText);
}

bool CVrn3Doc::DoSendUnsentData(bool showErrors, const CMasterScale* department)
{
    if (!CanUseOnlineComms()) return true;
    const auto scales = SelectScales(department);
    if (!m_host.GetLinks().IsDataWaiting(Selection(scales))) return true;
    return RunScaleComms({ScaleCommsForm::Mode::SendUnsent, Selection(scales), nullptr, kNoDataKind, showErrors}) == 0;
}

bool CVrn3Doc::SendDateAndTime()
{
    // Nothing would go out: the log must not say it was sent.
    if (!CanUseOnlineComms()) return false;
    const SendRequests requests{CSendDataLog(SendDateTime, 0, 0, 0)};
    if (!SendData(kDataType, true, requests, nullptr)) return false;
    FrameEventLog().WriteEvent(EventGeneral, GetMessageText(kMsgDateTimeSent));
    return true;
}

MessageId CVrn3Doc::RequestScaleData(std::uint16_t dataKind, bool showErrors, const CMasterScale* department)
{
    if (!CanUseOnlineComms()) return 0;
    const auto scales = SelectScales(department);
    return RunScaleComms({ScaleCommsForm::Mode::Receive, Selection(scales), nullptr, dataKind, showErrors});
}

bool CVrn3Doc::NextJobRecord(std::uint32_t kind, const CLinkScaleSettings& scale, IEventLog& log, KeyCursor& cursor,
                             std::uint32_t last, ScaleRecordOut& out, KeyCursor& key)
{
    if (kind != SendDateTime) return m_host.NextListJobRecord(kind, scale, log, cursor, last, out, key);
    if (cursor > KeyCursor{last}) return false;
    key = cursor;
    cursor = KeyCursor{last} + 1;  // one record a job
    // On a link's worker the default family is that of the settings pinned for its pass.
    const std::uint16_t family = scale.GetScaleType(CurrentGeneralSetup().m_defaultScaleFamily);
    return BuildDateTimeRecord(family, ToLocalParts(m_clock.WallNow() + kClockLead), out);
}

MessageId CVrn3Doc::UpdateScaleLog(bool showErrors)
{
    if (!CanUseOnlineComms()) return 1;
    const auto scales = SelectScales(nullptr);
    return RunScaleComms({ScaleCommsForm::Mode::Poll, Selection(scales), nullptr, kNoDataKind, showErrors});
}

MessageId CVrn3Doc::WriteScaleStatusLog(const CAppEventLog& log, bool showErrors)
{
    const MessageId status = UpdateScaleLog(showErrors);
    if (status != 1) m_host.GetLinks().LogLinkStatus(log);
    return status;
}

MessageId CVrn3Doc::RunCompareScales(std::uint16_t tableNo, bool showErrors, const CMasterScale* department)
{
    const auto scales = SelectScales(department);
    const ISiteRules& site = m_host.GetLinkRoles().site;
    m_host.GetLinks().WriteCompareResultFiles(Selection(scales), site.GetGeneralSetup(), site.GetScaleDataDirectory());
    // The scales' records are compared as each link ends its part (the "Scale Comms" dialog).
    m_receivedRecordMode = 0;
    const MessageId status = RunScaleComms(
        {ScaleCommsForm::Mode::Receive, Selection(scales), nullptr, GetDataKindOfTable(tableNo), showErrors});
    // Records received later (production loads, the Communication Center) are stored again.
    m_receivedRecordMode = 1;
    return status;
}

bool CVrn3Doc::HasCompareDifferences(const CMasterScale* department)
{
    const auto scales = SelectScales(department);
    bool differs = false;
    for (const auto& link : m_host.GetLinks().GetLinks())
        for (const auto& scale : link->m_scales)
            if (scale->m_enabled && scale->IsOnline() && link->IsScaleSelected(*scale, Selection(scales)))
                differs |= scale->HasCompareDifferences();
    return differs;
}

MessageId CVrn3Doc::SynchronizeScale(bool showErrors, std::uint16_t linkNo, CLinkScale& scale)
{
    SendRequests requests;
    for (const std::uint32_t plu : scale.m_notInDatabase)
        requests.emplace_back(SendKeyDeletes, CPluDefTb::kTableNo, plu, plu);
    for (const std::uint32_t plu : scale.m_notOnScale) requests.emplace_back(SendRecords, CPluDefTb::kTableNo, plu, plu);
    for (const std::uint32_t plu : scale.m_different) requests.emplace_back(SendRecords, CPluDefTb::kTableNo, plu, plu);
    if (requests.empty()) return 1;
    const ScaleDefs one{CScaleDef(linkNo, scale.m_scaleNo)};
    return RunSendDialog(showErrors, requests, &one);
}

void CVrn3Doc::SynchronizeAllScales(bool showErrors, const CMasterScale* department)
{
    const auto scales = SelectScales(department);
    for (const auto& link : m_host.GetLinks().GetLinks())
        for (const auto& scale : link->m_scales)
            if (link->IsScaleSelected(*scale, Selection(scales)) && scale->m_enabled && scale->HasCompareDifferences())
                (void)SynchronizeScale(showErrors, link->m_linkId, *scale);
}

void CVrn3Doc::QueuePosUpdatesForSend(const SendRequests& requests)
{
    CPluDefTb* plus = GetPluTable();
    if (!plus || CurrentGeneralSetup().m_posUpdateFileOutput == 0) return;
    bool added = false;
    for (const CSendDataLog& request : requests) {
        if (request.m_tableId != CPluDefTb::kTableNo) continue;
        char kind = 0;
        switch (request.m_kind) {
        case SendRecords: kind = 'C'; break;
        case SendKeyDeletes:
        case SendExistingDeletes: kind = 'D'; break;
        default: continue;
        }
        for (KeyCursor cursor = request.m_rangeStart;;) {
            const CDBRecord* row = plus->PeekNextRecord(cursor);
            if (!row || row->GetKey() > request.m_rangeEnd) break;
            plus->GetPosUpdateFile().AddPending(row->GetKey(), kind);
            added = true;
        }
    }
    if (added) plus->WritePosUpdateLine(nullptr, 'C', false);
}

bool CVrn3Doc::StoreInTable(std::uint16_t tableNo, CLinkScale& scale, std::span<const std::uint8_t> packet)
{
    auto* table = dynamic_cast<CDBComTb*>(GetCachedTable(tableNo));
    return table != nullptr && table->ReceiveScaleRecord(scale, packet);
}

bool CVrn3Doc::StoreProdRecord(std::uint16_t prodTableNo, CLinkScale& scale, std::span<const std::uint8_t> packet)
{
    // Totals that arrive while the production database is closed are refused, so the scale keeps them.
    if (GetProdTable(prodTableNo) == nullptr) return false;
    return m_prodDatabase->ParseScaleRecord(prodTableNo, scale, packet);
}

bool CVrn3Doc::StoreReceivedRecord(std::uint16_t dataKind, CLinkScale& scale, std::span<const std::uint8_t> packet)
{
    if (m_receivedRecordMode == 0) {
        CPluDefTb* plus = GetPluTable();
        if (dataKind != 0 || !plus) return false;
        CScaleCompareResults results(scale, m_host.GetLinkRoles().site.GetScaleDataDirectory(), m_fs);
        return plus->ComparePluRecord(scale, packet, results);
    }
    const DocumentSwitches switches = m_host.GetDocumentSwitches();
    const bool ausNzLayout = switches.ausNzNutrition && scale.GetScaleType(switches.defaultFamily) >= 10;
    if (dataKind >= kFirstTextKind && dataKind <= kLastTextKind)
        return StoreInTable(static_cast<std::uint16_t>(kFirstTextTable + dataKind - kFirstTextKind), scale, packet);
    switch (dataKind) {
    case 0: return StoreInTable(2, scale, packet);
    case 1: return StoreInTable(7, scale, packet);
    case 2: return StoreInTable(4, scale, packet);
    case 3: return StoreInTable(ausNzLayout ? 8 : 29, scale, packet);
    case 4: return StoreInTable(ausNzLayout ? 9 : 30, scale, packet);
    case 5: return StoreInTable(8, scale, packet);
    case 11: return StoreInTable(9, scale, packet);
    case 12: return StoreInTable(3, scale, packet);
    case 20: return StoreInTable(10, scale, packet);
    case 21: return StoreInTable(37, scale, packet);
    case 38: return StoreInTable(53, scale, packet);
    case 6:
    case 13:
    case 36:
    case 37:
    case 40: return m_host.StoreListRecord(dataKind, scale, packet);
    case 14: return StoreProdRecord(1, scale, packet);
    case 15: return StoreProdRecord(6, scale, packet);
    case 16: return StoreProdRecord(5, scale, packet);
    case 17: return StoreProdRecord(2, scale, packet);
    case 18: return StoreProdRecord(3, scale, packet);
    case 19: return StoreProdRecord(4, scale, packet);
    case 39: return StoreProdRecord(7, scale, packet);
    case 41: return StoreProdRecord(8, scale, packet);
    case 42: return StoreProdRecord(9, scale, packet);
    default: return false;  // kinds 7 to 10 are not stored
    }
}

bool CVrn3Doc::SavePluRecord(CPluDefRec& row, std::uint32_t pluNumber, bool isNew)
{
    CPluDefTb* plus = GetPluTable();
    if (!plus) return false;
    row.Set(PluCol::PluNo1, static_cast<std::int32_t>(pluNumber));
    const std::uint16_t size = row.CalcDataSize();
    if (isNew) {
        if (!plus->AddPlu(pluNumber, size, std::make_unique<CPluDefRec>(row))) return false;
        plus->WritePosUpdateLine(dynamic_cast<const CPluDefRec*>(plus->FindRecord(pluNumber)), 'N', false);
        return true;
    }
    auto* stored = dynamic_cast<CPluDefRec*>(plus->FindRecord(pluNumber));
    if (!stored) return false;
    if (stored != &row) {
        // The editor's copy: its bytes become the stored row's, kept only once the store took them, so
        // that the row the links send never differs from the one the file holds.
        const CPluDefRec previous = *stored;
        stored->CopyDataFrom(row);
        if (!plus->UpdatePlu(*stored, size)) {
            stored->CopyDataFrom(previous);
            return false;
        }
    } else if (!plus->UpdatePlu(*stored, size)) {
        return false;
    }
    plus->WritePosUpdateLine(stored, 'C', false);
    return true;
}

}  // namespace varnel
