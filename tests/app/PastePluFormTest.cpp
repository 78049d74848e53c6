// The Paste PLU dialog's model: its choices and the checks of a typed number.
#include "app/PastePluForm.h"

#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(PastePluForm, TheButtonsChooseTheirTargets)
{
    TestMainFrame frame;
    PastePluForm form(42, true, 999999, frame);
    EXPECT_EQ(form.GetClipboardText(), "The PLU in the clipboard is No. 42");
    EXPECT_EQ(form.GetNumberText(), "42");
    EXPECT_TRUE(form.IsOverwriteSelectedEnabled());
    EXPECT_TRUE(form.OnOverwriteSelected());
    EXPECT_EQ(form.GetChoice()->target, PasteTarget::SelectedPlu);
    EXPECT_TRUE(form.OnAssignUnused());
    EXPECT_EQ(form.GetChoice()->target, PasteTarget::UnusedPlu);
    EXPECT_TRUE(form.OnOverwriteTyped(" 77"));
    EXPECT_EQ(form.GetChoice()->target, PasteTarget::TypedPlu);
    EXPECT_EQ(form.GetChoice()->typedPlu, 77u);

    PastePluForm nothingSelected(42, false, 999999, frame);
    EXPECT_FALSE(nothingSelected.IsOverwriteSelectedEnabled());
    EXPECT_FALSE(nothingSelected.OnOverwriteSelected());
    EXPECT_FALSE(nothingSelected.GetChoice());
}

TEST(PastePluForm, ATypedNumberOutsideTheAllowedPlusIsRefused)
{
    TestMainFrame frame;
    frame.m_access.m_activePluRanges.AddRange(500, 599, "closed");
    struct Case {
        const char* typed;
        MessageId shown;
    };
    const Case cases[] = {{"0", PastePluForm::kMsgOutOfRange},       {"", PastePluForm::kMsgOutOfRange},
                          {"abc", PastePluForm::kMsgOutOfRange},     {"1000000", PastePluForm::kMsgOutOfRange},
                          {"99999999999", PastePluForm::kMsgOutOfRange}, {"550", PastePluForm::kMsgProhibited}};
    for (const Case& c : cases) {
        RecordingPrompt prompt;
        PastePluForm form(42, true, 999999, frame);
        EXPECT_FALSE(form.OnOverwriteTyped(c.typed)) << c.typed;
        EXPECT_FALSE(form.GetChoice()) << c.typed;
        EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{c.shown}) << c.typed;
        if (c.shown == PastePluForm::kMsgOutOfRange) {
            EXPECT_EQ(prompt.m_texts.at(0),
                      "The specified value is outside the allowed range. (Min = 1, Max = 999999)");
        }
    }
}

}  // namespace
}  // namespace varnel::test
