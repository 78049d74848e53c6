// The pop-up and origin, storage, department and group name and free-message name tables: their
// records for each family and the records they store.
#include "ScaleDataFixture.h"

#include "scaledata/EditFreeMsgNamesForm.h"
#include "scaledata/FreeMsgNameTb.h"
#include "scaledata/MessageRules.h"
#include "scaledata/PopMsgTb.h"
#include "scaledata/PopMsgText.h"
#include "scaledata/RuxDeptTb.h"
#include "scaledata/ShortMsgTb.h"
#include "support/RecordingDocument.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class ShortTextTablesTest : public ScaleDataFixture {
protected:
    template <class Table>
    static BuiltRecord Encode(Table& table, std::uint16_t family, std::uint32_t key)
    {
        return BuildInto([&](ScaleRecordOut& out) {
            const BuildLock lock = table.LockRecordBuild();
            return table.EncodeRecord(lock, ScaleOf(family), *table.FindRecord(key), out);
        });
    }
    template <class Table>
    static BuiltRecord EncodeKey(Table& table, std::uint16_t family, std::uint32_t key)
    {
        return BuildInto([&](ScaleRecordOut& out) {
            const BuildLock lock = table.LockRecordBuild();
            return table.EncodeKeyRecord(lock, ScaleOf(family), key, out);
        });
    }
    // Adds a row of the table's row class, shaped by `fill`.
    template <class Row, class Table, class Fill>
    static void AddRow(Table& table, std::uint32_t key, Fill fill)
    {
        auto row = std::make_unique<Row>();
        fill(*row);
        ASSERT_TRUE(table.AddRecord(key, static_cast<std::uint16_t>(Row::kSize), std::move(row)));
    }

    CPopMsgTb& Pop() { return TableOf<CPopMsgTb>(37); }
    CPopMsgTb& Origin() { return TableOf<CPopMsgTb>(79); }
    CShortMsgTb& StorageTemp() { return TableOf<CShortMsgTb>(80); }
    CRuxDeptTb& Departments() { return TableOf<CRuxDeptTb>(82); }
    CRuxDeptTb& Groups() { return TableOf<CRuxDeptTb>(83); }
    CFreeMsgNameTb& FreeNames() { return TableOf<CFreeMsgNameTb>(77); }
};

TEST_F(ShortTextTablesTest, StyleCodesAreStrippedOrMadeStyleTwoThroughout)
{
    const std::string c1 = "\x1B" "C1", c2 = "\x1B" "C2", d1 = "\x1B" "D1", d2 = "\x1B" "D2";
    struct Case {
        std::string text, stripped, wrapped;
    } const cases[] = {
        {"", "", d2},
        {"AB", "AB", "AB" + d2},
        {c1 + d1 + "AB" + d1, c1 + "AB", c1 + d2 + "AB" + d2},
        {c1 + "AB" + c2 + "CD", c1 + "AB" + c2 + "CD", c1 + d2 + "AB" + d2 + c2 + d2 + "CD" + d2},
        {"AB\x1B" "D", "AB\x1B" "D", "AB\x1B" "D" + d2},  // a code cut by the end is no style code
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StripStyleCodes(c.text), c.stripped) << c.text;
        EXPECT_EQ(WrapStyleTwo(c.text), c.wrapped) << c.text;
    }
}

