// The unsent-data file: its bytes, a restart, scales deleted meanwhile, a second process's jobs and
// its lock, damaged files.
#include "MemoryLink.h"
#include "comms/manager/IdEnqLinkList.h"
#include "platform/Archive.h"
#include "platform/LocalTime.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace varnel::test {
namespace {

std::string Bytes(std::initializer_list<int> bytes) { return std::string(bytes.begin(), bytes.end()); }

class UnsentData : public ::testing::Test {
protected:
    // Links 1 (scales 11, 12) and 2 (scale 21).
    static void AddLinks(CIdEnqLinkList& list)
    {
        for (const auto& [linkId, scaleIds] : {std::pair<std::uint16_t, std::vector<std::uint16_t>>{1, {11, 12}}, {2, {21}}}) {
            auto link = std::make_unique<MemoryLink>();
            link->m_linkId = linkId;
            link->m_enabled = true;
            for (const std::uint16_t id : scaleIds) {
                auto scale = std::make_unique<CLinkScale>();
                scale->m_scaleNo = id;
                link->m_scales.push_back(std::move(scale));
            }
            list.Add(std::move(link));
        }
    }
    void SetUp() override { AddLinks(list); }

    // A job on one scale, queued at the clock's time.
    static void Queue(CIdEnqLinkList& on, std::uint16_t linkId, std::uint16_t scaleId, std::uint32_t first,
                      const IClock& at)
    {
        auto job = std::make_unique<CSendDataLog>(SendRecords, 2, first, first);
        job->m_queued = {ToLocalOleDate(at.WallNow()), DateTimeStatus::Valid};
        on.FindScaleByDef(CScaleDef(linkId, scaleId))->m_sendQueue.push_back(std::move(job));
    }
    void Queue(CIdEnqLinkList& on, std::uint16_t linkId, std::uint16_t scaleId, std::uint32_t first)
    {
        Queue(on, linkId, scaleId, first, clock);
    }
    static std::vector<std::uint32_t> Firsts(const CIdEnqLinkList& on, std::uint16_t scaleId)
    {
        std::vector<std::uint32_t> firsts;
        for (const auto& job : on.FindScale(scaleId)->m_sendQueue)
            if (job) firsts.push_back(job->m_rangeStart);
        return firsts;
    }

