// The commands of the advertising message, store name and label batch editors: enabled with a
// database, each opens its window; with a single store the store's editor opens at once.
#include "app/ui/StoreCommands.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

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
    for (const std::uint32_t command : {32786u, 32789u, 32800u}) EXPECT_TRUE(m_commands.Action(command)->isEnabled());
    EXPECT_EQ(shownBy(32786), "editScrollMsgsDialog");
    EXPECT_EQ(shownBy(32789), "editStoreNamesDialog");
    EXPECT_EQ(shownBy(32800), "editLabelBatchesDialog");
    m_frame.GeneralSetup().m_maxStoreNo = 1;
    EXPECT_EQ(shownBy(32789), "editStoreNameDialog");
}

}  // namespace
}  // namespace varnel