TEST_F(ShortTextTablesTest, PopMessagesStartAt7WhileAFamily0ScaleIsInUseAndOriginMessagesDoNot)
{
    AddLinkScale(0);
    EXPECT_FALSE(Pop().IsKeyAllowed(5));
    EXPECT_TRUE(Pop().IsKeyAllowed(7));
    EXPECT_TRUE(Origin().IsKeyAllowed(5));
    EXPECT_TRUE(Pop().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(5,"AB",)")));
    EXPECT_EQ(Pop().GetRecordCount(), 0u);
    EXPECT_TRUE(Origin().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(5,"AB",)")));
    ASSERT_NE(Origin().FindMessage(5), nullptr);
    EXPECT_EQ(Origin().FindMessage(5)->GetText(), "AB");
    EXPECT_EQ(Origin().FindMessage(5)->GetLength(), 128);
    // Market 10 with a family-6 scale: 99 at most.
    m_frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(Pop().GetMaxKey(), 999u);
    AddLinkScale(6);
    EXPECT_EQ(Pop().GetMaxKey(), 99u);
    EXPECT_EQ(Origin().GetMaxKey(), 999u);
}

TEST_F(ShortTextTablesTest, PopRecordsForEachFamily)
{
    AddRow<CPopMsgRec>(Pop(), 5, [](CPopMsgRec& r) { r.SetText("\x1B" "D1" "ABCDEFGHIJKLMNOPQRST"); });
    AddRow<CPopMsgRec>(Origin(), 5, [](CPopMsgRec& r) { r.SetText("AB"); });
    EXPECT_FALSE(Encode(Pop(), 0, 5).made);  // family 0 only in market 10
    m_frame.m_setup.m_market = MarketTaiwan;
    const BuiltRecord family0 = Encode(Pop(), 0, 5);
    EXPECT_EQ(family0.bytes, "610205ABCDEFGHIJKLMNOP"s + '\0');
    EXPECT_EQ(family0.code, 61);
    EXPECT_EQ(EncodeKey(Pop(), 0, 5).bytes, "210205");

    m_frame.m_setup.m_market = MarketUsa;
    const BuiltRecord family6 = Encode(Pop(), 6, 5);
    EXPECT_EQ(family6.code, 49);
    EXPECT_EQ(family6.bytes, "\x49\0\0\0\0\0\x12\0"s + "\x05\x0F\x00"s + "ABCDEFGHIJKLMNO");
    EXPECT_EQ(EncodeKey(Pop(), 6, 5).bytes, "\x05");
    EXPECT_EQ(EncodeKey(Pop(), 6, 5).code, 18);
    EXPECT_FALSE(Encode(Origin(), 6, 5).made);
    EXPECT_FALSE(EncodeKey(Origin(), 6, 5).made);

    // Family 9 in a system of family-0 scales gets the text in style 2; the default family 9 as stored.
    const BuiltRecord wrapped = Encode(Origin(), 9, 5);
    EXPECT_EQ(wrapped.code, 1012);
    EXPECT_EQ(wrapped.bytes, Header(0x10, 0x12, 11) + R"(5,"AB\x06",)");
    m_frame.m_setup.m_defaultScaleFamily = 9;
    EXPECT_EQ(Encode(Origin(), 9, 5).bytes, Header(0x10, 0x12, 7) + R"(5,"AB",)");
    EXPECT_EQ(EncodeKey(Origin(), 9, 5).bytes, Header(0x00, 0x12, 2) + "5,");
    EXPECT_EQ(Encode(Pop(), 11, 5).code, 1011);
    EXPECT_FALSE(Encode(Origin(), 11, 5).made);
}

TEST_F(ShortTextTablesTest, ABinaryPopRecordOfNumber0FailsAndOthersAreStoredWithoutALabelWidth)
{
    EXPECT_FALSE(Pop().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x00\x02\x00" "AB"s)));
    EXPECT_FALSE(Pop().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x05\x02"s)));
    EXPECT_TRUE(Pop().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x08\x09\x00" "AB"s)));  // length cut to the record
    ASSERT_NE(Pop().FindMessage(8), nullptr);
    EXPECT_EQ(Pop().FindMessage(8)->GetText(), "AB");
    EXPECT_EQ(Pop().FindMessage(8)->GetLabelWidth(), 0);
}

TEST_F(ShortTextTablesTest, StorageMessagesGoWhereTheSetupAssignsThem)
{
    AddRow<CShortMsgRec>(StorageTemp(), 5, [](CShortMsgRec& r) { r.SetText("AB"); });
    EXPECT_FALSE(Encode(StorageTemp(), 0, 5).made);
    EXPECT_EQ(Encode(StorageTemp(), 9, 5).code, 1013);
    EXPECT_EQ(Encode(StorageTemp(), 11, 5).code, 1013);
    m_frame.m_setup.m_messageFileMapping[1] = MsgStorageTemp;  // slot 2
    const BuiltRecord family0 = Encode(StorageTemp(), 0, 5);
    EXPECT_EQ(family0.bytes, "3505AB"s + '\0');
    EXPECT_EQ(EncodeKey(StorageTemp(), 0, 5).bytes, "1305");

    // Received: numbers above 99 skipped; the name from the text, at most 30 bytes.
    EXPECT_TRUE(StorageTemp().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(100,"AB",)")));
    EXPECT_EQ(StorageTemp().GetRecordCount(), 1u);
    EXPECT_TRUE(StorageTemp().ReceiveScaleRecord(ScaleOf(9), BytesOf("7,\"\\x0D\\x0D" + std::string(40, 'N') + "\",")));
    ASSERT_NE(StorageTemp().FindMessage(7), nullptr);
    EXPECT_EQ(StorageTemp().FindMessage(7)->GetName(), std::string(30, 'N'));
    EXPECT_EQ(StorageTemp().FindMessage(7)->GetLength(), 288);
    CShortMsgRec typed;
    typed.SetName(std::string(31, 'x'));
    EXPECT_EQ(typed.GetName().size(), 30u);
    typed.SetText("AB");
    EXPECT_EQ(typed.CalcDataSize(), 40);
}

TEST_F(ShortTextTablesTest, DepartmentAndGroupNamesGoToTheCommaSeparatedFamiliesOnly)
{
    AddRow<CRuxDeptRec>(Departments(), 3, [](CRuxDeptRec& r) { r.SetName(std::string(40, 'D')); });
    const BuiltRecord built = Encode(Departments(), 10, 3);
    EXPECT_EQ(built.code, 1015);
    EXPECT_EQ(built.bytes, Header(0x10, 0x15, 33) + "3,\"" + std::string(28, 'D') + "\",");
    EXPECT_EQ(EncodeKey(Groups(), 12, 3).code, 16);
    EXPECT_EQ(EncodeKey(Departments(), 9, 3).bytes, Header(0x00, 0x15, 2) + "3,");
    EXPECT_FALSE(Encode(Departments(), 0, 3).made);
    EXPECT_FALSE(EncodeKey(Departments(), 6, 3).made);

    EXPECT_TRUE(Groups().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(10000,"X",)")));
    EXPECT_EQ(Groups().GetRecordCount(), 0u);
    EXPECT_TRUE(Groups().ReceiveScaleRecord(ScaleOf(11), BytesOf(R"(12,"\x0D\x0DMeat",)")));
    ASSERT_NE(Groups().FindName(12), nullptr);
    EXPECT_EQ(Groups().FindName(12)->GetName(), "\x1B" "C2Meat");
    DescLine line;
    Groups().GetDescLine(*Groups().FindName(12), 0, 3, line, CharRule{});
    EXPECT_EQ(line.text, "Mea");
    EXPECT_EQ(line.font, '2');
    EXPECT_EQ(Groups().FindName(12)->CalcDataSize(), 8);
}

TEST_F(ShortTextTablesTest, FreeMessageNamesAreEditedInTheDefaultFamilysLengthAndEverySetIsSent)
{
    m_frame.m_setup.m_defaultScaleFamily = 11;
    RecordingDocument document(m_frame);
    AddRow<CFreeMsgNameRec>(FreeNames(), 2, [](CFreeMsgNameRec& r) { r.SetArea("plain"); });
    AddRow<CFreeMsgNameRec>(FreeNames(), 3, [](CFreeMsgNameRec& r) { r.SetArea("\x1B" "C0Kept"); });
    CEditFreeMsgNamesForm form(FreeNames());
    EXPECT_EQ(form.GetMaxLength(), 15u);
    EXPECT_EQ(form.GetName(2), "");  // not opened by ESC 'C'
    EXPECT_EQ(form.GetName(3), "Kept");
    form.SetName(1, "ABCDEFGHIJKLMNOPQRST");
    ASSERT_TRUE(form.OnOK());
    EXPECT_EQ(FreeNames().FindName(1)->GetArea(), "\x1B" "C0ABCDEFGHIJKLMNO");
    EXPECT_EQ(FreeNames().FindName(2)->GetArea(), "\x1B" "C0");
    EXPECT_EQ(FreeNames().FindName(3)->GetArea(), "\x1B" "C0Kept");
    EXPECT_EQ(FreeNames().GetRecordCount(), 5u);
    ASSERT_EQ(document.m_sends.size(), 5u);
    EXPECT_EQ(document.m_sends[4].requests.front().m_tableId, 77);
    // Only the changed names are logged.
    EXPECT_EQ(m_frame.m_events.size(), 2u);

    const BuiltRecord family11 = Encode(FreeNames(), 11, 1);
    EXPECT_EQ(family11.code, 1009);
    EXPECT_EQ(EncodeKey(FreeNames(), 9, 1).code, 9);
    EXPECT_FALSE(Encode(FreeNames(), 0, 1).made);
    EXPECT_FALSE(EncodeKey(FreeNames(), 0, 1).made);
    EXPECT_TRUE(FreeNames().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(6,"X",)")));
    EXPECT_EQ(FreeNames().FindName(6), nullptr);
}

}  // namespace
}  // namespace varnel::test