    TestMainFrame frame;
    TempDir dir;
    const std::string path = CIdEnqLinkList::GetUnsentDataPath(dir.File("b.pld"));
    FakeClock clock{DateTimeParts{2024, 5, 6, 7, 8, 9}};
    CIdEnqLinkList list{clock, RealFileSystem()};
};

TEST_F(UnsentData, TheFileHoldsEveryScalesGroupBetweenTheVersionAndTheEndMark)
{
    EXPECT_EQ(path, dir.File("b.pld.usd"));
    ASSERT_TRUE(list.SaveUnsentData(path));
    EXPECT_EQ(ReadWholeFile(path), Bytes({0xE9, 0x03, 1, 0, 11, 0, 0, 0, 1, 0, 12, 0, 0, 0, 2, 0, 21, 0, 0, 0,
                                          0xFF, 0xFF, 0xFF, 0xFF}));
    Queue(list, 1, 12, 7);
    ASSERT_TRUE(list.SaveUnsentData(path));
    const std::string file = ReadWholeFile(path);
    // Group of scale 12: count 1, the class tag naming CSendDataLog with schema 1, the job's fields.
    EXPECT_EQ(file.substr(8, 6), Bytes({1, 0, 12, 0, 1, 0}));
    EXPECT_EQ(file.substr(14, 4), Bytes({0xFF, 0xFF, 1, 0}));
    EXPECT_EQ(file.substr(18, 2), Bytes({12, 0}));
    EXPECT_EQ(file.substr(20, 12), "CSendDataLog");
    EXPECT_EQ(file.substr(file.size() - 4), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(UnsentData, QueuesSurviveARestartAndAGroupOfADeletedScaleIsDroppedFromTheFile)
{
    Queue(list, 1, 11, 1);
    Queue(list, 1, 12, 2);
    Queue(list, 2, 21, 3);
    ASSERT_TRUE(list.SaveUnsentData(path));

    CIdEnqLinkList restarted(clock, RealFileSystem());
    AddLinks(restarted);
    restarted.FindLink(1)->m_scales.pop_back();  // scale 12 was deleted meanwhile
    ASSERT_TRUE(restarted.LoadUnsentData(path));
    EXPECT_EQ(Firsts(restarted, 11), std::vector<std::uint32_t>{1});
    EXPECT_EQ(Firsts(restarted, 21), std::vector<std::uint32_t>{3});
    // Rewritten without the group of scale 12: a list that has the scale again finds nothing for it.
    CIdEnqLinkList again(clock, RealFileSystem());
    AddLinks(again);
    ASSERT_TRUE(again.LoadUnsentData(path));
    EXPECT_TRUE(Firsts(again, 12).empty());
    EXPECT_EQ(Firsts(again, 21), std::vector<std::uint32_t>{3});
}

TEST_F(UnsentData, DamagedFilesLoadWhatCameBeforeTheDamageAndNeverMore)
{
    Queue(list, 1, 11, 1);
    Queue(list, 2, 21, 3);
    ASSERT_TRUE(list.SaveUnsentData(path));
    const std::string good = ReadWholeFile(path);
    struct Case {
        const char* name;
        std::string bytes;
        bool loaded;
        std::vector<std::uint32_t> scale11;
    };
    const Case cases[] = {
        {"bytes after the end mark are ignored", good + "leftover of a longer file", true, {1}},
        {"another version loads nothing", Bytes({0xEA, 0x03}) + good.substr(2), false, {}},
        {"cut in the last group", good.substr(0, good.size() - 12), false, {1}},
        {"empty", "", false, {}},
    };
    for (const Case& c : cases) {
        WriteWholeFile(path, c.bytes);
        CIdEnqLinkList reader(clock, RealFileSystem());
        AddLinks(reader);
        EXPECT_EQ(reader.LoadUnsentData(path), c.loaded) << c.name;
        EXPECT_EQ(Firsts(reader, 11), c.scale11) << c.name;
        EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.name << ": the file is not rewritten";
    }
}

// Runs `child` in a second process and gives its exit status.
int RunInChild(const std::function<int()>& child)
{
    const pid_t pid = fork();
    if (pid == 0) _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(UnsentData, ASaveKeepsTheJobsAnotherProcessAddedInTimeOrderWithoutDuplicatingOlderOnes)
{
    Queue(list, 1, 11, 1);
    ASSERT_TRUE(list.SaveUnsentData(path));
    ASSERT_TRUE(list.LoadUnsentData(path));  // this process's cut-off: now
    clock.Advance(std::chrono::seconds(10));
    Queue(list, 1, 11, 3);                   // queued here at +10 s

    // The other process (the scheduler) loads the file too and queues a job at +5 s.
    const int status = RunInChild([&] {
        FakeClock childClock{DateTimeParts{2024, 5, 6, 7, 8, 9}};
        CIdEnqLinkList other(childClock, RealFileSystem());
        AddLinks(other);
        if (!other.LoadUnsentData(path)) return 1;
        childClock.Advance(std::chrono::seconds(5));
        Queue(other, 1, 11, 2, childClock);
        return other.SaveUnsentData(path) ? 0 : 2;
    });
    ASSERT_EQ(status, 0);

    ASSERT_TRUE(list.SaveUnsentData(path));
    EXPECT_EQ(Firsts(list, 11), (std::vector<std::uint32_t>{1, 2, 3}));
    CIdEnqLinkList reader(clock, RealFileSystem());
    AddLinks(reader);
    ASSERT_TRUE(reader.LoadUnsentData(path));
    EXPECT_EQ(Firsts(reader, 11), (std::vector<std::uint32_t>{1, 2, 3}));
}

// A second process with its own list of the same links, doing one step at a time as the test says:
// 'q' queue its next job on scale 11, 's' save, 'l' load, 'b' set its clock back an hour. Every step
// takes a second of its own clock.
class OtherProcess {
public:
    OtherProcess(const std::string& path, std::uint32_t firstJob, void (*addLinks)(CIdEnqLinkList&))
    {
        if (pipe(m_toChild) != 0 || pipe(m_fromChild) != 0) return;
        m_pid = fork();
        if (m_pid != 0) return;
        FakeClock clock{DateTimeParts{2024, 5, 6, 7, 8, 9}};
        CIdEnqLinkList list(clock, RealFileSystem());
        addLinks(list);
        std::uint32_t nextJob = firstJob;
        char step = 0;
        while (read(m_toChild[0], &step, 1) == 1 && step != 'x') {
            clock.Advance(std::chrono::seconds(1));
            bool done = true;
            if (step == 'q') {
                auto job = std::make_unique<CSendDataLog>(SendRecords, 2, nextJob, nextJob);
                ++nextJob;
                job->m_queued = {ToLocalOleDate(clock.WallNow()), DateTimeStatus::Valid};
                list.FindScaleByDef(CScaleDef(1, 11))->m_sendQueue.push_back(std::move(job));
            } else if (step == 's') {
                done = list.SaveUnsentData(path);
            } else if (step == 'l') {
                done = list.LoadUnsentData(path);
            } else if (step == 'b') {
                clock.SetWallBy(-std::chrono::hours(1));
            }
            const char answer = done ? '1' : '0';
            if (write(m_fromChild[1], &answer, 1) != 1) break;
        }
        _exit(0);
    }
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;
    ~OtherProcess()
    {
        if (m_pid > 0) {
            Do('x');
            waitpid(m_pid, nullptr, 0);
        }
        for (const int fd : {m_toChild[0], m_toChild[1], m_fromChild[0], m_fromChild[1]}) close(fd);
    }

    // False when the step failed (or the process is gone).
    bool Do(char step)
    {
        if (write(m_toChild[1], &step, 1) != 1 || step == 'x') return step == 'x';
        char answer = 0;
        return read(m_fromChild[0], &answer, 1) == 1 && answer == '1';
    }

private:
    int m_toChild[2] = {-1, -1};
    int m_fromChild[2] = {-1, -1};
    pid_t m_pid = -1;
};

TEST_F(UnsentData, TwoProcessesQueuingAndSavingInTurnNeitherLoseNorDuplicateAJobWhateverTheClocksSay)
{
    OtherProcess other(path, 2000, &UnsentData::AddLinks);
    std::uint32_t nextJob = 1000;
    std::uint32_t nextOtherJob = 2000;
    std::vector<std::uint32_t> queued;
    const auto step = [&](char who, char what) {
        if (who == 'B') {
            if (what == 'q') queued.push_back(nextOtherJob++);
            return other.Do(what);
        }
        clock.Advance(std::chrono::seconds(1));
        switch (what) {
        case 'q':
            queued.push_back(nextJob);
            Queue(list, 1, 11, nextJob++);
            return true;
        case 's': return list.SaveUnsentData(path);
        case 'l': return list.LoadUnsentData(path);
        default: clock.SetWallBy(-std::chrono::hours(1)); return true;
        }
    };
    // A job queued here before the other process loads, saved here before the other saves; saves
    // repeated without a load; loads between them; clocks set back in the middle.
    const std::string round = "Aq Bl As Bq Bs Aq Bq As Bs As Al Bq Bs Bs";
    for (int i = 0; i < 12; ++i) {
        if (i == 4) step('A', 'b');
        if (i == 8) step('B', 'b');
        for (std::size_t at = 0; at + 1 < round.size(); at += 3) {
            if (round[at + 1] == 'l' && i == 0) continue;  // nothing saved yet to load
            ASSERT_TRUE(step(round[at], round[at + 1])) << "round " << i << " step " << round.substr(at, 2);
        }
    }
    ASSERT_TRUE(step('A', 's'));
    ASSERT_TRUE(step('B', 's'));
    ASSERT_TRUE(step('A', 's'));

    CIdEnqLinkList reader(clock, RealFileSystem());
    AddLinks(reader);
    ASSERT_TRUE(reader.LoadUnsentData(path));
    std::vector<std::uint32_t> inFile = Firsts(reader, 11);
    std::ranges::sort(inFile);
    std::ranges::sort(queued);
    EXPECT_EQ(inFile, queued);
}

TEST_F(UnsentData, AJobNewerThanTheLoadStaysOneJobWhenTheClockWasSetBack)
{
    Queue(list, 1, 11, 1);
    ASSERT_TRUE(list.SaveUnsentData(path));
    clock.SetWallBy(-std::chrono::hours(1));  // the repeated hour at the end of daylight-saving time
    for (int cycle = 0; cycle < 5; ++cycle) {
        ASSERT_TRUE(list.LoadUnsentData(path));
        ASSERT_TRUE(list.SaveUnsentData(path));
        EXPECT_EQ(Firsts(list, 11), std::vector<std::uint32_t>{1}) << "cycle " << cycle;
    }
}

TEST_F(UnsentData, WhileAnotherProcessHoldsTheFileASaveGivesUpAfterFiveTriesAndChangesNothing)
{
    ASSERT_TRUE(list.SaveUnsentData(path));
    const std::string before = ReadWholeFile(path);
    int toChild[2];
    int fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        // The other process takes the file's lock, says so, and holds it until told to let go.
        auto lock = RealFileSystem().Open(path + ".lock", FileAccess::OpenAlways, FileShare::DenyWrite);
        const char ready = lock ? 'y' : 'n';
        (void)!write(fromChild[1], &ready, 1);
        char go = 0;
        (void)!read(toChild[0], &go, 1);
        _exit(0);
    }
    char ready = 0;
    ASSERT_EQ(read(fromChild[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');

    Queue(list, 2, 21, 9);
    clock.MoveWhileWaitedOn(std::chrono::seconds(1));  // the five half-second waits pass on the test clock
    const auto start = clock.MonotonicNow();
    const bool saved = list.SaveUnsentData(path);
    const auto waited = clock.MonotonicNow() - start;
    clock.MoveWhileWaitedOn(std::chrono::seconds(0));
    EXPECT_FALSE(saved);
    EXPECT_GE(waited, std::chrono::milliseconds(2500));
    EXPECT_EQ(ReadWholeFile(path), before);

    const char go = 'g';
    (void)!write(toChild[1], &go, 1);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(list.SaveUnsentData(path));
    EXPECT_NE(ReadWholeFile(path), before);
}

TEST_F(UnsentData, TheScheduleSectionReplacesTheQueuesOfTheScalesItNames)
{
    Queue(list, 1, 12, 4);
    const auto bytes = SaveArchive([&](CArchive& ar) { list.SerializeSendQueues(ar); });
    ASSERT_TRUE(bytes);
    EXPECT_EQ((*bytes)[0], 1);
    EXPECT_EQ(bytes->back(), 0);
    CIdEnqLinkList loaded(clock, RealFileSystem());
    AddLinks(loaded);
    Queue(loaded, 1, 12, 99);
    loaded.FindLink(2)->m_scales.clear();  // scale 21 is gone: its group is read and dropped
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { loaded.SerializeSendQueues(ar); }));
    EXPECT_EQ(Firsts(loaded, 12), std::vector<std::uint32_t>{4});
}

}  // namespace
}  // namespace varnel::test
