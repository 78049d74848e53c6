// "Sale &Wizard..." from its action: disabled without the sale wizard, in batch mode and for a user
// with restricted access; run, it loads the program's sale file.
#include "app/ui/SaleWizardCommandWindow.h"

#include "FrameCommandsFixture.h"
#include "app/SaleWizardCommand.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

class CountingSaleWizard final : public ISaleWizard {
public:
    MessageId LoadFile(const std::string&) override
    {
        ++loads;
        return 0;
    }
    void RunSaleList(CVrn3Doc&) override {}
    void ReloadFrameSales(const std::string&) override {}
    int loads = 0;
};

class SaleWizardCommandWindowTest : public test::FrameCommandsFixture {
protected:
    bool Enabled()
    {
        m_commands.UpdateActions();
        return m_commands.Action(Commands::kSaleWizard)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
    CountingSaleWizard wizard;
};

TEST_F(SaleWizardCommandWindowTest, WithoutTheSaleWizardItStaysDisabled)
{
    RegisterSaleWizardCommand(m_frame, window, m_document, nullptr);
    OpenNewDatabase();
    EXPECT_FALSE(Enabled());
}

TEST_F(SaleWizardCommandWindowTest, ItRunsForAnUnrestrictedUserOutOfBatchMode)
{
    RegisterSaleWizardCommand(m_frame, window, m_document, &wizard);
    OpenNewDatabase();
    ASSERT_TRUE(Enabled());
    m_commands.Action(Commands::kSaleWizard)->trigger();
    EXPECT_EQ(wizard.loads, 1);

    m_frame.Access().m_users.Add(std::make_unique<CUserSetup>()).m_rights[RightRestrictedAccess] = 1;
    m_frame.Access().m_users.SetCurrentUser(0);
    EXPECT_FALSE(Enabled());
}

}  // namespace
}  // namespace varnel
