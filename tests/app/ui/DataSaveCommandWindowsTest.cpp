// The Data Save and compact commands from their actions: Save and Save As only while a Data Save file
// is current, every command only with a database, and Compact compacts it without a word.
#include "app/ui/DataSaveCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {
namespace {

class DataSaveCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    DataSaveCommandWindowsTest() { RegisterDataSaveCommands(m_frame, window, m_document); }

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
};

TEST_F(DataSaveCommandWindowsTest, SavingNeedsACurrentDataSaveFileAndEveryCommandADatabase)
{
    const std::uint32_t all[] = {Commands::kSaveDataSave,  Commands::kSaveDataSaveAs, Commands::kReceiveDataSave,
                                 Commands::kSendDataSave,  Commands::kImportQd47Fd,   Commands::kExportQd47Fd,
                                 Commands::kCompactDatabase};
    for (const std::uint32_t command : all) EXPECT_FALSE(Enabled(command)) << command;
    OpenNewDatabase();
    EXPECT_FALSE(Enabled(Commands::kSaveDataSave));
    EXPECT_FALSE(Enabled(Commands::kSaveDataSaveAs));
    EXPECT_TRUE(Enabled(Commands::kSendDataSave));
    m_frame.SetCurrentDataSaveFile(m_dir.File("shop.dsv"));
    for (const std::uint32_t command : all) EXPECT_TRUE(Enabled(command)) << command;
}

TEST_F(DataSaveCommandWindowsTest, CompactCompactsTheOpenDatabase)
{
    OpenNewDatabase();
    m_commands.Action(Commands::kCompactDatabase)->trigger();
    EXPECT_TRUE(m_prompt.m_ids.empty());
    EXPECT_TRUE(m_document.IsDatabaseOpen());
}

}  // namespace
}  // namespace varnel
