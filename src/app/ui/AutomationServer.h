// The automation server of `vrn3 --automation`: the document's interface registered on the session
// bus under com.norvik.Varnel, for as long as the object lives. A second server on the same bus is
// turned away with a message saying so.
#pragma once

#include "app/AutomationServices.h"
#include "app/DocumentAutomation.h"
#include "app/ui/AutomationAdaptor.h"

#include <memory>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IDocumentHost;

class AutomationServer {
public:
    // Null, with the reason written to the standard error, when the bus cannot be reached or the
    // name is taken.
    static std::unique_ptr<AutomationServer> Start(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document);
    ~AutomationServer();
    AutomationServer(const AutomationServer&) = delete;
    AutomationServer& operator=(const AutomationServer&) = delete;

private:
    AutomationServer(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document, QDBusConnection connection);

    UnbuiltAutomationServices m_services;
    DocumentAutomation m_automation;
    QDBusConnection m_connection;
    AutomationAdaptor m_adaptor;
};

}  // namespace varnel
