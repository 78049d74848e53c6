// The PLU edit window opened as the document shows a PLU: 61705 without a database; in a child frame
// of the main window with one, told of the next PLU to show while it is open, moving with Next and
// Prev, its "..." button picking from "Select Extra Message" over the open database, and closed as the
// database closes; every "..." button answered through the list of its own table (the coupon's the
// comments where the scales take comments for coupons); its indicator showing a running campaign.
#include "app/ui/PluEditorWindow.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "platform/LocalTime.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/ExMsgRec.h"
#include "scaledata/PopMsgTb.h"
#include "scaledata/RuxDeptTb.h"
#include "scaledata/ShortMsgTb.h"
#include "scaledata/StoreSetupRec.h"
#include "scaledata/TrayRec.h"

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
        m_document.GetPluTable()->InitNewPlu(number, *row);
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

// Each picker's list holds a row of a number no other list holds: the number the field shows after
// OK names the table whose list opened.
TEST_F(PluEditorWindowTest, EveryPickerOpensTheListOfItsTable)
{
    struct Picker {
        int button;
        std::uint16_t field;
        std::uint16_t table;
        std::size_t recordSize;
    };
    const std::vector<Picker> pickers{
        {103, 1018, 4, CExMsgRec::kMaxSize},   {110, 1044, 29, CExMsgRec::kMaxSize},
        {111, 1045, 30, CExMsgRec::kMaxSize},  {104, 1019, 8, CExMsgRec::kMaxSize},
        {117, 1057, 80, CShortMsgRec::kSize},   {118, 1058, 81, CShortMsgRec::kSize},
        {119, 1059, 79, CPopMsgRec::kSize},     {120, 1060, 72, CExMsgRec::kMaxSize},
        {121, 1061, 73, CExMsgRec::kMaxSize},  {122, 1062, 74, CExMsgRec::kMaxSize},
        {123, 1063, 75, CExMsgRec::kMaxSize},  {124, 1064, 76, CExMsgRec::kMaxSize},
        {125, 1065, 71, CStoreSetupRec::kSize}, {126, 1082, 70, CExMsgRec::kMaxSize},
        {127, 1054, 78, CExMsgRec::kMaxSize},  {129, 1038, 53, CTrayRec::kSize},
        {130, 1017, 37, CPopMsgRec::kSize},     {131, 1014, 82, CRuxDeptRec::kSize},
        {132, 1015, 83, CRuxDeptRec::kSize}};
    std::uint16_t key = 0;
    for (const Picker& picker : pickers) Define(++key, picker.field, 0);
    // The department and group pickers are the RUX families' with departments named by their texts.
    m_frame.GeneralSetup().m_defaultScaleFamily = 10;
    m_frame.GeneralSetup().m_deptGroupByText = 1;
    OpenNewDatabase();
    AddPlu(4, 125);
    const auto numberOf = [](const Picker& picker) { return static_cast<std::uint32_t>(picker.table) + 1; };
    for (const Picker& picker : pickers) {
        CDBRecord* row =
            m_document.GetDatabase().GetTable(picker.table)->GetOrAddRecord(numberOf(picker), picker.recordSize);
        ASSERT_NE(row, nullptr) << picker.table;
        // Department and group names list only with their line opening.
        if (auto* name = dynamic_cast<CRuxDeptRec*>(row)) name->SetName("\x1B" "C0Deli");
    }
    m_document.SetUi(m_ui.get());
    m_document.ShowPluEditor(4);
    ASSERT_NE(m_ui->m_view, nullptr);

    const auto pick = [this](int button, bool ok) {
        int rows = -1;
        test::WhenModalShows([&](QWidget& modal) {
            auto* list = test::Child<QTreeWidget>(modal, "1009");
            rows = list->topLevelItemCount();
            // The last row: the pop-up list puts its predefined numbers first.
            if (ok && rows > 0) {
                list->setFocus();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->topLevelItem(rows - 1)).center());
            }
            QTest::mouseClick(test::Child<QPushButton>(modal, ok ? "1" : "2"), Qt::LeftButton);
        });
        Click(("picker" + std::to_string(button)).c_str());
        return rows;
    };
    for (const Picker& picker : pickers) {
        const std::string field = "field" + std::to_string(picker.field);
        EXPECT_GE(pick(picker.button, true), 1) << picker.button;
        EXPECT_EQ(Text(field.c_str()).toStdString(), std::to_string(numberOf(picker))) << picker.button;
        // Cancel keeps the number, the storage messages' included.
        EXPECT_GE(pick(picker.button, false), 1) << picker.button;
        EXPECT_EQ(Text(field.c_str()).toStdString(), std::to_string(numberOf(picker))) << picker.button;
    }

    // Australian scales of family 10 take comments for coupons: the coupon field picks a comment.
    m_frame.GeneralSetup().m_market = MarketAustralia;
    EXPECT_GE(pick(104, true), 1);
    EXPECT_EQ(Text("field1019").toStdString(), "71");
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
