#include "comms/idenq/IdEnqFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel::idenq {
namespace {

TEST(IdEnqFrame, EnquiryNamesTheMachineIdInTwoDigits)
{
    EXPECT_EQ(MakeEnquiry(7), (Enquiry{0x04, 0x4B, 0x54, 0x30, 0x37, 0x05}));
    EXPECT_EQ(MakeEnquiry(99), (Enquiry{0x04, 'K', 'T', '9', '9', 0x05}));
    // Three digits would name another scale: no enquiry is made.
    EXPECT_FALSE(MakeEnquiry(100));
}

TEST(IdEnqFrame, BlockCheckCoversDigitsDataAndTerminator)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> data;
        std::uint8_t terminator;
        bool eightBit;
        std::uint8_t expected;
    };
    // 0x7F ^ '4' ^ '2' = 0x79.
    const Case cases[] = {
        {"no data", {}, kEtx, false, 0x79 ^ kEtx},
        {"ascii", {'A', 'B'}, kEtb, false, 0x79 ^ 'A' ^ 'B' ^ kEtb},
        {"high byte, 7-bit line", {0x80}, kEtx, false, (0x79 ^ 0x80 ^ kEtx) & 0x7F},
        {"high byte, 8-bit line", {0x80}, kEtx, true, 0x79 ^ 0x80 ^ kEtx},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlockCheck({'4', '2'}, c.data, c.terminator, c.eightBit), c.expected) << c.name;
}

TEST(IdEnqFrame, FrameEndNeedsATerminatorAndItsCheckAsTheLastTwoBytes)
{
    const SequenceDigits digits = MakeSequenceDigits(5);
    std::vector<std::uint8_t> body{'x', kEtx, 0};
    body.back() = BlockCheck(digits, std::span(body).first(1), kEtx, false);
    EXPECT_TRUE(IsCheckedFrameEnd(digits, body, false));

    std::vector<std::uint8_t> wrongCheck = body;
    wrongCheck.back() ^= 1;
    EXPECT_TRUE(EndsInCandidate(wrongCheck));
    EXPECT_FALSE(IsCheckedFrameEnd(digits, wrongCheck, false));

    const std::vector<std::uint8_t> noTerminator{'x', 'y', 'z'};
    EXPECT_FALSE(EndsInCandidate(noTerminator));
    EXPECT_FALSE(IsCheckedFrameEnd(digits, std::vector<std::uint8_t>{kEtx}, false));
}

}  // namespace
}  // namespace varnel::idenq
