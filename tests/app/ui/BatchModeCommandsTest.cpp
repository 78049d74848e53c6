// Batch mode from its actions over a real frame and database: a change made in batch mode is
// recorded in the batch file and gone from the database once batch mode ends; starting again on that
// file and answering No shows the recorded change first and records after it; Cancel starts nothing,
// Yes records anew; a user without the batch mode right cannot start it.
#include "app/ui/BatchModeCommands.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "scaledata/LabelBatchTb.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

#include <filesystem>

namespace varnel {
namespace {

class BatchModeCommandsTest : public test::FrameCommandsFixture {
protected:
    static constexpr std::uint32_t kStart = 32880, kEnd = 32883;

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }
    // As from the menu: the rules first.
    void Trigger(std::uint32_t command)
    {
        ASSERT_TRUE(Enabled(command));
        m_commands.Action(command)->trigger();
    }
    bool HasBatch(std::uint32_t key) const
    {
        return m_document.GetPluDatabase()->GetTable(CLabelBatchTb::kTableNo)->FindRecord(key) != nullptr;
    }
    void AddBatch(std::uint32_t key)
    {
        ASSERT_NE(m_document.GetDatabase().GetTable(CLabelBatchTb::kTableNo)->GetOrAddRecord(key, CLabelBatchRec::kSize),
                  nullptr);
    }
};

TEST_F(BatchModeCommandsTest, ChangesAreRecordedAndAnExistingFileIsAppliedBeforeRecordingGoesOn)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterBatchModeCommands(m_frame, window, m_document);
    EXPECT_FALSE(Enabled(kStart));  // no database
    OpenNewDatabase();
    EXPECT_TRUE(Enabled(kStart));
    EXPECT_FALSE(Enabled(kEnd));

    const std::string file = m_dir.File("changes.bch");
    m_prompt.QueueSaveName(file);
    Trigger(kStart);
    ASSERT_TRUE(m_document.IsBatchMode());
    EXPECT_TRUE(m_prompt.m_ids.empty());  // a new file asks nothing
    EXPECT_FALSE(Enabled(kStart));
    EXPECT_TRUE(Enabled(kEnd));
    AddBatch(4);
    Trigger(kEnd);
    ASSERT_FALSE(m_document.IsBatchMode());
    EXPECT_FALSE(HasBatch(4));  // recorded, not written
    const auto recorded = std::filesystem::file_size(file);

    m_prompt.QueueSaveName(file);
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    Trigger(kStart);
    EXPECT_FALSE(m_document.IsBatchMode());

    m_prompt.QueueSaveName(file);
    m_prompt.QueueAnswer(MessageAnswer::No);
    Trigger(kStart);
    ASSERT_TRUE(m_document.IsBatchMode());
    EXPECT_TRUE(HasBatch(4));
    AddBatch(5);
    Trigger(kEnd);
    EXPECT_GT(std::filesystem::file_size(file), recorded);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61346, 61346}));

    // Yes records the file anew.
    m_prompt.QueueSaveName(file);
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    Trigger(kStart);
    ASSERT_TRUE(m_document.IsBatchMode());
    EXPECT_FALSE(HasBatch(4));
    Trigger(kEnd);
    EXPECT_LT(std::filesystem::file_size(file), recorded);

    auto user = std::make_unique<CUserSetup>();
    user->m_rights[RightBatchMode] = 0;
    m_frame.GetUserList()->Add(std::move(user));
    m_frame.GetUserList()->SetCurrentUser(0);
    EXPECT_FALSE(Enabled(kStart));
}

}  // namespace
}  // namespace varnel
