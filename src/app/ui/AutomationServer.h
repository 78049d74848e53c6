// The automation server of `vrn3 --automation`: the document's interface registered on the session
// bus under com.norvik.Varnel, for as long as the object lives. A second server on the same bus is
// turned away with a message saying so.
#pragma once

#include "app/AutomationPrompt.h"
#include "app/AutomationServices.h"
#include "app/DocumentAutomation.h"
#include "app/ui/AutomationAdaptor.h"
#include "platform/ui/QtUserPrompt.h"

#include <memory>
#include <optional>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IDocumentHost;

class AutomationServer {
public:
    // Null, with the reason written to the standard error, when the bus cannot be reached or the
    // name is taken. `quietPrompt` takes the messages that are not shown on a screen.
    static std::unique_ptr<AutomationServer> Start(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document,
                                                   IUserPrompt& quietPrompt);
    ~AutomationServer();
    AutomationServer(const AutomationServer&) = delete;
    AutomationServer& operator=(const AutomationServer&) = delete;

private:
    AutomationServer(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document, IUserPrompt& quietPrompt,
                     const QDBusConnection& connection);

    UnbuiltAutomationServices m_services;
    DocumentAutomation m_automation;
    std::optional<QtUserPrompt> m_screenPrompt;  // only in a session with a display
    AutomationPrompt m_prompt;
    QDBusConnection m_connection;
    AutomationAdaptor m_adaptor;
};

}  // namespace varnel
