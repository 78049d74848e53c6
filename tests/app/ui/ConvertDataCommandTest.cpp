// "Convert Data (Fonts&&Ingredients)" from its action: disabled without the conversion or a database,
// and run on the open database's document when both are there.
#include "app/ui/ConvertDataCommand.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {
namespace {

class ConvertDataCommandTest : public test::FrameCommandsFixture {
protected:
    bool Enabled()
    {
        m_commands.UpdateActions();
        return m_commands.Action(Commands::kConvertData)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
};

TEST_F(ConvertDataCommandTest, ItNeedsTheConversionAndADatabase)
{
    RegisterConvertDataCommand(window, m_document, nullptr);
    OpenNewDatabase();
    EXPECT_FALSE(Enabled());

    std::vector<CVrn3Doc*> converted;
    RegisterConvertDataCommand(window, m_document, [&converted](CVrn3Doc& document) { converted.push_back(&document); });
    ASSERT_TRUE(Enabled());
    m_commands.Action(Commands::kConvertData)->trigger();
    EXPECT_EQ(converted, std::vector<CVrn3Doc*>{&m_document});
    m_document.CloseDatabase();
    EXPECT_FALSE(Enabled());
}

}  // namespace
}  // namespace varnel
