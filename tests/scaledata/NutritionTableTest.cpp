// The nutrition table: the panel and the standard, custom, binary and comma-separated records worked
// out by hand for each family and market, key records, the decoders of records from scales, files and
// Data Save files, its rows in ".pld" and ".mdb" files and its send requests.
#include "ScaleDataFixture.h"

#include "comms/DataSaveFixture.h"
#include "comms/filelink/DataSaveStore.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/text/ScaleFontCodes.h"
#include "scaledata/NutritionTb.h"
#include "support/RecordingDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

std::string Repeat(const std::string& text, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

// A record of the comma-separated families: the header of its code's BCD digits, then the body.
std::string WithHeader(std::uint8_t code0, std::uint8_t code1, const std::string& body)
{
    return Header(code0, code1, static_cast<std::uint16_t>(body.size())) + body;
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class NutritionTableTest : public ScaleDataFixture {
protected:
    CNutritionTb& Nutrition() { return TableOf<CNutritionTb>(CNutritionTb::kTableNo); }

    void UseAusNz()
    {
        m_frame.m_setup.m_market = MarketAustralia;
        m_frame.m_setup.m_nutritionInUse = 1;
    }
    // The example row: key 123, 85g, 4 servings, 120 calories, 45 from fat, nutrient 1 "5" at 8 %.
    void AddStandard(std::uint32_t key, void (*shape)(StandardNutrition&) = nullptr)
    {
        auto row = std::make_unique<CNutritionRec>();
        StandardNutrition values = row->GetValues();
        values.plu = key;
        values.serveSize = "85g";
        values.serveCont = "4";
        values.calories = 120;
        values.fatCalories = 45;
        values.nutrients[0] = {"5", 8, 1};
        if (shape) shape(values);
        row->SetValues(values);
        ASSERT_TRUE(Nutrition().AddRecord(key, CNutritionRowBase::kSize, std::move(row)));
    }
    void AddPanel(std::uint32_t key, const std::string& extra1)
    {
        auto row = std::make_unique<CNutrPanelRec>();
        PanelNutrition panel;
        panel.plu = key;
        panel.serveCont = "4";
        panel.serveSize = "85";
        panel.extra1 = extra1;
        panel.nutrients[PanelEnergy - 1] = {"500", "1000", 1, 1};
        panel.nutrients[PanelProtein - 1] = {"5.0", "9", 0, 1};
        panel.nutrients[PanelExtra - 1] = {"2", "3", 1, 1};
        row->SetValues(panel);
        ASSERT_TRUE(Nutrition().AddRecord(key, CNutritionRowBase::kSize, std::move(row)));
    }
    BuiltRecord Record(std::uint16_t family, std::uint32_t key = 123)
    {
        return EncodeRow(Nutrition(), family, key);
    }
    BuiltRecord Key(std::uint16_t family, std::uint32_t key = 123)
    {
        return EncodeKey(Nutrition(), family, key);
    }
    StandardNutrition Values(std::uint32_t key)
    {
        const auto* row = dynamic_cast<const CNutritionRec*>(Nutrition().FindRecord(key));
        return row ? row->GetValues() : StandardNutrition{};
    }
    PanelNutrition Panel(std::uint32_t key)
    {
        const auto* row = dynamic_cast<const CNutrPanelRec*>(Nutrition().FindRecord(key));
        return row ? row->GetValues() : PanelNutrition{};
    }
    void DefineCustomFields()
    {
        m_frame.AddFieldDef(FieldDefMap::Nutrition, 1402).m_width = 3;
        m_frame.AddFieldDef(FieldDefMap::Nutrition, 1405).m_width = 2;
    }
};

// Nutrients 2 to 8, the percentages 9 to 12 and content 16 of the example row in the text record.
const std::string kTextTail = "  0g 0  0" "  0mg0  0" "   0mg0  0" "   0g 0  0" "  0g 0  0" "  0g 0  0" "  0g 0  0"
                              "0  0" "0  0" "0  0" "0  0" "   0g ";
// The example row's standard body: fixed unit bytes, 4-digit percentages.
const std::string kBinaryBody = "       85g\0   4\0\x01\x20\x00\x45"s + "  5\0\x01\x00\x08"s + "  0\0\x01\x00\x00"s +
                                "  0\0\x00\x00\x00"s + "   0\0\x00\x00\x00"s + "   0\0\x01\x00\x00"s +
                                Repeat("  0\0\x01\x00\x00"s, 3) + std::string(8, '\0');

TEST_F(NutritionTableTest, StandardRowsGoToEachFamilyInItsRecord)
{
    AddStandard(123);
    struct Case {
        const char* what;
        std::uint16_t family;
        std::uint16_t market;
        std::string bytes;  // empty: no record
        std::uint16_t code;
    };
    const Case cases[] = {
        {"text, market 0", 0, MarketUsa, "60000123       85g000000   4 120  45  5g 0  8" + kTextTail, 60},
        {"text, other markets", 2, MarketSouthAfrica, "6002000123       85g000000   4 120  45  5g 0  8" + kTextTail, 60},
        {"family 5 outside market 5 as family 0", 5, MarketUsa, "60000123       85g000000   4 120  45  5g 0  8" + kTextTail, 60},
        {"family 6", 6, MarketUsa, ShortHeader(0x46, 91) + "\x00\x00\x01\x23"s + kBinaryBody + '\0', 46},
        {"family 9", 9, MarketUsa,
         WithHeader(0x10, 0x26, R"(123,"\x0d\x03       85g",   4,120,45,5,8,)" + Repeat("0,", 19)), 1026},
        {"family 10", 10, MarketUsa,
         WithHeader(0x10, 0x26, R"(123,"       85g","   4",120,45,"5",1,8,"0",1,0,"0",0,0,"0",0,0,)"
                                R"("0",1,0,"0",1,0,"0",1,0,"0",1,0,0,0,0,0,"0",1,)"),
         1026},
        {"family 1 without the panel: none", 1, MarketUsa, "", 0},
        {"family 3: none", 3, MarketUsa, "", 0},
        {"family 7: none", 7, MarketUsa, "", 0},
    };
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.market;
        const BuiltRecord built = Record(c.family);
        EXPECT_EQ(built.made, !c.bytes.empty()) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
    EXPECT_EQ(Record(0).bytes.size(), 132u);
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(Record(0).bytes.size(), 134u);
}

TEST_F(NutritionTableTest, AValueWiderThanItsFieldRefusesTheRecord)
{
    AddStandard(123, [](StandardNutrition& v) { v.nutrients[0].percent = 1000; });
    EXPECT_EQ(Record(0).refusedField, "Percent");
    EXPECT_TRUE(Record(9).made);
    AddStandard(124, [](StandardNutrition& v) { v.calories = 10000; });
    EXPECT_EQ(Record(8, 124).refusedField, "Calories");
}

TEST_F(NutritionTableTest, CustomNutritionCarriesTheDefinedFields)
{
    DefineCustomFields();
    AddStandard(123, [](StandardNutrition& v) {
        v.energyKj = 500;
        v.nutrients[0].percent = 12;
        v.nutrients[3].percent = 7;
    });
    m_frame.m_setup.m_market = MarketHongKong;
    const BuiltRecord text = Record(5);
    EXPECT_EQ(text.bytes, "6002000123 500120 12 7" + std::string(21, '0'));
    EXPECT_EQ(text.bytes.size(), 43u);
    EXPECT_EQ(Record(8).bytes, ShortHeader(0x46, 31) + "\x00\x00\x01\x23\x05\x00\x01\x20\x12\x07"s + std::string(21, '\0'));
    EXPECT_EQ(Record(11).bytes, WithHeader(0x10, 0x26, "123,500,120,12,7,"));
    m_frame.m_setup.m_market = MarketSouthAfrica;
    EXPECT_EQ(Record(12).bytes.substr(8), "123,500,120,12,7,");

    // And back, from a text record while custom nutrition is in use (a family-5 scale in market 5).
    m_frame.m_setup.m_market = MarketHongKong;
    m_frame.m_setup.m_nutritionInUse = 1;
    AddLinkScale(5);
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(5), BytesOf("6002000200 900 80 33 4" + std::string(21, '0'))));
    EXPECT_EQ(Values(200).energyKj, 900);
    EXPECT_EQ(Values(200).calories, 80);
    EXPECT_EQ(Values(200).nutrients[0].percent, 33);
    EXPECT_EQ(Values(200).nutrients[3].percent, 4);
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x00\x00\x02\x01\x09\x00\x00\x80\x33\x04"s)));
    EXPECT_EQ(Values(201).energyKj, 900);
}

