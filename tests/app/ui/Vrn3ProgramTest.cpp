// The real program, started offscreen in a site directory of its own with a profile of its own, ended
// as the session ends it, and judged by what it left in the site and the profile.
#include "support/TempDir.h"
#include "support/ui/GuiTest.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <filesystem>
#include <memory>

namespace varnel {
namespace {

// Whether the process has its own handler for SIGTERM yet (bit 15 of its caught-signals mask): the
// program is then far enough to end cleanly when asked.
bool CatchesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> 14 & 1) != 0;
    }
    return false;
}

class Vrn3ProgramTest : public test::GuiTest {
protected:
    Vrn3ProgramTest() { std::filesystem::create_directories(m_dir.File("config")); }

    // Starts vrn3 in the site directory with the test's profile.
    std::unique_ptr<QProcess> Start(const QStringList& arguments)
    {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(m_dir.File("config")));
        environment.remove("VARNEL_PASSWORD");
        program->setProcessEnvironment(environment);
        program->setWorkingDirectory(QString::fromStdString(m_dir.Path()));
        program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program->start(VARNEL_PROGRAM, arguments);
        EXPECT_TRUE(program->waitForStarted(10000));
        return program;
    }
    // Waits until the program takes the session's request to end and `awaitedFile` is in place (the
    // database of a normal start).
    void AwaitStarted(const QProcess& program, const char* awaitedFile) const
    {
        const auto ready = [&] {
            return CatchesTermination(program.processId()) &&
                   (awaitedFile == nullptr || std::filesystem::exists(m_dir.File(awaitedFile)));
        };
        for (int wait = 0; wait < 1200 && !ready(); ++wait) QTest::qWait(50);
    }
    // Asks the program to end, as the session does, and gives its exit code.
    static int Stop(QProcess& program)
    {
        program.terminate();
        EXPECT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        return program.exitCode();
    }
    int RunUntilStarted(const QStringList& arguments, const char* awaitedFile = nullptr)
    {
        const auto program = Start(arguments);
        AwaitStarted(*program, awaitedFile);
        return Stop(*program);
    }
    std::string Profile() const { return test::ReadWholeFile(m_dir.File("config/Norvik/Varnel.ini")); }
    bool OwnerOnly(const char* file) const
    {
        const auto permissions = std::filesystem::status(m_dir.File(file)).permissions();
        return (permissions & (std::filesystem::perms::group_all | std::filesystem::perms::others_all)) ==
               std::filesystem::perms::none;
    }

    test::TempDir m_dir;
};

TEST_F(Vrn3ProgramTest, AFreshSiteStartsAndItsPlacementSetupsAndDatabaseAreKept)
{
    const QString database = QString::fromStdString(m_dir.File("Varnel.pld"));
    ASSERT_EQ(RunUntilStarted({database}, "Varnel.pld"), 0);
    EXPECT_TRUE(OwnerOnly("GENSETUP.DEF"));
    EXPECT_TRUE(OwnerOnly("SITESETUP.DEF"));
    // The PLU list window showed the new database; its size is kept.
    const std::string first = Profile();
    const std::string searchRect = "SearchRect=";
    const std::size_t rect = first.find(searchRect);
    ASSERT_NE(rect, std::string::npos) << first;
    EXPECT_EQ(first.substr(0, rect), "[Window size]\nRect=0010 0010 0500 0400\nicon=0\nmax=1\n");
    EXPECT_NE(first.substr(rect + searchRect.size(), 9), "0000 0000") << first;
    EXPECT_EQ(first.substr(rect + searchRect.size() + 9),
              "\ntool=1\nstatus=1\n\n[General]\nDbFile=" + database.toStdString() + "\n\n[Recent File List]\nFile1=" +
                  database.toStdString() + "\n");

    // The next start restores the placement and the database; a moved window is kept as it was left.
    test::WriteWholeFile(m_dir.File("config/Norvik/Varnel.ini"),
                         "[Window size]\nRect=0100 0050 0700 0550\nicon=0\nmax=0\ntool=0\nstatus=1\n\n"
                         "[General]\nDbFile=" + database.toStdString() + "\n");
    const std::string generalSetup = test::ReadWholeFile(m_dir.File("GENSETUP.DEF"));
    ASSERT_EQ(RunUntilStarted({}, "Varnel.pld"), 0);
    const std::string profile = Profile();
    EXPECT_NE(profile.find("Rect=0100 0050 0700 0550\nicon=0\nmax=0\n"), std::string::npos) << profile;
    EXPECT_NE(profile.find("tool=0\n"), std::string::npos) << profile;
    EXPECT_NE(profile.find("DbFile=" + database.toStdString()), std::string::npos) << profile;
    EXPECT_EQ(test::ReadWholeFile(m_dir.File("GENSETUP.DEF")), generalSetup);
}

TEST_F(Vrn3ProgramTest, ASchedulerRunKeepsOnlyItsScheduleFile)
{
    ASSERT_EQ(RunUntilStarted({"/S", "/R"}), 0);
    EXPECT_EQ(Profile(), "[Scheduler]\nSchedFile=\n");
}

TEST_F(Vrn3ProgramTest, ADamagedSetupFileEndsTheStartAndIsLeftAsItWas)
{
    test::WriteWholeFile(m_dir.File("GENSETUP.DEF"), "not a setup file");
    test::WriteWholeFile(m_dir.File("SITESETUP.DEF"), "");
    // Its message is up until the session ends the program.
    EXPECT_EQ(RunUntilStarted({}), 1);
    EXPECT_EQ(test::ReadWholeFile(m_dir.File("GENSETUP.DEF")), "not a setup file");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("config/Norvik/Varnel.ini")));
}

TEST_F(Vrn3ProgramTest, TwoCopiesOnOneSiteLeaveSetupFilesTheNextStartReads)
{
    const QString database = QString::fromStdString(m_dir.File("Varnel.pld"));
    ASSERT_EQ(RunUntilStarted({database}, "Varnel.pld"), 0);
    const auto first = Start({});
    const auto second = Start({});
    AwaitStarted(*first, nullptr);
    AwaitStarted(*second, nullptr);
    // One of them finds the database in use by the other (its start may end there); both end when asked.
    Stop(*second);
    Stop(*first);
    // What they saved, in turn, is whole: the next start reads it.
    EXPECT_EQ(RunUntilStarted({}, "Varnel.pld"), 0);
    EXPECT_NE(Profile().find("DbFile=" + database.toStdString()), std::string::npos);
}

}  // namespace
}  // namespace varnel
