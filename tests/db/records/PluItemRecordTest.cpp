// The item record of Data Save files and the file link: its layout, both forms, and the records that
// are refused.
#include "PluDecodeFixture.h"

#include "platform/ByteOrder.h"

#include <algorithm>

namespace varnel::test {
namespace {

class PluItemRecordTest : public PluDecodeFixture {
protected:
    std::string Encode(std::uint32_t plu)
    {
        std::array<std::uint8_t, 2400> buffer{};
        const std::size_t length = Plus().EncodeItemRecord(*Find(plu), buffer);
        return std::string(reinterpret_cast<const char*>(buffer.data()), length);
    }
    bool Decode(const std::string& record) { return Plus().DecodeItemRecord(Bytes(record)); }

    // A short-form record of PLU 000123 with `text` and its length field.
    static std::string ShortRecord(std::string_view text, std::uint16_t textLength, std::uint8_t salesMode = 0)
    {
        std::string record(66, '\0');
        record[1] = '\x01';
        record[2] = '\x23';
        record[3] = static_cast<char>(salesMode);
        StoreLe16(reinterpret_cast<std::uint8_t*>(record.data()) + 64, textLength);
        return record + std::string(text);
    }
};

TEST_F(PluItemRecordTest, RecordsTooShortForTheirFixedPartOrTextAreRefused)
{
    EXPECT_FALSE(Decode(std::string(65, '\0')));
    EXPECT_FALSE(Decode(ShortRecord("", 2051) + std::string(2051, 'a')));
    EXPECT_FALSE(Decode(ShortRecord("\r\x03" "Ab", 5))) << "the text length says more than the record holds";
    m_frame.m_setup.m_itemRecordExtension = 1;
    EXPECT_FALSE(Decode(ShortRecord("", 0) + std::string(13, '\0'))) << "79 bytes in the long form";
    EXPECT_EQ(Plus().GetRecordCount(), 0u);
}

TEST_F(PluItemRecordTest, A66ByteRecordWithoutTextGivesAPluWithAnEmptyDescription)
{
    ASSERT_TRUE(Decode(ShortRecord("", 0)));
    ASSERT_NE(Find(123), nullptr);
    EXPECT_EQ(Find(123)->GetDesc(), "");
    ASSERT_TRUE(Decode(ShortRecord("\r\x03" "Ab", 4)));
    EXPECT_EQ(Find(123)->GetDesc(), "") << "an existing PLU is kept without the overwrite option";
    m_frame.m_setup.m_overwriteExisting = 1;
    ASSERT_TRUE(Decode(ShortRecord("\r\x03" "Ab", 4)));
    EXPECT_EQ(Find(123)->GetDesc(), "\x1B" "C0Ab");
    EXPECT_EQ(Find(123)->Get(PluCol::Name), "Ab");
}

TEST_F(PluItemRecordTest, SalesMode1TakesThePriceAtOffset7IntoFixedAndUnitPrice)
{
    std::string record = ShortRecord("", 0, 1);
    record[4] = '\x00';
    record[5] = '\x55';
    record[6] = '\x55';  // 5555 at offset 4
    record[8] = '\x01';
    record[9] = '\x23';
    record[10] = '\x45';  // 12345 at offset 7
    ASSERT_TRUE(Decode(record));
    EXPECT_EQ(Find(123)->Get(PluCol::FixedPrice), 12345);
    EXPECT_EQ(Find(123)->Get(PluCol::UnitPrice), 12345);
    record[3] = '\x00';
    m_frame.m_setup.m_overwriteExisting = 1;
    ASSERT_TRUE(Decode(record));
    EXPECT_EQ(Find(123)->Get(PluCol::UnitPrice), 5555);
    EXPECT_EQ(Find(123)->Get(PluCol::FixedPrice), 12345);
}

// The columns an item record carries, and those only the long form does.
constexpr std::string_view kItemColumns[] = {
    "SalesMode", "UnitPrice", "Weight",  "PackQuant", "CostPrice", "MarkFlag", "MarkPrice", "Tare",   "DateFlag",
    "ShelfLife", "TimeFlag",  "PackTime", "ExpTimeFlag", "ExpTime", "PosSelect", "Posflag", "Dept",   "Group",
    "ItemCode",  "Message1",  "Message7", "Coupon",   "Nutrition", "TaxNo",    "OpenPrice", "ForcedTare"};
constexpr std::string_view kLongFormColumns[] = {"UpperLimit", "LowerLimit", "TrayNo",      "WrappingMode",
                                                 "WrappingSpeed", "Volume", "LabellingPos"};

TEST_F(PluItemRecordTest, EveryFieldOfBothFormsReadsBack)
{
    for (const std::uint16_t extension : {0, 1}) {
        m_frame.m_setup.m_itemRecordExtension = extension;
        AddGoldenPlus(Plus());
        CPluDefRec& original = *Find(123);
        original.SetDesc("\x1B" "C3Beef \x1B" "D1rump\x1B" "D1\x1B" "C4steak", CharRule{});
        const CPluDefRec expected = original;
        const std::string record = Encode(123);
        ASSERT_EQ(record.size(), (extension == 0 ? 66u : 80u) + 20u) << extension;  // two lines and two effects
        for (const std::uint32_t plu : kGoldenPlus) ASSERT_TRUE(Plus().DeleteKey(plu));
        ASSERT_TRUE(Decode(record));
        const CPluDefRec& decoded = *Find(123);
        const auto expectSame = [&](std::string_view name) {
            const ColumnDef& column = *std::ranges::find(kPluColumns, name, &ColumnDef::name);
            const auto bytes = [&](const CPluDefRec& r) {
                return std::string(reinterpret_cast<const char*>(r.Bytes().data()) + column.offset, column.size);
            };
            EXPECT_EQ(bytes(decoded), bytes(expected)) << name << " in form " << extension;
        };
        for (const std::string_view name : kItemColumns) expectSame(name);
        if (extension == 1)
            for (const std::string_view name : kLongFormColumns) expectSame(name);
        EXPECT_EQ(decoded.GetDesc(), expected.GetDesc());
        EXPECT_EQ(decoded.Get(PluCol::FixedPrice), 1234) << "the price of sales mode 1 is the fixed price too";
        EXPECT_EQ(decoded.Get(PluCol::PosCode), "0000012345") << "10 digits";
        EXPECT_EQ(decoded.Get(PluCol::RegCode), "0420") << "3 digits written, 4 read back";
        ASSERT_TRUE(Plus().DeleteKey(123));
    }
}

TEST_F(PluItemRecordTest, APluThatDoesNotFitIsNotEncoded)
{
    AddPlu(999999);
    EXPECT_EQ(Encode(999999).size(), 66u + 8u);  // CR, font and "Apples"
    m_frame.m_setup.m_maxPluNo = 9999999;
    AddPlu(1000000);
    EXPECT_EQ(Encode(1000000), "");
    AddPlu(5, [](CPluDefRec& r) { r.Set(PluCol::Tare, 10000); });
    EXPECT_EQ(Encode(5), "") << "a value wider than its field refuses the record";
    std::array<std::uint8_t, 65> small{};
    EXPECT_EQ(Plus().EncodeItemRecord(*Find(999999), small), 0u);
}

TEST_F(PluItemRecordTest, AnOverwrittenPluStaysAsItWasWhenTheRecordTurnsOutBad)
{
    AddPlu(123, [](CPluDefRec& r) { r.Set(PluCol::UnitPrice, 77); });
    m_frame.m_setup.m_overwriteExisting = 1;
    // 2050 attribute bytes become 6150 bytes of escape codes: more than a description holds.
    EXPECT_FALSE(Decode(ShortRecord(std::string(2050, '\x02'), 2050)));
    EXPECT_EQ(Find(123)->Get(PluCol::UnitPrice), 77);
    EXPECT_EQ(Find(123)->GetDesc(), "\x1B" "C3Apples");
}

}  // namespace
}  // namespace varnel::test