TEST_F(NutritionTableTest, PanelsHaveTenLinesOrElevenWithTheExtraNutrient)
{
    UseAusNz();
    AddPanel(123, "");
    AddPanel(124, "Fibre");
    const BuiltRecord family9 = Record(9);
    EXPECT_EQ(family9.code, 1044);
    EXPECT_TRUE(family9.bytes.substr(8).starts_with(R"(123,"\x0D\x01        NUTRITIONAL INFORMATION\x0D\x01SERVES/PACK 4      SERVE SIZE 85 g)"));
    EXPECT_TRUE(family9.bytes.ends_with("\","));
    EXPECT_EQ(Count(family9.bytes, R"(\x0D\x01)"), 10u);
    const std::string eleven = Record(9, 124).bytes;
    EXPECT_EQ(Count(eleven, R"(\x0D\x01)"), 11u);
    EXPECT_NE(eleven.find(R"(\x0D\x01Fibre                    2 g      3 g ",)"), std::string::npos);
    EXPECT_NE(eleven.find("ENERGY                 500 kJ  1000 kJ"), std::string::npos);
    EXPECT_NE(eleven.find("PROTEIN                5.0 mg     9 g "), std::string::npos);
    EXPECT_EQ(Record(10).code, 1005);

    bool effect2 = false;
    const char font7 = FontToScaleFontCode(CurrentTextRules(), 7, effect2);
    const std::string family0 = Record(0).bytes;
    EXPECT_TRUE(family0.starts_with("6002000123\x1B" "C"s + font7 + "        NUTRITIONAL INFORMATION"));
    EXPECT_TRUE(Record(2).bytes.starts_with("60000123\x1B"));
    EXPECT_TRUE(Record(1).made);
    EXPECT_FALSE(Record(3).made);
    EXPECT_FALSE(Record(8).made);  // families 6 and 8 take no panel

    // The PLU records take the lines without the prefix.
    EXPECT_TRUE(Nutrition().GetPanelText(0, 123).starts_with("\x1B" "C"s + font7 + "        NUTRITIONAL"));
}

TEST_F(NutritionTableTest, KeyRecordsNameTheKeyForEachFamily)
{
    struct Case {
        const char* what;
        std::uint16_t family;
        bool ausNz;
        bool made;
        std::string bytes;
        std::uint16_t code;
    };
    const Case cases[] = {
        {"family 0", 0, false, true, "24000123", 24},
        {"family 0, Australia/New Zealand", 0, true, true, "2402000123", 24},
        {"family 1", 1, false, false, "", 0},
        {"family 1, Australia/New Zealand", 1, true, true, "24000123", 24},
        {"family 8", 8, false, true, "\x00\x00\x01\x23"s, 15},
        {"family 9", 9, false, true, Header(0x00, 0x26, 4) + "123,", 26},
        {"family 10, Australia/New Zealand", 10, true, true, Header(0x00, 0x05, 4) + "123,", 5},
        {"family 11, Australia/New Zealand", 11, true, true, Header(0x00, 0x44, 4) + "123,", 44},
        {"family 3: empty, made", 3, false, true, "", 0},
    };
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.ausNz ? MarketNewZealand : MarketUsa;
        m_frame.m_setup.m_nutritionInUse = c.ausNz ? 1 : 0;
        const BuiltRecord built = Key(c.family);
        EXPECT_EQ(built.made, c.made) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
}

TEST_F(NutritionTableTest, StandardRecordsReadBackFromEachFamily)
{
    const auto shape = [](StandardNutrition& v) {
        v.nutrients[1] = {"1.5", 3, 1};
        v.nutrients[5] = {"2", 4, 0};
        v.nutrients[9].percent = 10;
        v.nutrients[15].content = "0.5";
    };
    struct Case {
        std::uint16_t family;
        std::uint16_t market;
        std::uint8_t unit6;  // the unit that comes back: the text record carries it, others fix it
        bool carriesContent16;
    };
    const Case cases[] = {{0, MarketUsa, 0, true},  {0, MarketSouthAfrica, 0, true}, {6, MarketUsa, 1, false},
                          {8, MarketNewZealand, 1, false}, {9, MarketUsa, 1, true}, {10, MarketUsa, 1, true}};
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.market;
        AddStandard(123, shape);
        const StandardNutrition sent = Values(123);
        const std::string record = Record(c.family).bytes.substr(c.family >= 6 ? 8 : 0);
        ASSERT_TRUE(Nutrition().DeleteKey(123));
        ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(c.family), BytesOf(record))) << c.family;
        const StandardNutrition back = Values(123);
        EXPECT_EQ(back.serveSize, sent.serveSize) << c.family;
        EXPECT_EQ(back.serveCont, sent.serveCont) << c.family;
        EXPECT_EQ(back.calories, sent.calories) << c.family;
        EXPECT_EQ(back.fatCalories, sent.fatCalories) << c.family;
        for (std::size_t i = 0; i < 15; ++i) {
            EXPECT_EQ(back.nutrients[i].content, sent.nutrients[i].content) << c.family << " " << i;
            EXPECT_EQ(back.nutrients[i].percent, sent.nutrients[i].percent) << c.family << " " << i;
        }
        EXPECT_EQ(back.nutrients[15].content, c.carriesContent16 ? "0.5" : "0") << c.family;
        EXPECT_EQ(back.nutrients[5].unit, c.unit6) << c.family;
        ASSERT_TRUE(Nutrition().DeleteKey(123));
    }

    // Keys outside the table pass with success; an unreadable one fails; family 2 sends none back.
    m_frame.m_setup.m_market = MarketUsa;
    EXPECT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(9), BytesOf("0,")));
    EXPECT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x00\x00\x00\x00"s)));
    EXPECT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(0), BytesOf("60000000")));
    EXPECT_FALSE(Nutrition().ReceiveScaleRecord(ScaleOf(9), BytesOf(",")));
    EXPECT_FALSE(Nutrition().ReceiveScaleRecord(ScaleOf(0), BytesOf("60AB")));
    EXPECT_FALSE(Nutrition().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x00\x00"s)));
    EXPECT_FALSE(Nutrition().ReceiveScaleRecord(ScaleOf(2), BytesOf("60000123")));
    EXPECT_EQ(Nutrition().GetRecordCount(), 0u);
    // A text record cut short stores what it holds and reads nothing past its end.
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(0), BytesOf("60000300      100g000000   2 150")));
    EXPECT_EQ(Values(300).serveSize, "100g");
    EXPECT_EQ(Values(300).serveCont, "2");
    EXPECT_EQ(Values(300).calories, 150);
    EXPECT_EQ(Values(300).fatCalories, 0);
}

