// The PLU list window on screen: it opens in its child frame as the document opens a database and goes
// before the database closes; typing in the PLU number edit and the sort and department combos drive
// the list; a double click opens the PLU edit window; the Delete button deletes after its question;
// Ctrl+C and Ctrl+V go through the real clipboard into the Paste PLU dialog; the command table's PLU
// commands follow the open window.
#include "app/ui/PluListWindow.h"

#include "FrameCommandsFixture.h"
#include "app/PluClipboardRecord.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/PastePluDlg.h"
#include "app/ui/PluEditorWindow.h"
#include "app/ui/Vrn3View.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/Plued1PluVw.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

// The program's document side of the two windows, as the application wires them.
class ListWindowUi final : public IDocumentUi {
public:
    ListWindowUi(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document)
        : m_frame(frame), m_model(model), m_window(window), m_document(document)
    {
    }
    void UpdateAllViews() override
    {
        if (m_editor) m_editor->OnUpdate();
        if (m_list) m_list->OnUpdate();
    }
    bool OpenPluEditorWindow() override
    {
        m_editor = varnel::OpenPluEditorWindow(m_frame, m_model, m_window, m_document);
        return m_editor != nullptr;
    }
    void ClosePluEditorWindows() override
    {
        if (m_editor) ClosePluEditorWindow(*m_editor);
    }
    void OpenListWindow() override { m_list = OpenPluListWindow(m_frame, m_model, m_window, m_document); }
    void DiscardListWindow() override
    {
        if (m_list) DiscardPluListWindow(*m_list);
    }

    QPointer<CPlued1PluVw> m_editor;
    QPointer<CVrn3View> m_list;

private:
    CMainFrame& m_frame;
    IFrameModel& m_model;
    MainFrameWindow& m_window;
    CVrn3Doc& m_document;
};

class PluListWindowTest : public test::FrameCommandsFixture {
protected:
    PluListWindowTest()
    {
        RegisterPluListCommands(m_commands, [this] { return m_ui.m_list.data(); });
        m_document.SetUi(&m_ui);
        OpenNewDatabase();
        for (const auto& [number, name] : {std::pair{10u, "Sirloin"}, std::pair{20u, "Brie"}, std::pair{30u, "Apple"}})
            AddPlu(number, name);
        if (m_ui.m_list) m_ui.m_list->OnUpdate();
        m_window.resize(800, 600);
        m_window.show();
        test::ProcessEvents();
    }
    ~PluListWindowTest() override { m_document.SetUi(nullptr); }

    void AddPlu(std::uint32_t number, const char* name)
    {
        auto row = std::make_unique<CPluDefRec>();
        const CPluDefTb& plus = *m_document.GetPluTable();
        plus.InitNewPlu(number, *row);
        row->SetDesc(std::string("\x1B" "C1") + name, plus.GetRoles().Text().chars);
        row->SetNameFromDesc(plus.GetRoles().Text().chars);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(m_document.GetPluTable()->AddPlu(number, size, std::move(row)));
    }
    CVrn3View& View() const { return *m_ui.m_list; }
    PluListPanelForm& Panel() const { return m_ui.m_list->Panel(); }
    template <class T>
    T* Control(const char* name) const
    {
        return test::Child<T>(View(), name);
    }
    QPoint RowInView(int row) const
    {
        const int height = Panel().GetRowGeometry().rowHeight;
        return {40, Panel().GetArea().top + 2 + row * height + height / 2};
    }
    bool Has(std::uint32_t plu) const { return m_document.GetPluTable()->FindRecord(plu) != nullptr; }
    CPluDefRec& Plu(std::uint32_t plu) const
    {
        return dynamic_cast<CPluDefRec&>(*m_document.GetPluTable()->FindRecord(plu));
    }
    void TypePluNumber(const char* text) const
    {
        QLineEdit* edit = Control<QLineEdit>("103");
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    MainFrameWindow m_window{m_model, m_commands};
    ListWindowUi m_ui{m_frame, m_model, m_window, m_document};
};

TEST_F(PluListWindowTest, OpensWithTheDatabaseAndGoesBeforeItCloses)
{
    ASSERT_TRUE(m_ui.m_list);
    const QList<QMdiSubWindow*> frames = m_window.GetMdiArea()->subWindowList();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0]->objectName(), "pluListFrame");
    EXPECT_EQ(frames[0]->windowTitle(), "PLU Search - Shop");
    EXPECT_EQ(Panel().GetRowCount(), 3u);

    m_document.CloseDatabase();
    EXPECT_FALSE(m_ui.m_list);
    EXPECT_TRUE(m_window.GetMdiArea()->subWindowList().isEmpty());
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(32779)->isEnabled());
}

