// The table's build lock: builders with scratch of their own hold it together, a hold alone keeps
// them out, and the holder alone may take it again and build within its hold.
#include "db/plu/BuildLock.h"
#include "db/plu/BuildScratch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace varnel {
namespace {

// A guard against a broken lock hanging the test; no test waits for it to pass.
constexpr std::chrono::seconds kGuard(30);

TEST(BuildLock, BuildersWithScratchOfTheirOwnHoldItTogether)
{
    RecordBuildMutex mutex;
    BuildScratch first;
    BuildScratch second;
    std::promise<void> firstHolds;
    std::promise<void> secondHolds;
    std::atomic<bool> firstLetGo{false};
    std::thread builder([&] {
        const BuildLock lock = mutex.LockShared(first);
        firstHolds.set_value();
        (void)secondHolds.get_future().wait_for(kGuard);
        firstLetGo = true;
    });
    firstHolds.get_future().wait();
    {
        const BuildLock lock = mutex.LockShared(second);
        EXPECT_FALSE(firstLetGo) << "a shared hold waited for another";
        EXPECT_TRUE(lock.Holds(mutex));
        EXPECT_EQ(lock.Scratch(), &second);
        secondHolds.set_value();
    }
    builder.join();
}

TEST(BuildLock, AHoldAloneKeepsBuildersOut)
{
    RecordBuildMutex mutex;
    BuildScratch scratch;
    std::atomic<bool> editDone{false};
    std::promise<void> builderStarts;
    std::future<bool> sawEditDone;
    {
        BuildLock edit = mutex.LockAlone();
        EXPECT_EQ(edit.Scratch(), nullptr);
        sawEditDone = std::async(std::launch::async, [&] {
            builderStarts.set_value();
            const BuildLock lock = mutex.LockShared(scratch);
            return editDone.load();
        });
        builderStarts.get_future().wait();
        editDone = true;
    }
    ASSERT_EQ(sawEditDone.wait_for(kGuard), std::future_status::ready);
    EXPECT_TRUE(sawEditDone.get());
}

TEST(BuildLock, TheHolderAloneTakesItAgainAndBuildsWithinIt)
{
    RecordBuildMutex mutex;
    BuildScratch scratch;
    {
        BuildLock edit = mutex.LockAlone();
        {
            const BuildLock part = mutex.LockAlone();
            const BuildLock build = mutex.LockShared(scratch);
            EXPECT_EQ(build.Scratch(), &scratch);
        }
        // The edit's own hold outlives the inner ones and moves with it; once let go, another thread takes it.
        BuildLock moved = std::move(edit);
        EXPECT_FALSE(edit.Holds(mutex));
        EXPECT_TRUE(moved.Holds(mutex));
        moved.Unlock();
    }
    std::future<bool> other = std::async(std::launch::async, [&] { return mutex.LockAlone().Holds(mutex); });
    ASSERT_EQ(other.wait_for(kGuard), std::future_status::ready);
    EXPECT_TRUE(other.get());
}

}  // namespace
}  // namespace varnel
