// The communication windows driven through their widgets: the Communication Center's range checks and
// tabs, "Scale Comms" ending by itself with the link's error, the compare results of a list of scales,
// Select Send Data for a Lumen scale, a Lumen send through its questions and progress, "Communication Links" at its limit, the block link's models in the link settings, the file
// link's settings, progress, QD47FD settings and Data Save open options, and the Lumen serial settings.
#include "InMemoryLine.h"
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "LumenScaleSimulator.h"
#include "LumenTestDocument.h"
#include "MemoryLumenLink.h"
#include "SimulatedSite.h"
#include "center/FakeCenterHost.h"
#include "comms/center/ScaleCommsForm.h"
#include "comms/center/SelectSendDataForm.h"
#include "comms/center/CompareResultForm.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "comms/filelink/Qd47LinkForm.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/lumen/LumenRs232Link.h"
#include "comms/lumen/LumenSerialForm.h"
#include "comms/manager/CommLinksForm.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "comms/ui/CommCenterDlg.h"
#include "comms/ui/CommLinksDlg.h"
#include "comms/ui/CompareResultDlg.h"
#include "comms/ui/LumenDlgs.h"
#include "comms/ui/Qd47Dlgs.h"
#include "comms/ui/QtCommsDialogs.h"
#include "comms/ui/ScaleCommsDlg.h"
#include "comms/ui/SelectSendDataDlg.h"
#include "settings/PriceZone.h"
#include "support/RecordingPrompt.h"
#include "support/FakeClock.h"
#include "support/RecordingTextViewer.h"
#include "support/TestMainFrame.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <functional>
#include <thread>

namespace varnel::test {
namespace {

// Clicked near its left edge: a check box or radio button stretched by its layout takes clicks on
// its box and text only.
void Click(const QWidget& dialog, const char* name)
{
    QAbstractButton* button = Child<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr);
    const int middle = button->height() / 2;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(middle, middle));
}

void Type(const QWidget& dialog, const char* field, const QString& text)
{
    QLineEdit* edit = Child<QLineEdit>(dialog, field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

std::unique_ptr<CIdEnqSocketLink> SocketLink(std::uint16_t linkNo, std::uint16_t scaleNo)
{
    auto link = std::make_unique<CIdEnqSocketLink>();
    link->m_linkId = linkNo;
    link->m_enabled = true;
    link->m_name = "Link " + std::to_string(linkNo);
    link->m_address = {10, 0, 0, static_cast<std::uint16_t>(linkNo % 250)};
    if (scaleNo != 0) {
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_name = "Scale " + std::to_string(scaleNo);
        link->m_scales.push_back(std::move(scale));
    }
    return link;
}

// A started link to a port of this host where nothing listens: every operation ends with 61326.
std::unique_ptr<CIdEnqSocketLink> DeadLink(IPinger& pinger)
{
    auto link = std::make_unique<CIdEnqSocketLink>(SystemClock(), RealFileSystem(), pinger);
    link->m_linkId = 2;
    link->m_enabled = true;
    link->m_address = {127, 0, 0, 1};
    link->m_port = 1;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 21;
    scale->m_name = "Scale 21";
    link->m_scales.push_back(std::move(scale));
    return link;
}

// Runs the window's events until `done` holds; false after a minute without.
bool ProcessEventsUntil(const std::function<bool()>& done)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
        if (std::chrono::steady_clock::now() > guard) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    return true;
}

class CommsDlgsTest : public GuiTest {
protected:
    CommsDlgsTest() : m_previous(SetCommsDialogs(&m_dialogs)) {}
    ~CommsDlgsTest() override { SetCommsDialogs(m_previous); }

    RecordingPrompt m_prompt;
    QtCommsDialogs m_dialogs{nullptr, [] { return CodePage::Western; }};
    ICommsDialogs* m_previous;
};

TEST_F(CommsDlgsTest, TheCommCenterChecksTheRangeTypedBeforeItSends)
{
    CIdEnqLinkList links;
    links.Add(SocketLink(1, 11));
    FakeHost host;
    host.kinds.kinds.set(4).set(61);
    CommCenterForm form(links, host);
    CCommCenterDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Communication Center");
    QTreeWidget* list = Child<QTreeWidget>(dialog, "scaleList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Scale 11");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Not Connected");

    dialog.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(form.GetTab(), CommCenterForm::Tab::SendReceive);
    QComboBox* kinds = Child<QComboBox>(dialog, "dataKind");
    for (std::size_t i = 0; i < form.GetKindChoices().size(); ++i)
        if (form.GetKindChoices()[i].kind == 61) kinds->setCurrentIndex(static_cast<int>(i));
    ASSERT_EQ(form.GetKind(), 61);
    Type(dialog, "from", "100");
    Type(dialog, "to", "120");
    QPushButton* send = Child<QPushButton>(dialog, "sendToScale");
    ASSERT_TRUE(send->isEnabled());
    Click(dialog, "sendToScale");
    Type(dialog, "from", "abc");
    Click(dialog, "sendToScale");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{CommCenterForm::kMsgInvalidRange, CommCenterForm::kMsgInvalidValue}));
    EXPECT_EQ(form.GetOperation(), CommCenterForm::Operation::Idle);
    EXPECT_TRUE(host.prepared.empty());
    EXPECT_FALSE(Child<QPushButton>(dialog, "cancelComms")->isEnabled());
    EXPECT_EQ(Child<QLabel>(dialog, "status")->text(), "Idle");
}

