// The PLU edit window opened as the document shows a PLU: 61705 without a database; in a child frame
// of the main window with one, told of the next PLU to show while it is open, moving with Next and
// Prev, its "..." button picking from "Select Extra Message" over the open database, and closed as the
// database closes; its indicator showing a running campaign.
#include "app/ui/PluEditorWindow.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "platform/LocalTime.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/ExMsgRec.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace varnel {
namespace {

// The program's document side of the window, as the application wires it.
class PluEditorUi final : public IDocumentUi {
public:
    PluEditorUi(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document)
        : m_frame(frame), m_model(model), m_window(window), m_document(document)
    {
    }
    void UpdateAllViews() override
    {
        if (m_view) m_view->OnUpdate();
    }
    bool OpenPluEditorWindow() override
    {
        m_view = varnel::OpenPluEditorWindow(m_frame, m_model, m_window, m_document);
        return m_view != nullptr;
    }
    void ClosePluEditorWindows() override
    {
        if (m_view) ClosePluEditorWindow(*m_view);
    }

    QPointer<CPlued1PluVw> m_view;

private:
    CMainFrame& m_frame;
    IFrameModel& m_model;
    MainFrameWindow& m_window;
    CVrn3Doc& m_document;
};

class PluEditorWindowTest : public test::FrameCommandsFixture {
protected:
    void Define(std::uint16_t key, std::uint16_t fieldNo, std::uint16_t decimals)
    {
        auto definition = std::make_unique<CLabProp>();
        definition->m_key = key;
        definition->m_fieldNo = fieldNo;
        definition->m_name = GetMessageText(fieldNo);
        definition->m_width = 6;
        definition->m_decimals = decimals;
        definition->m_max = 999999;
        m_frame.FieldDefs(FieldDefMap::Plu)[key] = std::move(definition);
    }
    void AddPlu(std::uint32_t number, std::int32_t price)
    {
        auto row = std::make_unique<CPluDefRec>();
        row->InitNew(number);
        row->Set(PluCol::UnitPrice, price);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(m_document.GetPluTable()->AddPlu(number, size, std::move(row)));
    }
    QString Text(const char* name) const { return test::Child<QLineEdit>(*m_ui->m_view, name)->text(); }
    void Click(const char* name) const
    {
        QTest::mouseClick(test::Child<QPushButton>(*m_ui->m_view, name), Qt::LeftButton);
    }

    MainFrameWindow m_window{m_model, m_commands};
    std::unique_ptr<PluEditorUi> m_ui = std::make_unique<PluEditorUi>(m_frame, m_model, m_window, m_document);
};

TEST_F(PluEditorWindowTest, WithoutADatabaseNoWindowOpens)
{
    m_document.SetUi(m_ui.get());
    m_document.ShowPluEditor(1);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61705});
    EXPECT_FALSE(m_document.IsPluEditorOpen());
    EXPECT_TRUE(m_window.GetMdiArea()->subWindowList().isEmpty());
    m_document.SetUi(nullptr);
}

