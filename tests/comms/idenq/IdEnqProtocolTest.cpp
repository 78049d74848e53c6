// The ID-ENQ exchanges against the scale simulator: enquiries, frames, NAKs, time-outs, the scale's
// replies and the faults of the line.
#include "MemoryLink.h"
#include "ScaleSimulator.h"
#include "comms/idenq/IdEnqFrame.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel::test {
namespace {

using namespace idenq;

Bytes Filled(std::size_t size, std::uint8_t first = 'a')
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + i % 26);
    return bytes;
}

// The frames the link sent after its enquiry: sequence digits, data and terminator of each.
struct WireFrame {
    std::string digits;
    Bytes data;
    std::uint8_t terminator;
};
std::vector<WireFrame> FramesOnWire(const Bytes& wire)
{
    std::vector<WireFrame> frames;
    for (std::size_t i = 0; i < wire.size(); ++i) {
        if (wire[i] != kStx) continue;
        const SequenceDigits digits{wire[i + 1], wire[i + 2]};
        for (std::size_t end = i + 4; end < wire.size(); ++end) {
            const auto body = std::span(wire).subspan(i + 3, end - i - 2);
            if (IsCheckedFrameEnd(digits, body, false)) {
                frames.push_back({std::string{char(digits[0]), char(digits[1])}, Bytes(body.begin(), body.end() - 2),
                                  body[body.size() - 2]});
                i = end;
                break;
            }
        }
    }
    return frames;
}

class IdEnqProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.m_setup.m_market = MarketUsa;
        scale.m_scaleNo = 3;
        scale.m_machineNo = 7;
        scale.m_scaleType = 0;
        link.m_linkId = 1;
        link.SetCurrentScale(&scale);
        link.SetDocument(nullptr, LinkRoles::Of(frame));
        sim.Start();
        ASSERT_TRUE(link.Open());
    }

    // Asks the simulator for PLUs (kind 0: "50000000" on a family-0 scale in the USA) and lets it
    // answer with `packets`; the link's Transact result.
    bool ReceivePackets(std::vector<Bytes> packets)
    {
        sim.SetReply(ToBytes("50000000"), std::move(packets));
        link.AddJobScale(&scale);
        link.SetReceiveKind(0);
        return link.Transact();
    }
    std::vector<Bytes> Received() const
    {
        std::vector<Bytes> packets;
        for (const auto& packet : link.GetReceivedPackets()) packets.push_back(packet.bytes);
        return packets;
    }
    std::chrono::seconds Elapsed() const
    {
        return std::chrono::duration_cast<std::chrono::seconds>(clock.MonotonicNow().time_since_epoch());
    }
    // Everything the link sent, once the simulator has read the last of it (the link's line is closed).
    Bytes SettledWire()
    {
        line.Disconnect();
        line.WaitScaleIdle();
        return sim.Wire();
    }
    std::size_t Count(std::uint8_t byte)
    {
        const Bytes wire = SettledWire();
        return static_cast<std::size_t>(std::count(wire.begin(), wire.end(), byte));
    }

    TestMainFrame frame;
    FakeClock clock;
    InMemoryLine line{clock};
    ScaleSimulator sim{line, {7}};
    CLinkScale scale;
    MemoryLink link{line};
};

TEST_F(IdEnqProtocol, EnquiryClaimsTheScaleByItsMachineId)
{
    EXPECT_EQ(link.SendEnquiry(), 0u);
    EXPECT_EQ(sim.Wire(), (Bytes{0x04, 0x4B, 0x54, 0x30, 0x37, 0x05}));
}

TEST_F(IdEnqProtocol, FourUnansweredEnquiriesGiveTheLineBackAndTimeOut)
{
    sim.SetFaults([](ScaleFaults& f) { f.offline = true; });
    EXPECT_EQ(link.BeginTransmission(), CIdEnqLink::kMsgTimeout);
    Bytes expected;
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), {0x04, 'K', 'T', '0', '7', 0x05});
    expected.push_back(kEot);
    EXPECT_EQ(SettledWire(), expected);
    EXPECT_EQ(Elapsed(), std::chrono::seconds(4 * 5));
}

TEST_F(IdEnqProtocol, AnEnquiryAnsweredAfterSilenceOrLateStillClaimsTheLine)
{
    sim.SetFaults([](ScaleFaults& f) { f.silentEnquiries = 3; });
    EXPECT_EQ(link.BeginTransmission(), 0u);
    EXPECT_EQ(sim.EnquiriesSeen(), 4u);

    sim.SetFaults([](ScaleFaults& f) { f.lateAnswerSeconds = 4; });
    const auto before = Elapsed();
    EXPECT_EQ(link.SendEnquiry(), 0u);
    EXPECT_EQ(Elapsed() - before, std::chrono::seconds(4));
}

TEST_F(IdEnqProtocol, AnEnquiryAnsweredWithAnotherByteIsACommsError)
{
    sim.SetFaults([](ScaleFaults& f) { f.ackByte = kNak; });
    EXPECT_EQ(link.BeginTransmission(), CIdEnqLink::kMsgCommsError);
    EXPECT_EQ(sim.EnquiriesSeen(), 1u);
}

