#include "app/ui/AutomationServer.h"

#include "app/AutomationMembers.h"
#include "app/ui/ProgramIdentity.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QGuiApplication>

#include <cstdio>

namespace varnel {
namespace {

QString Name(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void Complain(const QString& text) { std::fprintf(stderr, "vrn3: %s\n", qPrintable(text)); }

// The QtUserPrompt installs itself; the automation prompt goes on top of it and decides per message.
std::optional<QtUserPrompt>& ScreenPromptIfDisplayed(std::optional<QtUserPrompt>& prompt)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal") prompt.emplace(QString(kProgramTitle));
    return prompt;
}

}  // namespace

AutomationServer::AutomationServer(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document,
                                   IUserPrompt& quietPrompt, const QDBusConnection& connection)
    : m_automation(frame, host, document, m_services),
      m_prompt(m_automation, quietPrompt,
               ScreenPromptIfDisplayed(m_screenPrompt) ? &*m_screenPrompt : nullptr),
      m_connection(connection),
      m_adaptor(m_automation, connection)
{
}

AutomationServer::~AutomationServer()
{
    (void)m_connection.unregisterService(Name(kAutomationService));
    m_connection.unregisterObject(Name(kAutomationObject));
}

std::unique_ptr<AutomationServer> AutomationServer::Start(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document,
                                                         IUserPrompt& quietPrompt)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Complain("the automation server cannot reach the session bus: " + bus.lastError().message());
        return nullptr;
    }
    std::unique_ptr<AutomationServer> server(new AutomationServer(frame, host, document, quietPrompt, bus));
    if (!bus.registerObject(Name(kAutomationObject), &server->m_adaptor,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)) {
        Complain("the automation object cannot be registered: " + bus.lastError().message());
        return nullptr;
    }
    // The object is in place before the name, so the first call that starts the server finds it.
    if (!bus.registerService(Name(kAutomationService))) {
        Complain("another Varnel automation server already runs on this session bus (" + Name(kAutomationService) +
                 "); this one ends.");
        return nullptr;
    }
    return server;
}

}  // namespace varnel
