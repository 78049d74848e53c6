// The label text editor control and its strip, driven offscreen through their real widgets: typing,
// Shift+arrows, mouse drags, style buttons, the width combo, the clipboard and dialog 302.
#include "../LabelTextFixture.h"

#include "pluedit/ui/FontDetailDlg.h"
#include "pluedit/ui/LabelTextEdit.h"
#include "pluedit/ui/LabelTextStrip.h"
#include "pluedit/ui/QtLabelTextClipboard.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace varnel {
namespace {

using test::Child;
using test::Esc;
using test::LineTexts;
using test::RunTexts;

const std::string kLine1 = Esc('C', '1');

LabelTextSettings ViewSettings()
{
    LabelTextSettings settings = test::MakeSettings({{'1', 10, 20}, {'2', 12, 30}}, MarketUsa, 9);
    settings.labelWidth60mmDots = 200;
    return settings;
}

// A host window: the strip above the editor and a line edit after it in the tab order.
class EditorWindow {
public:
    explicit EditorWindow(const std::string& text, LabelTextSettings settings = ViewSettings(),
                          CodePage codePage = CodePage::Western)
        : m_form(std::move(settings))
    {
        m_form.SetInsertMode(m_mode);
        m_form.SetFormatButtonShown(true);
        m_form.SetTextAndWidth(text, 60);
        auto* layout = new QVBoxLayout(&m_window);
        m_editor = new CLabelTextEdit(m_form, codePage, &m_window);
        m_strip = new CLabelTextStrip(*m_editor, &m_window);
        m_next = new QLineEdit(&m_window);
        m_next->setObjectName("next");
        layout->addWidget(m_strip);
        layout->addWidget(m_editor, 1);
        layout->addWidget(m_next);
        QWidget::setTabOrder(m_editor, m_next);
        m_window.resize(500, 200);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        m_editor->setFocus();
        test::ProcessEvents();
    }

    CInsertMode m_mode;
    LabelTextEditForm m_form;
    QWidget m_window;
    CLabelTextEdit* m_editor;
    CLabelTextStrip* m_strip;
    QLineEdit* m_next;
};

// Clicks a radio button on its indicator.
void ClickRadio(QRadioButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2)); }

// The point of a column of a line in the editor's area.
QPoint PointOf(const LabelTextEditForm& form, std::size_t line, std::size_t column)
{
    const CLabelTextLine& l = form.GetLine(line);
    return {l.XFromColumn(column) - form.GetHScroll(), l.m_top - form.GetVScroll() + 5};
}

class LabelTextEditViewTest : public test::GuiTest {};

TEST_F(LabelTextEditViewTest, TypingAndShiftArrowsEditTheFormAndTheStripFollows)
{
    EditorWindow w(kLine1);
    QLabel* mode = Child<QLabel>(w.m_window, "1056");
    EXPECT_EQ(mode->text(), "INS");
    QTest::keyClicks(w.m_editor, "Ham");
    QTest::keyClick(w.m_editor, Qt::Key_Return);
    QTest::keyClicks(w.m_editor, "ok");
    EXPECT_EQ(LineTexts(w.m_form), (std::vector<std::string>{"Ham", "ok", ""}));
    QTest::keyClick(w.m_editor, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(w.m_editor, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w.m_form.GetSelection(), (LabelTextSelection{{1, 0}, {1, 2}}));
    QPushButton* format = Child<QPushButton>(w.m_window, "1124");
    EXPECT_TRUE(format->isEnabled());

    QTest::mouseClick(Child<QPushButton>(w.m_window, "1050"), Qt::LeftButton);
    EXPECT_TRUE(w.m_form.GetLine(1).m_runs[0].m_format.effects[Bold]);
    EXPECT_TRUE(Child<QPushButton>(w.m_window, "1050")->isChecked());
    EXPECT_TRUE(w.m_editor->hasFocus());  // the button gives the focus back
    EXPECT_TRUE(w.m_form.IsModified());

    QTest::keyClick(w.m_editor, Qt::Key_Insert);
    EXPECT_EQ(mode->text(), "OVR");
    QTest::keyClick(w.m_editor, Qt::Key_Tab);
    EXPECT_TRUE(w.m_next->hasFocus());
    EXPECT_EQ(mode->text(), "");
}

TEST_F(LabelTextEditViewTest, TypedAndInputMethodTextBecomeStoreBytes)
{
    LabelTextSettings china = test::MakeSettings({{'1', 10, 20}}, MarketChina, 0);
    EditorWindow w(kLine1, china, CodePage::SimplifiedChinese);
    QTest::keyClicks(w.m_editor, "a");
    EXPECT_EQ(w.m_form.GetLine(0).Text(), "\xA3\xE1");
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("\xE4\xB8\xAD"));  // a Chinese character, D6 D0 in GBK
    QApplication::sendEvent(w.m_editor, &event);
    EXPECT_EQ(w.m_form.GetLine(0).Text(), "\xA3\xE1\xD6\xD0");
}

