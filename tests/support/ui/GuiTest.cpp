// The offscreen application object and the modal-window helper.
#include "support/ui/GuiTest.h"

#include <QMessageBox>
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

ModalAnswers::ModalAnswers()
{
    qApp->installEventFilter(this);
}

ModalAnswers::~ModalAnswers()
{
    qApp->removeEventFilter(this);
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " expected modal windows never showed";
}

bool ModalAnswers::eventFilter(QObject* watched, QEvent* event)
{
    auto* modal = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || modal == nullptr || !modal->isWindow() || !modal->isModal()) {
        return QObject::eventFilter(watched, event);
    }
    Answer answer;
    if (!m_answers.empty()) {
        answer = std::move(m_answers.front());
        m_answers.pop_front();
    }
    QMetaObject::invokeMethod(
        modal,
        [modal, answer = std::move(answer)] {
            if (answer) {
                answer(*modal);
                return;
            }
            const auto* box = qobject_cast<QMessageBox*>(modal);
            ADD_FAILURE() << "unexpected modal window " << modal->objectName().toStdString() << " \""
                          << modal->windowTitle().toStdString() << "\" "
                          << (box != nullptr ? box->text().toStdString() : std::string());
            modal->close();
        },
        Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace varnel::test