TEST_F(PluListWindowTest, TypingAndTheCombosDriveTheListAndADoubleClickEdits)
{
    TypePluNumber("15");
    EXPECT_EQ(Panel().GetSelectedPluNumber(), std::optional<std::uint32_t>(20));

    QComboBox* sort = Control<QComboBox>("1276");
    QTest::keyClick(sort, Qt::Key_Down);
    EXPECT_EQ(Panel().GetOrderMode(), PluListPanelForm::kNameOrder);
    QTest::keyClick(sort, Qt::Key_Up);
    EXPECT_EQ(Panel().GetOrderMode(), PluListPanelForm::kRecordOrder);

    auto* panel = test::Child<CPluListPanel>(View(), "pluListPanel");
    QTest::mouseDClick(panel, Qt::LeftButton, {}, RowInView(2));
    ASSERT_TRUE(m_document.IsPluEditorOpen());
    EXPECT_EQ(m_document.GetPluEditState().lastShown, 30u);
    EXPECT_EQ(m_window.GetMdiArea()->subWindowList().size(), 2);
    m_prompt.m_ids.clear();  // what the editor itself said as it took the focus

    // The PLU open in the editor is not deleted (by the tool bar's command, which leaves the editor's
    // focus alone).
    m_commands.UpdateActions();
    m_commands.Action(32960)->trigger();
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgBeingEdited});
    EXPECT_TRUE(Has(30));
}

TEST_F(PluListWindowTest, TheDeleteButtonDeletesTheCurrentPluOnYes)
{
    TypePluNumber("20");
    m_prompt.QueueAnswer(MessageAnswer::No);
    QTest::mouseClick(Control<QPushButton>("1003"), Qt::LeftButton);
    EXPECT_TRUE(Has(20));
    QTest::mouseClick(Control<QPushButton>("1003"), Qt::LeftButton);
    EXPECT_FALSE(Has(20));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{PluListViewForm::kMsgDeletePlu, PluListViewForm::kMsgDeletePlu}));
    EXPECT_EQ(Panel().GetRowCount(), 2u);
}

TEST_F(PluListWindowTest, CopyAndPasteGoThroughTheClipboardAndThePastePluDialog)
{
    TypePluNumber("10");
    auto* panel = test::Child<CPluListPanel>(View(), "pluListPanel");
    panel->setFocus();
    QApplication::setActiveWindow(&m_window);
    QTest::keyClick(panel, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(copied->hasFormat(kPluClipboardMimeType));
    const QByteArray bytes = copied->data(kPluClipboardMimeType);
    const auto record = ReadPluClipboardRecord(
        std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  reinterpret_cast<const std::uint8_t*>(bytes.data()) + bytes.size()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetPluNumber(), 10u);

    QString label;
    test::WhenModalShows([&](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), "Paste PLU");
        label = test::Child<QLabel>(modal, "1218")->text();
        EXPECT_TRUE(test::Child<QPushButton>(modal, "1215")->isEnabled());
        QLineEdit* number = test::Child<QLineEdit>(modal, "103");
        number->clear();
        QTest::keyClicks(number, "0");
        // The refusal is answered by the prompt; the dialog stays with the clipboard's number back.
        QTest::mouseClick(test::Child<QPushButton>(modal, "1216"), Qt::LeftButton);
        EXPECT_EQ(number->text(), "10");
        number->clear();
        QTest::keyClicks(number, "44");
        QTest::mouseClick(test::Child<QPushButton>(modal, "1216"), Qt::LeftButton);
    });
    QTest::keyClick(panel, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(label, "The PLU in the clipboard is No. 10");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PastePluForm::kMsgOutOfRange});
    EXPECT_EQ(m_prompt.m_texts.at(0), "The specified value is outside the allowed range. (Min = 1, Max = 999999)");
    ASSERT_TRUE(Has(44));
    EXPECT_EQ(m_document.GetPluTable()->FindRecord(44)->GetDataSize(),
              m_document.GetPluTable()->FindRecord(10)->GetDataSize());
    EXPECT_EQ(Panel().GetSelectedPluNumber(), std::optional<std::uint32_t>(44));
}