TEST_F(NutritionTableTest, ReceivedPanelsReplaceEveryPanelField)
{
    UseAusNz();
    AddPanel(123, "Fibre");
    // A family-9 panel as this table writes it comes back whole.
    const std::string sent = Record(9, 123).bytes.substr(8);
    PanelNutrition expected = Panel(123);
    ASSERT_TRUE(Nutrition().DeleteKey(123));
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(9), BytesOf(sent)));
    const PanelNutrition back = Panel(123);
    EXPECT_EQ(back.serveCont, expected.serveCont);
    EXPECT_EQ(back.serveSize, expected.serveSize);
    EXPECT_EQ(back.extra1, "Fibre");
    for (const std::size_t n : {PanelEnergy, PanelProtein, PanelExtra}) {
        EXPECT_EQ(back.nutrients[n - 1].perServe, expected.nutrients[n - 1].perServe) << n;
        EXPECT_EQ(back.nutrients[n - 1].per100, expected.nutrients[n - 1].per100) << n;
    }
    EXPECT_EQ(back.nutrients[PanelProtein - 1].unitServe, 0);

    // Family 8's panel lines stand 42 bytes apart at the scales' places; what the text lacks is cleared.
    std::string body(460, ' ');
    const auto put = [&](std::size_t at, const std::string& text) { body.replace(at, text.size(), text); };
    put(50, "6");
    put(67, "100");
    put(138, "  700");
    put(147, " 1400");
    put(158 + 21, "  1.0 mg     2 g ");  // protein
    put(158 + 6 * 42, "Salt          ");
    put(158 + 6 * 42 + 21, "    3 g      4 mg");
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x00\x00\x01\x23"s + body)));
    const PanelNutrition lines = Panel(123);
    EXPECT_EQ(lines.serveCont, "6");
    EXPECT_EQ(lines.serveSize, "100");
    EXPECT_EQ(lines.extra1, "Salt");
    EXPECT_EQ(lines.nutrients[PanelEnergy - 1].per100, "1400");
    EXPECT_EQ(lines.nutrients[PanelProtein - 1].perServe, "1.0");
    EXPECT_EQ(lines.nutrients[PanelProtein - 1].unitServe, 0);
    EXPECT_EQ(lines.nutrients[PanelExtra - 1].unit100, 0);
    EXPECT_EQ(lines.nutrients[PanelTotalFat - 1].perServe, "");
    EXPECT_EQ(lines.nutrients[PanelTotalFat - 1].unitServe, 1);

    // A panel text shorter than 10 characters is not read.
    ASSERT_TRUE(Nutrition().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(125,"\x0D\x01",)")));
    EXPECT_EQ(Nutrition().FindRecord(125), nullptr);
}

