// The commands of the campaign, advertising message, store name, label batch, store settings and tray
// editors: enabled with a database, each opens its window; with a single store the store's editor
// opens at once, and with family 2 the editor of campaign 1; a batch's Print runs its record to a block
// scale on loopback TCP.
#include "app/ui/StoreCommands.h"

#include "BlockScaleSimulator.h"
#include "FrameCommandsFixture.h"
#include "LinkWaits.h"
#include "RealScaleLine.h"
#include "app/ui/MainFrameWindow.h"
#include "scaledata/LabelBatchTb.h"

#include <algorithm>

#include <QAbstractButton>
#include <QTest>

namespace varnel {
namespace {

using StoreCommandsTest = test::FrameCommandsFixture;

TEST_F(StoreCommandsTest, EachCommandOpensItsWindowOnceADatabaseIsOpen)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterStoreCommands(m_frame, window, m_document);
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(32786)->isEnabled());
    OpenNewDatabase();
    m_commands.UpdateActions();

    const auto shownBy = [this](std::uint32_t command) {
        std::string shown;
        test::WhenModalShows([&](QWidget& modal) {
            shown = modal.objectName().toStdString();
            QTest::keyClick(&modal, Qt::Key_Escape);
        });
        m_commands.Action(command)->trigger();
        return shown;
    };
    for (const std::uint32_t command : {32785u, 32786u, 32789u, 32800u, 32905u, 32986u, 32929u})
        EXPECT_TRUE(m_commands.Action(command)->isEnabled());
    EXPECT_EQ(shownBy(32785), "editCampaignsDialog");
    EXPECT_EQ(shownBy(32786), "editScrollMsgsDialog");
    EXPECT_EQ(shownBy(32789), "editStoreNamesDialog");
    EXPECT_EQ(shownBy(32800), "editLabelBatchesDialog");
    EXPECT_EQ(shownBy(32905), "storeListDialog");
    EXPECT_EQ(shownBy(32986), "storeListDialog");
    EXPECT_EQ(shownBy(32929), "trayListDialog");
    m_frame.GeneralSetup().m_maxStoreNo = 1;
    EXPECT_EQ(shownBy(32789), "editStoreNameDialog");
    m_frame.GeneralSetup().m_defaultScaleFamily = 2;
    EXPECT_EQ(shownBy(32785), "editCampaignDialog");
}

TEST_F(StoreCommandsTest, PrintRunsTheBatchToTheScaleThatPrintsBatches)
{
    test::TcpScaleLine line{nullptr};
    test::BlockScaleSimulator scale{line, sorrel::Form::Long};
    scale.Start();
    AddLoopbackBlockScale(line.Port(), 21, 10);  // a family that prints batches
    OpenNewDatabase();
    auto* batch = dynamic_cast<CLabelBatchRec*>(
        m_document.GetDatabase().GetTable(CLabelBatchTb::kTableNo)->GetOrAddRecord(4, CLabelBatchRec::kSize));
    ASSERT_NE(batch, nullptr);
    batch->SetName("Bakery");
    const std::vector<BatchLine> lines{{123, 2}};
    batch->SetLines(lines);
    m_frame.Links().StartLinks(&m_document, LinkRoles::Of(m_frame), false);
    ASSERT_TRUE(test::WaitUntilIdle(m_frame.Links()));
    const std::size_t before = scale.Messages().size();

    MainFrameWindow window(m_model, m_commands);
    RegisterStoreCommands(m_frame, window, m_document);
    m_commands.UpdateActions();
    test::WhenModalShows([](QWidget& modal) {
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "1011"), Qt::LeftButton);  // one scale: no picker
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    m_commands.Action(32800)->trigger();

    // The send ran to its end before Print returned: the scale holds the batch's line.
    const std::vector<test::BlockMessage> messages = scale.Messages();
    ASSERT_GT(messages.size(), before);
    const test::Bytes line123{0x01, 0x23, 0x00, 0x00, 0x00, 0x03, 0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    bool sent = false;
    for (std::size_t index = before; index < messages.size(); ++index)
        sent = sent || std::search(messages[index].wire.begin(), messages[index].wire.end(), line123.begin(),
                                   line123.end()) != messages[index].wire.end();
    EXPECT_TRUE(sent);
    EXPECT_FALSE(m_frame.Links().IsDataWaiting(nullptr));
    EXPECT_TRUE(m_prompt.m_ids.empty());
    (void)m_frame.Links().StopLinks(false);
}

}  // namespace
}  // namespace varnel
