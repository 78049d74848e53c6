#include "app/SetupCommands.h"

#include "app/MainFrame.h"
#include "app/ScaleDataDirForm.h"
#include "settings/DefLineFontsForm.h"
#include "settings/HostInterfaceForm.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class SetupCommandsTest : public ::testing::Test {
protected:
    SetupCommandsTest() { m_previous = SetMainFrame(&m_frame); }
    ~SetupCommandsTest() override { SetMainFrame(m_previous); }

    // Logs in a user whose setup rights are `permission` (view, update bits of table 1).
    void LogInWithSetupRights(std::uint8_t permission)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = "ann";
        user->m_tablePermission.fill(0);
        user->m_tablePermission[kSetupTable] = permission;
        CUserSetupList& users = *m_frame.GetUserList();
        users.Add(std::move(user));
        users.SetCurrentUser(users.GetCount() - 1);
    }
    // A dialog that ticks every box, picks a file and ends with `ok`.
    static std::function<bool(HostInterfaceForm&)> TickEverything(bool ok)
    {
        return [ok](HostInterfaceForm& form) {
            form.Settings() = {true, true, true, true, "/srv/pos/update.txt"};
            return ok;
        };
    }

    test::TempDir m_dir;
    test::RecordingPrompt m_prompt;
    CMainFrame m_frame{m_dir.Path()};
    IMainFrame* m_previous = nullptr;
};

TEST_F(SetupCommandsTest, HostInterfaceIsStoredOnlyAfterOkAndWithTheUpdateRight)
{
    struct Case {
        const char* name;
        bool ok;
        std::optional<std::uint8_t> setupRights;  // none: nobody logged in
        bool stored;
        std::vector<MessageId> messages;
    };
    const Case cases[] = {
        {"ok, nobody logged in", true, std::nullopt, true, {}},
        {"ok, view and update", true, AccessView | AccessUpdate, true, {}},
        {"cancelled", false, std::nullopt, false, {}},
        {"ok, view only", true, AccessView, false, {61328}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMainFrame frame(m_dir.Path());
        IMainFrame* previous = SetMainFrame(&frame);
        if (c.setupRights) {
            auto user = std::make_unique<CUserSetup>();
            user->m_tablePermission.fill(0);
            user->m_tablePermission[kSetupTable] = *c.setupRights;
            frame.GetUserList()->Add(std::move(user));
            frame.GetUserList()->SetCurrentUser(0);
        }
        frame.EventLog().PosUpdateFile = "/old/pos.txt";
        m_prompt.m_ids.clear();

        EXPECT_EQ(EditHostInterface(frame, TickEverything(c.ok)), c.stored);
        const CGeneralSetup& setup = frame.GetGeneralSetup();
        const std::uint8_t flag = c.stored ? 1 : 0;
        EXPECT_EQ(setup.m_kauriAucklandHostImport, flag);
        EXPECT_EQ(setup.m_kauriSouthIslandHostImport, flag);
        EXPECT_EQ(setup.m_totaraHostImport, flag);
        EXPECT_EQ(setup.m_posUpdateFileOutput, flag);
        const std::string file = c.stored ? "/srv/pos/update.txt" : "/old/pos.txt";
        EXPECT_EQ(frame.EventLog().PosUpdateFile, file);
        // The PLU table writes to the path the general setup names.
        EXPECT_EQ(setup.m_posUpdateFilePath, c.stored ? file : "");
        EXPECT_EQ(m_prompt.m_ids, c.messages);
        SetMainFrame(previous);
    }
}

TEST_F(SetupCommandsTest, HostInterfaceDialogStartsFromTheSettings)
{
    m_frame.GeneralSetup().m_totaraHostImport = 1;
    m_frame.GeneralSetup().m_posUpdateFileOutput = 1;
    m_frame.EventLog().PosUpdateFile = "/home/ann/a/very/long/folder/name/of/the/store/pos/update.txt";
    EditHostInterface(m_frame, [](HostInterfaceForm& form) {
        EXPECT_EQ(form.Settings(), (HostInterfaceSettings{false, false, true, true,
                                                          "/home/ann/a/very/long/folder/name/of/the/store/pos/update.txt"}));
        EXPECT_EQ(form.GetFileText(), "/home/ann/a/very/long/fold.../update.txt");
        return false;
    });
}

TEST_F(SetupCommandsTest, HostInterfaceFileChooserKeepsTheFileWhenCancelled)
{
    HostInterfaceForm form({false, false, false, false, "/srv/pos.txt"}, CharRule{});
    m_prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(form.SelectFile());
    EXPECT_EQ(form.Settings().posUpdateFile, "/srv/pos.txt");
    m_prompt.QueueSaveName("/srv/new.txt");
    EXPECT_TRUE(form.SelectFile());
    EXPECT_EQ(form.Settings().posUpdateFile, "/srv/new.txt");
    ASSERT_EQ(m_prompt.m_fileRequests.size(), 0u);  // the plain save chooser
    EXPECT_EQ(m_prompt.m_saveDialogs, 2);
}

TEST_F(SetupCommandsTest, EMailSettingsAreCopiedBackOnlyAfterOk)
{
    m_frame.EMailSettings().m_smtpServer = "mail.old";
    for (const bool ok : {false, true}) {
        EditEMailSettings(m_frame, [ok](CEMailSettings& settings) {
            EXPECT_EQ(settings.m_smtpServer, "mail.old");
            settings.m_smtpServer = "mail.new";
            settings.m_cc = "boss@shop";
            return ok;
        });
        EXPECT_EQ(m_frame.EMailSettings().m_smtpServer, ok ? "mail.new" : "mail.old");
        if (!ok) {
            EXPECT_EQ(m_frame.EMailSettings().m_cc, "");
        }
    }
}

TEST_F(SetupCommandsTest, DefaultLineFontsAreStoredAndSavedOnlyAfterOkWithTheUpdateRight)
{
    const auto chooseFont3 = [](bool ok) {
        return [ok](DefLineFontsForm& form) {
            form.CurrentSet().entries[0] = 3;
            return ok;
        };
    };
    EXPECT_FALSE(EditDefaultLineFonts(m_frame, chooseFont3(false)));
    EXPECT_NE(m_frame.LineFonts().m_positions[0][0], 3);
    LogInWithSetupRights(AccessView);
    EXPECT_FALSE(EditDefaultLineFonts(m_frame, chooseFont3(true)));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61328}));
    EXPECT_FALSE(RealFileSystem().Exists(m_frame.GetGeneralSetupPath()));
    LogInWithSetupRights(AccessView | AccessUpdate);
    EXPECT_TRUE(EditDefaultLineFonts(m_frame, chooseFont3(true)));
    EXPECT_EQ(m_frame.LineFonts().m_positions[0][0], 3);
    CMainFrame reloaded(m_dir.Path());
    ASSERT_TRUE(reloaded.LoadGeneralSetup(m_frame.GetGeneralSetupPath()));
    EXPECT_EQ(reloaded.LineFonts().m_positions[0][0], 3);
}