TEST_F(NutritionTableTest, DataSaveAndFileRecordsGoBothWays)
{
    AddStandard(123, [](StandardNutrition& v) { v.nutrients[5].unit = 0; });
    std::array<std::uint8_t, 128> buffer{};
    const std::size_t length = Nutrition().EncodeItemRecord(*Nutrition().FindRecord(123), buffer);
    const std::string dataSave(reinterpret_cast<const char*>(buffer.data()), length);
    std::string ownUnits = kBinaryBody;
    ownUnits[61] = '\0';  // nutrient 6's unit, as the row has it
    EXPECT_EQ(dataSave, "\x00\x01\x23"s + ownUnits);
    EXPECT_EQ(dataSave.size(), 89u);
    EXPECT_EQ(Nutrition().EncodeItemRecord(*Nutrition().FindRecord(123), std::span(buffer).first(88)), 0u);

    // A held row changes only while the load overwrites.
    std::string changed = dataSave;
    changed[19] = 0x02;  // 220 calories
    EXPECT_TRUE(Nutrition().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(Values(123).calories, 120);
    m_frame.m_setup.m_overwriteExisting = 1;
    EXPECT_TRUE(Nutrition().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(Values(123).calories, 220);
    EXPECT_EQ(Values(123).nutrients[5].unit, 0);
    EXPECT_FALSE(Nutrition().DecodeItemRecord(BytesOf(changed.substr(0, 88))));

    // The file link's record: the key in six digits and the standard body with fixed units.
    std::uint16_t fileLength = 0;
    ASSERT_TRUE(Nutrition().EncodeLumenRecord(8, 123, buffer, fileLength));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), fileLength),
              "\x00\x01\x23"s + kBinaryBody.substr(0, 16) + "\x02\x20"s + kBinaryBody.substr(18));
    const std::string file(reinterpret_cast<const char*>(buffer.data()), fileLength);
    EXPECT_FALSE(Nutrition().EncodeLumenRecord(8, 999, buffer, fileLength));
    ASSERT_TRUE(Nutrition().DeleteKey(123));
    EXPECT_TRUE(Nutrition().DecodeLumenRecord(7, BytesOf(file)));
    EXPECT_EQ(Values(123).calories, 220);
    EXPECT_FALSE(Nutrition().DecodeLumenRecord(0, BytesOf(file)));
}