TEST_F(PluEditorWindowTest, OpensInAChildFrameShowsPlusAndPicks)
{
    Define(1, 1005, 2);
    Define(2, 1018, 0);
    OpenNewDatabase();
    AddPlu(4, 125);
    AddPlu(8, 990);
    CObjDBTable& messages = *m_document.GetDatabase().GetTable(4);
    std::unique_ptr<CDBRecord> row = messages.CreateRecord(CExMsgRec::kMaxSize);
    auto& message = dynamic_cast<CExMsgRec&>(*row);
    message.SetName("Fresh");
    message.SetText("\x1B" "C0Fresh today");
    const std::uint16_t size = message.CalcDataSize();
    ASSERT_TRUE(messages.AddRecord(6, size, std::move(row)));
    m_document.SetUi(m_ui.get());

    m_document.ShowPluEditor(4);
    ASSERT_TRUE(m_document.IsPluEditorOpen());
    const QList<QMdiSubWindow*> frames = m_window.GetMdiArea()->subWindowList();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0]->objectName(), "pluEditorFrame");
    ASSERT_NE(m_ui->m_view, nullptr);
    EXPECT_EQ(Text("103"), "4");
    EXPECT_EQ(Text("field1005"), "1.25");

    m_document.ShowPluEditor(8);  // open: its view is told
    EXPECT_EQ(m_window.GetMdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(Text("103"), "8");
    Click("1117");
    EXPECT_EQ(Text("103"), "4");
    Click("1118");
    EXPECT_EQ(Text("field1005"), "9.90");

    std::string title;
    test::WhenModalShows([&](QWidget& modal) {
        title = modal.windowTitle().toStdString();
        auto* list = test::Child<QTreeWidget>(modal, "1009");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        QTreeWidgetItem* item = list->topLevelItem(0);
        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QTest::mouseClick(test::Child<QPushButton>(modal, "1"), Qt::LeftButton);
    });
    Click("picker103");
    EXPECT_EQ(title, "Select Extra Message");
    EXPECT_EQ(Text("field1018"), "6");

    m_document.CloseDatabase();  // its editors close first
    test::ProcessEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed frame goes
    EXPECT_FALSE(m_document.IsPluEditorOpen());
    EXPECT_TRUE(m_window.GetMdiArea()->subWindowList().isEmpty());
    m_document.SetUi(nullptr);
}

TEST_F(PluEditorWindowTest, TheIndicatorShowsARunningCampaignAndOpensIt)
{
    Define(1, 1005, 2);
    OpenNewDatabase();
    AddPlu(3, 100);
    AddPlu(4, 100);
    auto& campaigns = dynamic_cast<CCampaignTb&>(*m_document.GetDatabase().GetTable(CCampaignTb::kTableNo));
    auto* campaign = dynamic_cast<CCampaignRec*>(campaigns.GetOrAddRecord(9, CCampaignRec::kSize));
    ASSERT_NE(campaign, nullptr);
    campaign->SetName("Winter");
    const double now = ToLocalOleDate(std::chrono::system_clock::now());
    campaign->SetStartValue(now - 1);
    campaign->SetEndValue(now + 1);
    ASSERT_TRUE(campaigns.AddCampaignLine(9, 0, {3, 0, 80, 0}));
    m_document.SetUi(m_ui.get());

    m_document.ShowPluEditor(3);
    auto* sale = test::Child<QPushButton>(*m_ui->m_view, "1097");
    EXPECT_FALSE(sale->isHidden());
    EXPECT_TRUE(test::Child<QPushButton>(*m_ui->m_view, "1098")->isHidden());
    std::string shown;
    test::WhenModalShows([&](QWidget& modal) {
        shown = modal.windowTitle().toStdString();
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    QTest::mouseClick(sale, Qt::LeftButton);
    EXPECT_EQ(shown, "Edit Campaign");

    Click("1118");
    EXPECT_TRUE(sale->isHidden());
    m_document.SetUi(nullptr);
}

TEST_F(PluEditorWindowTest, TypedValuesAreSavedThroughTheDocumentAndClosingAsksForTheRest)
{
    Define(1, 1005, 2);
    OpenNewDatabase();
    AddPlu(4, 125);
    m_document.SetUi(m_ui.get());
    m_document.ShowPluEditor(4);
    ASSERT_NE(m_ui->m_view, nullptr);
    // Entries are taken as the focus leaves them, which needs the window active.
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &m_window; }));
    const auto stored = [this] {
        return dynamic_cast<const CPluDefRec*>(m_document.GetPluTable()->FindRecord(4))->Get(PluCol::UnitPrice);
    };

    auto* price = test::Child<QLineEdit>(*m_ui->m_view, "field1005");
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "2.50");
    Click("1115");
    EXPECT_EQ(stored(), 250);
    EXPECT_TRUE(m_prompt.m_ids.empty());

    // A change left unsaved is asked about as the window closes; Yes saves it.
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "3");
    m_prompt.QueueAnswer(MessageAnswer::Yes);
    ClosePluEditorWindow(*m_ui->m_view);
    test::ProcessEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed frame goes
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61238});
    EXPECT_EQ(stored(), 3);
    EXPECT_FALSE(m_document.IsPluEditorOpen());
    m_document.SetUi(nullptr);
}

}  // namespace
}  // namespace varnel
