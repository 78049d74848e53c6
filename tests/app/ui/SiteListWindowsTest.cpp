// The site list editors opened over the real main frame's lists and driven through their widgets:
// what they change is the frame's (an operator is queued on the frame's links and logged); the
// operator picker opens on the operator named; the department list asks for a current department and
// posts "Change Department", whose dialog makes it current.
#include "app/ui/SiteListWindows.h"

#include "FrameCommandsFixture.h"
#include "SimulatedSite.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/MasterScale.h"
#include "settings/OperatorList.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class SiteListWindowsTest : public test::FrameCommandsFixture {
protected:
    static void Click(const QWidget& dialog, const char* button)
    {
        QTest::mouseClick(test::Child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void Type(const QWidget& dialog, const char* field, const QString& text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QStringList Rows(const QWidget& dialog)
    {
        QStringList rows;
        const QListWidget* list = test::Child<QListWidget>(dialog, "list");
        for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
        return rows;
    }
    // In the list dialog: Add, the entry filled by `fill` and OK.
    static void AddThroughEntry(const QWidget& list, std::function<void(QWidget& entry)> fill)
    {
        test::WhenModalShows([fill = std::move(fill)](QWidget& entry) {
            fill(entry);
            Click(entry, "ok");
        });
        Click(list, "add");
    }
    void AddDepartment(std::uint16_t id, const char* name)
    {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = id;
        department->m_name = name;
        m_frame.Departments().Add(std::move(department));
    }
};

TEST_F(SiteListWindowsTest, OperatorsAddedAreTheFramesQueuedAndLoggedAndThePickerOpensOnTheOneNamed)
{
    // A scale on a link that is not started, with on-line comms on: changes wait in its queue.
    test::ScriptedPinger pinger;
    auto link = std::make_unique<CIdEnqSocketLink>(SystemClock(), RealFileSystem(), pinger);
    link->m_linkId = 1;
    link->m_enabled = true;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 11;
    scale->m_enabled = true;
    link->m_scales.push_back(std::move(scale));
    m_frame.Links().Add(std::move(link));
    m_frame.GeneralSetup().m_onlineComms = 1;
    m_frame.EventLog().LoggingOn = 1;
    m_frame.EventLog().LogGeneral = 1;
    m_frame.EventLog().LogFile = m_dir.File("events.log");
    OpenNewDatabase();

    test::WhenModalShows([](QWidget& list) {
        for (const auto& [id, name] : {std::pair{"7", "Ann"}, std::pair{"3", "Bo"}})
            AddThroughEntry(list, [id, name](QWidget& entry) {
                Type(entry, "operatorId", id);
                Type(entry, "name", name);
            });
        Click(list, "ok");
    });
    EXPECT_TRUE(RunOperatorSettings(m_frame, nullptr));
    ASSERT_NE(m_frame.Operators().Find(7), nullptr);
    EXPECT_EQ(m_frame.Operators().Find(7)->m_name, "Ann");
    ASSERT_NE(m_frame.Operators().Find(3), nullptr);
    EXPECT_TRUE(m_frame.Links().IsDataWaiting(nullptr));
    const std::string log = test::ReadWholeFile(m_dir.File("events.log"));
    EXPECT_NE(log.find("ID=7 : Ann"), std::string::npos) << log;
    EXPECT_NE(log.find("ID=3 : Bo"), std::string::npos) << log;

    QString selected;
    QString okText;
    bool addEnabled = true;
    test::WhenModalShows([&](QWidget& list) {
        selected = test::Child<QListWidget>(list, "list")->currentItem()->text();
        okText = test::Child<QPushButton>(list, "ok")->text();
        addEnabled = test::Child<QPushButton>(list, "add")->isEnabled();
        test::Child<QListWidget>(list, "list")->setCurrentRow(0);
        Click(list, "ok");
    });
    EXPECT_EQ(PickOperator(m_frame, 7, nullptr), std::optional<std::uint16_t>(3));
    EXPECT_EQ(selected, "07  Ann");
    EXPECT_EQ(okText, "Select");
    EXPECT_FALSE(addEnabled);
    test::WhenModalShows([](QWidget& list) { QTest::keyClick(&list, Qt::Key_Escape); });
    EXPECT_EQ(PickOperator(m_frame, 7, nullptr), std::nullopt);
}

TEST_F(SiteListWindowsTest, WithoutACurrentDepartmentTheListAsksForOneAndChangeDepartmentMakesItCurrent)
{
    AddDepartment(1, "Deli");
    AddDepartment(2, "Meat");
    MainFrameWindow window(m_model, m_commands);
    int changeDepartment = 0;
    m_commands.Register(kChangeDepartmentCommand, "Change &Department", [&changeDepartment] { ++changeDepartment; });
    m_commands.UpdateActions();

    QStringList rows;
    test::WhenModalShows([&rows](QWidget& list) {
        rows = Rows(list);
        Click(list, "ok");
    });
    EXPECT_TRUE(RunDepartments(m_frame, window));
    EXPECT_EQ(rows, (QStringList{"Deli", "Meat"}));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61327});
    EXPECT_EQ(changeDepartment, 0);  // posted, run once the window takes its events
    test::ProcessEvents();
    EXPECT_EQ(changeDepartment, 1);

    test::WhenModalShows([](QWidget& dialog) {
        test::Child<QListWidget>(dialog, "list")->setCurrentRow(1);
        Click(dialog, "select");
    });
    EXPECT_TRUE(RunChangeDepartment(m_frame, &window));
    EXPECT_EQ(m_frame.Departments().GetCurrentId(), 2);

    m_prompt.m_ids.clear();
    test::WhenModalShows([&rows](QWidget& list) {
        rows = Rows(list);
        Click(list, "ok");
    });
    EXPECT_TRUE(RunDepartments(m_frame, window));
    EXPECT_EQ(rows, (QStringList{"Deli", "Meat*"}));
    EXPECT_TRUE(m_prompt.m_ids.empty());
    test::ProcessEvents();
    EXPECT_EQ(changeDepartment, 1);
}

