// The scale-data table base: range walks, send and delete requests, decoder choice, captions, rights
// and event-log lines.
#include "db/plu/DBComTb.h"
#include "db/store/ObjDatabase.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingRefusals.h"
#include "support/TempDir.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

// Keys 1 to 100; key 5 is a row its scales do not take. A record is the key's low byte; a key record
// the byte 0xD0 and the key's low byte, refused for keys 7 to 9 as too large and not made at all for
// keys from 40. The decoders report which one was asked.
class ScaleTable final : public CDBComTb {
public:
    using CDBComTb::CDBComTb;
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<TestRow>(); }
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 100; }
    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings&, const CDBRecord& record,
                      ScaleRecordOut& out) override
    {
        EXPECT_TRUE(HoldsBuildLock(lock));
        if (record.GetKey() == 5) return false;
        out.buffer[0] = static_cast<std::uint8_t>(record.GetKey());
        out.length = 1;
        out.code = 65;
        return true;
    }
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings&, std::uint32_t key,
                         ScaleRecordOut& out) override
    {
        EXPECT_TRUE(HoldsBuildLock(lock));
        if (key >= 40) return false;
        if (key >= 7 && key <= 9) {
            out.refusedField = "key";
            return false;
        }
        out.buffer[0] = 0xD0;
        out.buffer[1] = static_cast<std::uint8_t>(key);
        out.length = 2;
        return true;
    }
    bool DecodeRecordType9(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return Decoded(9); }
    bool DecodeRecordType10to12(const CLinkScaleSettings&, std::span<const std::uint8_t>) override
    {
        return Decoded(10);
    }
    bool DecodeRecordType6or8(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return Decoded(6); }
    bool DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return Decoded(2); }
    bool DecodeRecordOther(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return Decoded(0); }

    int m_decoder = -1;

private:
    bool Decoded(int decoder)
    {
        m_decoder = decoder;
        return true;
    }
};

class ScaleDatabase final : public CObjDatabase {
public:
    explicit ScaleDatabase(const TableRoles& roles) : CObjDatabase(10), m_roles(roles) {}
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        return std::make_unique<ScaleTable>(tableNo, this, "Scale", m_roles);
    }

private:
    TableRoles m_roles;
};

class DBComTbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_db.Create(m_dir.File("s.pld")));
        ASSERT_TRUE(m_db.Open(m_dir.File("s.pld")));
        m_table = static_cast<ScaleTable*>(m_db.GetOrCreateTable(3));
        for (std::uint32_t key : {3u, 5u, 7u, 12u}) ASSERT_TRUE(AddRow(*m_table, key, 4, 'r'));
    }

    TempDir m_dir;
    TestMainFrame m_frame;
    RecordingDocument m_document{m_frame};
    ScaleDatabase m_db{{m_frame, m_frame, m_frame}};
    ScaleTable* m_table = nullptr;
    CLinkScaleSettings m_scale;
    std::array<std::uint8_t, 16> m_buffer{};
    ScaleRecordOut m_out{m_buffer};
};

TEST_F(DBComTbTest, EncodeNextInRangeWalksTheRowsTheFamilyTakes)
{
    KeyCursor cursor = 1;
    KeyCursor key = 0;
    ASSERT_TRUE(m_table->EncodeNextInRange(m_scale, cursor, 10, m_out, key));
    EXPECT_EQ(key, 3);
    EXPECT_EQ(cursor, 4);
    EXPECT_EQ(m_buffer[0], 3);
    ASSERT_TRUE(m_table->EncodeNextInRange(m_scale, cursor, 10, m_out, key));
    EXPECT_EQ(key, 7);  // 5 was passed over
    EXPECT_FALSE(m_table->EncodeNextInRange(m_scale, cursor, 10, m_out, key));
    EXPECT_EQ(key, 12);

    cursor = 11;
    EXPECT_FALSE(m_table->EncodeNextInRange(m_scale, cursor, 10, m_out, key));
    EXPECT_EQ(key, 11);
    cursor = 101;
    EXPECT_FALSE(m_table->EncodeNextInRange(m_scale, cursor, 0xFFFFFFFF, m_out, key));
    EXPECT_EQ(key, KeyCursor{0x100000000});  // past the highest key, without wrapping to 0
}