TEST_F(CommsDlgsTest, ASendsEndReachesTheCommCenterFromTheLinksThread)
{
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    LinkTestDocument document(frame);
    document.m_database.Table(4).AddRows({1, 2, 3});
    ScriptedPinger pinger;
    CIdEnqLinkList links;
    links.Add(DeadLink(pinger));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));
    FakeHost host;
    host.document = &document;
    host.kinds.kinds.set(4);
    CommCenterForm form(links, host);
    CCommCenterDlg dialog(form, CodePage::Western);
    dialog.show();
    dialog.Tabs()->setCurrentIndex(1);
    QComboBox* kinds = Child<QComboBox>(dialog, "dataKind");
    for (std::size_t i = 0; i < form.GetKindChoices().size(); ++i)
        if (form.GetKindChoices()[i].kind == 4) kinds->setCurrentIndex(static_cast<int>(i));
    Type(dialog, "to", "3");
    Click(dialog, "sendToScale");
    EXPECT_TRUE(Child<QPushButton>(dialog, "cancelComms")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "sendToScale")->isEnabled());
    ASSERT_TRUE(ProcessEventsUntil([&form] { return form.GetOperation() == CommCenterForm::Operation::Idle; }));
    EXPECT_EQ(Child<QLabel>(dialog, "status")->text(), "Scale operation unsuccessful");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{CIdEnqLink::kMsgCannotOpen, CommCenterForm::kMsgSendErrors}));
    EXPECT_FALSE(Child<QPushButton>(dialog, "cancelComms")->isEnabled());
    EXPECT_EQ(Child<QTreeWidget>(dialog, "scaleList")->topLevelItem(0)->text(4), "Yes");  // the job waits
    (void)links.StopLinks(false);
}

TEST_F(CommsDlgsTest, ScaleCommsClosesOnceTheLinkReportedAndKeepsItsError)
{
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    LinkTestDocument document(frame);
    ScriptedPinger pinger;
    CIdEnqLinkList links;
    links.Add(DeadLink(pinger));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));

    ScaleCommsForm form(links, {ScaleCommsForm::Mode::Poll, nullptr, nullptr, kNoDataKind, false}, {});
    CScaleCommsDlg dialog(form);
    QTimer guard;  // a dialog that never ends fails the test instead of hanging it
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, &QDialog::reject);
    guard.start(60000);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(form.GetResult(), 61326u);
    (void)links.StopLinks(false);
}

// A document whose synchronisation of one scale goes well.
class SynchronizingDocument final : public IDocument {
public:
    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return true; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }
    MessageId SynchronizeScale(bool, std::uint16_t linkNo, CLinkScale&) override
    {
        synchronized.push_back(linkNo);
        return 0;
    }
    std::vector<std::uint16_t> synchronized;
};