TEST_F(SetupCommandsTest, SetupCommandsNeedTheSetupViewRight)
{
    EXPECT_TRUE(MayViewSetup(nullptr));
    EXPECT_TRUE(MayViewSetup(m_frame.GetUserList()));  // nobody logged in
    LogInWithSetupRights(AccessUpdate);
    EXPECT_FALSE(MayViewSetup(m_frame.GetUserList()));
    LogInWithSetupRights(AccessView);
    EXPECT_TRUE(MayViewSetup(m_frame.GetUserList()));
}

TEST_F(SetupCommandsTest, ScaleDataDirectoryTakesTheFolderOfTheChosenFileOnlyWhenOneIsChosen)
{
    ScaleDataDirForm form("/srv/scales");
    m_prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(form.Browse());
    EXPECT_EQ(form.GetDirectory(), "/srv/scales");
    ASSERT_EQ(m_prompt.m_fileRequests.size(), 1u);
    const FileRequest& request = m_prompt.m_fileRequests[0];
    EXPECT_EQ(request.kind, FileRequest::Kind::Open);
    EXPECT_EQ(request.title, "Specify Scale Data Directory");
    EXPECT_EQ(request.fileName, "ITEM.001");
    EXPECT_EQ(request.defaultExtension, "00?");
    EXPECT_EQ(request.initialDirectory, "/srv/scales");

    for (const auto& [file, folder] : {std::pair{"/media/usb/day2/ITEM.002", "/media/usb/day2"},
                                       std::pair{"/ITEM.001", "/"}}) {
        m_prompt.QueueSaveName(file);
        EXPECT_TRUE(form.Browse());
        EXPECT_EQ(form.GetDirectory(), folder);
    }
    form.SetDirectory(std::string(300, 'd'));
    EXPECT_EQ(form.GetDirectory().size(), ScaleDataDirForm::kMaxLength);
}

}  // namespace
}  // namespace varnel
