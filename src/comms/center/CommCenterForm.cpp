#include "comms/center/CommCenterForm.h"

#include "comms/center/CommsResultMessage.h"
#include "comms/center/CompareResultForm.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/ScaleFamily.h"
#include "comms/idenq/ScaleFileCodes.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/DBComTb.h"
#include "db/plu/Document.h"
#include "db/site/GeneralSetup.h"
#include "db/store/ObjDatabase.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageRules.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kPlus = 2;
constexpr std::uint8_t kRightDelete = 4;
constexpr const char* kAusNzPlusName = "PLUs/Ingedients/Nutrition";

// The message kind whose list picks a record of a message table; 0 for a table that is none.
std::uint32_t MessageKindOfTable(std::uint16_t table)
{
    for (std::uint32_t kind = MsgCoupon; kind <= MsgStorageInstruct; ++kind)
        if (MsgKindToTableId(kind) == table) return kind;
    return 0;
}

bool IsMessageListKind(std::uint16_t kind)
{
    return kind == 4 || kind == 8 || kind == 29 || kind == 30 || kind == 70 || (kind >= 72 && kind <= 76) || kind == 78;
}

}  // namespace

CommCenterForm::CommCenterForm(CIdEnqLinkList& links, ICommCenterHost& host, const CMasterScale* continueFor)
    : m_links(links), m_host(host), m_continueFor(continueFor)
{
    BuildScaleList();
    if (!m_rows.empty()) m_rowSelection = 0;
    m_offered = OfferedKinds(host.GetKindsInUse());
    BuildKindChoices();
    RefreshStatus();
}

CommCenterForm::~CommCenterForm() { Close(); }

void CommCenterForm::Close() { m_pending.Release(); }

void CommCenterForm::BuildScaleList()
{
    m_scaleChoices = {std::string(GetMessageText(kMsgAllScales))};
    ScaleDefs defs;
    if (const CMasterScale* department = m_host.GetCurrentDepartment())
        defs = department->GetScaleDefs();
    else
        m_links.GetAllScaleDefs(defs);
    const std::uint16_t defaultFamily = m_host.GetGeneralSetup().m_defaultScaleFamily;
    for (const CScaleDef& def : defs) {
        CIdEnqLink* link = m_links.FindLink(def.m_linkId);
        CLinkScale* scale = link ? link->FindScale(def.m_scaleId) : nullptr;
        m_scales.push_back({def, link, scale});
        m_scaleChoices.push_back(scale ? scale->m_name : std::string{});
        Row row;
        if (scale) {
            row.scale = scale->m_name;
            row.model = GetScaleFamilyName(scale->GetScaleType(defaultFamily));
        }
        m_rows.push_back(std::move(row));
    }
}

void CommCenterForm::BuildKindChoices()
{
    const bool ausNz = m_host.GetKindsInUse().ausNzNutrition;
    for (std::uint16_t kind = 0; kind < kCommsKindCount; ++kind) {
        if (!m_offered[kind]) continue;
        const std::string name = kind == kPlus && ausNz ? std::string(kAusNzPlusName)
                                                        : std::string(GetMessageText(kKindNameBase + kind));
        m_kindChoices.push_back({kind, name});
    }
}

void CommCenterForm::SelectRow(std::optional<std::size_t> row)
{
    m_rowSelection = row && *row < m_rows.size() ? row : std::nullopt;
}

void CommCenterForm::ChooseScale(std::size_t choice)
{
    if (choice < m_scaleChoices.size()) m_scaleChoice = choice;
}

std::optional<std::size_t> CommCenterForm::GetKindChoice() const
{
    const auto found = std::ranges::find_if(m_kindChoices, [this](const KindChoice& choice) { return choice.kind == m_kind; });
    if (found == m_kindChoices.end()) return std::nullopt;
    return static_cast<std::size_t>(found - m_kindChoices.begin());
}

void CommCenterForm::ChooseKind(std::size_t choice)
{
    if (choice < m_kindChoices.size()) m_kind = m_kindChoices[choice].kind;
}