TEST_F(CommsDlgsTest, TheCompareResultsShowTheLogAndSynchronizeTheSelectedScale)
{
    CIdEnqLinkList links;
    links.Add(SocketLink(1, 11));
    links.Add(SocketLink(2, 21));
    CLinkScale& second = *links.GetLinks()[1]->m_scales.front();
    second.m_notOnScale = {3, 4, 5};
    second.m_different = {9};
    SynchronizingDocument document;
    CompareResultForm form(CompareResultForm::Shape::ScaleList, links, {CScaleDef(1, 11), CScaleDef(2, 21)},
                           {&document, nullptr, false, true, "/srv/scales"});
    CCompareResultDlg dialog(form, CodePage::Western);
    dialog.show();
    QTreeWidget* list = Child<QTreeWidget>(dialog, "scaleList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(1), "3");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "1");
    list->setCurrentItem(list->topLevelItem(1));

    RecordingTextViewer viewer;
    Click(dialog, "viewResultLog");
    EXPECT_EQ(viewer.m_shown, std::vector<std::string>{"/srv/scales/CompareResultsScale021.txt"});

    m_prompt.QueueAnswer(MessageAnswer::No);
    Click(dialog, "synchronizeScale");
    EXPECT_TRUE(document.synchronized.empty());
    Click(dialog, "synchronizeScale");
    EXPECT_EQ(document.synchronized, std::vector<std::uint16_t>{2});
    EXPECT_EQ(list->topLevelItem(1)->text(1), "0");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{CompareResultForm::kMsgSynchronize, CompareResultForm::kMsgSynchronize}));
}

TEST_F(CommsDlgsTest, SelectSendDataOffersALumenScaleItsDataAndOkKeepsTheTicks)
{
    SelectSendDataForm form(7, false, false);
    CSelectSendDataDlg dialog(form);
    dialog.show();
    for (const char* off : {"extraMessages2", "extraMessages3", "couponMessages"})
        EXPECT_FALSE(Child<QCheckBox>(dialog, off)->isEnabled()) << off;
    EXPECT_FALSE(Child<QCheckBox>(dialog, "nutrition")->isVisible());
    Click(dialog, "plus");
    Click(dialog, "extraMessages1");
    Click(dialog, "ok");
    EXPECT_TRUE(form.IsChecked(SelectSendDataForm::Plus));
    EXPECT_TRUE(form.IsChecked(SelectSendDataForm::ExtraMessages1));
    EXPECT_FALSE(form.IsChecked(SelectSendDataForm::KeyboardPresets));
}

TEST_F(CommsDlgsTest, AddOnCommunicationLinksWith999LinksShowsTheLimit)
{
    CIdEnqLinkList links;
    for (std::uint16_t linkNo = 1; linkNo <= 999; ++linkNo) links.Add(SocketLink(linkNo, 0));
    TestMainFrame frame;
    CPriceZoneList zones;
    LinkSetupContext context;
    context.setup = &frame.m_setup;
    context.priceZones = &zones;
    CommLinksForm form(links, context);
    CCommLinksDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_EQ(Child<QListWidget>(dialog, "linkList")->count(), 999);
    Click(dialog, "add");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{CommLinksForm::kMsgTooManyLinks});
    EXPECT_EQ(links.GetLinks().size(), 999u);
    EXPECT_EQ(Child<QPushButton>(dialog, "close")->text(), "Cancel");
}

TEST_F(CommsDlgsTest, TheBlockLinksModelSetsThePortAndTheBoxesOnScreen)
{
    TestMainFrame frame;
    CPriceZoneList zones;
    LinkSetupContext context;
    context.setup = &frame.m_setup;
    context.priceZones = &zones;
    CSorrelSocketLink link;
    link.m_linkId = 3;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 3;
    scale->m_scaleType = 10;
    link.m_scales.push_back(std::move(scale));
    WhenModalShows([](QWidget& dialog) {
        ASSERT_EQ(dialog.objectName(), "linkSettingsDialog");
        QCheckBox* addOneDay = Child<QCheckBox>(dialog, "addOneDay");
        EXPECT_FALSE(addOneDay->isVisibleTo(&dialog));
        Child<QComboBox>(dialog, "scaleType")->setCurrentIndex(2);  // "RUX/PZ4/TARN4"
        EXPECT_EQ(Child<QLineEdit>(dialog, "port")->text(), "5041");
        EXPECT_FALSE(Child<QCheckBox>(dialog, "message28")->isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "twoColour")->isEnabled());
        EXPECT_TRUE(addOneDay->isVisibleTo(&dialog));
        Type(dialog, "recordsPerBlock", "250");
        Click(dialog, "ok");
    });
    ScaleNumberMap numbers;
    ASSERT_TRUE(link.EditSettings(context, numbers));
    EXPECT_EQ(link.m_port, 5041u);
    EXPECT_EQ(link.m_recordsPerBlock, 250u);
}

