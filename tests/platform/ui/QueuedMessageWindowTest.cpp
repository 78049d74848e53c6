#include "platform/ui/QueuedMessageWindow.h"

#include "support/ui/GuiTest.h"

#include <QObject>
#include <QThread>

#include <thread>
#include <vector>

namespace varnel {
namespace {

class QueuedMessageWindowTest : public test::GuiTest {};

TEST_F(QueuedMessageWindowTest, PostsFromWorkersRunOnTheWindowsThreadInOrder)
{
    QObject receiver;
    std::vector<std::uint32_t> handled;
    bool allOnGuiThread = true;
    QueuedMessageWindow window(&receiver, [&](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        allOnGuiThread = allOnGuiThread && QThread::currentThread() == receiver.thread();
        handled.push_back(message + static_cast<std::uint32_t>(wParam + lParam));
    });
    std::thread worker([&] {
        for (std::uint32_t i = 0; i < 100; ++i) window.Post(kUserMessage, i, 0);
    });
    worker.join();
    EXPECT_TRUE(handled.empty());  // nothing runs until the window's thread gets to it
    test::ProcessEvents();
    ASSERT_EQ(handled.size(), 100u);
    for (std::uint32_t i = 0; i < 100; ++i) EXPECT_EQ(handled[i], kUserMessage + i);
    EXPECT_TRUE(allOnGuiThread);
}

TEST_F(QueuedMessageWindowTest, PostsToADestroyedReceiverAreDropped)
{
    int handled = 0;
    {
        QObject receiver;
        QueuedMessageWindow window(&receiver, [&](std::uint32_t, std::uintptr_t, std::intptr_t) { ++handled; });
        window.Post(kUserMessage + 9, 0, 0);
    }
    test::ProcessEvents();
    EXPECT_EQ(handled, 0);
}

}  // namespace
}  // namespace varnel