TEST_F(IdEnqProtocol, CancelEndsTheEnquiriesWithEot)
{
    sim.SetFaults([](ScaleFaults& f) { f.offline = true; });
    link.Cancel();
    EXPECT_EQ(link.BeginTransmission(), CIdEnqLink::kMsgCancelled);
    EXPECT_EQ(SettledWire().back(), kEot);
    EXPECT_EQ(sim.EnquiriesSeen(), 1u);
}

TEST_F(IdEnqProtocol, PacketsAreCutIntoFramesOfAtMost251Bytes)
{
    struct Case {
        std::size_t size;
        std::vector<std::size_t> frames;
    };
    const Case cases[] = {{1, {1}}, {251, {251}}, {252, {251, 1}}, {600, {251, 251, 98}}};
    ASSERT_EQ(link.SendEnquiry(), 0u);
    std::size_t framesBefore = 0;
    for (const Case& c : cases) {
        const Bytes data = Filled(c.size);
        link.SetData(data);
        ASSERT_EQ(link.SendData(), 0u) << c.size;
        const auto frames = FramesOnWire(sim.Wire());
        ASSERT_EQ(frames.size(), framesBefore + c.frames.size()) << c.size;
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            const WireFrame& sent = frames[framesBefore + i];
            EXPECT_EQ(sent.data.size(), c.frames[i]) << c.size;
            EXPECT_EQ(sent.terminator, i + 1 == c.frames.size() ? kEtx : kEtb) << c.size;
        }
        framesBefore = frames.size();
        EXPECT_EQ(sim.Packets(7).back(), data);
    }
}

TEST_F(IdEnqProtocol, SequenceNumbersWrapAndANakedFrameIsBuiltAgainWithTheNextNumber)
{
    ASSERT_EQ(link.SendEnquiry(), 0u);
    link.SetFrameSequence(98);
    sim.SetFaults([](ScaleFaults& f) { f.naksInARow = 1; });
    const Bytes data = Filled(252);
    link.SetData(data);
    ASSERT_EQ(link.SendData(), 0u);
    const auto frames = FramesOnWire(sim.Wire());
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].digits, "98");
    EXPECT_EQ(frames[1].digits, "99");
    EXPECT_EQ(frames[1].data, frames[0].data);
    EXPECT_EQ(frames[2].digits, "00");
    EXPECT_EQ(sim.Packets(7), std::vector<Bytes>{data});
}

TEST_F(IdEnqProtocol, TheFifthNakInARowFailsThePacket)
{
    ASSERT_EQ(link.SendEnquiry(), 0u);
    link.SetData(ToBytes("record"));
    sim.SetFaults([](ScaleFaults& f) { f.naksInARow = 4; });
    EXPECT_EQ(link.SendData(), 0u);
    sim.SetFaults([](ScaleFaults& f) { f.naksInARow = 5; });
    EXPECT_EQ(link.SendData(), CIdEnqLink::kMsgCommsError);
    EXPECT_EQ(sim.FramesSeen(), 5u + 5u);
}

TEST_F(IdEnqProtocol, AFrameLeftUnansweredFailsThePacketAfterTheAckTimeout)
{
    ASSERT_EQ(link.SendEnquiry(), 0u);
    link.SetData(ToBytes("record"));
    sim.SetFaults([](ScaleFaults& f) { f.dropFrame = [](std::size_t) { return true; }; });
    const auto before = Elapsed();
    EXPECT_EQ(link.SendData(), CIdEnqLink::kMsgCommsError);
    EXPECT_EQ(Elapsed() - before, std::chrono::seconds(5));
}

TEST_F(IdEnqProtocol, ReceivesThePacketsOfTheRequestedKind)
{
    const std::vector<Bytes> packets{ToBytes("first"), Filled(700), ToBytes("last")};
    ASSERT_TRUE(ReceivePackets(packets));
    EXPECT_EQ(Received(), packets);
    EXPECT_EQ(sim.Packets(7), std::vector<Bytes>{ToBytes("50000000")});
    EXPECT_EQ(scale.GetRecordCounter(), 3u);
    EXPECT_EQ(scale.GetLastResult(), 0u);
    EXPECT_TRUE(scale.IsOnline());
}

TEST_F(IdEnqProtocol, ALoneEotEndsTheReceive)
{
    ASSERT_TRUE(ReceivePackets({}));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(scale.GetLastResult(), 0u);
}

TEST_F(IdEnqProtocol, ARepeatedEnquiryIsAcknowledgedAndTheFrameReadAfterIt)
{
    sim.SetFaults([](ScaleFaults& f) { f.repeatedEnquiries = 1; });
    ASSERT_TRUE(ReceivePackets({ToBytes("plu")}));
    EXPECT_EQ(Received(), std::vector<Bytes>{ToBytes("plu")});
    // ACKs: the scale's enquiry, its repeat, and the frame.
    EXPECT_EQ(Count(kAck), 3u);
}

