#include "app/ui/AutomationAdaptor.h"

#include "app/AutomationMembers.h"

#include <QMetaObject>
#include <QStringList>
#include <QVariantMap>

namespace varnel {
namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

AutomationAdaptor::AutomationAdaptor(DocumentAutomation& automation, QDBusConnection connection)
    : m_automation(automation), m_connection(std::move(connection))
{
    m_automation.OnErrorCodeChanged([this](std::int32_t code) { SignalErrorCode(code); });
}

template <class Result>
Result AutomationAdaptor::Serve(std::function<Result(DocumentAutomation&)> run)
{
    if (!calledFromDBus()) return run(m_automation);
    setDelayedReply(true);
    m_pending.push_back({message(), [run = std::move(run)](DocumentAutomation& automation) {
                             return QVariant::fromValue(run(automation));
                         }});
    if (!m_serving) {
        m_serving = true;
        QMetaObject::invokeMethod(this, &AutomationAdaptor::ServeNext, Qt::QueuedConnection);
    }
    return Result{};
}

void AutomationAdaptor::ServeNext()
{
    // A message box shown during a call runs the event loop inside it: the next call waits for it.
    if (m_running) return;
    if (m_pending.empty()) {
        m_serving = false;
        return;
    }
    const PendingCall call = std::move(m_pending.front());
    m_pending.pop_front();
    m_running = true;
    const QVariant result = call.run(m_automation);
    m_running = false;
    // A caller that has gone away simply gets no answer.
    (void)m_connection.send(call.message.createReply(result));
    // The event loop runs between calls, so property reads and new calls are taken in meanwhile.
    QMetaObject::invokeMethod(this, &AutomationAdaptor::ServeNext, Qt::QueuedConnection);
}

void AutomationAdaptor::SignalErrorCode(int code)
{
    emit ErrorCodeChanged(code);
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromUtf8(kAutomationObject.data(), kAutomationObject.size()),
                                                     "org.freedesktop.DBus.Properties", "PropertiesChanged");
    signal << QString::fromUtf8(kAutomationInterface.data(), kAutomationInterface.size())
           << QVariantMap{{"ErrorCode", code}} << QStringList();
    (void)m_connection.send(signal);
}

bool AutomationAdaptor::ScheduleOpen(const QString& file)
{
    return Serve<bool>([file](DocumentAutomation& a) { return a.ScheduleOpen(Utf8(file)); });
}

bool AutomationAdaptor::ScheduleClose()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.ScheduleClose(); });
}

bool AutomationAdaptor::ScheduleExecOp(const QString& name)
{
    return Serve<bool>([name](DocumentAutomation& a) { return a.ScheduleExecOp(Utf8(name)); });
}

bool AutomationAdaptor::ScheduleExecSched()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.ScheduleExecSched(); });
}

bool AutomationAdaptor::DatabaseOpen(const QString& file)
{
    return Serve<bool>([file](DocumentAutomation& a) { return a.DatabaseOpen(Utf8(file)); });
}

bool AutomationAdaptor::DatabaseClose()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.DatabaseClose(); });
}

bool AutomationAdaptor::ImportTextFile(const QString& definition, const QString& file)
{
    return Serve<bool>(
        [definition, file](DocumentAutomation& a) { return a.ImportTextFile(Utf8(definition), Utf8(file)); });
}

bool AutomationAdaptor::ImportTextFileEx(const QString& file, short format, short operation, short fileType,
                                         short descFormat, short send, short includesPriceZone, short usePosCode,
                                         short autoAssignByDepartment)
{
    return Serve<bool>([=](DocumentAutomation& a) {
        return a.ImportTextFileEx(Utf8(file), format, operation, fileType, descFormat, send, includesPriceZone,
                                  usePosCode, autoAssignByDepartment);
    });
}

