// Operator records for the scales of every family and market: send and clear records, the walks of
// the send and delete jobs, and the records scales send back.
#include "OperatorFields.h"
#include "settings/OperatorList.h"
#include "settings/OperatorRecord.h"
#include "support/RecordingRefusals.h"
#include "support/TestMainFrame.h"
#include "support/TestScales.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

using namespace std::string_literals;

// The records follow the rules of the frame each test installs.
TextRules FrameRules() { return FrameSiteRules().GetTextRules(); }

COperator MakeOperator(std::uint16_t id, std::string name, std::uint8_t font = 3)
{
    COperator op;
    op.m_id = id;
    op.m_name = std::move(name);
    op.m_font = font;
    return op;
}

// The 4-digit header of the comma-separated families before `body`.
std::string WithHeader(std::uint16_t code, const std::string& body)
{
    const auto bcd = [](unsigned twoDigits) { return static_cast<char>((twoDigits / 10) << 4 | twoDigits % 10); };
    return std::string{bcd(code / 100), bcd(code % 100), 0, 0, 0, 0, static_cast<char>(body.size() >> 8),
                       static_cast<char>(body.size())} +
           body;
}

const std::string kBcdSendHeader = "\x47\0\0\0\0\0\x18\0"s;  // code 47, length 24, little-endian

// The 24-byte body of families 6 and 8 around a name text.
std::string BcdBody(char id, const std::string& nameText)
{
    std::string body = std::string{id, static_cast<char>(nameText.size()), 0} + nameText;
    return body.append(24 - body.size(), '\0');
}

struct Encoded {
    bool made;
    std::string bytes;
    std::uint16_t code;
};

Encoded Encode(std::uint16_t family, const COperator& op)
{
    std::array<std::uint8_t, 256> buffer{};
    ScaleRecordOut out{buffer};
    const bool made = EncodeOperatorRecord(ScaleOfFamily(family), FrameRules(), op, out);
    return {made, std::string(reinterpret_cast<const char*>(buffer.data()), out.length), out.code};
}

Encoded EncodeClear(std::uint16_t family, std::uint32_t id)
{
    std::array<std::uint8_t, 256> buffer{};
    ScaleRecordOut out{buffer};
    const bool made = EncodeOperatorClearRecord(ScaleOfFamily(family), FrameRules(), id, out);
    return {made, std::string(reinterpret_cast<const char*>(buffer.data()), out.length), out.code};
}

