// The frame, its model, a document and the command table that the frame's command groups register
// into, for the tests of those commands; the frame is the process's for the test's lifetime.
#pragma once

#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/MenuStateSource.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "support/ScaleDataRegistration.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/ui/GuiTest.h"
#include "SimulatedSite.h"
#include "StubFrameModel.h"

namespace varnel::test {

class FrameCommandsFixture : public GuiTest {
protected:
    FrameCommandsFixture() { m_previous = SetMainFrame(&m_frame); }
    ~FrameCommandsFixture() override { SetMainFrame(m_previous); }

    // A new database with the scale-data tables, opened in the document.
    void OpenNewDatabase()
    {
        RegisterScaleDataTablesForTests();
        const std::string path = m_dir.File("shop.pld");
        {
            CPluDatabase created;
            created.CreateAllTables();
            ASSERT_TRUE(created.Create(path));
        }
        ASSERT_TRUE(m_document.OpenDatabase(path));
    }

    // The window's menus and rules read the frame and document; the PLU list window's menu shows as if
    // its window were active.
    void ShowPluListMenus(MainFrameWindow& window)
    {
        window.SetMenuStateSource([this](MenuWindow, bool keyboardWindowOpen) {
            MenuState state = MenuStateOf(m_frame, &m_document, MenuWindow::PluList, keyboardWindowOpen);
            state.documentOpen = true;
            return state;
        });
    }

    // Link 1, a block link to a scale listening on loopback `port`, with one enabled scale; on-line
    // comms on and no pinging.
    void AddLoopbackBlockScale(std::uint16_t port, std::uint16_t scaleNo, std::uint16_t family)
    {
        auto link = std::make_unique<CSorrelSocketLink>(SystemClock(), RealFileSystem(), m_pinger);
        link->m_linkId = 1;
        link->m_enabled = true;
        link->m_address = {127, 0, 0, 1};
        link->m_port = port;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_enabled = true;
        scale->m_scaleType = family;
        link->m_scales.push_back(std::move(scale));
        m_frame.GeneralSetup().m_onlineComms = 1;
        m_frame.GeneralSetup().m_usePing = 0;
        m_frame.Links().Add(std::move(link));
    }

    TempDir m_dir;
    ScriptedPinger m_pinger;
    RecordingPrompt m_prompt;
    CMainFrame m_frame{m_dir.Path()};
    IMainFrame* m_previous = nullptr;
    MainFrameModel m_host{m_frame};
    CVrn3Doc m_document{m_host};
    StubFrameModel m_model;
    CommandTable m_commands;
};

}  // namespace varnel::test