TEST_F(IdEnqProtocol, AScaleThatOnlyRepeatsItsEnquiryIsGivenUpAfterABound)
{
    sim.SetFaults([](ScaleFaults& f) { f.repeatedEnquiries = 1000000; });
    ASSERT_TRUE(ReceivePackets({ToBytes("plu")}));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(scale.GetLastResult(), CIdEnqLink::kMsgCommsError);
    // ACKs: the scale's enquiry and sixteen repeats.
    EXPECT_EQ(Count(kAck), 17u);
}

TEST_F(IdEnqProtocol, ACancelWhileAPacketIsAwaitedEndsTheExchangeAsCancelled)
{
    sim.SetFaults([this](ScaleFaults& f) {
        f.afterClaim = [this] { link.Cancel(); };
        f.silentAfterClaim = true;
    });
    EXPECT_FALSE(ReceivePackets({ToBytes("plu")}));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgCancelled);
    EXPECT_NE(scale.GetLastResult(), CIdEnqLink::kMsgCommsError);
    EXPECT_TRUE(scale.IsOnline()) << "a cancel says nothing of the scale";
}

TEST_F(IdEnqProtocol, ABadBlockCheckIsNakedAndTheFrameTakenWhenItComesRight)
{
    sim.SetFaults([](ScaleFaults& f) { f.badBlockChecks = 4; });
    ASSERT_TRUE(ReceivePackets({ToBytes("plu")}));
    EXPECT_EQ(Received(), std::vector<Bytes>{ToBytes("plu")});
    EXPECT_EQ(Count(kNak), 4u);
}

TEST_F(IdEnqProtocol, TheFifthBadBlockCheckEndsTheReceiveWithEot)
{
    sim.SetFaults([](ScaleFaults& f) { f.badBlockChecks = 5; });
    ASSERT_TRUE(ReceivePackets({ToBytes("plu")}));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(scale.GetLastResult(), CIdEnqLink::kMsgCommsError);
    EXPECT_FALSE(scale.IsOnline());
    EXPECT_EQ(SettledWire().back(), kEot);
    EXPECT_EQ(Count(kNak), 4u);
}

TEST_F(IdEnqProtocol, DataHoldingEtxAndEtbBytesArrivesWhole)
{
    // Packed-BCD prices and PLU numbers hold 03 and 17; bytes trickle in one at a time, so every one
    // of them ends the bytes in hand at some point.
    Bytes bcd{0x00, 0x03, 0x17, 0x42, kEtx, 0x11, kEtb, kEtx, 0x00, 0x99};
    sim.SetFaults([](ScaleFaults& f) { f.trickle = true; });
    ASSERT_TRUE(ReceivePackets({bcd, Filled(300)}));
    EXPECT_EQ(Received(), (std::vector<Bytes>{bcd, Filled(300)}));
    EXPECT_EQ(Count(kNak), 0u);
}

TEST_F(IdEnqProtocol, AConnectionDroppedInsideAFrameFailsTheReceive)
{
    sim.SetFaults([](ScaleFaults& f) { f.dropAfterBytes = 5; });
    ASSERT_TRUE(ReceivePackets({ToBytes("a longer packet")}));
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(scale.GetLastResult(), CIdEnqLink::kMsgCommsError);
}

TEST_F(IdEnqProtocol, NoEnquiryFromTheScaleIsACommsErrorNotATimeout)
{
    link.AddJobScale(&scale);
    link.SetReceiveKind(0);  // no reply set: the scale takes the request and never answers
    const auto before = Elapsed();
    ASSERT_TRUE(link.Transact());
    EXPECT_EQ(scale.GetLastResult(), CIdEnqLink::kMsgCommsError);
    EXPECT_EQ(Elapsed() - before, std::chrono::seconds(22));
}

TEST_F(IdEnqProtocol, AKindTheScaleCannotSendSkipsIt)
{
    link.AddJobScale(&scale);
    link.SetReceiveKind(40);  // VM images: family 11 only
    ASSERT_TRUE(link.Transact());
    EXPECT_TRUE(sim.Wire().empty());
}

TEST_F(IdEnqProtocol, CapacityCheckReportsAShortfallAndGoesOn)
{
    struct Case {
        const char* reply;
        MessageId linkError;
    };
    const Case cases[] = {{"xxxx00500100x", 0}, {"xxxx01000050x", CIdEnqLink::kMsgScaleMemoryFull}, {"short", 0}};
    for (const Case& c : cases) {
        sim.SetReply(ToBytes("9001"), {ToBytes(c.reply)});
        ASSERT_EQ(link.BeginTransmission(), 0u);
        EXPECT_EQ(link.CapacityCheck(), 0u) << c.reply;
        EXPECT_EQ(link.GetCommsError(), c.linkError) << c.reply;
        // The line is claimed again, so the sending exchange goes on.
        link.SetData(ToBytes("next"));
        EXPECT_EQ(link.SendData(), 0u) << c.reply;
        link.ResetJob();
    }
}

}  // namespace
}  // namespace varnel::test