TEST(OperatorRecordTest, SendRecordsByFamilyAndMarket)
{
    TestMainFrame frame;
    COperator full = MakeOperator(7, "BOB");
    full.m_password = "1234";
    full.m_logoffTimer = 15;
    full.m_accessLevel = 2;
    COperator quoted = full;
    quoted.m_name = std::string(16, '"');
    quoted.m_password = "1\"2";
    quoted.m_font = 8;

    struct Case {
        const char* name;
        std::uint16_t family;
        std::uint16_t market;
        COperator op;
        std::string record;
        std::uint16_t code;
    } const cases[] = {
        {"16-character name, USA: the first 12", 0, MarketUsa, MakeOperator(7, "ABCDEFGHIJKLMNOP"),
         "6307ABCDEFGHIJKL", 63},
        {"other markets say 02; short names are padded", 4, MarketNewZealand, MakeOperator(7, "BOB"),
         "630207BOB         ", 63},
        {"Iceland in its national characters", 5, MarketIceland, MakeOperator(12, "\xC1SA"),
         "630212@SA         ", 63},
        {"South America in its national characters", 0, MarketSouthAmerica, MakeOperator(1, "\xD1" "A"),
         "630201^A          ", 63},
        {"Sweden keeps its characters in text records", 0, MarketSweden, MakeOperator(1, "\xC9"),
         "630201\xC9           ", 63},
        {"a double-byte character that would pass 12 is left out", 0, MarketTaiwan,
         MakeOperator(7, "ABCDEFGHIJK\xA4\x40"), "630207ABCDEFGHIJK ", 63},
        {"line-coded: CR, font and name", 6, MarketUsa, MakeOperator(7, "BOB"),
         kBcdSendHeader + BcdBody(0x07, "\r\x03" "BOB"), 47},
        {"line-coded names stop at 17 bytes", 8, MarketUsa, MakeOperator(42, "ABCDEFGHIJKLMNOPQRST", 8),
         kBcdSendHeader + BcdBody(0x42, "\r\x08" "ABCDEFGHIJKLMNOPQ"), 47},
        {"Norway in its national characters", 6, MarketNorway, MakeOperator(7, "\xC6SE"),
         kBcdSendHeader + BcdBody(0x07, "\r\x03[SE"), 47},
        {"comma-separated with password, timer and level", 10, MarketUsa, full,
         WithHeader(1027, R"(7,"\x0D\x03BOB","1234",15,2,)"), 1027},
        {"the name is cut to 16 bytes", 12, MarketUsa, MakeOperator(7, "ABCDEFGHIJKLMNOPQRST"),
         WithHeader(1027, R"(7,"\x0D\x03ABCDEFGHIJKLMNOP","",10,10,)"), 1027},
        {"the name field takes 24 scale bytes; quotes in a password are doubled", 12, MarketUsa, quoted,
         WithHeader(1027, "7,\"\\x0D\\x08" + std::string(22, '"') + "\",\"1\"\"2\",15,2,"), 1027},
        {"family 11: id and name only, cut to 28 bytes", 11, MarketUsa,
         MakeOperator(9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"),
         WithHeader(1027, R"(9,"\x0D\x03ABCDEFGHIJKLMNOPQRSTUVWXYZ01",)"), 1027},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.m_setup.m_market = c.market;
        const Encoded encoded = Encode(c.family, c.op);
        EXPECT_TRUE(encoded.made);
        EXPECT_EQ(encoded.bytes, c.record);
        EXPECT_EQ(encoded.code, c.code);
    }
}

TEST(OperatorRecordTest, FamiliesWithoutOperatorRecordsAndIdsTheirLayoutCannotHold)
{
    TestMainFrame frame;
    for (const std::uint16_t family : {1, 2, 3, 7, 9, 13}) {
        SCOPED_TRACE(family);
        EXPECT_FALSE(TakesOperatorRecords(family));
        EXPECT_FALSE(Encode(family, MakeOperator(1, "A")).made);
        EXPECT_FALSE(EncodeClear(family, 1).made);
    }
    for (const std::uint16_t family : {0, 4, 5, 6, 8}) {
        SCOPED_TRACE(family);
        EXPECT_FALSE(Encode(family, MakeOperator(100, "A")).made);
        EXPECT_FALSE(EncodeClear(family, 100).made);
    }
    EXPECT_TRUE(Encode(10, MakeOperator(100, "A")).made);

    // A scale of the default family encodes as that family.
    frame.m_setup.m_defaultScaleFamily = 6;
    EXPECT_EQ(Encode(CLinkScaleSettings::kDefaultFamily, MakeOperator(7, "A")).code, 47);

    // A record that does not fit the buffer is not written at all.
    std::array<std::uint8_t, 31> small{};
    ScaleRecordOut out{small};
    EXPECT_FALSE(EncodeOperatorRecord(ScaleOfFamily(6), FrameRules(), MakeOperator(7, "A"), out));
    EXPECT_EQ(out.length, 0);
    EXPECT_EQ(small, decltype(small){});
}

TEST(OperatorRecordTest, ClearRecordsByFamilyAndMarket)
{
    TestMainFrame frame;
    struct Case {
        std::uint16_t family;
        std::uint16_t market;
        std::uint32_t id;
        std::string record;
        std::uint16_t code;
    } const cases[] = {
        {0, MarketUsa, 5, "2805", 28},
        {5, MarketAustralia, 5, "280205", 28},
        {4, MarketUsa, 0, "2800", 28},
        {6, MarketUsa, 42, "\x42", 16},
        {8, MarketNorway, 0, "\0"s, 16},
        {10, MarketUsa, 42, WithHeader(27, "42,"), 27},
        {11, MarketTaiwan, 1000, WithHeader(27, "1000,"), 27},
        {12, MarketUsa, 0, WithHeader(27, "0,"), 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " market " << c.market << " id " << c.id);
        frame.m_setup.m_market = c.market;
        const Encoded encoded = EncodeClear(c.family, c.id);
        EXPECT_TRUE(encoded.made);
        EXPECT_EQ(encoded.bytes, c.record);
        EXPECT_EQ(encoded.code, c.code);
    }
}

// The keys a walk yields and the cursor after each, until it answers false.
struct Walk {
    std::vector<KeyCursor> keys;
    std::vector<KeyCursor> cursors;
};

template <class Step>
Walk RunWalk(KeyCursor cursor, Step step)
{
    Walk walk;
    std::array<std::uint8_t, 256> buffer{};
    for (int guard = 0; guard < 300; ++guard) {
        ScaleRecordOut out{buffer};
        KeyCursor key = -1;
        if (!step(cursor, out, key)) break;
        EXPECT_GT(out.length, 0);
        walk.keys.push_back(key);
        walk.cursors.push_back(cursor);
    }
    return walk;
}

// A list of operators "OP" with these ids.
struct ListOf : COperatorList {
    ListOf(std::initializer_list<std::uint16_t> ids)
    {
        for (const std::uint16_t id : ids) SetOperator(std::make_unique<COperator>(MakeOperator(id, "OP")));
    }
};

// Refusals without a listener go to `log`.
Walk SendWalk(const COperatorList& list, IEventLog& log, std::uint16_t family, KeyCursor from, std::uint32_t highest)
{
    const CLinkScaleSettings scale = ScaleOfFamily(family);
    return RunWalk(from, [&](KeyCursor& cursor, ScaleRecordOut& out, KeyCursor& key) {
        return list.GetNextSendRecord(scale, FrameRules(), log, cursor, highest, out, key);
    });
}

Walk DeleteWalk(const COperatorList& list, IEventLog& log, std::uint16_t family, KeyCursor from,
                std::uint32_t highest)
{
    const CLinkScaleSettings scale = ScaleOfFamily(family);
    return RunWalk(from, [&](KeyCursor& cursor, ScaleRecordOut& out, KeyCursor& key) {
        return list.GetNextDeleteRecord(scale, FrameRules(), log, cursor, highest, out, key);
    });
}

TEST(OperatorRecordTest, TheSendWalkSkipsGapsAndEndsPastEveryId)
{
    TestMainFrame frame;
    const ListOf list{3, 5, 9};
    constexpr KeyCursor kPast = kLastKeyCursor + 1;
    struct Case {
        KeyCursor from;
        std::uint32_t highest;
        std::vector<KeyCursor> keys, cursors;
    } const cases[] = {
        {0, 99, {3, 5, 9}, {5, 9, kPast}},
        {4, 8, {5}, {9}},
        {10, 99, {}, {}},
        {6, 6, {}, {}},
        {kLastKeyCursor, kLastKeyCursor, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.highest);
        const Walk walk = SendWalk(list, frame, 10, c.from, c.highest);
        EXPECT_EQ(walk.keys, c.keys);
        EXPECT_EQ(walk.cursors, c.cursors);
    }
    EXPECT_TRUE(SendWalk(list, frame, 9, 0, 99).keys.empty());
    EXPECT_TRUE(frame.m_events.empty());
}

TEST(OperatorRecordTest, TheDeleteWalkClearsEveryIdAndIdZeroOnce)
{
    TestMainFrame frame;
    const ListOf list{4};
    EXPECT_EQ(DeleteWalk(list, frame, 0, 0, 99).keys, std::vector<KeyCursor>{0});
    EXPECT_EQ(DeleteWalk(list, frame, 12, 0, 0xFFFFFFFF).keys, std::vector<KeyCursor>{0});
    EXPECT_EQ(DeleteWalk(list, frame, 6, 3, 5).keys, (std::vector<KeyCursor>{3, 4, 5}));
    EXPECT_TRUE(DeleteWalk(list, frame, 9, 3, 5).keys.empty());
    EXPECT_TRUE(frame.m_events.empty());
}

TEST(OperatorRecordTest, IdsATwoDigitLayoutCannotHoldAreReportedNotCut)
{
    TestMainFrame frame;
    const ListOf list{98, 99, 100, 101, 102};
    const CLinkScaleSettings family0 = ScaleOfFamily(0);
    RecordingRefusals refusals;
    std::array<std::uint8_t, 64> buffer{};
    std::vector<KeyCursor> sent;
    for (KeyCursor cursor = 0, key = 0;;) {
        ScaleRecordOut out{buffer};
        out.refusals = &refusals;
        if (!list.GetNextSendRecord(family0, FrameRules(), frame, cursor, 101, out, key)) break;
        sent.push_back(key);
    }
    EXPECT_EQ(sent, (std::vector<KeyCursor>{98, 99}));
    EXPECT_EQ(refusals.m_refused, (std::vector<std::pair<std::uint32_t, std::string>>{{100, "operator number"},
                                                                                   {101, "operator number"}}));
    EXPECT_TRUE(frame.m_events.empty());

    // Without a listener the refusal goes to the event log; a delete walk ends at its first refused id.
    EXPECT_EQ(DeleteWalk(list, frame, 8, 98, 200).keys, (std::vector<KeyCursor>{98, 99}));
    ASSERT_EQ(frame.m_events.size(), 1u);
    EXPECT_EQ(frame.m_events[0].second,
              "Scale [Scale ID = 1] : record 100 was not sent: its operator number does not fit the scale's record");
    EXPECT_EQ(SendWalk(list, frame, 10, 0, 200).keys, (std::vector<KeyCursor>{98, 99, 100, 101, 102}));
}

std::optional<OperatorFields> Decode(std::uint16_t family, const std::string& record)
{
    const std::optional<COperator> op =
        DecodeOperatorRecord(ScaleOfFamily(family), FrameRules(),
                             std::span(reinterpret_cast<const std::uint8_t*>(record.data()), record.size()));
    if (!op) return std::nullopt;
    return FieldsOf(*op);
}

TEST(OperatorRecordTest, DecodesTheRecordsScalesSendBack)
{
    TestMainFrame frame;
    struct Case {
        const char* name;
        std::uint16_t family;
        std::uint16_t market;
        std::string record;
        std::optional<OperatorFields> expected;
    } const cases[] = {
        {"line-coded: the font follows the CR", 6, MarketUsa, BcdBody(0x07, "\r\x08" "BOB"),
         OperatorFields{7, "BOB", 8, "", 10, 10}},
        {"line-coded without CR: the default font", 8, MarketChina, BcdBody(0x12, "BOB"),
         OperatorFields{12, "BOB", 6, "", 10, 10}},
        {"line-coded names are read up to 16 bytes", 6, MarketUsa, BcdBody(0x01, "\r\x03" "ABCDEFGHIJKLMNOPQ"),
         OperatorFields{1, "ABCDEFGHIJKLMNOP", 3, "", 10, 10}},
        {"Norway back from its national characters", 8, MarketNorway, BcdBody(0x07, "\r\x03[SE"),
         OperatorFields{7, "\xC6SE", 3, "", 10, 10}},
        {"a record that ends after its id and length", 6, MarketUsa, "\x07\x00\x00"s,
         OperatorFields{7, "", 3, "", 10, 10}},
        {"an id that is no BCD", 6, MarketUsa, BcdBody(static_cast<char>(0xA1), "\r\x03" "BOB"), std::nullopt},
        {"a record that ends inside its length", 8, MarketUsa, "\x07\x05"s, std::nullopt},
        {"comma-separated, every field", 10, MarketUsa, R"(7,"\x0D\x08BOB","1234",15,2,)",
         OperatorFields{7, "BOB", 8, "1234", 15, 2}},
        {"a name without its font code keeps the default font", 12, MarketUsa, R"(8,"AB",,,,)",
         OperatorFields{8, "AB", 3, "", 10, 10}},
        {"fields left out keep their defaults", 12, MarketUsa, R"(8,"\x0D\x03Al",)",
         OperatorFields{8, "Al", 3, "", 10, 10}},
        {"passwords are read up to 6 characters", 10, MarketUsa, R"(8,"A","12345678",1,1,)",
         OperatorFields{8, "A", 3, "123456", 1, 1}},
        {"family 11: id and name", 11, MarketUsa, R"(9,"\x0D\x03NAME","77",5,5,)",
         OperatorFields{9, "NAME", 3, "", 10, 10}},
        {"an id that is no number", 10, MarketUsa, R"(x,"A","",1,1,)", std::nullopt},
        {"an id beyond 16 bits", 11, MarketUsa, R"(65536,"A",)", std::nullopt},
        {"an empty record", 12, MarketUsa, "", std::nullopt},
        {"text-record families send none back", 0, MarketUsa, "6307BOB", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.m_setup.m_market = c.market;
        EXPECT_EQ(Decode(c.family, c.record), c.expected);
    }
}

TEST(OperatorRecordTest, RecordsReadBackAsTheySent)
{
    TestMainFrame frame;
    COperator op = MakeOperator(42, "Ann \"Q\"", 8);
    op.m_password = "246";
    op.m_logoffTimer = 30;
    op.m_accessLevel = 5;
    for (const std::uint16_t family : {6, 8, 10, 11, 12}) {
        SCOPED_TRACE(family);
        const Encoded encoded = Encode(family, op);
        ASSERT_TRUE(encoded.made);
        const std::optional<OperatorFields> decoded = Decode(family, encoded.bytes.substr(8));
        ASSERT_TRUE(decoded);
        const bool everyField = family == 10 || family == 12;
        const std::uint16_t logoffTimer = everyField ? 30 : 10;
        const std::uint16_t accessLevel = everyField ? 5 : 10;
        EXPECT_EQ(*decoded, (OperatorFields{42, op.m_name, 8, everyField ? "246" : "", logoffTimer, accessLevel}));
    }
}

TEST(OperatorRecordTest, AReceivedOperatorReplacesTheOneWithItsId)
{
    TestMainFrame frame;
    ListOf list{7, 8};
    const auto receive = [&](std::uint16_t family, const std::string& record) {
        return list.ReceiveRecord(ScaleOfFamily(family), FrameRules(),
                                  std::span(reinterpret_cast<const std::uint8_t*>(record.data()), record.size()));
    };
    EXPECT_TRUE(receive(10, R"(7,"\x0D\x03NEW","1",2,3,)"));
    EXPECT_TRUE(receive(11, R"(20,"\x0D\x03ADDED",)"));
    EXPECT_FALSE(receive(10, R"(,"\x0D\x03LOST",)"));  // unreadable: nothing changes
    EXPECT_TRUE(receive(0, "6308BOB"));               // not a family that sends operators: ignored
    ASSERT_EQ(list.GetOperators().size(), 3u);
    EXPECT_EQ(list.GetName(7), "NEW");
    EXPECT_EQ(list.GetName(8), "OP");
    EXPECT_EQ(list.GetName(20), "ADDED");
    EXPECT_EQ(list.Find(7)->m_password, "1");
}

}  // namespace
}  // namespace varnel::test