TEST_F(NutritionTableTest, NutritionGoesThroughAWholeDataSaveFileAsItWasRead)
{
    AddStandard(123, [](StandardNutrition& v) { v.nutrients[6].unit = 0; });
    AddStandard(999999);
    std::array<std::uint8_t, 128> buffer{};
    std::string section;
    for (const std::uint32_t key : {123u, 999999u}) {
        const std::size_t length = Nutrition().EncodeItemRecord(*Nutrition().FindRecord(key), buffer);
        section += WithLength(std::string(reinterpret_cast<const char*>(buffer.data()), length));
    }
    ASSERT_TRUE(Nutrition().DeleteKey(123));
    ASSERT_TRUE(Nutrition().DeleteKey(999999));
    TempDir dir;
    const std::string path = dir.File("ingr.dsv");
    WriteWholeFile(path, DataSaveBytes({{"INGR", section}}));
    CDataSaveStore store(m_database, nullptr, m_frame.m_setup);
    CDataSaveFiles files(store, LinkRoles::Of(m_frame));
    ASSERT_TRUE(files.LoadDataSaveFile(path));
    EXPECT_EQ(Values(123).nutrients[6].unit, 0);
    EXPECT_EQ(Values(999999).calories, 120);
    const std::string rewritten = dir.File("again.dsv");
    ASSERT_TRUE(files.WriteDataSaveFile(rewritten));
    EXPECT_EQ(ReadWholeFile(rewritten), DataSaveBytes({{"INGR", section}}));
}

