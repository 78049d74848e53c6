#include "app/MainFrame.h"

#include "platform/ArchiveCollections.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace varnel {
namespace {

using test::FaultInjectingFileSystem;
using test::ReadWholeFile;
using test::RecordingPrompt;
using test::TempDir;
using test::WriteWholeFile;

// A clock whose waits pass at once, each one remembered with the time it lasted.
class SteppingClock final : public IClock {
public:
    std::chrono::system_clock::time_point WallNow() const override { return {}; }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return m_now; }
    bool WaitUntil(std::condition_variable&, std::unique_lock<std::mutex>&, std::chrono::steady_clock::time_point deadline,
                   const std::function<bool()>& ready) const override
    {
        m_waits.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - m_now));
        m_now = deadline;
        return ready();
    }
    mutable std::vector<std::chrono::milliseconds> m_waits;

private:
    mutable std::chrono::steady_clock::time_point m_now{};
};

class SetupFiles : public ::testing::Test {
protected:
    std::string Bytes(const std::string& name) const { return ReadWholeFile(dir.File(name)); }
    // A file of the archive that `write` stores.
    void WriteArchive(const std::string& name, const std::function<void(CArchive&)>& write) const
    {
        const auto bytes = SaveArchive(write);
        ASSERT_TRUE(bytes);
        WriteWholeFile(dir.File(name), std::string(bytes->begin(), bytes->end()));
    }

    TempDir dir;
    SteppingClock clock;
    FaultInjectingFileSystem fs;
    RecordingPrompt prompt;
    CMainFrame frame{dir.Path(), fs, clock};
};

// A frame with something in every list the general setup file holds.
void FillGeneralSetup(CMainFrame& frame)
{
    CGeneralSetup& setup = frame.GeneralSetup();
    setup.m_market = MarketAustralia;
    setup.m_maxPluNo = 123456;
    setup.m_defaultScaleFamily = 8;
    frame.PriceZones().SetZone(3, "North");
    frame.PriceZoneFields() = {1005, 1006};
    frame.DeptCodes().Add(std::make_unique<CDeptCode>(4, "Deli", setup.m_maxPluNo));
    auto definition = std::make_unique<CLabProp>();
    definition->m_name = "Unit Price";
    definition->m_fieldNo = 1005;
    frame.FieldDefs(FieldDefMap::Plu)[1] = std::move(definition);
    frame.LumenLink().m_port = "/dev/ttyS1";
    frame.KeyTypes().m_tables[CKeyTypeDef::Type8][3] = 42;
    frame.EMailSettings().m_to = "office@example.com";
    frame.VmKeySetup().m_colourNames[2] = "Red";
    frame.SetBackupDirectory("/srv/backup");
}