TEST_F(SiteListWindowsTest, ProfilesPriceZonesAndDepartmentCodesAreTheFrames)
{
    QString title;
    test::WhenModalShows([&title](QWidget& list) {
        title = list.windowTitle();
        AddThroughEntry(list, [](QWidget& sheet) { Type(sheet, "name", "Clerk"); });
        Click(list, "ok");
    });
    EXPECT_TRUE(RunUserSettings(m_frame, true, nullptr));
    EXPECT_EQ(title, "Edit Default User Profiles");
    ASSERT_EQ(m_frame.UserProfiles().GetCount(), 1u);
    EXPECT_EQ(m_frame.UserProfiles().GetAt(0).m_name, "Clerk");
    EXPECT_EQ(m_frame.Access().m_users.GetCount(), 0u);

    test::WhenModalShows([](QWidget& list) {
        AddThroughEntry(list, [](QWidget& entry) {
            Type(entry, "zoneId", "3");
            Type(entry, "name", "City");
        });
        Click(list, "ok");
    });
    EXPECT_TRUE(RunPriceZones(m_frame, nullptr));
    EXPECT_TRUE(m_frame.PriceZones().IsDefined(3));

    // Auto-Generate List needs the open database's PLUs.
    OpenNewDatabase();
    std::vector<bool> generateEnabled;
    for (const CPluDefTb* plus :
         {static_cast<const CPluDefTb*>(nullptr), static_cast<const CPluDefTb*>(m_document.GetPluTable())}) {
        test::WhenModalShows([&generateEnabled](QWidget& list) {
            generateEnabled.push_back(test::Child<QPushButton>(list, "autoGenerate")->isEnabled());
            Click(list, "ok");
        });
        EXPECT_TRUE(RunDeptCodes(m_frame, plus, nullptr));
    }
    EXPECT_EQ(generateEnabled, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace varnel
