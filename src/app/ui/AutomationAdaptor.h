// The document's automation interface on the session bus (com.norvik.Varnel.Automation at
// /Document): each member translates its arguments for DocumentAutomation and back. Calls are
// answered with delayed replies, one at a time in the order they came, so a long send never holds a
// second call half done; a caller that left before its answer costs nothing but the answer.
#pragma once

#include "app/DocumentAutomation.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariant>

#include <deque>
#include <functional>

namespace varnel {

class AutomationAdaptor final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.norvik.Varnel.Automation")
    Q_PROPERTY(bool ShowErrors READ GetShowErrors WRITE SetShowErrors)
    Q_PROPERTY(int ErrorCode READ GetErrorCode WRITE SetErrorCode NOTIFY ErrorCodeChanged)
    Q_PROPERTY(QString ScalesWithUnsentData READ GetScalesWithUnsentData)
    Q_PROPERTY(QString FailedImportPlus READ GetFailedImportPlus)

public:
    AutomationAdaptor(DocumentAutomation& automation, QDBusConnection connection);

    bool GetShowErrors() const { return m_automation.GetShowErrors(); }
    void SetShowErrors(bool show) { m_automation.SetShowErrors(show); }
    int GetErrorCode() const { return m_automation.GetErrorCode(); }
    void SetErrorCode(int code) { m_automation.SetErrorCode(code); }
    QString GetScalesWithUnsentData() const { return QString::fromStdString(m_automation.GetScalesWithUnsentData()); }
    QString GetFailedImportPlus() const { return QString::fromStdString(m_automation.GetFailedImportPlus()); }

signals:
    // Not a bus member: the change goes out as the properties' PropertiesChanged signal.
    void ErrorCodeChanged(int code);

public slots:
    bool ScheduleOpen(const QString& file);
    bool ScheduleClose();
    bool ScheduleExecOp(const QString& name);
    bool ScheduleExecSched();
    bool DatabaseOpen(const QString& file);
    bool DatabaseClose();
    bool ImportTextFile(const QString& definition, const QString& file);
    bool ImportTextFileEx(const QString& file, short format, short operation, short fileType, short descFormat,
                          short send, short includesPriceZone, short usePosCode, short autoAssignByDepartment);
    bool ExportTextFile(const QString& definition, const QString& file);
    bool ExportTextFileEx(const QString& file, short format, short fileType, short headers, short descFormat,
                          short priceZoneSelection, short priceZone, short perScale, short furtherFlag,
                          short scaleNames);
    bool SendToScales(short dataType, int from, int to);
    bool IsUnsentDataWaiting();
    bool SendUnsentData();
    bool ClearProdDatabase();
    bool ReadProdFromScales();
    bool CompareScalesVsDb(int synchronise);
    bool DeleteRecords(short dataType, int from, int to);
    bool DatabaseCompact();
    bool LoadSetup(const QString& file);
    bool LoadSiteSetup(const QString& file);
    bool SetEventLogFile(const QString& file);
    bool LoadBatch(const QString& file, short send);
    bool StartSale(const QString& sale);
    bool EndSale(const QString& sale);
    bool ImportSales(const QString& file, const QString& secondFile);
    bool ChangePrice(int pluNumber, int price, int zone);
    bool AddRecords(int tableType, const QString& titles, const QString& data);
    QString GetErrorMessage();

private:
    struct PendingCall {
        QDBusMessage message;
        std::function<QVariant(DocumentAutomation&)> run;
    };

    // From the bus the call joins the queue and is answered when it has run (the result returned here
    // is not sent); called directly it runs at once.
    template <class Result>
    Result Serve(std::function<Result(DocumentAutomation&)> run);
    void ServeNext();
    void SignalErrorCode(int code);

    DocumentAutomation& m_automation;
    QDBusConnection m_connection;
    std::deque<PendingCall> m_pending;
    bool m_serving = false;  // a ServeNext is queued or running
    bool m_running = false;  // a call is running
};

}  // namespace varnel
