// The PLU list read while a link's worker thread stores PLUs into the same table, as a file link's
// receive does behind a modal "Scale Comms" dialog while the windows beneath repaint. Every read of
// the list holds the table's build lock, which the decoders hold while they store; the test command
// runs this under ThreadSanitizer too.
#include "PluListFixture.h"

#include <array>
#include <atomic>
#include <thread>

namespace varnel::test {
namespace {

class PluListThreadTest : public PluListFixture {};

TEST_P(PluListThreadTest, TheListIsBuiltAndDrawnWhileAWorkerStoresPlus)
{
    constexpr std::uint32_t kKept = 100;
    constexpr std::uint32_t kReceived = 400;
    // The received PLUs as item records, taken out of the table again before the worker stores them.
    std::vector<std::vector<std::uint8_t>> records;
    for (std::uint32_t n = 1; n <= kKept + kReceived; ++n) {
        const std::string name = "Item " + std::to_string(n);
        Add({n, name.c_str(), std::to_string(5000 - n).c_str()});
        if (n <= kKept) continue;
        std::array<std::uint8_t, 512> buffer{};
        const std::size_t length = Plus().EncodeItemRecord(Plu(n), buffer);
        ASSERT_GT(length, 0u);
        records.emplace_back(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
    }
    for (std::uint32_t n = kKept + 1; n <= kKept + kReceived; ++n) ASSERT_TRUE(Plus().DeleteKey(n));

    auto panel = MakePanel();
    std::atomic<bool> done = false;
    std::atomic<int> stored = 0;
    std::thread worker([&] {
        for (const auto& record : records) stored += Plus().DecodeItemRecord(record) ? 1 : 0;
        done = true;
    });
    const char* const typed[] = {"5", "250", "12"};
    for (std::size_t round = 0; round < 20 || !done; ++round) {
        panel->Refresh();
        panel->OnSinkKeyDown(kVkPageDown, 1, 0);
        panel->OnPluNoChange(typed[round % 3]);
        if (round % 2 == 0) panel->OnPosCodeChange("4700");
        if (round % 5 == 0) panel->OnSortChange(round % 10 == 0 ? 1 : 0);
        for (const PluListRow& row : panel->GetRowsInView()) EXPECT_FALSE(row.pluNumber.empty());
        (void)panel->GetSelectedPluNumber();
    }
    worker.join();
    EXPECT_EQ(stored, static_cast<int>(kReceived));
    panel->OnSortChange(0);
    EXPECT_EQ(panel->GetRowCount(), static_cast<std::size_t>(kKept + kReceived));
}

INSTANTIATE_TEST_SUITE_P(Databases, PluListThreadTest, ::testing::Values("pld"));

}  // namespace
}  // namespace varnel::test
