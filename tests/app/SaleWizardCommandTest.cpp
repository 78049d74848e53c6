// The sale wizard command over a recording sale wizard: the program directory's "SaleWiz.def" is
// loaded, the dialog runs and the frame's list is read again from the same file; a failed load is
// shown and nothing else happens.
#include "DocumentFixture.h"
#include "app/SaleWizardCommand.h"

namespace varnel::test {
namespace {

class RecordingSaleWizard final : public ISaleWizard {
public:
    MessageId LoadFile(const std::string& path) override
    {
        calls.push_back("load " + path);
        return loadResult;
    }
    void RunSaleList(CVrn3Doc&) override { calls.emplace_back("dialog"); }
    void ReloadFrameSales(const std::string& path) override { calls.push_back("reload " + path); }

    MessageId loadResult = 0;
    std::vector<std::string> calls;
};

using SaleWizardCommand = DocumentTest;

TEST_F(SaleWizardCommand, TheDialogRunsOnTheProgramsSaleFileAndTheFrameReadsItAgain)
{
    RecordingSaleWizard wizard;
    EXPECT_EQ(RunSaleWizard(*doc, wizard, "/opt/varnel"), 0u);
    EXPECT_EQ(wizard.calls, (std::vector<std::string>{"load /opt/varnel/SaleWiz.def", "dialog",
                                                      "reload /opt/varnel/SaleWiz.def"}));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SaleWizardCommand, AFailedLoadIsShownAndEndsTheCommand)
{
    for (const MessageId failure : {61216u, 31480u}) {
        RecordingSaleWizard wizard;
        wizard.loadResult = failure;
        EXPECT_EQ(RunSaleWizard(*doc, wizard, "/opt/varnel"), failure);
        EXPECT_EQ(wizard.calls.size(), 1u) << failure;
        EXPECT_EQ(Shown().back(), failure);
    }
}

}  // namespace
}  // namespace varnel::test