TEST_F(CommsDlgsTest, TheFileLinkSettingsStoreTheChosenTexts)
{
    CQd47ComLink link;
    WhenModalShows([](QWidget& dialog) {
        ASSERT_EQ(dialog.objectName(), "qd47LinkDialog");
        EXPECT_EQ(dialog.windowTitle(), "Scales Comms Link (QD47)");
        EXPECT_EQ(Child<QComboBox>(dialog, "serialPort")->currentText(), "COM2");
        EXPECT_EQ(Child<QComboBox>(dialog, "parity")->currentText(), "NONE");
        Child<QComboBox>(dialog, "parity")->setCurrentIndex(1);
        Child<QComboBox>(dialog, "scaleType")->setCurrentIndex(1);
        Click(dialog, "ok");
    });
    ASSERT_TRUE(link.EditSettings());
    EXPECT_EQ(link.m_parity, "E");
    EXPECT_EQ(link.m_scaleType, 1);
}

TEST_F(CommsDlgsTest, TheFileServerProgressCountsTheBytesAndClosesAtTheRunsEnd)
{
    CQd47ComLink link;
    Qd47ProgressForm form(Qd47ProgressForm::Shape::FileServer, true);
    WhenModalShows([&form](QWidget& dialog) {
        ASSERT_EQ(dialog.objectName(), "fileServerProgressDialog");
        std::thread worker([&form] {
            form.Post(kQd47Notice, Qd47BlockSent, 100);
            form.Post(kQd47Notice, Qd47BlockReceived, 40);
        });
        worker.join();
        ProcessEvents();
        EXPECT_EQ(Child<QLabel>(dialog, "bytesSent")->text(), "100");
        EXPECT_EQ(Child<QLabel>(dialog, "bytesReceived")->text(), "40");
        EXPECT_EQ(form.GetStateText(), "Receiving data");
        form.Post(kQd47Notice, Qd47RunEnded, 0);
    });
    form.RunModal(link);
    EXPECT_EQ(form.GetOutcome(), true);

    Qd47ProgressForm cancelled(Qd47ProgressForm::Shape::DataSave, false);
    WhenModalShows([](QWidget& dialog) { Click(dialog, "cancel"); });
    cancelled.RunModal(link);
    EXPECT_EQ(cancelled.GetOutcome(), false);
}

TEST_F(CommsDlgsTest, Qd47FdSettingsRefuseFileNumber1000AndOfferTheFileServerScalesTwoFiles)
{
    Qd47FdSettingsForm form({true, 1, 0, 0, "/home/ann/Varnel"});
    CQd47FdSettingsDlg dialog(form);
    dialog.show();
    EXPECT_FALSE(Child<QCheckBox>(dialog, "plus")->isEnabled());
    Click(dialog, "selectFiles");
    EXPECT_TRUE(Child<QCheckBox>(dialog, "plus")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "messages")->isEnabled());
    for (const char* other : {"stores", "presets", "campaigns", "coupons", "scrollMessages", "nutrition"})
        EXPECT_FALSE(Child<QCheckBox>(dialog, other)->isEnabled()) << other;
    Click(dialog, "plus");
    Click(dialog, "useFile");
    Type(dialog, "fileNumber", "1000");
    Click(dialog, "ok");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_prompt.m_texts, std::vector<std::string>{"Please enter an integer between 0 and 999."});
    Type(dialog, "fileNumber", "42");
    Click(dialog, "currentDirectory");
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetFileNumber(), 42u);
    EXPECT_TRUE(form.GetSelection().plus);
    EXPECT_FALSE(form.GetSelection().messages);
    EXPECT_TRUE(form.useFileData);

    // An export has no same-number choice.
    Qd47FdSettingsForm export_({false, 0, 0, 0, "/home/ann/Varnel"});
    CQd47FdSettingsDlg exportDialog(export_);
    EXPECT_EQ(exportDialog.findChild<QRadioButton*>("useFile"), nullptr);
}

