// The frame, its model, a document and the command table that the frame's command groups register
// into, for the tests of those commands; the frame is the process's for the test's lifetime.
#pragma once

#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "scaledata/ScaleDataTables.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/ui/GuiTest.h"
#include "StubFrameModel.h"

namespace varnel::test {

class FrameCommandsFixture : public GuiTest {
protected:
    FrameCommandsFixture() { m_previous = SetMainFrame(&m_frame); }
    ~FrameCommandsFixture() override { SetMainFrame(m_previous); }

    // A new database with the scale-data tables, opened in the document.
    void OpenNewDatabase()
    {
        RegisterScaleDataTables();
        const std::string path = m_dir.File("shop.pld");
        {
            CPluDatabase created;
            created.CreateAllTables();
            ASSERT_TRUE(created.Create(path));
        }
        ASSERT_TRUE(m_document.OpenDatabase(path));
    }

    TempDir m_dir;
    RecordingPrompt m_prompt;
    CMainFrame m_frame{m_dir.Path()};
    IMainFrame* m_previous = nullptr;
    MainFrameModel m_host{m_frame};
    CVrn3Doc m_document{m_host};
    StubFrameModel m_model;
    CommandTable m_commands;
};

}  // namespace varnel::test
