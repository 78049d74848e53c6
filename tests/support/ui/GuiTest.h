// Tests of windows: they run offscreen (QT_QPA_PLATFORM=offscreen, set before the one application
// object of the test program is made) and drive the real widgets, found by their object names.
//
//   class LoginDlgTest : public test::GuiTest {};
//   TEST_F(LoginDlgTest, ...) {
//       CLoginDlg dialog(form);
//       dialog.show();
//       QTest::keyClicks(Child<QLineEdit>(dialog, "password"), "secret");
//       QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
//   }
//
// A modal loop (exec(), a message box) is answered from inside it: WhenModalShows queues the action
// that runs once the modal window is up.
// ModalAnswers answers each as it shows, in order, and fails on one the test did not expect.
#pragma once

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace varnel::test {

// The test program's application object, made offscreen on first use. The offscreen screen is 800 x
// 600 pixels, so the rules for narrow screens are the ones the tests see.
QApplication& GuiApplication();

class GuiTest : public ::testing::Test {
protected:
    GuiTest() { GuiApplication(); }
    ~GuiTest() override;  // closes every window the test left open
};

// The child of `root` with this object name; the test fails (and the pointer is null) when there is
// none or it is not a T.
template <class T>
T* Child(const QObject& root, const char* name)
{
    T* child = root.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no " << name << " in " << root.objectName().toStdString();
    return child;
}

// Runs `action` with the modal window once one shows (within a few seconds).
void WhenModalShows(std::function<void(QWidget& modal)> action);

// Answers the modal windows a test expects, in the order it expects them, from inside their own event
// loops as they show. A modal window nobody expected fails the test and is closed (cancelled), so the
// test never waits on a question it did not foresee; an expected one that never showed fails it too.
class ModalAnswers final : public QObject {
public:
    using Answer = std::function<void(QWidget& modal)>;

    ModalAnswers();
    ~ModalAnswers() override;
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    void Expect(Answer answer) { m_answers.push_back(std::move(answer)); }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::deque<Answer> m_answers;
};

// Runs queued calls and posted events until the queue is empty.
void ProcessEvents();

}  // namespace varnel::test