TEST_F(PluListWindowTest, WithoutACurrentPluThePasteDialogCannotOverwriteIt)
{
    PastePluForm form(7, false, 999999, m_frame);
    CPastePluDlg dialog(form);
    dialog.show();
    EXPECT_FALSE(test::Child<QPushButton>(dialog, "1215")->isEnabled());
    QTest::mouseClick(test::Child<QPushButton>(dialog, "1217"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetChoice()->target, PasteTarget::UnusedPlu);
}

TEST_F(PluListWindowTest, ThePluCommandsFollowTheOpenWindowAndItsCurrentPlu)
{
    TypePluNumber("20");
    m_commands.UpdateActions();
    for (const std::uint32_t command : {32773u, 32779u, 32780u, 32960u, 57634u, 57635u, 57637u, 32951u})
        EXPECT_TRUE(m_commands.Action(command)->isEnabled()) << command;
    EXPECT_EQ(m_commands.Action(32951)->text(), "Make Inactive");

    m_commands.Action(32951)->trigger();
    EXPECT_TRUE(dynamic_cast<CPluDefRec*>(m_document.GetPluTable()->FindRecord(20))->TestCtrlFlag(1));
    m_commands.UpdateActions();
    EXPECT_EQ(m_commands.Action(32951)->text(), "Make Active");
}

TEST_F(PluListWindowTest, TheOpenDatabaseIsTheNewestRecentFile)
{
    const std::vector<std::string>& recent = m_frame.GetRun().recentFiles.Files();
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent.front(), m_document.GetPathName());
}

TEST_F(PluListWindowTest, NutritionAndIngredientsOpenTheirDialogsOnTheCurrentPlu)
{
    // Australian nutrition, switched on while the window is open.
    m_frame.GeneralSetup().m_market = MarketAustralia;
    m_frame.GeneralSetup().m_nutritionInUse = 1;
    m_frame.RecalcSetupFlags();
    TypePluNumber("20");
    std::vector<std::string> shown;
    const auto accept = [&](QWidget& modal) {
        shown.emplace_back(modal.metaObject()->className());
        QTest::mouseClick(test::Child<QPushButton>(modal, "ok"), Qt::LeftButton);
    };
    test::WhenModalShows(accept);
    m_commands.UpdateActions();
    m_commands.Action(PluCommand::kNutrition)->trigger();
    test::WhenModalShows(accept);
    m_commands.Action(PluCommand::kIngredients)->trigger();
    EXPECT_EQ(shown, (std::vector<std::string>{"varnel::CNutrPanelDlg", "varnel::CEditExMsg"}));
    EXPECT_TRUE(m_prompt.m_ids.empty());
    CObjDBTable& ingredients = *m_document.GetDatabase().GetTable(PluListViewForm::kIngredientsTable);
    EXPECT_NE(ingredients.FindRecord(20), nullptr);

    // A host-controlled PLU's ingredients are shown after 31502 but not stored.
    Plu(30).Set(PluCol::CtrlFlag, 0x6);
    m_frame.GeneralSetup().m_ctrlFlagPair = 1;
    TypePluNumber("30");
    test::WhenModalShows(accept);
    m_commands.Action(PluCommand::kIngredients)->trigger();
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{PluListViewForm::kMsgHostControlled});
    EXPECT_EQ(ingredients.FindRecord(30), nullptr);
}

}  // namespace
}  // namespace varnel
