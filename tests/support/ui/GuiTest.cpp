// The offscreen application object and the modal-window helper.
#include "support/ui/GuiTest.h"

#include <QTimer>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace varnel::test {

QApplication& GuiApplication()
{
    static int argc = 1;
    static char name[] = "varnel_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        // An offscreen platform the caller configured (scripts/screens' larger screen) is kept.
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform == nullptr || std::string_view(platform).substr(0, 9) != "offscreen") {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        // The offscreen platform says for every window that it cannot pass size hints on.
        static const QtMessageHandler defaultHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains("propagateSizeHints")) defaultHandler(type, context, message);
        });
        return new QApplication(argc, argv);
    }();
    return *application;
}

GuiTest::~GuiTest()
{
    for (QWidget* window : QApplication::topLevelWidgets()) window->close();
    ProcessEvents();
}

void WhenModalShows(std::function<void(QWidget& modal)> action)
{
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*tries < 500) return;
        timer->deleteLater();
        timer->stop();
        if (modal == nullptr) {
            ADD_FAILURE() << "no modal window showed";
            return;
        }
        action(*modal);
    });
    timer->start(10);
}

void ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace varnel::test