bool AutomationAdaptor::ExportTextFile(const QString& definition, const QString& file)
{
    return Serve<bool>(
        [definition, file](DocumentAutomation& a) { return a.ExportTextFile(Utf8(definition), Utf8(file)); });
}

bool AutomationAdaptor::ExportTextFileEx(const QString& file, short format, short fileType, short headers,
                                         short descFormat, short priceZoneSelection, short priceZone, short perScale,
                                         short furtherFlag, short scaleNames)
{
    return Serve<bool>([=](DocumentAutomation& a) {
        return a.ExportTextFileEx(Utf8(file), format, fileType, headers, descFormat, priceZoneSelection, priceZone,
                                  perScale, furtherFlag, scaleNames);
    });
}

bool AutomationAdaptor::SendToScales(short dataType, int from, int to)
{
    return Serve<bool>([=](DocumentAutomation& a) { return a.SendToScales(dataType, from, to); });
}

bool AutomationAdaptor::IsUnsentDataWaiting()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.IsUnsentDataWaiting(); });
}

bool AutomationAdaptor::SendUnsentData()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.SendUnsentData(); });
}

bool AutomationAdaptor::ClearProdDatabase()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.ClearProdDatabase(); });
}

bool AutomationAdaptor::ReadProdFromScales()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.ReadProdFromScales(); });
}

bool AutomationAdaptor::CompareScalesVsDb(int synchronise)
{
    return Serve<bool>([=](DocumentAutomation& a) { return a.CompareScalesVsDb(synchronise); });
}

bool AutomationAdaptor::DeleteRecords(short dataType, int from, int to)
{
    return Serve<bool>([=](DocumentAutomation& a) { return a.DeleteRecords(dataType, from, to); });
}

bool AutomationAdaptor::DatabaseCompact()
{
    return Serve<bool>([](DocumentAutomation& a) { return a.DatabaseCompact(); });
}

bool AutomationAdaptor::LoadSetup(const QString& file)
{
    return Serve<bool>([file](DocumentAutomation& a) { return a.LoadSetup(Utf8(file)); });
}

bool AutomationAdaptor::LoadSiteSetup(const QString& file)
{
    return Serve<bool>([file](DocumentAutomation& a) { return a.LoadSiteSetup(Utf8(file)); });
}

bool AutomationAdaptor::SetEventLogFile(const QString& file)
{
    return Serve<bool>([file](DocumentAutomation& a) { return a.SetEventLogFile(Utf8(file)); });
}

bool AutomationAdaptor::LoadBatch(const QString& file, short send)
{
    return Serve<bool>([file, send](DocumentAutomation& a) { return a.LoadBatch(Utf8(file), send); });
}

bool AutomationAdaptor::StartSale(const QString& sale)
{
    return Serve<bool>([sale](DocumentAutomation& a) { return a.StartSale(Utf8(sale)); });
}

bool AutomationAdaptor::EndSale(const QString& sale)
{
    return Serve<bool>([sale](DocumentAutomation& a) { return a.EndSale(Utf8(sale)); });
}

bool AutomationAdaptor::ImportSales(const QString& file, const QString& secondFile)
{
    return Serve<bool>(
        [file, secondFile](DocumentAutomation& a) { return a.ImportSales(Utf8(file), Utf8(secondFile)); });
}

bool AutomationAdaptor::ChangePrice(int pluNumber, int price, int zone)
{
    return Serve<bool>([=](DocumentAutomation& a) { return a.ChangePrice(pluNumber, price, zone); });
}

bool AutomationAdaptor::AddRecords(int tableType, const QString& titles, const QString& data)
{
    return Serve<bool>(
        [=](DocumentAutomation& a) { return a.AddRecords(tableType, Utf8(titles), Utf8(data)); });
}

QString AutomationAdaptor::GetErrorMessage()
{
    return Serve<QString>([](DocumentAutomation& a) { return QString::fromStdString(a.GetErrorMessage()); });
}

}  // namespace varnel
