// The blocking socket's time-outs and error texts, the ICMP echo request, and a real ping.
#include "platform/BlockingSocket.h"
#include "platform/Pinger.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace varnel::test {
namespace {

const Ipv4Address kLoopback{{127, 0, 0, 1}, 0};

TEST(BlockingSocket, ErrorTextsNameTheOperationAndTheNumberWhenThereIsOne)
{
    EXPECT_EQ(CBlockingSocketException("Connect", 111).message, "Connect error #111");
    EXPECT_EQ(CBlockingSocketException("Connect - Timeout", 0).message, "Connect - Timeout error");
    EXPECT_EQ(CBlockingSocketException("Send", 32).osError, 32);
}

TEST(BlockingSocket, DottedAddressesParseOnlyFourPartsOfZeroTo255)
{
    EXPECT_EQ(ParseDottedAddress("192.168.0.17", 3001), (Ipv4Address{{192, 168, 0, 17}, 3001}));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "a.b.c.d", "1.2.3.4 "})
        EXPECT_FALSE(ParseDottedAddress(bad, 0)) << bad;
}

// A listener whose backlog is full takes no more connections: a connect to it stays pending.
class PendingConnect : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(listener.Create(CBlockingSocket::Type::Stream));
        ASSERT_TRUE(listener.Bind(kLoopback));
        ASSERT_TRUE(listener.Listen(0));
        target = *listener.LocalAddress();
        // Fill the backlog with connections nobody accepts.
        for (auto& filler : fillers) {
            ASSERT_TRUE(filler.Create(CBlockingSocket::Type::Stream));
            (void)filler.ConnectTimed(target, std::chrono::seconds(0), nullptr);
        }
        ASSERT_TRUE(socket.Create(CBlockingSocket::Type::Stream));
    }

    CBlockingSocket listener;
    std::array<CBlockingSocket, 3> fillers;
    Ipv4Address target;
    FakeClock clock;
    CBlockingSocket socket{clock};
};

TEST_F(PendingConnect, EndsWithTheTimeOutOnceTheClockHasMovedOnByTheLimit)
{
    std::atomic<bool> done = false;
    std::thread mover([&] {
        while (!done) {
            clock.Advance(std::chrono::seconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    const auto start = clock.MonotonicNow();
    const Result<void> connected = socket.ConnectTimed(target, std::chrono::seconds(5), nullptr);
    const auto waited = clock.MonotonicNow() - start;
    done = true;
    mover.join();
    ASSERT_FALSE(connected);
    EXPECT_EQ(connected.GetError().message, "Connect - Timeout error");
    EXPECT_EQ(connected.GetError().code, Errc::Timeout);
    EXPECT_GE(waited, std::chrono::seconds(5));
}

TEST_F(PendingConnect, EndsAtOnceWhenCancelled)
{
    Event cancel(Event::ResetMode::Auto);
    cancel.Set();
    const Result<void> connected = socket.ConnectTimed(target, std::chrono::seconds(5), &cancel);
    ASSERT_FALSE(connected);
    EXPECT_EQ(connected.GetError().message, "Connect - Cancel error");
}

TEST(BlockingSocket, AReceiveTimeOutIsToldApartFromARealError)
{
    FakeClock clock;
    CBlockingSocket listener;
    ASSERT_TRUE(listener.Create(CBlockingSocket::Type::Stream));
    ASSERT_TRUE(listener.Bind(kLoopback));
    ASSERT_TRUE(listener.Listen(1));
    CBlockingSocket socket(clock);
    ASSERT_TRUE(socket.Create(CBlockingSocket::Type::Stream));
    ASSERT_TRUE(socket.ConnectTimed(*listener.LocalAddress(), std::chrono::seconds(5), nullptr));
    std::array<std::uint8_t, 4> buffer{};
    // A limit of 0 polls once.
    const Result<std::size_t> got = socket.Receive(buffer, std::chrono::seconds(0));
    ASSERT_FALSE(got);
    EXPECT_EQ(got.GetError().code, Errc::Timeout);
    EXPECT_EQ(got.GetError().message, "Receive timeout (select) error");
}

TEST(Ping, TheEchoRequestCarriesItsNumbersLittleEndianThePatternAndAValidChecksum)
{
    const EchoRequest request = BuildEchoRequest(0x0102, 0x0304, 0x0A0B0C0D);
    EXPECT_EQ(request[0], 8);
    EXPECT_EQ(request[1], 0);
    EXPECT_EQ((std::array{request[4], request[5], request[6], request[7]}), (std::array<std::uint8_t, 4>{2, 1, 4, 3}));
    EXPECT_EQ(request[8], 0);
    EXPECT_EQ((std::array{request[9], request[10], request[11], request[12]}),
              (std::array<std::uint8_t, 4>{0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(request[13], 0x20);
    EXPECT_EQ(request[44], 0x3F);
    // Summing a packet that carries its checksum gives 0 (the complement of all ones).
    EXPECT_EQ(InternetChecksum(request), 0);
}

TEST(Ping, ConsecutivePingsCarryTheNextIdentifierAndSequence)
{
    const auto [firstId, firstSequence] = IcmpPinger::NextEchoNumbers();
    const auto [secondId, secondSequence] = IcmpPinger::NextEchoNumbers();
    EXPECT_EQ(secondId, static_cast<std::uint16_t>(firstId + 1));
    EXPECT_EQ(secondSequence, static_cast<std::uint16_t>(firstSequence + 1));
}

TEST(Ping, TheLoopbackAddressAnswers)
{
    const Result<bool> answered = IcmpPinger().PingHost("127.0.0.1");
    if (!answered) GTEST_SKIP() << "this machine allows no ICMP socket: " << answered.GetError().message;
    EXPECT_TRUE(*answered);
}

}  // namespace
}  // namespace varnel::test
