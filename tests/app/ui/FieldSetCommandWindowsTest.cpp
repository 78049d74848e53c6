#include "app/ui/FieldSetCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>

namespace varnel {
namespace {

// Near the left edge: a box wider than its name takes clicks on its box and name only.
void ClickBox(QWidget& dialog, const char* name)
{
    QCheckBox* box = test::Child<QCheckBox>(dialog, name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

class FieldSetCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    FieldSetCommandWindowsTest()
    {
        for (auto [key, fieldNo, name] : {std::tuple{1, 1001, "PLU Code"}, std::tuple{2, 1005, "Unit Price"}}) {
            auto definition = std::make_unique<CLabProp>();
            definition->m_key = static_cast<std::uint16_t>(key);
            definition->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
            definition->m_name = name;
            definition->m_display = 1;
            m_frame.FieldDefs(FieldDefMap::Plu)[definition->m_key] = std::move(definition);
        }
        RegisterFieldSetCommands(m_frame, m_window);
    }

    MainFrameWindow m_window{m_model, m_commands};
};

TEST_F(FieldSetCommandWindowsTest, PluFieldsRunsFieldSetupOnThePluSetAndKeepsWhatOkTakes)
{
    test::WhenModalShows([](QWidget& modal) {
        ASSERT_EQ(modal.objectName(), "fieldSetupDialog");
        EXPECT_FALSE(test::Child<QCheckBox>(modal, "display1")->isEnabled());
        ClickBox(modal, "display2");
        ClickBox(modal, "print2");
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "ok"), Qt::LeftButton);
    });
    m_commands.Action(32803)->trigger();
    const CLabProp& unitPrice = *m_frame.FieldDefs(FieldDefMap::Plu).at(2);
    EXPECT_EQ(unitPrice.m_display, 0);
    EXPECT_EQ(unitPrice.m_print, 1);
    EXPECT_TRUE(RealFileSystem().Exists(m_frame.GetGeneralSetupPath()));
}

TEST_F(FieldSetCommandWindowsTest, CancelKeepsTheSetAsItWas)
{
    test::WhenModalShows([](QWidget& modal) {
        ClickBox(modal, "display2");
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "cancel"), Qt::LeftButton);
    });
    m_commands.Action(32980)->trigger();
    EXPECT_EQ(m_frame.FieldDefs(FieldDefMap::Plu).at(2)->m_display, 1);
    EXPECT_FALSE(RealFileSystem().Exists(m_frame.GetGeneralSetupPath()));
}

TEST_F(FieldSetCommandWindowsTest, TheFieldSetsAreOfferedToAUserWhoMayViewTheSetup)
{
    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    m_frame.GetUserList()->Add(std::move(user));
    m_frame.GetUserList()->SetCurrentUser(0);
    for (std::uint8_t rights : {std::uint8_t{0}, std::uint8_t{AccessView}}) {
        m_frame.GetUserList()->GetAt(0).m_tablePermission[kSetupTable] = rights;
        m_commands.UpdateActions();
        for (std::uint32_t command : {32803u, 32980u, 32884u, 32943u, 32885u, 32914u, 32783u})
            EXPECT_EQ(m_commands.Action(command)->isEnabled(), rights == AccessView) << command;
    }
}

}  // namespace
}  // namespace varnel