TEST_F(DBComTbTest, EncodeKeyInRangeNamesEveryKeyOrOnlyThoseThatExist)
{
    KeyCursor cursor = 4;
    KeyCursor key = 0;
    ASSERT_TRUE(m_table->EncodeKeyInRange(m_scale, cursor, 6, m_out, key, false));
    EXPECT_EQ(key, 4);
    EXPECT_EQ(m_buffer[1], 4);
    EXPECT_EQ(cursor, 5);

    cursor = 4;
    ASSERT_TRUE(m_table->EncodeKeyInRange(m_scale, cursor, 6, m_out, key, true));
    EXPECT_EQ(key, 5);
    EXPECT_FALSE(m_table->EncodeKeyInRange(m_scale, cursor, 6, m_out, key, true));
    EXPECT_EQ(key, 7);
}

TEST_F(DBComTbTest, AKeyRecordRefusedForItsValueIsReportedAndTheWalkGoesOn)
{
    // Rows are 3, 5, 7 and 12; key records of 7 to 9 are refused, from 40 none is made.
    struct Case {
        bool existingOnly;
        KeyCursor from;
        std::uint32_t high;
        std::vector<KeyCursor> encoded;
        std::vector<std::uint32_t> refused;
    };
    const Case cases[] = {
        {false, 6, 11, {6, 10, 11}, {7, 8, 9}},
        {false, 7, 9, {}, {7, 8, 9}},         // refused up to the range's end
        {false, 38, 45, {38, 39}, {}},        // a key the family takes no record of ends the walk
        {true, 1, 20, {3, 5, 12}, {7}},
        {true, 6, 8, {}, {7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.existingOnly << " " << c.from << ".." << c.high);
        RecordingRefusals refusals;
        m_out.refusals = &refusals;
        std::vector<KeyCursor> encoded;
        KeyCursor cursor = c.from;
        KeyCursor key = 0;
        while (m_table->EncodeKeyInRange(m_scale, cursor, c.high, m_out, key, c.existingOnly)) {
            ASSERT_EQ(m_buffer[1], static_cast<std::uint8_t>(key));
            encoded.push_back(key);
        }
        EXPECT_EQ(encoded, c.encoded);
        std::vector<std::uint32_t> refusedKeys;
        for (const auto& [refusedKey, field] : refusals.m_refused) {
            EXPECT_EQ(field, "key");
            refusedKeys.push_back(refusedKey);
        }
        EXPECT_EQ(refusedKeys, c.refused);
        EXPECT_TRUE(m_out.refusedField.empty());
    }

    // Without a listener the refusal goes to the event log, in both modes.
    m_out.refusals = nullptr;
    m_scale.m_name = "Deli";
    for (const bool existingOnly : {false, true}) {
        m_frame.m_events.clear();
        KeyCursor cursor = 7;
        KeyCursor key = 0;
        ASSERT_TRUE(m_table->EncodeKeyInRange(m_scale, cursor, 20, m_out, key, existingOnly));
        EXPECT_EQ(key, existingOnly ? 12 : 10);
        ASSERT_FALSE(m_frame.m_events.empty());
        EXPECT_EQ(m_frame.m_events.front(),
                  std::make_pair(std::uint16_t{3}, std::string("Scale [Deli] : record 7 was not sent: its key does not "
                                                               "fit the scale's record")));
    }
}

TEST_F(DBComTbTest, RequestsGoToTheDocumentOnlyForKeysTheTableHolds)
{
    EXPECT_TRUE(m_table->QueueKeySend(3, true));
    EXPECT_TRUE(m_table->QueueKeyDelete(7, false));
    EXPECT_TRUE(m_table->QueueRangeSend(1, 200, true));
    EXPECT_FALSE(m_table->QueueKeySend(0, true));
    EXPECT_FALSE(m_table->QueueKeyDelete(4, true));
    EXPECT_FALSE(m_table->QueueRangeSend(101, 200, true));
    ASSERT_EQ(m_document.m_sends.size(), 3u);
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, bool> expected[] = {
        {SendRecords, 3, 3, true}, {SendKeyDeletes, 7, 7, false}, {SendRecords, 1, 200, true}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& send = m_document.m_sends[i];
        ASSERT_EQ(send.requests.size(), 1u);
        EXPECT_FALSE(send.now);
        EXPECT_EQ(send.showResult, std::get<3>(expected[i]));
        EXPECT_EQ(send.requests[0].m_kind, std::get<0>(expected[i]));
        EXPECT_EQ(send.requests[0].m_tableId, 3);
        EXPECT_EQ(send.requests[0].m_rangeStart, std::get<1>(expected[i]));
        EXPECT_EQ(send.requests[0].m_rangeEnd, std::get<2>(expected[i]));
    }
    m_document.m_sendDataResult = false;
    EXPECT_FALSE(m_table->QueueKeySend(3, true));
}

TEST_F(DBComTbTest, ReceivedRecordsGoToTheDecoderOfTheScalesFamily)
{
    const std::pair<std::uint16_t, int> cases[] = {{9, 9}, {10, 10}, {11, 10}, {12, 10}, {6, 6},
                                                   {8, 6}, {2, 2},   {0, 0},   {7, 0},   {13, 0}};
    for (const auto& [family, decoder] : cases) {
        m_scale.m_scaleType = family;
        EXPECT_TRUE(m_table->ReceiveScaleRecord(m_scale, {}));
        EXPECT_EQ(m_table->m_decoder, decoder) << family;
    }
    m_frame.m_setup.m_defaultScaleFamily = 9;
    m_scale.m_scaleType = CLinkScaleSettings::kDefaultFamily;
    m_table->ReceiveScaleRecord(m_scale, {});
    EXPECT_EQ(m_table->m_decoder, 9);
}

TEST_F(DBComTbTest, CaptionsRightsAndLogLines)
{
    EXPECT_EQ(m_table->GetTableCaption(), "Advertising Message");

    RecordingPrompt prompt;
    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    user->m_tablePermission[3] = CDBComTb::kRightView;
    m_frame.m_access.m_users.Add(std::move(user));
    m_frame.m_access.m_users.SetCurrentUser(0);
    EXPECT_FALSE(m_table->CheckUserRights(CDBComTb::kRightDelete, true));
    EXPECT_FALSE(m_table->CheckUserRights(CDBComTb::kRightDelete, false));
    EXPECT_TRUE(m_table->CheckUserRights(CDBComTb::kRightView, true));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61328});

    m_table->LogRecordAdded(12, 20531, "extra", false);
    m_table->LogRecordUpdated(12, 0, "", true);
    m_table->LogRecordDeleted(13, 20531, false);
    const std::vector<std::pair<std::uint16_t, std::string>> expected{
        {0, " Op: <Batch file import> : Added Advertising Message No. 12 : extra"},
        {4, " : Updated Advertising Message No. 12"},
        {2, " Op: <Batch file import> : Deleted Advertising Message No. 13"}};
    EXPECT_EQ(m_frame.m_events, expected);
}

TEST_F(DBComTbTest, LinesSendsAndRightsGoToTheRolesTheTableWasMadeWith)
{
    RecordingPrompt prompt;
    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    m_frame.m_access.m_users.Add(std::move(user));
    m_frame.m_access.m_users.SetCurrentUser(0);
    // A frame installed after the table was made, with no document and every right, hears nothing.
    const TestMainFrame installed;
    m_frame.m_events.clear();

    m_table->LogRecordAdded(12, 0, "", false);
    m_out.refusals = nullptr;
    KeyCursor cursor = 7;
    KeyCursor key = 0;
    ASSERT_TRUE(m_table->EncodeKeyInRange(m_scale, cursor, 20, m_out, key, false));
    EXPECT_TRUE(m_table->QueueKeySend(3, false));
    EXPECT_FALSE(m_table->CheckUserRights(CDBComTb::kRightView, false));

    EXPECT_EQ(m_frame.m_events.size(), 4u);  // the added line and the refusals of keys 7 to 9
    EXPECT_TRUE(installed.m_events.empty());
    EXPECT_EQ(m_document.m_sends.size(), 1u);
}

}  // namespace
}  // namespace varnel::test
