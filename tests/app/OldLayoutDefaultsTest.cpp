// What a database older than 326 gains on conversion beyond its own steps: the four one-byte PLU
// settings it had no room for, and layout keyboards made from its keyboard tables, which reach the
// frame only once the converted database is saved.
#include "DocumentFixture.h"
#include "app/KeyboardTables.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/LinkScale.h"

namespace varnel::test {
namespace {

// The tray flag, wrapping mode, labelling mode and conveyor speed of a stored PLU row.
std::string NewSettings(const std::string& row)
{
    return Slice(row, 224, 1) + Slice(row, 230, 1) + Slice(row, 237, 1) + Slice(row, 246, 1);
}

class OldLayoutDefaults : public DocumentTest {
protected:
    OldLayoutDefaults()
    {
        host.m_department = std::make_unique<CMasterScale>();
        host.m_department->m_database = "set";  // the conversion is saved in place
    }

    std::string Convert(const std::string& name, std::uint16_t version, const std::vector<FixtureRow>& rows)
    {
        const std::string path = dir.File(name);
        if (name.ends_with(".mdb"))
            WriteMdb(path, version, rows);
        else
            WriteWholeFile(path, PldImage(version, rows));
        EXPECT_TRUE(doc->OpenDatabase(path)) << name;
        doc->CloseDatabase();
        EXPECT_EQ(StoredVersion(path), 327) << name;
        return path;
    }

    void AddScale(std::uint16_t scaleNo, std::uint16_t family)
    {
        if (!host.GetLinks().FindLink(1)) {
            auto link = std::make_unique<CIdEnqComLink>(clock, RealFileSystem());
            link->m_linkId = 1;
            host.GetLinks().Add(std::move(link));
        }
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_scaleType = family;
        host.GetLinks().FindLink(1)->m_scales.push_back(std::move(scale));
    }