void CommCenterForm::ChooseTab(Tab tab)
{
    if (!IsContinueMode()) m_tab = tab;
}

const CommCenterForm::ScaleEntry* CommCenterForm::ChosenScale() const
{
    return m_scaleChoice == 0 || m_scaleChoice > m_scales.size() ? nullptr : &m_scales[m_scaleChoice - 1];
}

const CommCenterForm::ScaleEntry* CommCenterForm::SelectedRow() const
{
    return m_rowSelection ? &m_scales[*m_rowSelection] : nullptr;
}

ScaleDefs CommCenterForm::AllScaleDefs() const
{
    ScaleDefs defs;
    for (const ScaleEntry& entry : m_scales) defs.push_back(entry.def);
    return defs;
}

ButtonFacts CommCenterForm::Facts() const
{
    const CGeneralSetup& setup = m_host.GetGeneralSetup();
    ButtonFacts facts;
    facts.market = setup.m_market;
    // The entries of extra messages 1 to 3 and of the coupon file, in that order.
    const auto& mapping = setup.m_messageFileMapping;
    facts.mappedKinds = {MsgKindToTableId(mapping[1]), MsgKindToTableId(mapping[2]), MsgKindToTableId(mapping[3]),
                         MsgKindToTableId(mapping[0])};
    facts.market3ExtraMessage = setup.m_market3ThirdMessage != 0;
    facts.kindsInUse = m_host.GetKindsInUse().kinds;
    facts.operationUnderWay = m_operation != Operation::Idle;
    facts.continueMode = IsContinueMode();
    facts.restrictedAccess = m_host.IsRestrictedAccess();
    facts.mayTransmit = m_host.MayTransmit();
    facts.mayLoad = m_host.MayLoad();
    const IDocument* document = m_host.GetDocument();
    const CObjDatabase* database = document ? document->GetPluDatabase() : nullptr;
    facts.hasTable = database != nullptr && database->GetTable(m_kind) != nullptr;
    facts.mayDeleteInTable = m_host.HasTableAccess(m_kind, kRightDelete);
    const ScaleEntry* chosen = ChosenScale();
    facts.singleScale = chosen != nullptr;
    const std::uint16_t defaultFamily = setup.m_defaultScaleFamily;
    if (chosen && chosen->scale) {
        CLinkScaleSettings effective = *chosen->scale;
        effective.m_scaleType = chosen->scale->GetScaleType(defaultFamily);
        facts.scaleHasFileCode = HasScaleFileCode(GetDataKindOfTable(m_kind), effective, setup);
        facts.families.insert(effective.m_scaleType);
    } else if (!chosen) {
        for (std::uint16_t family = 0; family <= kHighestScaleFamily; ++family)
            if (m_host.HasEnabledScaleType(family)) facts.families.insert(family);
    }
    return facts;
}

bool CommCenterForm::IsEnabled(CommControl control) const { return IsControlEnabled(control, m_kind, Facts()); }

bool CommCenterForm::IsTestLinkEnabled() const
{
    const ScaleEntry* row = SelectedRow();
    return row && row->scale && row->link->m_enabled && row->scale->m_enabled && !IsContinueMode() &&
           m_operation == Operation::Idle;
}

bool CommCenterForm::IsClearWaitingEnabled() const
{
    const ScaleEntry* row = SelectedRow();
    return row && row->link && row->link->HasUnsentData() && !m_host.IsRestrictedAccess() && !IsContinueMode() &&
           m_operation == Operation::Idle;
}

bool CommCenterForm::IsEnableDisableEnabled() const
{
    return m_operation == Operation::Idle && !IsContinueMode() && !m_host.IsRestrictedAccess();
}

bool CommCenterForm::IsEnableAllEnabled() const { return !IsContinueMode() && !m_host.IsRestrictedAccess(); }

bool CommCenterForm::IsTestAllEnabled() const
{
    return m_operation == Operation::Idle &&
           std::ranges::any_of(m_links.GetLinks(), [](const auto& link) { return link->m_enabled; });
}

