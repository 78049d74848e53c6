// A request to end the program from outside (SIGTERM from the session or `kill`, SIGINT from a
// terminal) is handled like the user's own Exit: `onRequest` runs on the user-interface thread, where
// the main window can close and keep what it keeps.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace varnel {

class TerminationSignal final : public QObject {
    Q_OBJECT
public:
    // One per process; it takes SIGTERM and SIGINT until it is destroyed.
    explicit TerminationSignal(std::function<void()> onRequest, QObject* parent = nullptr);
    ~TerminationSignal() override;

private:
    std::function<void()> m_onRequest;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace varnel