    // A template keyboard whose every key is labelled with its type.
    void AddLayout(std::uint16_t sysType)
    {
        CKeyboard& layout = host.m_layouts[sysType];
        for (CKbdKey& key : layout.m_keys) key.m_keyText = "T" + std::to_string(sysType);
    }
};

const std::string kWritten("\x07\x07\x07\x07", 4);

TEST_F(OldLayoutDefaults, RowsOlderThan326GetTheFourNewSettingsInEitherKindOfDatabase)
{
    const struct {
        const char* name;
        std::uint16_t version;
        std::string expected;
    } cases[] = {
        {"Relay.pld", 300, std::string("\x02\x01\x01\x01", 4)},
        {"Prices.pld", 322, std::string("\x02\x01\x01\x01", 4)},
        {"Zones.pld", 204, std::string("\x02\x01\x01\x01", 4)},
        {"Relay.mdb", 310, std::string("\x02\x01\x01\x01", 4)},
        {"Six.pld", 326, kWritten},
    };
    for (const auto& c : cases) {
        const std::string path = Convert(
            c.name, c.version, {{2, 5, DataBlock(300, {{224, "\x07"}, {230, "\x07"}, {237, "\x07"}, {246, "\x07"}})}});
        EXPECT_EQ(NewSettings(StoredData(path, 2, 5)), c.expected) << c.name;
    }
}

TEST_F(OldLayoutDefaults, AKeyOfAPageLandsInItsLayoutCell)
{
    const struct {
        std::uint8_t position;
        std::uint16_t sysType;
        std::size_t cell;
    } cases[] = {
        {1, 6, 0},     {11, 6, 10},  {12, 6, 15},   {12, 2, 11},   {88, 6, 115},
        {88, 2, 87},   {89, 6, 120}, {100, 2, 131}, {100, 6, 135}, {176, 6, 235},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyboardCellOf(c.position, c.sysType), c.cell)
            << "key " << int{c.position} << " type " << c.sysType;
}

std::string KeyRow(std::uint8_t position, std::uint8_t code, std::uint32_t value)
{
    return DataBlock(12, {{4, std::string{static_cast<char>(position), static_cast<char>(code)}}, {8, Le32(value)}});
}

TEST_F(OldLayoutDefaults, KeyboardTablesBecomeLayoutKeyboardsOfTheirScalesFamilies)
{
    AddScale(11, 2);
    AddLayout(2);
    AddLayout(8);
    const std::string path = Convert("Keys.pld", 300,
                                     {{12, 11, DataBlock(4, {{0, Le16(6)}})},
                                      {12, 12, DataBlock(4, {{0, Le16(8)}})},
                                      {13, 11 * 65536 + 1, KeyRow(1, 40, 1234)},
                                      {13, 11 * 65536 + 100, KeyRow(100, 41, 99)},
                                      {13, 12 * 65536 + 12, KeyRow(12, 42, 7)}});
    (void)path;
    // Keyboard 12 has no scale 12: it keeps its own type and the user is told.
    EXPECT_EQ(Shown(), (std::vector<MessageId>{CVrn3Doc::kMsgPreviousVersion, CVrn3Doc::kMsgUnmatchedKeyboards}));

    const CKeyboard* eleven = host.m_keyboards.Find(11);
    ASSERT_NE(eleven, nullptr);
    EXPECT_EQ(eleven->m_sysType, 2);  // scale 11's family
    EXPECT_EQ(eleven->m_keys[0].m_type, 40);
    EXPECT_EQ(eleven->m_keys[0].m_data, 1234u);
    EXPECT_EQ(eleven->m_keys[131].m_type, 41);
    EXPECT_EQ(eleven->m_keys[131].m_keyNo, 132);
    EXPECT_EQ(eleven->m_keys[5].m_keyText, "T2");  // the rest is the family's default layout
    EXPECT_EQ(eleven->m_keys[5].m_type, 0);

    const CKeyboard* twelve = host.m_keyboards.Find(12);
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->m_sysType, 8);
    EXPECT_EQ(twelve->m_keys[15].m_type, 42);
    EXPECT_EQ(twelve->m_keys[15].m_data, 7u);
    EXPECT_EQ(twelve->m_keys[0].m_keyText, "T8");
}

TEST_F(OldLayoutDefaults, BehindMasterUnitsAKeyboardBelongsToItsUnitsScale)
{
    frame.m_setup.m_defaultScaleFamily = 1;
    host.m_switches.defaultFamily = 1;
    AddScale(2, 1);
    (void)Convert("Units.pld", 300,
                  {{12, 101, DataBlock(4, {{0, Le16(4)}})}, {12, 305, DataBlock(4, {{0, Le16(4)}})}});
    // Keyboard 101 is unit 2's; no scale 4 serves keyboard 305.
    EXPECT_EQ(Shown(), (std::vector<MessageId>{CVrn3Doc::kMsgPreviousVersion, CVrn3Doc::kMsgUnmatchedKeyboards}));
    ASSERT_NE(host.m_keyboards.Find(101), nullptr);
    EXPECT_EQ(host.m_keyboards.Find(101)->m_sysType, 4);
    EXPECT_NE(host.m_keyboards.Find(305), nullptr);
}

TEST_F(OldLayoutDefaults, KeyboardsReachTheFrameOnlyWhenTheConvertedDatabaseIsSaved)
{
    AddScale(11, 2);
    host.m_department.reset();
    const std::string path = dir.File("Unsaved.pld");
    WriteWholeFile(path, PldImage(300, {{12, 11, DataBlock(4, {{0, Le16(6)}})}}));
    EXPECT_FALSE(doc->OpenDatabase(path));  // the save dialog cancelled
    EXPECT_EQ(host.m_keyboards.GetCount(), 0u);

    prompt.QueueSaveName(dir.File("Saved.pld"));
    ASSERT_TRUE(doc->OpenDatabase(path));
    EXPECT_NE(host.m_keyboards.Find(11), nullptr);
}

}  // namespace
}  // namespace varnel::test