TEST_F(SetupFiles, GeneralSetupWrittenReadAndWrittenAgainByteForByte)
{
    FillGeneralSetup(frame);
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    EXPECT_EQ(Bytes("GENSETUP.DEF").substr(0, 4), std::string("\x03" "324", 4));
    // A load completes what the frame left open (limits, derived definitions); from then on a file
    // reads and writes back unchanged.
    CMainFrame once(dir.Path(), fs, clock);
    ASSERT_TRUE(once.LoadGeneralSetup(dir.File("GENSETUP.DEF")));
    ASSERT_TRUE(once.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    const std::string first = Bytes("GENSETUP.DEF");

    CMainFrame loaded(dir.Path(), fs, clock);
    ASSERT_TRUE(loaded.LoadGeneralSetup(dir.File("GENSETUP.DEF")));
    EXPECT_TRUE(loaded.IsGeneralSetupLoaded());
    EXPECT_EQ(loaded.GetGeneralSetup().m_maxPluNo, 123456u);
    EXPECT_EQ(loaded.PriceZones().GetName(3), "North");
    EXPECT_EQ(loaded.DeptCodes().GetCount(), 1u);
    EXPECT_EQ(loaded.LumenLink().m_port, "/dev/ttyS1");
    EXPECT_EQ(loaded.KeyTypes().m_tables[CKeyTypeDef::Type8][3], 42);
    EXPECT_EQ(loaded.EMailSettings().m_to, "office@example.com");
    EXPECT_EQ(loaded.GetBackupDirectory(), "/srv/backup");
    ASSERT_TRUE(loaded.SaveGeneralSetup(dir.File("again.set")));
    EXPECT_EQ(Bytes("again.set"), first);

    struct stat status {};
    ASSERT_EQ(stat(dir.File("GENSETUP.DEF").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);  // it holds the setup and e-mail passwords
}

TEST_F(SetupFiles, AGeneralSetupLoadFillsInWhatTheFileLacksAndMendsItsLimits)
{
    frame.GeneralSetup().m_maxCouponNo = 100000000;
    frame.GeneralSetup().m_descLengths = {};
    frame.GeneralSetup().m_label60mmWidth = 0;
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    CMainFrame loaded(dir.Path(), fs, clock);
    ASSERT_TRUE(loaded.LoadGeneralSetup(dir.File("GENSETUP.DEF")));
    const CGeneralSetup& setup = loaded.GetGeneralSetup();
    EXPECT_EQ(setup.m_maxCouponNo, 99u);
    EXPECT_EQ(setup.m_descLengths[3], 100);
    EXPECT_EQ(setup.m_label60mmWidth, 440);
    EXPECT_EQ(setup.ToRecord()[288], 1);  // the USA flag, exactly in market 0

    const CLabPropMap& extraPrice = loaded.GetFieldDefMap(FieldDefMap::RuxPrice);
    ASSERT_EQ(extraPrice.size(), 27u);
    const CLabProp& first = *extraPrice.at(1);
    EXPECT_EQ(first.m_name, "PosCode");
    EXPECT_EQ(first.m_fieldNo, 1218);
    EXPECT_EQ(first.m_max, 255);
    EXPECT_EQ(first.m_width, 10);
}

TEST_F(SetupFiles, ALoadEmptiesTheLumenTraceAndAFailedOneLeavesIt)
{
    frame.LumenLink().m_logFile = "Lumen.txt";
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    WriteWholeFile(dir.File("cut.set"), Bytes("GENSETUP.DEF").substr(0, 40));
    WriteWholeFile(dir.File("Lumen.txt"), "old trace");

    EXPECT_FALSE(frame.LoadGeneralSetup(dir.File("cut.set")));
    EXPECT_EQ(Bytes("Lumen.txt"), "old trace");
    ASSERT_TRUE(frame.LoadGeneralSetup(dir.File("GENSETUP.DEF")));
    EXPECT_TRUE(Bytes("Lumen.txt").empty());
}

// A hand-built general setup of the current layout at `version`.
void WriteCurrentLayout(CArchive& ar, const std::string& version, std::uint16_t market)
{
    const std::uint32_t number = static_cast<std::uint32_t>(std::stoul(version));
    ar << version;
    ar.WriteCount(0);  // field definitions 1000
    CGeneralSetup setup;
    setup.m_market = market;
    ar.Write(setup.ToRecord());
    ar.WriteCount(0);  // price zones
    ar.WriteCount(0);  // word list
    ar.WriteCount(0);  // text imports
    ar.WriteCount(0);  // text exports
    CQd47ComLink().Serialize(ar);
    ar.WriteCount(0);  // field definitions 1400
    ar.WriteCount(0);  // database imports
    CDeptCodeList().Serialize(ar);
    ar.WriteCount(0);  // field definitions 1600
    CLumenRs232Link().Serialize(ar);
    if (number > 305) {
        CKeyTypeDef().Serialize(ar);
        CDefLineFont().Serialize(ar);
    }
    if (number >= 323) CEMailSettings().Serialize(ar);
    if (number > 310) {
        ar.WriteCount(0);
        ar.WriteCount(0);
    }
    if (number == 324) CVmKeySetup().Serialize(ar);
    ar << "" << "/backup";
}

TEST_F(SetupFiles, EveryCurrentLayoutVersionLoadsAndOthersAreRefusedLeavingTheSetupAsItWas)
{
    for (const char* version : {"305", "310", "319", "320", "322", "323", "324"}) {
        WriteArchive("v.set", [&](CArchive& ar) { WriteCurrentLayout(ar, version, MarketSweden); });
        CMainFrame loaded(dir.Path(), fs, clock);
        EXPECT_TRUE(loaded.LoadGeneralSetup(dir.File("v.set"))) << version;
        EXPECT_EQ(loaded.GetGeneralSetup().m_market, MarketSweden) << version;
        EXPECT_EQ(loaded.GetSetupVersion(), std::stoul(version));
    }
    frame.GeneralSetup().m_market = MarketChina;
    for (const char* version : {"311", "321", "325", "", "abc"}) {
        WriteArchive("v.set", [&](CArchive& ar) { WriteCurrentLayout(ar, "324", MarketSweden); });
        std::string bytes = Bytes("v.set");
        bytes.replace(0, 4, std::string(1, static_cast<char>(std::string(version).size())) + version);
        WriteWholeFile(dir.File("v.set"), bytes);
        prompt.m_ids.clear();
        EXPECT_FALSE(frame.LoadGeneralSetup(dir.File("v.set"))) << version;
        EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61280}) << version;
        EXPECT_EQ(frame.GetGeneralSetup().m_market, MarketChina);
        EXPECT_FALSE(frame.IsGeneralSetupLoaded());
    }
}