void CommCenterForm::RefreshStatus()
{
    for (std::size_t i = 0; i < m_scales.size(); ++i) {
        const ScaleEntry& entry = m_scales[i];
        Row& row = m_rows[i];
        if (entry.scale && entry.link->m_enabled && entry.scale->m_enabled) {
            row.enabled = "Yes";
            row.status = GetMessageText(entry.scale->IsOnline() ? kMsgConnected : kMsgNotConnected);
            row.dataWaiting = entry.link->HasUnsentData() ? "Yes" : "No";
        } else {
            row.enabled = "No";
            row.status.clear();
            row.dataWaiting.clear();
        }
    }
}

void CommCenterForm::OnTimer()
{
    RefreshStatus();
    if (m_operation == Operation::Idle) return;
    const std::uint32_t records = m_links.CountJobRecords(&m_jobScales);
    m_statusText = records != 0 ? FormatMessage(kMsgRecordsTransferred, static_cast<int>(records))
                                : std::string(GetMessageText(kMsgConnecting));
}

std::optional<KeyRange> CommCenterForm::TableKeys(std::uint16_t kind) const
{
    const IDocument* document = m_host.GetDocument();
    const CObjDatabase* database = document ? document->GetPluDatabase() : nullptr;
    const auto* table = database ? dynamic_cast<const CDBComTb*>(database->GetTable(kind)) : nullptr;
    if (table == nullptr) return std::nullopt;
    return KeyRange{table->GetMinKey(), table->GetMaxKey()};
}

bool CommCenterForm::StartOperation(Operation operation, const ScaleDefs& scales)
{
    if (m_links.WaitWithBusyDialog(&scales) != 0) return false;
    m_jobScales = scales;
    m_operation = operation;
    m_pending.Collect(m_links, &m_jobScales);
    m_result = 0;
    m_statusText = GetMessageText(operation == Operation::Sending ? kMsgLoadingData : kMsgConnecting);
    return true;
}

void CommCenterForm::Send() { SendOrDelete(false, false); }

