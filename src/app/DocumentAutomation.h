// DocumentAutomation: the document as other programs drive it, without a user. Every method clears
// the error text and sets ErrorCode to 0, makes its checks in order, runs the operation and answers
// its result; a failure answers FALSE (or an empty text) and leaves the message number in ErrorCode
// and its text for GetErrorMessage. Nothing here ever asks a question: a file that is missing fails
// the call instead of opening a file chooser. The bus adaptor only translates to this class.
#pragma once

#include "app/AutomationServices.h"
#include "platform/Messages.h"
#include "platform/OleDate.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IDocumentHost;

// The failure text of the markets that read results by machine: the local date and time of the call,
// twelve blanks and a two-digit status taken from the message number; "" for no number at all.
std::string MarketResultStamp(const DateTimeParts& now, MessageId id);

class DocumentAutomation {
public:
    static constexpr MessageId kMsgCannotCompact = 31490;
    static constexpr MessageId kMsgNoDatabase = 31508;
    static constexpr MessageId kMsgCommsOffline = 31509;
    static constexpr MessageId kMsgInvalidParameter = 31510;
    static constexpr MessageId kMsgNoSuchRecord = 31511;
    static constexpr MessageId kMsgAlreadyOpen = 31514;
    static constexpr MessageId kMsgBatchMode = 31515;
    static constexpr MessageId kMsgNoSchedule = 31516;
    static constexpr MessageId kMsgScheduleItemError = 31523;
    static constexpr MessageId kMsgNutritionDisabled = 31525;
    static constexpr MessageId kMsgFileOpenError = 61216;
    static constexpr MessageId kMsgCommsError = 61218;
    static constexpr MessageId kMsgSetupLoadError = 61266;
    static constexpr MessageId kMsgSiteSetupLoadError = 31476;
    static constexpr MessageId kMsgSetupLoaded = 20520;
    static constexpr MessageId kMsgSiteSetupLoaded = 20521;

    DocumentAutomation(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document, IAutomationServices& services);
    DocumentAutomation(const DocumentAutomation&) = delete;
    DocumentAutomation& operator=(const DocumentAutomation&) = delete;

    // Properties.
    bool GetShowErrors() const { return m_showErrors; }
    void SetShowErrors(bool show) { m_showErrors = show; }
    std::int32_t GetErrorCode() const { return m_errorCode; }
    // A client may write the code; nothing else changes.
    void SetErrorCode(std::int32_t code);
    std::string GetScalesWithUnsentData() const;
    std::string GetFailedImportPlus() const;
    // Told each time ErrorCode takes another value.
    void OnErrorCodeChanged(std::function<void(std::int32_t)> observer) { m_errorCodeChanged = std::move(observer); }

    // Methods, in the interface's order.
    bool ScheduleOpen(const std::string& file);
    bool ScheduleClose();
    bool ScheduleExecOp(const std::string& name);
    bool ScheduleExecSched();
    bool DatabaseOpen(const std::string& file);
    bool DatabaseClose();
    bool ImportTextFile(const std::string& definition, const std::string& file);
    bool ImportTextFileEx(const std::string& file, std::int16_t format, std::int16_t operation, std::int16_t fileType,
                          std::int16_t descFormat, std::int16_t send, std::int16_t includesPriceZone,
                          std::int16_t usePosCode, std::int16_t autoAssignByDepartment);
    bool ExportTextFile(const std::string& definition, const std::string& file);
    bool ExportTextFileEx(const std::string& file, std::int16_t format, std::int16_t fileType, std::int16_t headers,
                          std::int16_t descFormat, std::int16_t priceZoneSelection, std::int16_t priceZone,
                          std::int16_t perScale, std::int16_t furtherFlag, std::int16_t scaleNames);
    bool SendToScales(std::int16_t dataType, std::int32_t from, std::int32_t to);
    bool IsUnsentDataWaiting();
    bool SendUnsentData();
    bool ClearProdDatabase();
    bool ReadProdFromScales();
    bool CompareScalesVsDb(std::int32_t synchronise);
    bool DeleteRecords(std::int16_t dataType, std::int32_t from, std::int32_t to);
    bool DatabaseCompact();
    bool LoadSetup(const std::string& file);
    bool LoadSiteSetup(const std::string& file);
    bool SetEventLogFile(const std::string& file);
    bool LoadBatch(const std::string& file, std::int16_t send);
    bool StartSale(const std::string& sale);
    bool EndSale(const std::string& sale);
    bool ImportSales(const std::string& file, const std::string& secondFile);
    bool ChangePrice(std::int32_t pluNumber, std::int32_t price, std::int32_t zone);
    bool AddRecords(std::int32_t tableType, const std::string& titles, const std::string& data);
    // The text of the last failure; reading it clears nothing.
    std::string GetErrorMessage() const { return m_errorText; }

private:
    void Begin();
    bool Fail(MessageId code, std::string text);
    bool Fail(MessageId code);
    // The open and import methods' failures: in the machine-read market the text is the stamp of
    // `stampId` instead.
    bool FailStamped(MessageId code, MessageId stampId);
    // A send that failed: 61218, with market 3's error records of the scales as its text.
    bool FailComms();
    // An operation's result: 0 succeeds. Otherwise, for an operation, its message's text under
    // ErrorCode 31510 (result 1 has no text of its own); as an outcome, its message as code and text.
    bool OperationOutcome(MessageId result);
    bool Outcome(MessageId result);
    bool CheckDatabase();
    bool CheckComms();
    bool CheckNotBatchMode();
    bool IsStampMarket() const;
    bool LoadSetupFile(const std::string& file, bool site);

    CMainFrame& m_frame;
    IDocumentHost& m_host;
    CVrn3Doc& m_document;
    IAutomationServices& m_services;
    bool m_showErrors = true;
    std::int32_t m_errorCode = 0;
    std::string m_errorText;
    std::vector<std::uint32_t> m_failedPlus;
    std::string m_schedulePath;
    std::function<void(std::int32_t)> m_errorCodeChanged;
};

}  // namespace varnel