TEST_F(NutritionTableTest, RowsKeepEveryUnitFlagAndEnergyInPldAndMdbFiles)
{
    TempDir dir;
    for (const bool panel : {false, true}) {
        m_frame.m_setup.m_market = panel ? MarketAustralia : MarketUsa;
        m_frame.m_setup.m_nutritionInUse = panel ? 1 : 0;
        for (const char* name : {"plu.pld", "plu.mdb"}) {
            const std::string path = dir.File(std::string(panel ? "panel-" : "") + name);
            StandardNutrition standard = CNutritionRec().GetValues();
            PanelNutrition panelValues;
            for (std::size_t i = 0; i < kNutrients; ++i) {
                standard.nutrients[i] = {std::to_string(i), static_cast<std::uint16_t>(i * 3), static_cast<std::uint8_t>(i % 2)};
                panelValues.nutrients[i] = {std::to_string(i), std::to_string(i + 1), static_cast<std::uint8_t>(i % 3 == 0),
                                            static_cast<std::uint8_t>(i % 2)};
            }
            standard.energyKj = 0x1234;
            panelValues.extra1 = "Fibre";
            {
                const auto db = OpenDatabaseFile(path, true);
                ASSERT_NE(db, nullptr);
                auto& table = dynamic_cast<CNutritionTb&>(*db->GetTable(CNutritionTb::kTableNo));
                std::unique_ptr<CDBRecord> row = table.CreateRecord(512);
                if (panel)
                    dynamic_cast<CNutrPanelRec&>(*row).SetValues(panelValues);
                else
                    dynamic_cast<CNutritionRec&>(*row).SetValues(standard);
                ASSERT_TRUE(table.AddRecord(7, CNutritionRowBase::kSize, std::move(row)));
            }
            const auto reopened = OpenDatabaseFile(path, false);
            ASSERT_NE(reopened, nullptr) << name;
            const CDBRecord* row = reopened->GetTable(CNutritionTb::kTableNo)->FindRecord(7);
            ASSERT_NE(row, nullptr) << name;
            if (panel) {
                const PanelNutrition back = dynamic_cast<const CNutrPanelRec&>(*row).GetValues();
                EXPECT_EQ(back.extra1, "Fibre") << name;
                for (std::size_t i = 0; i < kNutrients; ++i) {
                    EXPECT_EQ(back.nutrients[i].per100, panelValues.nutrients[i].per100) << name << i;
                    EXPECT_EQ(back.nutrients[i].unitServe, panelValues.nutrients[i].unitServe) << name << i;
                    EXPECT_EQ(back.nutrients[i].unit100, panelValues.nutrients[i].unit100) << name << i;
                }
            } else {
                const StandardNutrition back = dynamic_cast<const CNutritionRec&>(*row).GetValues();
                EXPECT_EQ(back.energyKj, 0x1234) << name;
                for (std::size_t i = 0; i < kNutrients; ++i) {
                    EXPECT_EQ(back.nutrients[i].content, standard.nutrients[i].content) << name << i;
                    EXPECT_EQ(back.nutrients[i].percent, standard.nutrients[i].percent) << name << i;
                    EXPECT_EQ(back.nutrients[i].unit, standard.nutrients[i].unit) << name << i;
                }
            }
        }
    }
}