void CommCenterForm::DeleteRange()
{
    if (ShowMessage(kMsgAskDeleteRange, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return;
    SendOrDelete(true, false);
}

void CommCenterForm::DeleteAll()
{
    if (ShowMessage(kMsgAskDeleteAll, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return;
    SendOrDelete(true, true);
}

void CommCenterForm::SendOrDelete(bool erase, bool all)
{
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    if (!all) {
        const std::optional<std::uint32_t> first = ReadRangeNumber(m_fromText);
        const std::optional<std::uint32_t> last = ReadRangeNumber(m_toText);
        if (!first || !last) {
            (void)ShowMessage(kMsgInvalidValue);
            return;
        }
        from = *first;
        to = *last;
    }
    if (!all && !IsRangeValid(m_kind, from, to, TableKeys(m_kind))) {
        (void)ShowMessage(kMsgInvalidRange);
        return;
    }
    const ScaleEntry* chosen = ChosenScale();
    std::optional<SendTarget> target;
    if (chosen) target = SendTarget{chosen->def.m_scaleId, chosen->def.m_linkId};
    const CGeneralSetup& setup = m_host.GetGeneralSetup();
    const std::optional<SendRequests> jobs =
        BuildSendJobs(m_kind, erase, from, to, target, {setup.m_defaultScaleFamily, setup.m_market,
                                                        m_host.GetKindsInUse().ausNzNutrition});
    if (!jobs) {
        (void)ShowMessage(kMsgInvalidRange);
        return;
    }
    const ScaleDefs scales = chosen ? ScaleDefs{chosen->def} : AllScaleDefs();
    if (!StartOperation(Operation::Sending, scales)) return;
    m_host.PrepareSend(*jobs);
    m_links.QueueJob(&m_jobScales, *jobs, &m_posts);
}

void CommCenterForm::Receive()
{
    const ScaleEntry* chosen = ChosenScale();
    if (!chosen || !chosen->scale || !Facts().scaleHasFileCode) {
        (void)ShowMessage(kMsgNotSupported);
        return;
    }
    if (m_kind == kPlus && m_host.SendsNutritionWithPlus())
        (void)ShowMessageText(kPlusOnlyText, MessageButtons::Ok, MessageIcon::Information);
    if (!StartOperation(Operation::Receiving, {chosen->def})) return;
    m_comparing = false;
    m_host.ClearImportErrorFlag();
    if (IDocument* document = m_host.GetDocument()) document->SetReceivedRecordMode(1);
    m_links.ReceiveData(&m_jobScales, GetDataKindOfTable(m_kind), &m_posts);
}

void CommCenterForm::Compare()
{
    ScaleDefs scales;
    if (const ScaleEntry* chosen = ChosenScale()) {
        if (!chosen->scale || !Facts().scaleHasFileCode) {
            (void)ShowMessage(kMsgNotSupported);
            return;
        }
        scales.push_back(chosen->def);
    } else {
        for (const ScaleEntry& entry : m_scales)
            if (m_links.FindScaleByDef(entry.def)) scales.push_back(entry.def);
    }
    if (!StartOperation(Operation::Receiving, scales)) return;
    m_comparing = true;
    m_links.WriteCompareResultFiles(&m_jobScales, m_host.GetGeneralSetup(), m_host.GetScaleDataDirectory());
    if (IDocument* document = m_host.GetDocument()) document->SetReceivedRecordMode(0);
    m_links.ReceiveData(&m_jobScales, GetDataKindOfTable(m_kind), &m_posts);
}

void CommCenterForm::RunTest(const ScaleDefs* scales)
{
    const ScaleDefs selection = scales ? *scales : AllScaleDefs();
    if (!StartOperation(Operation::Testing, selection)) return;
    m_links.TestLinks(&m_jobScales, &m_posts);
}

void CommCenterForm::TestLink()
{
    if (const ScaleEntry* row = SelectedRow()) {
        const ScaleDefs one{row->def};
        RunTest(&one);
    }
}

void CommCenterForm::TestAllLinks() { RunTest(nullptr); }

void CommCenterForm::EnableDisable()
{
    const ScaleEntry* row = SelectedRow();
    if (!row || !row->scale) return;
    if (!row->link->m_enabled || !row->scale->m_enabled) {
        row->link->m_enabled = true;
        row->scale->m_enabled = true;
        RefreshStatus();
        TestLink();
        return;
    }
    row->scale->m_enabled = false;
    row->scale->SetOnline(false);
    if (m_host.GetGeneralSetup().m_daisyChainedComms == 0) row->link->m_enabled = false;
    RefreshStatus();
}

void CommCenterForm::DisableAllLinks()
{
    const bool oneScalePerLink = m_host.GetGeneralSetup().m_daisyChainedComms == 0;
    for (const ScaleEntry& entry : m_scales) {
        CIdEnqLink* link = m_links.FindLink(entry.def.m_linkId);
        if (!link) continue;
        for (const auto& scale : link->m_scales) {
            scale->m_enabled = false;
            scale->SetOnline(false);
        }
        if (oneScalePerLink) link->m_enabled = false;
    }
    RefreshStatus();
}

void CommCenterForm::EnableAllLinks()
{
    for (const ScaleEntry& entry : m_scales) {
        CIdEnqLink* link = m_links.FindLink(entry.def.m_linkId);
        if (!link) continue;
        link->m_enabled = true;
        for (const auto& scale : link->m_scales) scale->m_enabled = true;
    }
    RefreshStatus();
    TestAllLinks();
}

void CommCenterForm::ClearWaitingData()
{
    if (const ScaleEntry* row = SelectedRow()) {
        const ScaleDefs one{row->def};
        m_links.ClearQueues(&one, false, false);
    }
    RefreshStatus();
}

void CommCenterForm::Continue()
{
    m_result = 0;
    m_host.WriteEvent(EventGeneral, std::string(GetMessageText(kMsgContinuePressed)));
    m_outcome = true;
}

void CommCenterForm::CancelComms()
{
    m_statusText = kCancelledText;
    m_links.ClearQueues(&m_jobScales, false, true);
    m_links.CancelJobs(&m_jobScales);
    m_pending.Release();
    m_operation = Operation::Idle;
}

void CommCenterForm::SelectRecord(bool from)
{
    std::string& text = from ? m_fromText : m_toText;
    const std::uint32_t current = ReadRangeNumber(text).value_or(0);
    std::optional<std::uint32_t> chosen;
    if (IsMessageListKind(m_kind)) {
        if (IDocument* document = m_host.GetDocument())
            chosen = document->SelectMessageNo(MessageKindOfTable(m_kind), current);
    } else if (HasRecordPicker(m_kind)) {
        chosen = m_host.PickRecord(m_kind, current);
    }
    if (chosen) text = FormatText("%ld", static_cast<long>(*chosen));
}

void CommCenterForm::Dispatch()
{
    while (const std::optional<PostQueue::Posted> posted = m_posts.Take()) HandlePost(*posted);
}

void CommCenterForm::HandlePost(const PostQueue::Posted& posted)
{
    if (posted.message != CIdEnqLink::kResultMessage) return;
    if (posted.wParam != CIdEnqLink::ResultDone && posted.wParam != CIdEnqLink::ResultReceiveDone) return;
    CIdEnqLink* link = m_pending.Find(static_cast<std::uint16_t>(posted.lParam));
    if (!link) return;
    IDocument* document = m_comparing ? m_host.GetDocument() : nullptr;
    const MessageId linkResult =
        EndLinkPart(*link, posted.wParam, &m_jobScales, document, m_host.GetScaleDataDirectory(), m_host.FileSystem());
    if (m_result == 0) m_result = linkResult;
    m_pending.Remove(link->m_linkId);
    if (m_pending.IsEmpty()) FinishOperation();
}

void CommCenterForm::FinishOperation()
{
    const Operation finished = m_operation;
    const bool compared = m_comparing;
    const ScaleDefs scales = std::exchange(m_jobScales, {});
    if (m_result != 0) {
        ShowCommsResult(m_result);
        if (finished == Operation::Sending && m_result != CIdEnqLink::kMsgScaleMemoryFull)
            (void)ShowMessage(kMsgSendErrors, MessageButtons::Ok, MessageIcon::Information);
    }
    m_statusText = GetMessageText(m_result == 0 ? kMsgCompletedOk : kMsgUnsuccessful);
    m_operation = Operation::Idle;
    m_comparing = false;
    RefreshStatus();
    IDocument* document = m_host.GetDocument();
    if (finished == Operation::Receiving && compared) {
        if (document) document->SetReceivedRecordMode(1);
        const CAppEventLog* log = m_host.GetEventLog();
        const std::string directory = m_host.GetScaleDataDirectory();
        const bool differs = log ? m_links.ReportCompareResults(&scales, directory, *log) : false;
        if (differs) {
            const auto shape = scales.size() == 1 ? CompareResultForm::Shape::OneScale : CompareResultForm::Shape::ScaleList;
            CompareResultForm results(
                shape, m_links, scales,
                {document, m_host.GetCurrentDepartment(), m_host.GetGeneralSetup().m_daisyChainedComms != 0,
                 m_host.MayTransmit(), directory});
            if (ICommsDialogs* dialogs = GetCommsDialogs()) (void)dialogs->RunCompareResult(results);
        } else {
            (void)ShowMessage(kMsgSameData, MessageButtons::Ok, MessageIcon::Information);
        }
    } else if (finished == Operation::Receiving) {
        if (m_host.TakeImportErrorFlag()) (void)ShowMessage(kMsgImportErrors);
        if (document) document->UpdateAllViews();
    }
    if (finished == Operation::Testing && IsContinueMode()) {
        m_result = 0;
        ScaleDefs waited = m_continueFor->GetScaleDefs();
        m_links.LogOfflineScales(&waited);
        if (m_links.AreAllScalesOnline(&waited)) m_outcome = true;
    }
}

}  // namespace varnel