TEST_F(LabelTextEditViewTest, AMouseDragSelectsAndTheFontComboSetsTheSelectedLinesFont)
{
    EditorWindow w(kLine1 + "ABCD" + kLine1 + "EF");
    QSignalSpy focused(w.m_editor, &CLabelTextEdit::editorFocused);
    w.m_next->setFocus();
    QTest::mousePress(w.m_editor, Qt::LeftButton, {}, PointOf(w.m_form, 0, 1));
    QTest::mouseMove(w.m_editor, PointOf(w.m_form, 1, 1));
    QTest::mouseRelease(w.m_editor, Qt::LeftButton, {}, PointOf(w.m_form, 1, 1));
    EXPECT_TRUE(w.m_editor->hasFocus());
    EXPECT_EQ(focused.count(), 1);
    EXPECT_EQ(w.m_form.GetSelection(), (LabelTextSelection{{0, 1}, {1, 1}}));

    QComboBox* fonts = Child<QComboBox>(w.m_window, "1049");
    ASSERT_EQ(fonts->count(), 2);
    EXPECT_EQ(fonts->currentIndex(), 0);
    fonts->activated(1);
    EXPECT_EQ(w.m_form.GetLine(0).m_lineFont, 1u);
    EXPECT_EQ(w.m_form.GetLine(1).m_lineFont, 1u);
    EXPECT_EQ(fonts->currentIndex(), 1);
}

TEST_F(LabelTextEditViewTest, TheWidthComboTakesAWidthRefusesOthersAndShowsTheScrollBarPast80Millimetres)
{
    test::RecordingPrompt prompt;
    EditorWindow w(kLine1 + "AB");
    QComboBox* width = Child<QComboBox>(w.m_window, "1054");
    QScrollBar* horizontal = Child<QScrollBar>(w.m_window, "horizontalScrollBar");
    EXPECT_EQ(width->currentText(), "60");
    EXPECT_FALSE(horizontal->isVisible());

    width->lineEdit()->setFocus();
    width->lineEdit()->selectAll();
    QTest::keyClicks(width->lineEdit(), "81");
    QTest::keyClick(width->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.m_form.GetLabelWidth(), 81);
    EXPECT_TRUE(horizontal->isVisible());

    width->lineEdit()->selectAll();
    QTest::keyClicks(width->lineEdit(), "abc");
    QTest::keyClick(width->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61234});
    EXPECT_EQ(width->currentText(), "81");

    width->activated(width->findText("80"));
    EXPECT_EQ(w.m_form.GetLabelWidth(), 80);
    EXPECT_FALSE(horizontal->isVisible());
}

TEST_F(LabelTextEditViewTest, CopyCutAndPasteGoThroughTheDesktopClipboard)
{
    EditorWindow source(kLine1 + "A" + Esc('D', '1') + "B" + kLine1 + "C");
    QTest::keyClick(source.m_editor, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(source.m_editor, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(source.m_editor, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats().first(), kDescFieldMimeType);
    EXPECT_EQ(data->data(kDescFieldMimeType).size(), 36);
    EXPECT_EQ(data->text(), "AB\r\nC\r\n");

    EditorWindow target(kLine1 + "XY");
    QTest::keyClick(target.m_editor, Qt::Key_Right);
    QTest::keyClick(target.m_editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LineTexts(target.m_form), (std::vector<std::string>{"XAB", "CY", ""}));
    EXPECT_TRUE(target.m_form.GetLine(0).m_runs.back().m_format.effects[Bold]);

    // Plain text from another program.
    QGuiApplication::clipboard()->setText("1\n2");
    QTest::keyClick(target.m_editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(LineTexts(target.m_form), (std::vector<std::string>{"XAB", "C1", "2Y", ""}));

    QTest::keyClick(target.m_editor, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(target.m_editor, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(LineTexts(target.m_form), (std::vector<std::string>{"XAB", "C1", "Y", ""}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2\r\n");
}

TEST_F(LabelTextEditViewTest, FormatRunsTheDetailedSettingsOverTheSelection)
{
    EditorWindow w(kLine1 + "ABCD");
    QTest::keyClick(w.m_editor, Qt::Key_Right);
    QTest::keyClick(w.m_editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(w.m_editor, Qt::Key_Right, Qt::ShiftModifier);
    test::WhenModalShows([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Font - Detailed Settings");
        ClickRadio(Child<QRadioButton>(dialog, "1156"));
        Child<QCheckBox>(dialog, "1178")->setChecked(true);
        QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QPushButton>(w.m_window, "1124"), Qt::LeftButton);
    ASSERT_EQ(RunTexts(w.m_form.GetLine(0)), (std::vector<std::string>{"A", "BC", "D"}));
    const LabelTextFormat& format = w.m_form.GetLine(0).m_runs[1].m_format;
    EXPECT_EQ(format.colours[BackgroundColour], LabelColour::Red);
    EXPECT_TRUE(format.extraEffects[Shadow]);
    test::ProcessEvents();
    EXPECT_EQ(w.m_window.focusWidget(), w.m_editor);
}

TEST_F(LabelTextEditViewTest, RedInTheBackgroundGroupUnchecksThatGroupsBlackAndWhiteOnly)
{
    FontDetailForm form(LabelTextFormat{}, {});
    CFontDetailDlg dialog(form);
    dialog.show();
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1157")->isChecked());  // background White
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1149")->isChecked());  // text Black
    ClickRadio(Child<QRadioButton>(dialog, "1156"));
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1156")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(dialog, "1155")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(dialog, "1157")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1149")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "1158")->isChecked());
    EXPECT_EQ(form.GetColour(BackgroundColour), LabelColour::Red);
    EXPECT_EQ(form.GetColour(TextColour), LabelColour::Black);
    EXPECT_FALSE(Child<QCheckBox>(dialog, "1147")->isEnabled());  // no fonts offered
    EXPECT_TRUE(Child<QCheckBox>(dialog, "1059")->isEnabled());
}

}  // namespace
}  // namespace varnel