TEST_F(SetupFiles, AFileCutShortChangesNothing)
{
    FillGeneralSetup(frame);
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    const std::string whole = Bytes("GENSETUP.DEF");
    CMainFrame other(dir.Path(), fs, clock);
    other.PriceZones().SetZone(9, "Kept");
    for (std::size_t length : {std::size_t{3}, std::size_t{40}, whole.size() / 2, whole.size() - 1}) {
        WriteWholeFile(dir.File("cut.set"), whole.substr(0, length));
        EXPECT_FALSE(other.LoadGeneralSetup(dir.File("cut.set"))) << length;
        EXPECT_EQ(other.PriceZones().GetName(9), "Kept");
        EXPECT_EQ(other.GetGeneralSetup().m_maxPluNo, 999999u);
    }
}

TEST_F(SetupFiles, AVersion200FileIsConvertedAndTheUserWarned)
{
    WriteArchive("old.set", [](CArchive& ar) {
        ar << "200";
        CLabPropMap defs;
        for (std::uint16_t field : {1005, 1044, 1049}) {
            auto definition = std::make_unique<CLabProp>();
            definition->m_fieldNo = field;
            defs[static_cast<std::uint16_t>(defs.size() + 1)] = std::move(definition);
        }
        SerializeMapWordToOb(ar, defs);
        std::vector<std::uint8_t> old(370);
        old[160] = MarketThailand;
        ar.Write(old);
    });
    ASSERT_TRUE(frame.LoadGeneralSetup(dir.File("old.set")));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61399});
    EXPECT_EQ(frame.GetGeneralSetup().m_market, MarketThailand);
    EXPECT_EQ(frame.GetGeneralSetup().m_nutritionInUse, 1);
    std::vector<std::uint16_t> moved;
    for (const auto& [key, definition] : frame.GetFieldDefMap(FieldDefMap::Production))
        moved.push_back(definition->m_fieldNo);
    EXPECT_EQ(moved, (std::vector<std::uint16_t>{1600, 1605, 1606, 1607, 1608, 1609}));
}

TEST_F(SetupFiles, SiteSetupRoundTripsAndVersion300CopiesKeyboardThree)
{
    frame.Keyboard(3).m_sysType = 12;
    frame.Keyboard(3).m_keys[7].m_keyText = "Apples";
    frame.Access().m_activePluRanges.AddRange(100, 200, "hidden");
    ASSERT_TRUE(frame.SaveSiteSetup(dir.File("SITESETUP.DEF")));
    const std::string first = Bytes("SITESETUP.DEF");
    EXPECT_EQ(first.substr(0, 4), std::string("\x7F\x01\x00\x00", 4));

    CMainFrame loaded(dir.Path(), fs, clock);
    ASSERT_TRUE(loaded.LoadSiteSetup(dir.File("SITESETUP.DEF")));
    EXPECT_EQ(loaded.Keyboard(3).m_keys[7].m_keyText, "Apples");
    EXPECT_FALSE(loaded.IsPluNumberAllowed(150));
    ASSERT_TRUE(loaded.SaveSiteSetup(dir.File("again.sit")));
    EXPECT_EQ(Bytes("again.sit"), first);

    // The same objects in a version-300 file: no user profiles and no keyboard 2.
    WriteArchive("old.sit", [&](CArchive& ar) {
        ar << std::uint32_t{300};
        frame.Links().Serialize(ar);
        frame.Operators().Serialize(ar);
        frame.Departments().Serialize(ar);
        frame.Access().m_users.Serialize(ar);
        frame.EventLog().Serialize(ar);
        frame.Keyboards().Serialize(ar);
        frame.Keyboard(1).Serialize(ar);
        frame.Keyboard(3).Serialize(ar);
        frame.Keyboard(4).Serialize(ar);
        frame.Access().m_activePluRanges.Serialize(ar);
    });
    CMainFrame old(dir.Path(), fs, clock);
    old.UserProfiles().Add(std::make_unique<CUserSetup>());
    ASSERT_TRUE(old.LoadSiteSetup(dir.File("old.sit")));
    EXPECT_EQ(old.Keyboard(2).m_sysType, 12);
    EXPECT_EQ(old.Keyboard(2).m_keys[7].m_keyText, "Apples");
    EXPECT_EQ(old.UserProfiles().GetCount(), 0u);
}