TEST_F(CommsDlgsTest, TheOpenOptionsSameNumberPairFollowsTheMode)
{
    DataSaveOpenOptionsForm form(DataSaveOpenOptionsForm::OpenOnly, false);
    CDataSaveOpenOptionsDlg dialog(form);
    dialog.show();
    EXPECT_TRUE(Child<QRadioButton>(dialog, "openOnly")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(dialog, "useFile")->isEnabled());
    Click(dialog, "importCurrent");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "useFile")->isEnabled());
    Click(dialog, "useFile");
    EXPECT_TRUE(form.GetOverwrite());
    Click(dialog, "importNew");
    EXPECT_EQ(form.GetMode(), DataSaveOpenOptionsForm::ImportNew);
    EXPECT_FALSE(Child<QRadioButton>(dialog, "useDatabase")->isEnabled());
}

TEST_F(CommsDlgsTest, ALumenSendAsksAddOrOverwriteShowsTheInstructionsAndEndsItsProgressByItself)
{
    TestMainFrame frame;
    FakeClock clock;
    InMemoryLine line{clock};
    LumenScaleSimulator scale{line};
    MemoryLumenLink link{line};
    LumenTestDocument document;
    document.toSend = {{0, {7, 8, 9}}};
    bool overwriteOffered = false;
    std::string instructionsTitle;
    WhenModalShows([&](QWidget& ask) {
        ASSERT_EQ(ask.objectName(), "sendToLumenDialog");
        overwriteOffered = Child<QRadioButton>(ask, "overwriteMode")->isChecked();
        WhenModalShows([&instructionsTitle](QWidget& start) {
            instructionsTitle = start.windowTitle().toStdString();
            Click(start, "ok");
        });
        Click(ask, "addMode");
        Click(ask, "ok");
    });
    scale.Start();
    QtLumenTransferUi ui(nullptr);
    EXPECT_EQ(link.SendToScale(document, frame.m_setup.m_market, ui), 0u);
    EXPECT_TRUE(overwriteOffered);
    EXPECT_EQ(instructionsTitle, "Start Comms on Scale");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{CLumenLink::kMsgDataSent});
    ASSERT_FALSE(scale.Received().empty());
    EXPECT_EQ(scale.Received().front(), (Bytes{0x02, 0x31, 0x49, 0x03, 0x7B}));  // 'I': added, not overwritten
}

TEST_F(CommsDlgsTest, TheLumenSerialSettingsAskForAFileWhenLoggingStartsWithoutOne)
{
    CLumenRs232Link link;
    link.m_parity = "E";
    link.m_logFile.clear();
    const std::string file = "/home/ann/Varnel/ScalesData/a-rather-long-folder/lumen-trace.txt";
    m_prompt.QueueSaveName(file);
    WhenModalShows([](QWidget& dialog) {
        ASSERT_EQ(dialog.objectName(), "lumenSerialDialog");
        Click(dialog, "logging");
        EXPECT_EQ(Child<QLabel>(dialog, "logFile")->text().size(), 40);
        EXPECT_TRUE(Child<QCheckBox>(dialog, "logging")->isChecked());
        Click(dialog, "ok");
    });
    ASSERT_TRUE(link.Setup());
    EXPECT_EQ(link.m_logging, 1);
    EXPECT_EQ(link.m_logFile, file);
    EXPECT_EQ(link.m_parity, "E");

    WhenModalShows([](QWidget& dialog) {
        Click(dialog, "logging");
        Click(dialog, "cancel");
    });
    EXPECT_FALSE(link.Setup());
    EXPECT_EQ(link.m_logging, 1);
}

}  // namespace
}  // namespace varnel::test
