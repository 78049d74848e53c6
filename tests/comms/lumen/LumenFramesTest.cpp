// The Lumen link's frames, byte for byte, and how the receiving side tells them apart.
#include "comms/lumen/LumenFrames.h"

#include <gtest/gtest.h>

namespace varnel::lumen {
namespace {

Bytes Of(std::initializer_list<int> values)
{
    Bytes bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST(LumenFrames, CommandsRepliesAndBlocks)
{
    const CommandLetters letters = CommandLetters::ForMarketVersion(0);
    EXPECT_EQ(CommandFrame(letters.LetterToSend(0, true)), Of({0x02, 0x31, 0x49, 0x03, 0x7B}));
    EXPECT_EQ(CommandFrame(letters.LetterToSend(0, false)), Of({0x02, 0x31, 0x69, 0x03, 0x5B}));
    EXPECT_EQ(ReplyFrame(true, 'S'), Of({0x02, '1', '1', 'S', 0x03, '1' ^ '1' ^ 'S' ^ 0x03}));
    EXPECT_EQ(ReplyFrame(false, 'S'), Of({0x02, '1', '0', '0', 0x03, '1' ^ '0' ^ '0' ^ 0x03}));
    EXPECT_EQ(DataBlockFrame(1, Of({0xAA, 0x55})), Of({0x02, '1', 1, 2, 0xAA, 0x55, 0x03, '1' ^ 1 ^ 2 ^ 0xAA ^ 0x55 ^ 0x03}));
}

TEST(LumenFrames, LettersByCommandModeAndMarket)
{
    const CommandLetters plain = CommandLetters::ForMarketVersion(0);
    const CommandLetters market5 = CommandLetters::ForMarketVersion(5);
    struct Case {
        std::uint32_t command;
        bool add;
        char plain, market5;
    };
    for (const Case& c : {Case{1, false, 'm', 'm'}, Case{3, false, 'p', 'p'}, Case{4, false, 'F', 'F'},
                          Case{6, true, 'N', 'O'}, Case{6, false, 'n', 'o'}, Case{12, false, 'E', 'E'}}) {
        EXPECT_EQ(plain.LetterToSend(c.command, c.add), c.plain) << c.command;
        EXPECT_EQ(market5.LetterToSend(c.command, c.add), c.market5) << c.command;
    }
    EXPECT_EQ(plain.IndexOf('s'), 2u);
    EXPECT_EQ(plain.IndexOf('E'), kEndOfTransfer);
    EXPECT_EQ(plain.IndexOf('O'), std::nullopt);
    EXPECT_EQ(market5.IndexOf('o'), 6u);
    EXPECT_EQ(plain.IndexOf('0'), std::nullopt);
}

TEST(LumenFrames, DataGoesInBlocksOfTwoHundredAndFifty)
{
    EXPECT_EQ(BlockCount(0), 0u);
    EXPECT_EQ(BlockCount(250), 1u);
    EXPECT_EQ(BlockCount(251), 2u);
    EXPECT_EQ(BlockCount(2048), 9u);
}

TEST(LumenFrames, TheReceiverTellsCommandsFromBlocksAndChecksThem)
{
    const Bytes command = CommandFrame('i');
    EXPECT_TRUE(ShapeOf(command).command);
    EXPECT_EQ(ShapeOf(command).size, 5u);
    EXPECT_TRUE(HasGoodBlockCheck(command));
    const Bytes block = DataBlockFrame(0, Of({1, 2, 3}));
    EXPECT_FALSE(ShapeOf(block).command);
    EXPECT_EQ(ShapeOf(block).size, block.size());
    EXPECT_TRUE(HasGoodBlockCheck(block));
    Bytes bad = block;
    bad[5] ^= 0x40;
    EXPECT_FALSE(HasGoodBlockCheck(bad));
    // A block of three bytes numbered 'A' or above reads as a command: the protocol cannot tell them apart.
    EXPECT_TRUE(ShapeOf(DataBlockFrame('A', Of({1, 2, 3}))).command);
}

}  // namespace
}  // namespace varnel::lumen