TEST_F(SetupFiles, FilesHoldingEntriesOfListsNotBuiltYetAreRefused)
{
    ASSERT_TRUE(frame.SaveSiteSetup(dir.File("SITESETUP.DEF")));
    std::string bytes = Bytes("SITESETUP.DEF");
    // The image map's count is the last word before the PLU ranges' count.
    ASSERT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
    bytes[bytes.size() - 4] = 1;
    WriteWholeFile(dir.File("images.sit"), bytes);
    EXPECT_FALSE(frame.LoadSiteSetup(dir.File("images.sit")));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61284});
    EXPECT_FALSE(frame.IsSiteSetupLoaded());
}

TEST_F(SetupFiles, ASaveAgainstAFileHeldElsewhereTriesTwiceAndLeavesItAsItWas)
{
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    const std::string before = Bytes("GENSETUP.DEF");
    auto held = RealFileSystem().Open(dir.File("GENSETUP.DEF"), FileAccess::ReadWrite, FileShare::DenyWrite);
    ASSERT_TRUE(held);
    frame.GeneralSetup().m_maxPluNo = 5;
    EXPECT_FALSE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    EXPECT_EQ(clock.m_waits, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(1500)});
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61265});
    EXPECT_EQ(Bytes("GENSETUP.DEF"), before);
}

// Another process holds the file open, as a second instance of the program would, until told to end.
class OtherProcessHolding {
public:
    explicit OtherProcessHolding(const std::string& path)
    {
        if (pipe(m_toChild) != 0 || pipe(m_fromChild) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            auto held = RealFileSystem().Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
            const char ready = held ? '1' : '0';
            char done = 0;
            if (write(m_fromChild[1], &ready, 1) == 1) (void)read(m_toChild[0], &done, 1);
            _exit(0);
        }
        char ready = 0;
        m_holding = read(m_fromChild[0], &ready, 1) == 1 && ready == '1';
    }
    ~OtherProcessHolding()
    {
        const char done = 'x';
        if (write(m_toChild[1], &done, 1) == 1) waitpid(m_pid, nullptr, 0);
        for (int fd : {m_toChild[0], m_toChild[1], m_fromChild[0], m_fromChild[1]}) close(fd);
    }
    OtherProcessHolding(const OtherProcessHolding&) = delete;
    OtherProcessHolding& operator=(const OtherProcessHolding&) = delete;
    bool Holding() const { return m_holding; }

private:
    int m_toChild[2]{-1, -1};
    int m_fromChild[2]{-1, -1};
    pid_t m_pid = -1;
    bool m_holding = false;
};

TEST_F(SetupFiles, AnotherProcessHoldingTheFileKeepsBothLoadAndSaveOff)
{
    ASSERT_TRUE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    const std::string before = Bytes("GENSETUP.DEF");
    const OtherProcessHolding other(dir.File("GENSETUP.DEF"));
    ASSERT_TRUE(other.Holding());

    frame.GeneralSetup().m_maxPluNo = 5;
    EXPECT_FALSE(frame.SaveGeneralSetup(dir.File("GENSETUP.DEF")));
    EXPECT_FALSE(frame.LoadGeneralSetup(dir.File("GENSETUP.DEF")));
    const auto retry = std::chrono::milliseconds(1500);
    EXPECT_EQ(clock.m_waits, (std::vector<std::chrono::milliseconds>{retry, retry}));
    ASSERT_EQ(prompt.m_ids, (std::vector<MessageId>{61265, 0}));
    EXPECT_EQ(prompt.m_texts[1].rfind("Error loading setup file [" + dir.File("GENSETUP.DEF") + "]", 0), 0u);
    EXPECT_EQ(Bytes("GENSETUP.DEF"), before);
    EXPECT_EQ(frame.GetGeneralSetup().m_maxPluNo, 5u);
}

