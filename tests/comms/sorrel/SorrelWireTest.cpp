// The block protocol's bytes: what the link writes, byte for byte, and how it reads what scales send
// (including headers and records that lie about their lengths).
#include "comms/sorrel/RecordBlockReader.h"
#include "comms/sorrel/SorrelCodes.h"
#include "comms/sorrel/SorrelWire.h"

#include "support/TestMainFrame.h"
#include "support/TestScales.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::sorrel {
namespace {

using test::ScaleOfFamily;

Bytes Of(std::initializer_list<int> values)
{
    Bytes bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

Bytes Of(const Header& header) { return Bytes(header.begin(), header.end()); }

TEST(SorrelWire, CommandsAndBlockHeadersInBothForms)
{
    EXPECT_EQ(Of(CommandHeader(Form::Short, kStartOfTransfer)), Of({0x80, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(CommandHeader(Form::Short, kStatusPoll)), Of({0x91, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(CommandHeader(Form::Long, kMasterSatelliteEnd)), Of({0x30, 0x19, 0, 0, 0, 0, 0, 0x08}));
    // A record block: short form the records' length little-endian, long form with the header big-endian.
    EXPECT_EQ(Of(BlockHeader(Form::Short, 50, 0x1234)), Of({0x50, 0, 0, 0, 0x34, 0x12, 0, 0}));
    EXPECT_EQ(Of(BlockHeader(Form::Long, 2001, 0x1234)), Of({0x20, 0x01, 0, 0, 0, 0, 0x12, 0x3C}));
}

TEST(SorrelWire, RequestsCarryTheirDataBehindTheHeader)
{
    const Bytes code = Of({0, 0, 0, 0});
    EXPECT_EQ(RequestBlock(Form::Short, 61, code), Of({0x61, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0}));
    const Bytes start = Of({'0', ','});
    EXPECT_EQ(RequestBlock(Form::Long, 2031, start),
              Of({0x20, 0x31, 0, 0, 0, 0, 0, 18, 0x20, 0x31, 1, 0, 0, 0, 0, 2, '0', ','}));
}

TEST(SorrelWire, DeleteTotalsMessages)
{
    EXPECT_EQ(DeleteTotalsMessage(Form::Long, 31),
              Of({0x00, 0x31, 0, 0, 0, 0, 0, 0x12, 0x00, 0x31, 0, 0, 0, 0, 0, 0x02, 0x30, 0x2C}));
    EXPECT_EQ(DeleteTotalsMessage(Form::Short, 12), Of({0x12, 0, 0, 0, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DeleteTotalsMessage(Form::Short, 11), Of({0x11, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SorrelWire, RepliesAreReadInTheirForm)
{
    const Bytes shortHeader = Of({0x91, 0, 0, 1, 12, 0, 0, 0});
    const ParsedHeader parsedShort = ParseHeader(Form::Short, std::span(shortHeader).first<kHeaderSize>());
    EXPECT_EQ(parsedShort.code, 91);
    EXPECT_EQ(parsedShort.flag, 1);
    EXPECT_EQ(parsedShort.length, 12u);
    // The long form counts the header in its length; one shorter than a header is taken as it is.
    const Bytes longHeader = Of({0x20, 0x01, 0x42, 0, 0, 0, 0, 20});
    const ParsedHeader parsedLong = ParseHeader(Form::Long, std::span(longHeader).first<kHeaderSize>());
    EXPECT_EQ(parsedLong.code, 2001);
    EXPECT_EQ(parsedLong.subCode, 42);
    EXPECT_EQ(parsedLong.length, 12u);
    const Bytes tiny = Of({0x20, 0x01, 0, 0, 0, 0, 0, 5});
    EXPECT_EQ(ParseHeader(Form::Long, std::span(tiny).first<kHeaderSize>()).length, 5u);

    const Bytes shortBody = Of({0, 0, 0, 0, 5, 0, 3, 0, 9, 0, 0x23, 0x4E});
    const ReplyBody bodyShort = ParseReplyBody(Form::Short, std::span(shortBody).first<kReplyBodySize>());
    EXPECT_EQ(bodyShort.firstCount, 5);
    EXPECT_EQ(bodyShort.secondCount, 3);
    EXPECT_EQ(bodyShort.thirdCount, 9);
    EXPECT_EQ(bodyShort.errorCode, 20003);
    const Bytes longBody = Of({0x12, 0, 0, 0, 0x01, 0x25, 0x00, 0x99, 0, 0, 0x4E, 0x2D});
    const ReplyBody bodyLong = ParseReplyBody(Form::Long, std::span(longBody).first<kReplyBodySize>());
    EXPECT_EQ(bodyLong.firstCount, 125);
    EXPECT_EQ(bodyLong.secondCount, 99);
    EXPECT_EQ(bodyLong.errorCode, 20013);
}

TEST(SorrelWire, ARefusalTellsAPartlyTakenBlockFromAFullScale)
{
    struct Case {
        std::uint16_t first, second;
        MessageId result;
    };
    for (const Case& c : {Case{5, 5, 31457}, Case{5, 3, 61456}, Case{0, 3, 31457}, Case{0, 0, 31457}, Case{3, 5, 61456}}) {
        ReplyBody body;
        body.firstCount = c.first;
        body.secondCount = c.second;
        EXPECT_EQ(RefusalResult(body), c.result) << c.first << " and " << c.second;
    }
}

TEST(SorrelCodes, BlockCodesByFamilyAndKind)
{
    test::TestMainFrame frame;
    const CodeSettings plain{};
    struct Case {
        std::uint16_t family;
        bool message28;
        std::uint16_t kind;
        std::uint16_t code;
    };
    const Case cases[] = {
        {6, true, 0, 28},   {6, false, 0, 50},  {8, true, 0, 28},    {8, true, 14, 61},   {6, false, 12, 26},
        {6, false, 15, 0},  {6, false, 23, 0},  {11, false, 40, 2036}, {11, false, 3, 2043}, {11, false, 5, 2045},
        {10, false, 41, 0}, {10, false, 42, 0}, {9, false, 41, 2048},  {9, false, 3, 2043},  {9, false, 18, 0},
        {9, false, 19, 0},  {10, false, 18, 2033}, {10, false, 0, 2001}, {12, false, 1, 0},  {10, false, 43, 0},
        {6, false, 43, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetBlockCode(c.kind, ScaleOfFamily(c.family, c.message28), plain), c.code)
            << "family " << c.family << " kind " << c.kind;

    const CodeSettings ausNz{MarketAustralia, true};
    EXPECT_EQ(GetBlockCode(11, ScaleOfFamily(10), ausNz), 2005);
    EXPECT_EQ(GetBlockCode(5, ScaleOfFamily(10), ausNz), 2004);
    EXPECT_EQ(GetBlockCode(22, ScaleOfFamily(12), ausNz), 2006);
    EXPECT_EQ(GetBlockCode(11, ScaleOfFamily(9), ausNz), 2044);
    const CodeSettings taiwan{MarketTaiwan, false};
    EXPECT_EQ(GetBlockCode(3, ScaleOfFamily(9), taiwan), 2004);
    EXPECT_EQ(GetBlockCode(18, ScaleOfFamily(9), taiwan), 2033);
}

TEST(SorrelCodes, MessageKindsFollowTheSetupsMessageFileMapping)
{
    test::TestMainFrame frame;
    frame.m_setup.m_messageFileMapping = {0, 11, 0, 0};  // comments travel in the extra message file
    const CodeSettings mapped = CodeSettings::Of(frame.m_setup);
    EXPECT_EQ(GetBlockCode(22, ScaleOfFamily(8), mapped), 52);
    EXPECT_EQ(GetBlockCode(22, ScaleOfFamily(10), mapped), 2003);
    EXPECT_EQ(GetBlockCode(22, ScaleOfFamily(9), mapped), 2003);  // family 9 keeps its own comment file
}

TEST(SorrelCodes, DeleteTotalsCodes)
{
    const CodeSettings plain{};
    const CodeSettings taiwan{MarketTaiwan, false};
    struct Case {
        std::uint16_t family;
        std::uint16_t kind;
        CodeSettings settings;
        std::uint16_t code;
    };
    const Case cases[] = {
        {8, 14, plain, 11},  {6, 17, plain, 12},  {8, 18, plain, 13},  {8, 39, plain, 0},   {11, 18, plain, 31},
        {11, 14, plain, 0},  {10, 14, plain, 31}, {10, 17, plain, 32}, {10, 18, plain, 33}, {10, 39, plain, 41},
        {12, 39, plain, 0},  {10, 41, plain, 0},  {9, 41, taiwan, 48}, {9, 42, taiwan, 42}, {9, 41, plain, 0},
        {9, 18, plain, 0},   {9, 18, taiwan, 33}, {9, 39, plain, 0},   {9, 39, taiwan, 41}, {10, 0, plain, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDeleteTotalsCode(c.kind, c.family, c.settings), c.code) << "family " << c.family << " kind " << c.kind;
}

// Reads a block as the link does, from the bytes a scale sent: the record bodies, or nothing when it
// overran. `room` is the room for one body.
struct ReadBlock {
    std::vector<Bytes> bodies;
    RecordBlockReader::Step end;
    std::size_t consumed = 0;
};
ReadBlock Read(Form form, bool paged, const Bytes& wire, std::size_t room = 4096)
{
    ReadBlock result;
    RecordBlockReader reader(form, paged, static_cast<std::uint32_t>(wire.size()), room);
    std::size_t at = 0;
    for (;;) {
        switch (reader.GetStep()) {
        case RecordBlockReader::Step::RecordHeader:
            reader.TakeHeader(std::span(wire).subspan(at).first<kHeaderSize>());
            at += kHeaderSize;
            continue;
        case RecordBlockReader::Step::RecordBody:
            result.bodies.emplace_back(wire.begin() + static_cast<std::ptrdiff_t>(at),
                                       wire.begin() + static_cast<std::ptrdiff_t>(at + reader.GetWanted()));
            [[fallthrough]];
        case RecordBlockReader::Step::Drop:
            at += reader.GetWanted();
            reader.TakeWanted();
            continue;
        default:
            result.end = reader.GetStep();
            result.consumed = at;
            return result;
        }
    }
}

TEST(RecordBlockReader, ReadsRecordsUpToTheAnnouncedLength)
{
    // Two records (one empty, skipped) and three bytes too few for another header.
    const Bytes wire = Of({0x50, 0, 0, 0, 0, 0, 3, 0, 'a', 'b', 'c', 0x50, 0, 0, 0, 0, 0, 0, 0,
                           0x50, 0, 0, 0, 0, 0, 1, 0, 'd', 1, 2, 3});
    const ReadBlock read = Read(Form::Short, false, wire);
    EXPECT_EQ(read.bodies, (std::vector<Bytes>{Of({'a', 'b', 'c'}), Of({'d'})}));
    EXPECT_EQ(read.end, RecordBlockReader::Step::Done);
    EXPECT_EQ(read.consumed, wire.size());
}

TEST(RecordBlockReader, ABodyLongerThanTheBlockOrTheRoomEndsTheBlock)
{
    const Bytes pastBlock = Of({0x20, 0x01, 0, 0, 0, 0, 0, 9, 'a', 'b', 'c'});
    EXPECT_EQ(Read(Form::Long, false, pastBlock).end, RecordBlockReader::Step::Overlong);
    const Bytes pastRoom = Of({0x20, 0x01, 0, 0, 0, 0, 0, 3, 'a', 'b', 'c'});
    EXPECT_EQ(Read(Form::Long, false, pastRoom, 2).end, RecordBlockReader::Step::Overlong);
    EXPECT_EQ(Read(Form::Long, false, pastRoom, 3).bodies.size(), 1u);
}

TEST(RecordBlockReader, APagedLongBlockEndsAtARecordCodeEndingInZeros)
{
    const Bytes wire = Of({0x20, 0x01, 0, 0, 0, 0, 0, 1, 'a', 0x20, 0x00, 0, 0, 0, 0, 0, 1, 'b', 'x', 'y'});
    const ReadBlock paged = Read(Form::Long, true, wire);
    EXPECT_EQ(paged.bodies, std::vector<Bytes>{Of({'a'})});
    EXPECT_EQ(paged.consumed, wire.size());
    // Outside the paged receive such a record is a record like any other.
    EXPECT_EQ(Read(Form::Long, false, Of({0x20, 0x00, 0, 0, 0, 0, 0, 1, 'b'})).bodies.size(), 1u);
}

}  // namespace
}  // namespace varnel::sorrel
