// The file link's and Data Save files' dialogs without their windows: the link settings and what OK
// stores, the progress of a run from the link's notices (with and without a window), the QD47FD
// settings' checks and enabling, and the Data Save open options.
#include "ScriptedCommsDialogs.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "comms/filelink/Qd47LinkForm.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <tuple>

namespace varnel::test {
namespace {

TEST(Qd47LinkForm, ShowsTheLinkAndOkStoresTheChoicesWithParityAsItsLetter)
{
    CQd47ComLink link;
    link.m_parity = "E";
    link.m_scaleType = 1;
    ScriptedCommsDialogs dialogs;
    dialogs.qd47Link = [](Qd47LinkForm& form) {
        EXPECT_EQ(form.port, "COM2");
        EXPECT_EQ(form.parity, "EVEN");
        EXPECT_EQ(form.scaleType, 1u);
        form.port = "COM4";
        form.baudRate = "38400";
        form.parity = "ODD";
        form.scaleType = 0;
        return true;
    };
    EXPECT_TRUE(link.EditSettings());
    EXPECT_EQ(link.m_portName, "COM4");
    EXPECT_EQ(link.m_baudRate, "38400");
    EXPECT_EQ(link.m_parity, "O");
    EXPECT_EQ(link.m_scaleType, 0);

    // Without the right to change the setup, or after Cancel, nothing is stored.
    dialogs.qd47Link = [](Qd47LinkForm& form) {
        form.parity = "NONE";
        return true;
    };
    EXPECT_FALSE(link.EditSettings([] { return false; }));
    EXPECT_EQ(link.m_parity, "O");
    dialogs.qd47Link = [](Qd47LinkForm& form) {
        form.parity = "NONE";
        return false;
    };
    EXPECT_FALSE(link.EditSettings());
    EXPECT_EQ(link.m_parity, "O");
    EXPECT_FALSE(link.EditSettings());  // no script: Cancel
    EXPECT_EQ(link.m_parity, "O");
}

void Notice(Qd47ProgressForm& form, std::uintptr_t code, std::intptr_t value)
{
    form.Post(kQd47Notice, code, value);
    form.Dispatch();
}

TEST(Qd47ProgressForm, TheDataSaveShapeShowsTheStateAndTheBytesOrTheBar)
{
    Qd47ProgressForm receiving(Qd47ProgressForm::Shape::DataSave, true);
    EXPECT_EQ(receiving.GetStateText(), "Please start transmission at the scales");
    Notice(receiving, 3, 2048);
    EXPECT_EQ(receiving.GetStateText(), "Receiving data");
    EXPECT_EQ(receiving.GetReceivedText(), "2048 Bytes Received");
    Notice(receiving, 6, 1);  // codes above 5 are not the link's
    EXPECT_EQ(receiving.GetState(), 3);
    Notice(receiving, 4, 0);
    EXPECT_EQ(receiving.GetStateText(), "Timeout");

    Qd47ProgressForm sending(Qd47ProgressForm::Shape::DataSave, false);
    const std::pair<std::intptr_t, int> bars[] = {{-3, 0}, {0, 0}, {45, 45}, {90, 90}, {91, 100}, {400, 100}};
    for (const auto& [value, percent] : bars) {
        Notice(sending, 2, value);
        EXPECT_EQ(sending.GetBarPercent(), percent) << value;
    }
    EXPECT_EQ(sending.GetStateText(), "Transmitting");
}

TEST(Qd47ProgressForm, TheFileServerShapeAddsUpTheBytesAndTheEndClosesIt)
{
    CQd47ComLink link;
    Qd47ProgressForm form(Qd47ProgressForm::Shape::FileServer, true);
    ScriptedCommsDialogs dialogs;
    dialogs.qd47Progress = [](Qd47ProgressForm& shown) {
        shown.OnOpen();
        Notice(shown, Qd47BlockSent, 100);
        Notice(shown, Qd47BlockReceived, 30);
        Notice(shown, Qd47BlockSent, 28);
        EXPECT_EQ(shown.GetBytesSent(), 128);
        EXPECT_EQ(shown.GetBytesReceived(), 30);
        EXPECT_EQ(shown.GetStateText(), "Transmitting");
        Notice(shown, Qd47RunEnded, 0);
        Notice(shown, Qd47BlockSent, 1000);  // after the end nothing counts
        EXPECT_EQ(shown.GetBytesSent(), 128);
        return true;
    };
    form.RunModal(link);
    EXPECT_EQ(form.GetOutcome(), true);

    // Closed by the user: the outcome is false.
    Qd47ProgressForm closed(Qd47ProgressForm::Shape::FileServer, true);
    dialogs.qd47Progress = [](Qd47ProgressForm&) { return false; };
    closed.RunModal(link);
    EXPECT_EQ(closed.GetOutcome(), false);
}

TEST(Qd47ProgressForm, WithoutAWindowItWaitsForTheRunsEnd)
{
    CQd47ComLink link;
    Qd47ProgressForm form(Qd47ProgressForm::Shape::DataSave, true);
    std::thread worker([&form] {
        form.Post(kQd47Notice, Qd47BlockReceived, 512);
        form.Post(kQd47Notice, Qd47RunEnded, 0);
    });
    form.RunModal(link);
    worker.join();
    EXPECT_EQ(form.GetOutcome(), true);
    EXPECT_EQ(form.GetReceivedText(), "512 Bytes Received");
}

Qd47FdSettingsForm::Site FdSite(std::uint16_t scaleType = 0, std::uint16_t family = 0, std::uint16_t market = 0)
{
    return {true, scaleType, family, market, "/home/ann/Varnel"};
}

TEST(Qd47FdSettingsForm, TheFileNumberRunsFrom0To999)
{
    RecordingPrompt prompt;
    Qd47FdSettingsForm form(FdSite());
    EXPECT_TRUE(form.SetFileNumber("999"));
    EXPECT_TRUE(form.SetFileNumber("0"));
    EXPECT_TRUE(prompt.m_texts.empty());
    for (const char* bad : {"1000", "-1", "abc", ""}) {
        EXPECT_FALSE(form.SetFileNumber(bad)) << bad;
        EXPECT_EQ(form.GetFileNumber(), 0u) << bad;
    }
    ASSERT_EQ(prompt.m_texts.size(), 4u);
    EXPECT_EQ(prompt.m_texts[0], "Please enter an integer between 0 and 999.");
}

TEST(Qd47FdSettingsForm, OnlyPlusAndExtraMessagesSuitTheFileServerScales)
{
    using Box = Qd47FdSettingsForm::Box;
    const std::tuple<std::uint16_t, Box, bool> cases[] = {
        {0, Box::Plus, true},      {0, Box::Stores, true},    {0, Box::Nutrition, true},
        {1, Box::Plus, true},      {1, Box::Messages, true},  {1, Box::Stores, false},
        {1, Box::Presets, false},  {1, Box::Coupons, false},  {1, Box::ScrollMessages, false},
    };
    for (const auto& [scaleType, box, enabled] : cases) {
        Qd47FdSettingsForm form(FdSite(scaleType));
        EXPECT_FALSE(form.IsEnabled(box)) << "every file while all are chosen";
        form.all = false;
        EXPECT_EQ(form.IsEnabled(box), enabled) << scaleType << " " << Qd47FdSettingsForm::BoxText(box);
        form.SetChecked(box, true);
        EXPECT_EQ(form.IsChecked(box), enabled);
    }
    Qd47FdSettingsForm form(FdSite(1));
    form.all = false;
    form.SetChecked(Box::Plus, true);
    form.SetChecked(Box::Campaigns, true);
    const Qd47FdSelection selection = form.GetSelection();
    EXPECT_TRUE(selection.plus);
    EXPECT_FALSE(selection.campaigns);
}

TEST(Qd47FdSettingsForm, NutritionShowsOnlyForFamily0InMarket0)
{
    EXPECT_TRUE(Qd47FdSettingsForm(FdSite(0, 0, 0)).IsShown(Qd47FdSettingsForm::Nutrition));
    EXPECT_FALSE(Qd47FdSettingsForm(FdSite(0, 2, 0)).IsShown(Qd47FdSettingsForm::Nutrition));
    EXPECT_FALSE(Qd47FdSettingsForm(FdSite(0, 0, 3)).IsShown(Qd47FdSettingsForm::Nutrition));
    EXPECT_TRUE(Qd47FdSettingsForm(FdSite(0, 2, 3)).IsShown(Qd47FdSettingsForm::Plus));
}

TEST(Qd47FdSettingsForm, BrowseTakesTheChosenFilesFolderAndLeavesTheCurrentDirectoryAlone)
{
    RecordingPrompt prompt;
    const std::filesystem::path before = std::filesystem::current_path();
    Qd47FdSettingsForm form(FdSite());
    ASSERT_TRUE(form.SetFileNumber("7"));
    prompt.QueueSaveName("/media/stick/shop/item.007");
    ASSERT_TRUE(form.Browse());
    EXPECT_EQ(form.directory, "/media/stick/shop/");
    ASSERT_EQ(prompt.m_fileRequests.size(), 1u);
    EXPECT_EQ(prompt.m_fileRequests[0].fileName, "item.007");
    EXPECT_EQ(prompt.m_fileRequests[0].kind, FileRequest::Kind::Open);
    EXPECT_EQ(prompt.m_fileRequests[0].initialDirectory, "/home/ann/Varnel");
    EXPECT_EQ(std::filesystem::current_path(), before);

    EXPECT_FALSE(form.Browse());  // cancelled
    EXPECT_EQ(form.directory, "/media/stick/shop/");
    form.UseCurrentDirectory();
    EXPECT_EQ(form.directory, "/home/ann/Varnel");
}

TEST(DataSaveOpenOptionsForm, TheSameNumberChoiceIsOnlyForAnImportIntoTheCurrentDatabase)
{
    DataSaveOpenOptionsForm form(DataSaveOpenOptionsForm::OpenOnly, true);
    EXPECT_FALSE(form.IsOverwriteEnabled());
    form.SetMode(DataSaveOpenOptionsForm::ImportNew);
    EXPECT_FALSE(form.IsOverwriteEnabled());
    form.SetMode(DataSaveOpenOptionsForm::ImportCurrent);
    EXPECT_TRUE(form.IsOverwriteEnabled());
    EXPECT_TRUE(form.GetOverwrite());
}

}  // namespace
}  // namespace varnel::test