TEST_F(SetupFiles, EveryFileCallOfASaveThatFailsLeavesTheOldFileWhole)
{
    struct Save {
        const char* file;
        bool (CMainFrame::*save)(const std::string&);
    };
    for (const Save save : {Save{"GENSETUP.DEF", &CMainFrame::SaveGeneralSetup},
                            Save{"SITESETUP.DEF", &CMainFrame::SaveSiteSetup},
                            Save{"day.sch", &CMainFrame::SaveSchedule}}) {
        const std::string path = dir.File(save.file);
        frame.GeneralSetup().m_maxPluNo = 1;
        ASSERT_TRUE((frame.*save.save)(path));
        frame.CloseScheduleFile();
        const std::string before = Bytes(save.file);
        frame.GeneralSetup().m_maxPluNo = 2;
        frame.Access().m_activePluRanges.AddRange(7, 8, "new");
        ASSERT_TRUE((frame.*save.save)(dir.File("new.tmp")));
        frame.CloseScheduleFile();
        const std::string after = Bytes("new.tmp");
        for (std::uint64_t n = 1;; ++n) {
            fs.FailAt(n, true);
            prompt.m_ids.clear();
            const bool saved = (frame.*save.save)(path);
            const bool fired = fs.Fired();
            fs.FailAt(0);
            frame.CloseScheduleFile();
            const std::string now = Bytes(save.file);
            EXPECT_TRUE(now == before || now == after) << save.file << " call " << n;
            if (!fired) {
                EXPECT_TRUE(saved);
                break;
            }
            // A save whose new file stood in place before a later step failed reports the failure too.
            if (saved) {
                EXPECT_EQ(now, after) << save.file << " call " << n;
            } else {
                EXPECT_EQ(prompt.m_ids.size(), 1u) << save.file << " call " << n;
            }
            WriteWholeFile(path, before);
        }
    }
}

TEST_F(SetupFiles, TheScheduleFileStaysLockedAndRefusesOtherVersions)
{
    const std::string path = dir.File("day.sch");
    ASSERT_TRUE(frame.SaveSchedule(path));
    EXPECT_EQ(Bytes("day.sch").substr(0, 4), std::string("\x03" "202", 4));
    EXPECT_TRUE(frame.IsScheduleFileOpen());

    CMainFrame other(dir.Path(), fs, clock);
    bool inUse = false;
    EXPECT_EQ(other.LoadSchedule(path, inUse, false), 61387u);
    EXPECT_TRUE(inUse);
    EXPECT_TRUE(prompt.m_ids.empty());

    frame.CloseScheduleFile();
    EXPECT_EQ(other.LoadSchedule(path, inUse, true), 0u);
    EXPECT_FALSE(inUse);
    EXPECT_EQ(other.GetScheduleVersion(), "202");

    // A schedule without send queues after it is complete; version "200" is not.
    other.CloseScheduleFile();
    WriteArchive("short.sch", [](CArchive& ar) {
        ar << "201";
        ar.WriteCount(0);
    });
    EXPECT_EQ(other.LoadSchedule(dir.File("short.sch"), inUse, true), 0u);
    WriteArchive("old.sch", [](CArchive& ar) {
        ar << "200";
        ar.WriteCount(0);
    });
    EXPECT_EQ(other.LoadSchedule(dir.File("old.sch"), inUse, true), 61365u);
    EXPECT_FALSE(other.IsScheduleFileOpen());
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61365});
}

TEST_F(SetupFiles, PluRangeProfilesOfAnotherVersionAreRefusedLeavingTheRangesAsTheyWere)
{
    frame.Access().m_activePluRanges.AddRange(10, 20, "");
    WriteArchive("user.prf", [](CArchive& ar) {
        ar << std::uint32_t{331};
        ar.WriteCount(0);
    });
    EXPECT_FALSE(frame.LoadPluRangeProfile(dir.File("user.prf")));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61280});
    EXPECT_EQ(frame.Access().m_activePluRanges.GetCount(), 1u);

    ASSERT_TRUE(frame.SavePluRangeProfile(dir.File("user.prf")));
    EXPECT_EQ(Bytes("user.prf").substr(0, 4), std::string("\x4A\x01\x00\x00", 4));
    EXPECT_FALSE(frame.LoadPluRangeProfile(dir.File("missing.prf")));
    EXPECT_EQ(prompt.m_ids.back(), 61283u);
}

TEST_F(SetupFiles, AnOldSetupFileIsRenamedAndUsedOnlyWhenTheUserSaysSo)
{
    EXPECT_FALSE(frame.CheckOldSetupFile());
    EXPECT_TRUE(prompt.m_ids.empty());
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        WriteWholeFile(dir.File("SETUP.DEF"), "old");
        prompt.m_ids.clear();
        prompt.QueueAnswer(answer);
        const auto used = frame.CheckOldSetupFile();
        EXPECT_EQ(used.has_value(), answer == MessageAnswer::Yes);
        EXPECT_EQ(prompt.m_ids,
                  (std::vector<MessageId>{31499, answer == MessageAnswer::Yes ? MessageId{31500} : MessageId{31501}}));
        EXPECT_EQ(Bytes("SETUP.DEF.OLD"), "old");
        EXPECT_FALSE(fs.Exists(dir.File("SETUP.DEF")));
    }
}

}  // namespace
}  // namespace varnel