TEST_F(NutritionTableTest, NewNumbersAndRequestsForTheScales)
{
    EXPECT_EQ(Nutrition().GetFreeNumber(5), 5u);
    EXPECT_EQ(Nutrition().GetFreeNumber(0), 1u);
    for (const std::uint32_t key : {1u, 2u, 4u}) AddStandard(key);
    EXPECT_EQ(Nutrition().GetFreeNumber(2), 3u);
    EXPECT_EQ(Nutrition().GetFreeNumber(7), 7u);
    AddStandard(3);
    EXPECT_EQ(Nutrition().GetFreeNumber(4), 5u);

    RecordingDocument document(m_frame);
    // Without standard or custom nutrition nothing is queued, and that is success.
    EXPECT_TRUE(Nutrition().QueueKeySend(1, false));
    EXPECT_TRUE(Nutrition().QueueKeyDelete(1, false));
    EXPECT_TRUE(Nutrition().QueueRangeSend(1, 4, false));
    EXPECT_TRUE(document.m_sends.empty());
    m_frame.m_setup.m_nutritionInUse = 1;
    EXPECT_TRUE(Nutrition().QueueKeySend(1, false));
    ASSERT_EQ(document.m_sends.size(), 1u);
    EXPECT_EQ(document.m_sends[0].requests[0].m_tableId, CNutritionTb::kTableNo);

    document.m_sends.clear();
    EXPECT_TRUE(Nutrition().QueueDeleteRange(2, 3));
    ASSERT_EQ(document.m_sends.size(), 1u);
    ASSERT_EQ(document.m_sends[0].requests.size(), 2u);
    EXPECT_EQ(document.m_sends[0].requests[1].m_kind, SendExistingDeletes);
    EXPECT_EQ(document.m_sends[0].requests[1].m_rangeStart, 3u);
    EXPECT_TRUE(Nutrition().QueueDeleteAll(false));
    EXPECT_EQ(document.m_sends[1].requests[0].m_kind, SendKeyDeletes);
    document.m_sendNowResult = 61218;
    EXPECT_FALSE(Nutrition().QueueDeleteAll(false));
}

TEST_F(NutritionTableTest, AnInactivePluKeepsItsNutritionOffTheScales)
{
    AddStandard(123);
    auto& plus = *m_database.GetPluTable();
    auto plu = std::make_unique<CPluDefRec>();
    plus.InitNewPlu(123, *plu);
    plu->Set(PluCol::CtrlFlag, 1);
    const std::uint16_t size = plu->CalcDataSize();
    ASSERT_TRUE(plus.AddRecord(123, size, std::move(plu)));
    EXPECT_TRUE(Record(0).made);
    m_frame.m_setup.m_pluActiveInactive = 1;
    EXPECT_FALSE(Record(0).made);
}

}  // namespace
}  // namespace varnel::test
