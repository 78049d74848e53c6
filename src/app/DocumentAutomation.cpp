#include "app/DocumentAutomation.h"

#include "app/CompareScalesOp.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/store/StoreTransaction.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScale.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace varnel {
namespace {

constexpr std::int16_t kOtherMakersScales = 1000;
constexpr std::int16_t kPriceChangeType = 14;
constexpr int kFirstHostFileFormat = 50;
constexpr int kSecondHostFileFormat = 51;

std::string UpperCase(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsExistingFile(const std::string& path)
{
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

// The failures the result stamp has a status of its own for, besides the automation's own.
constexpr MessageId kMsgTimeout = 61219;
constexpr MessageId kMsgUnrecognizedFormat = 61319;
constexpr MessageId kMsgNoLinksEnabled = 61335;

int StampStatus(MessageId id)
{
    switch (id) {
    case DocumentAutomation::kMsgNoDatabase: return 1;
    case DocumentAutomation::kMsgFileOpenError: return 2;
    case DocumentAutomation::kMsgCommsError: return 7;
    case kMsgTimeout: return 11;
    case kMsgUnrecognizedFormat: return 5;
    case kMsgNoLinksEnabled: return 6;
    default: return id <= 98 ? static_cast<int>(id) : 0;
    }
}

}  // namespace

std::string MarketResultStamp(const DateTimeParts& now, MessageId id)
{
    if (id == 0) return {};
    return FormatText("%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d            %2.2d", now.year, now.month, now.day, now.hour,
                      now.minute, now.second, StampStatus(id));
}

DocumentAutomation::DocumentAutomation(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document,
                                       IAutomationServices& services)
    : m_frame(frame), m_host(host), m_document(document), m_services(services)
{
}

void DocumentAutomation::SetErrorCode(std::int32_t code)
{
    if (code == m_errorCode) return;
    m_errorCode = code;
    if (m_errorCodeChanged) m_errorCodeChanged(code);
}

std::string DocumentAutomation::GetScalesWithUnsentData() const { return m_host.GetLinks().GetUnsentDataText(); }

std::string DocumentAutomation::GetFailedImportPlus() const
{
    std::string text;
    for (const std::uint32_t plu : m_failedPlus) {
        if (!text.empty()) text += ',';
        text += std::to_string(plu);
    }
    return text;
}

void DocumentAutomation::Begin()
{
    m_errorText.clear();
    SetErrorCode(0);
}

bool DocumentAutomation::Fail(MessageId code, std::string text)
{
    m_errorText = std::move(text);
    SetErrorCode(static_cast<std::int32_t>(code));
    return false;
}

bool DocumentAutomation::Fail(MessageId code) { return Fail(code, std::string(GetMessageText(code))); }

bool DocumentAutomation::FailComms()
{
    // In market 3 the caller reads the scales' error records (time, address and code of each).
    const std::string& records = m_document.GetCommsErrorText();
    if (IsStampMarket() && !records.empty()) return Fail(kMsgCommsError, records);
    return Fail(kMsgCommsError);
}

bool DocumentAutomation::IsStampMarket() const { return m_frame.GetGeneralSetup().m_market == MarketThailand; }

bool DocumentAutomation::FailStamped(MessageId code, MessageId stampId)
{
    if (!IsStampMarket()) return Fail(code);
    return Fail(code, MarketResultStamp(ToLocalParts(m_frame.Clock().WallNow()), stampId));
}

bool DocumentAutomation::OperationOutcome(MessageId result)
{
    return result == 0 ||
           Fail(kMsgInvalidParameter, std::string(GetMessageText(result == 1 ? kMsgInvalidParameter : result)));
}

bool DocumentAutomation::Outcome(MessageId result) { return result == 0 || Fail(result); }

bool DocumentAutomation::CheckDatabase() { return m_document.IsDatabaseOpen() || Fail(kMsgNoDatabase); }

bool DocumentAutomation::CheckComms() { return m_document.CanUseOnlineComms() || Fail(kMsgCommsOffline); }

bool DocumentAutomation::CheckNotBatchMode() { return !m_document.IsBatchMode() || Fail(kMsgBatchMode); }

bool DocumentAutomation::ScheduleOpen(const std::string& file)
{
    Begin();
    if (m_document.IsDatabaseOpen() || m_frame.IsScheduleFileOpen()) return Fail(kMsgAlreadyOpen);
    bool inUse = false;
    const MessageId result = m_frame.LoadSchedule(file, inUse, m_showErrors);
    if (result != 0) return Fail(result);
    m_schedulePath = file;
    return true;
}

bool DocumentAutomation::ScheduleClose()
{
    Begin();
    m_frame.CloseScheduleFile();
    m_schedulePath.clear();
    return true;
}

bool DocumentAutomation::ScheduleExecOp(const std::string& name)
{
    Begin();
    if (!m_frame.IsScheduleFileOpen()) return Fail(kMsgNoSchedule);
    const bool ran = m_services.RunScheduleItem(m_document, name);
    if (!ran) (void)Fail(kMsgScheduleItemError, "Error executing schedule item: " + name);
    (void)m_frame.SaveSchedule(m_schedulePath);
    return ran;
}

bool DocumentAutomation::ScheduleExecSched()
{
    Begin();
    if (!m_frame.IsScheduleFileOpen()) return Fail(kMsgNoSchedule);
    return m_services.RunDueScheduleItems(m_document) ||
           Fail(kMsgScheduleItemError, "Error executing schedule operation");
}

bool DocumentAutomation::DatabaseOpen(const std::string& file)
{
    Begin();
    if (m_document.IsDatabaseOpen()) return FailStamped(kMsgAlreadyOpen, kMsgNoDatabase);
    // Only a file that is there is opened: the open never makes a database for a mistyped name.
    if (!IsExistingFile(file) || !m_document.OpenDatabaseFile(file)) {
        m_host.SetLinksStarted(false);
        return FailStamped(kMsgFileOpenError, kMsgNoDatabase);
    }
    CMasterScaleList& departments = m_frame.Departments();
    const std::string wanted = UpperCase(file);
    const CMasterScale* match = nullptr;
    for (const auto& department : departments.GetDepartments()) {
        if (UpperCase(department->m_database) == wanted) {
            match = department.get();
            break;
        }
    }
    if (match != nullptr) {
        departments.SetCurrent(match->m_id);
    } else if (!departments.GetDepartments().empty()) {
        m_document.CloseDatabase();
        m_host.SetLinksStarted(false);
        return FailStamped(kMsgFileOpenError, kMsgFileOpenError);
    }
    const bool online = m_frame.GetGeneralSetup().m_onlineComms != 0;
    if (online) m_host.GetLinks().StartLinks(&m_document, m_host.GetLinkRoles(), true);
    m_host.SetLinksStarted(online);
    return true;
}

bool DocumentAutomation::DatabaseClose()
{
    Begin();
    if (m_document.IsDatabaseOpen()) {
        CIdEnqLinkList& links = m_host.GetLinks();
        (void)links.StopLinks(true);
        m_host.SetLinksStarted(false);
        links.LogUnsentPlus(m_frame.EventLog());
        m_document.CloseDatabase();
        m_document.CacheTables();
    }
    return true;
}

bool DocumentAutomation::ImportTextFile(const std::string& definition, const std::string& file)
{
    Begin();
    if (!m_document.IsDatabaseOpen()) return FailStamped(kMsgNoDatabase, kMsgNoDatabase);
    if (!m_services.HasImportDefinition(definition)) return Fail(kMsgInvalidParameter);
    // The run would ask for a missing file; nobody is there to answer.
    if (!IsExistingFile(file)) return FailStamped(kMsgFileOpenError, kMsgFileOpenError);
    const MessageId result = m_services.RunImportDefinition(m_document, definition, file, m_showErrors);
    if (result == 0) return true;
    const MessageId reported = result == 1 ? kMsgInvalidParameter : result;
    return FailStamped(reported, reported);
}

bool DocumentAutomation::ImportTextFileEx(const std::string& file, std::int16_t format, std::int16_t operation,
                                          std::int16_t fileType, std::int16_t descFormat, std::int16_t send,
                                          std::int16_t includesPriceZone, std::int16_t usePosCode,
                                          std::int16_t autoAssignByDepartment)
{
    Begin();
    const bool hostFile = format == kFirstHostFileFormat || format == kSecondHostFileFormat;
    if (!hostFile && !m_document.IsDatabaseOpen()) return FailStamped(kMsgNoDatabase, kMsgNoDatabase);
    if (!IsExistingFile(file)) return FailStamped(kMsgFileOpenError, kMsgFileOpenError);
    MessageId result = 0;
    if (hostFile) {
        result = m_services.ImportHostFile(format, file);
    } else {
        TextImportRun run;
        run.file = file;
        run.format = static_cast<std::uint16_t>(format);
        run.operation = static_cast<std::uint16_t>(operation);
        run.fileType = static_cast<std::uint16_t>(fileType);
        run.descFormat = static_cast<std::uint16_t>(descFormat);
        run.send = send != 0;
        run.includesPriceZone = includesPriceZone != 0;
        run.usePosCode = usePosCode != 0;
        run.autoAssignByDepartment = autoAssignByDepartment != 0;
        result = m_services.RunImport(m_document, run, m_showErrors);
    }
    return result == 0 || FailStamped(result, result);
}

bool DocumentAutomation::ExportTextFile(const std::string& definition, const std::string& file)
{
    Begin();
    if (!CheckDatabase()) return false;
    if (!m_services.HasExportDefinition(definition)) return Fail(kMsgInvalidParameter);
    // The run would ask for the file; nobody is there to answer.
    if (file.empty()) return Fail(kMsgFileOpenError);
    const MessageId result = m_services.RunExportDefinition(m_document, definition, file, m_showErrors);
    return OperationOutcome(result);
}

bool DocumentAutomation::ExportTextFileEx(const std::string& file, std::int16_t format, std::int16_t fileType,
                                          std::int16_t headers, std::int16_t descFormat,
                                          std::int16_t priceZoneSelection, std::int16_t priceZone,
                                          std::int16_t perScale, std::int16_t furtherFlag, std::int16_t scaleNames)
{
    Begin();
    if (!CheckDatabase()) return false;
    if (file.empty()) return Fail(kMsgFileOpenError);
    TextExportRun run;
    run.file = file;
    run.format = static_cast<std::uint16_t>(format);
    run.fileType = static_cast<std::uint16_t>(fileType);
    run.headers = headers != 0;
    run.descFormat = static_cast<std::uint16_t>(descFormat);
    run.priceZoneSelection = priceZoneSelection != 0;
    run.priceZone = static_cast<std::uint16_t>(priceZone);
    run.perScale = perScale != 0;
    run.furtherFlag = furtherFlag != 0;
    run.scaleNames = scaleNames != 0;
    const MessageId result = m_services.RunExport(m_document, run, m_showErrors);
    return OperationOutcome(result);
}

bool DocumentAutomation::SendToScales(std::int16_t dataType, std::int32_t from, std::int32_t to)
{
    Begin();
    if (!CheckDatabase()) return false;
    if (dataType == kOtherMakersScales) {
        const MessageId result = m_services.SendToOtherMakersScales(m_document, from, to, m_showErrors);
        return Outcome(result);
    }
    if (!CheckComms()) return false;
    // Keys are never negative: such a range is refused rather than read as a huge key.
    if (dataType < 0 || from < 0 || to < 0) return Fail(kMsgInvalidParameter);
    const std::uint16_t tableNo =
        dataType == kPriceChangeType ? CPluDefTb::kTableNo : static_cast<std::uint16_t>(dataType);
    if (m_document.GetDatabase().GetTable(tableNo) == nullptr) return Fail(kMsgInvalidParameter);
    const SendJobKind kind = dataType == kPriceChangeType ? SendPriceChanges : SendRecords;
    const SendRequests requests{
        CSendDataLog(kind, tableNo, static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to))};
    return m_document.SendData(IDocument::kDataType, m_showErrors, requests, m_host.GetCurrentDepartment()) ||
           FailComms();
}

bool DocumentAutomation::IsUnsentDataWaiting()
{
    Begin();
    if (!CheckDatabase() || !CheckComms()) return false;
    const CMasterScale* department = m_host.GetCurrentDepartment();
    if (department == nullptr) return m_host.GetLinks().IsDataWaiting(nullptr);
    const ScaleDefs scales = department->GetScaleDefs();
    return m_host.GetLinks().IsDataWaiting(&scales);
}

bool DocumentAutomation::SendUnsentData()
{
    Begin();
    if (!CheckDatabase() || !CheckComms()) return false;
    return m_document.DoSendUnsentData(m_showErrors, m_host.GetCurrentDepartment()) || FailComms();
}

bool DocumentAutomation::ClearProdDatabase()
{
    Begin();
    if (!CheckNotBatchMode() || !CheckDatabase()) return false;
    const MessageId result = m_document.ClearProdTotals(m_showErrors);
    return OperationOutcome(result);
}

bool DocumentAutomation::ReadProdFromScales()
{
    Begin();
    if (!CheckDatabase() || !CheckComms()) return false;
    const MessageId result = m_services.LoadProduction(m_document);
    if (result != 0 && m_showErrors) ShowMessage(result);
    return OperationOutcome(result);
}

bool DocumentAutomation::CompareScalesVsDb(std::int32_t synchronise)
{
    Begin();
    if (!CheckDatabase() || !CheckComms()) return false;
    const CompareScalesOutcome outcome = RunCompareScalesOp(m_document, m_host, synchronise != 0);
    if (outcome.result != 0) {
        if (m_showErrors) ShowMessage(outcome.result);
        return OperationOutcome(outcome.result);
    }
    // Differences found without synchronising: FALSE with ErrorCode 0.
    return synchronise != 0 || !outcome.differences;
}

bool DocumentAutomation::DeleteRecords(std::int16_t dataType, std::int32_t from, std::int32_t to)
{
    Begin();
    if (!CheckDatabase() || !CheckComms()) return false;
    if (dataType == kPriceChangeType || dataType < 0 || from < 0 || to < 0 || from > to)
        return Fail(kMsgInvalidParameter);
    const auto tableNo = static_cast<std::uint16_t>(dataType);
    CObjDBTable* table = m_document.GetDatabase().GetTable(tableNo);
    if (table == nullptr) return Fail(kMsgInvalidParameter);
    const auto first = static_cast<std::uint32_t>(from);
    const std::uint32_t last = from == 0 ? table->GetHighestKey() : static_cast<std::uint32_t>(to);
    {
        StoreTransaction transaction(m_document.GetDatabase());
        std::vector<std::uint32_t> keys;
        for (KeyCursor cursor = first; table->PeekNextRecord(cursor) != nullptr && cursor - 1 <= KeyCursor{last};)
            keys.push_back(static_cast<std::uint32_t>(cursor - 1));
        // A PLU's price-zone rows go with it, or a later PLU of its number would take its zone prices.
        CPluPriceZoneTb* zones = tableNo == CPluDefTb::kTableNo ? m_document.GetPriceZoneTable() : nullptr;
        for (const std::uint32_t doomed : keys) {
            if (!table->DeleteKey(doomed) || (zones != nullptr && !zones->DeletePlu(doomed)))
                return Fail(kMsgInvalidParameter);
        }
        if (!transaction.Commit()) return Fail(kMsgInvalidParameter);
    }
    const SendRequests requests{CSendDataLog(SendKeyDeletes, tableNo, first, from == 0 ? 0 : last)};
    return m_document.SendData(IDocument::kDataType, m_showErrors, requests, m_host.GetCurrentDepartment()) ||
           FailComms();
}

bool DocumentAutomation::DatabaseCompact()
{
    Begin();
    if (!CheckDatabase()) return false;
    return m_document.GetDatabase().Compact() || Fail(kMsgCannotCompact);
}

bool DocumentAutomation::LoadSetupFile(const std::string& file, bool site)
{
    Begin();
    if (m_document.IsDatabaseOpen()) return Fail(kMsgAlreadyOpen);
    const bool loaded = IsExistingFile(file) && (site ? m_frame.LoadSiteSetup(file) : m_frame.LoadGeneralSetup(file));
    if (!loaded) {
        // The code is the number of the text given, with the file's name in its place.
        const MessageId text = site ? kMsgSiteSetupLoadError : kMsgSetupLoadError;
        return Fail(text, FormatMessage(text, file.c_str()));
    }
    m_frame.EventLog().LogSetupModified(site ? kMsgSiteSetupLoaded : kMsgSetupLoaded, file);
    return true;
}

bool DocumentAutomation::LoadSetup(const std::string& file) { return LoadSetupFile(file, false); }

bool DocumentAutomation::LoadSiteSetup(const std::string& file) { return LoadSetupFile(file, true); }

bool DocumentAutomation::SetEventLogFile(const std::string& file)
{
    Begin();
    if (m_document.IsDatabaseOpen()) return Fail(kMsgAlreadyOpen);
    m_frame.EventLog().LogFile = file;
    return true;
}

bool DocumentAutomation::LoadBatch(const std::string& file, std::int16_t send)
{
    Begin();
    if (!CheckNotBatchMode() || !CheckDatabase()) return false;
    const MessageId result = m_services.LoadBatch(m_document, file, send != 0);
    return OperationOutcome(result);
}

bool DocumentAutomation::StartSale(const std::string& sale)
{
    Begin();
    if (!CheckNotBatchMode() || !CheckDatabase()) return false;
    return Outcome(m_services.StartSale(m_document, sale));
}

bool DocumentAutomation::EndSale(const std::string& sale)
{
    Begin();
    if (!CheckNotBatchMode() || !CheckDatabase()) return false;
    return Outcome(m_services.EndSale(m_document, sale));
}

bool DocumentAutomation::ImportSales(const std::string& file, const std::string& secondFile)
{
    Begin();
    return Outcome(m_services.ImportSales(m_document, file, secondFile, m_showErrors));
}

bool DocumentAutomation::ChangePrice(std::int32_t pluNumber, std::int32_t price, std::int32_t zone)
{
    Begin();
    if (!CheckDatabase()) return false;
    CPluDefTb* plus = m_document.GetPluTable();
    if (pluNumber < 0 || plus == nullptr || plus->FindRecord(static_cast<std::uint32_t>(pluNumber)) == nullptr)
        return Fail(kMsgNoSuchRecord);
    return plus->ChangePrice(static_cast<std::uint32_t>(pluNumber), price, zone, true, m_showErrors) ||
           Fail(kMsgCommsError);
}

bool DocumentAutomation::AddRecords(std::int32_t tableType, const std::string& titles, const std::string& data)
{
    Begin();
    m_failedPlus.clear();
    // A refusal that left ErrorCode 0 would read as success to a client that looks at the code.
    if (!m_frame.IsAusNzNutrition()) return Fail(kMsgNutritionDisabled);
    std::vector<std::uint32_t> failedPlus;
    const MessageId result = m_services.AddRecords(m_document, tableType, titles, data, m_showErrors, failedPlus);
    if (result == 0) return true;
    m_failedPlus = std::move(failedPlus);
    (void)Fail(result);
    const CAppEventLog& log = m_frame.EventLog();
    log.WriteEvent(EventGeneral, "Error ading records using AddRecords( ) : " + m_errorText);
    log.WriteEvent(EventContinuation, titles);
    log.WriteEvent(EventContinuation, data);
    return false;
}

MessageId UnbuiltAutomationServices::SendToOtherMakersScales(CVrn3Doc& document, std::int32_t from, std::int32_t to,
                                                            bool showErrors)
{
    if (from < 0 || to < 0) return kNotAvailable;
    return document.SendOrlanPlus(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to), showErrors);
}

}  // namespace varnel
