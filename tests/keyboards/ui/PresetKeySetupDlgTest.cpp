#include "keyboards/ui/PresetKeySetupDlg.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class PresetKeySetupDlgTest : public test::GuiTest {
protected:
    // Types `text` over the code of `meaning` and presses OK.
    void EnterAndOk(CPresetKeySetupDlg& dialog, std::size_t meaning, const char* text)
    {
        QLineEdit* code = test::Child<QLineEdit>(dialog, QString("code%1").arg(meaning).toLatin1().constData());
        code->selectAll();
        QTest::keyClicks(code, text);
        QTest::mouseClick(test::Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    }

    test::RecordingPrompt m_prompt;
};

TEST_F(PresetKeySetupDlgTest, OkRefusesACodeOutOfRangeOrSharedAndTakesDistinctOnes)
{
    CKeyTypeDef::Codes codes{};
    codes[1] = 5;
    codes[40] = 7;  // a meaning without a row
    PresetKeySetupForm form(codes, PresetKeySetupForm::Layout::Short);
    CPresetKeySetupDlg dialog(form);
    dialog.show();
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "code1")->text(), "5");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("code9"), nullptr);

    EnterAndOk(dialog, 8, "89");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_prompt.m_texts.back(), "Please enter an integer between 0 and 88.");
    EXPECT_EQ(dialog.focusWidget(), test::Child<QLineEdit>(dialog, "code8"));

    EnterAndOk(dialog, 8, "5");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_prompt.m_ids.back(), 61278);

    EnterAndOk(dialog, 8, "6");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetCodes()[8], 6);
    EXPECT_EQ(form.GetCodes()[1], 5);
    EXPECT_EQ(form.GetCodes()[40], 7);
}

TEST_F(PresetKeySetupDlgTest, TheLongLayoutAlsoEditsPriceXMarkdownPriceAndSave)
{
    PresetKeySetupForm form({}, PresetKeySetupForm::Layout::Long);
    CPresetKeySetupDlg dialog(form);
    dialog.show();
    EnterAndOk(dialog, 12, "33");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetCodes()[12], 33);
}

}  // namespace
}  // namespace varnel
