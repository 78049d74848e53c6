// The program as a store user first meets it: vrn3's own start-up (CVrn3App, as main() runs it) in a
// fresh site on a new database, offscreen, where a user creates a PLU in the PLU list window, edits it,
// reprices it and deletes it through the window's buttons, the PLU edit window, the "PLU" menu's
// price dialog and the question before the delete; then ends the program from its main window.
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/Vrn3App.h"
#include "app/ui/Vrn3View.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/site/MainFrame.h"
#include "platform/Profile.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"
#include "support/ui/GuiTest.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace varnel {
namespace {

// Runs the user's session once the program's main window shows, from the program's event loop.
class OnMainWindowShown final : public QObject {
public:
    explicit OnMainWindowShown(std::function<void(MainFrameWindow&)> session) : m_session(std::move(session))
    {
        qApp->installEventFilter(this);
    }
    ~OnMainWindowShown() override { qApp->removeEventFilter(this); }
    OnMainWindowShown(const OnMainWindowShown&) = delete;
    OnMainWindowShown& operator=(const OnMainWindowShown&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<MainFrameWindow*>(watched);
        if (window != nullptr && event->type() == QEvent::Show && !m_started) {
            m_started = true;
            QMetaObject::invokeMethod(
                qApp, [this, window] { m_session(*window); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(MainFrameWindow&)> m_session;
    bool m_started = false;
};

// Ends the program, failing the test, when the session has not ended it in time: a window left up
// or a loop that never returns shows as a failure instead of a test that never ends.
class SessionGuard final {
public:
    explicit SessionGuard(int seconds)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [seconds] {
            ADD_FAILURE() << "the session did not end the program within " << seconds << " s";
            for (QWidget* window : QApplication::topLevelWidgets()) window->close();
            QCoreApplication::exit(2);
        });
        m_timer.start(seconds * 1000);
    }

private:
    QTimer m_timer;
};

// The process's working directory is the site while the program runs, as scripts/run makes it.
class InDirectory {
public:
    explicit InDirectory(const std::string& directory) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(directory);
    }
    ~InDirectory() { std::filesystem::current_path(m_previous); }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

class PluListProgramTest : public test::GuiTest {
protected:
    // The PLU of that number as the program's document holds it; null when there is none.
    static const CPluDefRec* StoredPlu(std::uint32_t plu)
    {
        const auto* document = dynamic_cast<const CVrn3Doc*>(GetMainFrame()->GetDocument());
        return document == nullptr ? nullptr : dynamic_cast<const CPluDefRec*>(document->GetPluTable()->FindRecord(plu));
    }
    static std::int32_t StoredPrice(std::uint32_t plu)
    {
        const CPluDefRec* row = StoredPlu(plu);
        return row == nullptr ? -1 : row->Get(PluCol::UnitPrice);
    }
    static void Click(const QWidget& root, const char* name)
    {
        QTest::mouseClick(test::Child<QPushButton>(root, name), Qt::LeftButton);
    }
    // Brings the edit's window and child frame forward, as the user's click into it does, and types.
    static void TypeInto(const QWidget& root, const char* name, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(root, name);
        QApplication::setActiveWindow(edit->window());
        for (QWidget* parent = edit; parent != nullptr; parent = parent->parentWidget()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(parent)) frame->mdiArea()->setActiveSubWindow(frame);
        }
        edit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edit) << name << " takes no focus";
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Types the price in the PLU edit window and saves.
    static void SavePrice(const MainFrameWindow& window, const char* price)
    {
        const auto* editor = window.findChild<QWidget*>("pluEditor");
        ASSERT_NE(editor, nullptr);
        TypeInto(*editor, "field1005", price);
        Click(*editor, "1115");
    }

    test::TempDir m_site;
};

TEST_F(PluListProgramTest, AUserCreatesEditsRepricesAndDeletesAPluInTheListWindow)
{
    const std::string database = m_site.File("Varnel.pld");
    std::vector<std::int32_t> prices;
    bool existedBeforeDelete = false;
    bool goneAfterDelete = false;
    std::string deleteQuestion;
    test::ModalAnswers modals;
    const OnMainWindowShown session([&](MainFrameWindow& window) {
        const auto* view = window.findChild<CVrn3View*>("vrn3View");
        ASSERT_NE(view, nullptr);

        // New: a free number typed in the list opens the PLU edit window on it.
        TypeInto(*view, "103", "123");
        Click(*view, "122");
        SavePrice(window, "2.50");
        prices.push_back(StoredPrice(123));

        // Edit: the PLU found by its number, opened with the Edit button; then the edit window closes.
        TypeInto(*view, "103", "123");
        Click(*view, "1006");
        SavePrice(window, "3.00");
        prices.push_back(StoredPrice(123));
        Click(*window.findChild<QWidget*>("pluEditor"), "1116");
        test::ProcessEvents();

        // Reprice: "&Price Changes" on the current PLU.
        TypeInto(*view, "103", "123");
        modals.Expect([](QWidget& modal) {
            EXPECT_EQ(modal.objectName(), "changePriceDialog");
            TypeInto(modal, "1076", "4.25");
            Click(modal, "ok");
        });
        window.Commands().UpdateActions();
        window.Commands().Action(32781)->trigger();
        prices.push_back(StoredPrice(123));

        // Delete: the Delete button, after its question.
        existedBeforeDelete = StoredPlu(123) != nullptr;
        modals.Expect([&deleteQuestion](QWidget& modal) {
            auto* question = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(question, nullptr);
            deleteQuestion = question->text().toStdString();
            question->button(QMessageBox::Yes)->click();
        });
        Click(*view, "1003");
        goneAfterDelete = StoredPlu(123) == nullptr;
        window.close();
    });
    const SessionGuard guard(120);

    const InDirectory inSite(m_site.Path());
    CProfile profile(RealFileSystem(), m_site.File("Varnel.ini"));
    CVrn3App program({database}, profile);
    ASSERT_EQ(program.Run(), 0);

    EXPECT_EQ(prices, (std::vector<std::int32_t>{250, 300, 425}));
    EXPECT_TRUE(existedBeforeDelete);
    EXPECT_EQ(deleteQuestion, "Delete selected PLU?");
    EXPECT_TRUE(goneAfterDelete);
    // What the program left in its database file, read under a frame of the test's (the program's
    // frame, which its tables were registered with, is gone).
    const test::TestMainFrame site;
    test::RegisterScaleDataTablesForTests();
    CPluDatabase stored;
    stored.CreateAllTables();
    ASSERT_TRUE(stored.Open(database));
    ASSERT_NE(stored.GetPluTable(), nullptr);
    EXPECT_EQ(stored.GetPluTable()->GetRecordCount(), 0u);
}

}  // namespace
}  // namespace varnel
