// The golden PLU records and Lumen records, read back by the decoders into a database of their own,
// give back the PLU they came from, in every family, market and option case:
//   - built again for the same case (with the PLU's own description), each is its golden record byte
//     for byte, so every field is read from the place where the encoder put it;
//   - the description read back is the PLU's own, except for the one full of codes and a control byte
//     that no scale form carries whole, which reads back to a text that then stays as it is.
// Where a layout cannot carry a value back at all, the case is named below with its reason.
#include "golden/PluGolden.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecordLayouts.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace varnel::test {
namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::uint32_t kRichDescPlu = 123;

// Every PLU column with a field number gets a definition, so that a decoded PLU merges whole.
void AddEveryPluFieldDef(TestMainFrame& frame)
{
    AddGoldenFieldDefs(frame);
    for (const ColumnDef& column : kPluColumns) {
        if (column.fieldNo == 0 || column.fieldNo == 1014 || column.fieldNo == 1015 || column.fieldNo == 1026) continue;
        CLabProp& definition = frame.AddFieldDef(FieldDefMap::Plu, column.fieldNo);
        definition.m_name = std::string(column.name);
        definition.m_max = 0x7FFFFFFF;
    }
}

// What a layout loses on the way back.
std::string_view LossOf(const GoldenCase& c, GoldenKind kind, std::uint32_t plu)
{
    if (kind != GoldenKind::Plu) return {};
    if (c.family == 2 && NeedsFamily2Conversion(c.Setup(), 2) && plu == 999999)
        return "a Posflag of 100 and more goes as \"FF\", which the family-2 conversion takes back as 2";
    if ((c.family == 2 || c.family == 3) && c.variant == "nutrition" && (c.market == 1 || c.market == 2))
        return "the description comes back with the extra message, ingredients and nutrition panel after it";
    return {};
}

// Whether a description read back stays as it is when it goes to the scale again. Line-coded text
// under the nutrition layout does not: its font numbers map to codes of the plain tables but back
// through the nutrition table.
bool DescriptionSettles(const GoldenCase& c)
{
    return !(c.family >= 6 && c.family <= 8 && c.variant == "nutrition" && (c.market == 1 || c.market == 2));
}

GoldenRecord AsGolden(const GoldenRecord& like, std::string bytes)
{
    GoldenRecord record = like;
    record.bytes = std::move(bytes);
    return record;
}

class PluRecordRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddEveryPluFieldDef(m_frame);
        m_source.CreateAllTables();
        AddGoldenPlus(*m_source.GetPluTable());
        m_received.CreateAllTables();
        Received().SetCompanionData(&TheGoldenCompanions());
    }

    CPluDefTb& Received() { return *m_received.GetPluTable(); }
    const CPluDefRec& Source(std::uint32_t plu)
    {
        return *dynamic_cast<CPluDefRec*>(m_source.GetPluTable()->GetRecord(plu));
    }
    CPluDefRec* ReceivedPlu(std::uint32_t plu) { return dynamic_cast<CPluDefRec*>(Received().GetRecord(plu)); }

    // Reads the record into the received database, where the PLU was not before.
    bool Decode(const GoldenCase& c, const GoldenRecord& record)
    {
        m_frame.m_setup = c.Setup();
        m_frame.SelectScaleFontSet();
        (void)Received().DeleteKey(record.plu);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.bytes.data());
        std::span<const std::uint8_t> data(bytes, record.bytes.size());
        if (record.kind == GoldenKind::Lumen) return Received().DecodeLumenRecord(c.family, data);
        if (c.family >= 6) data = data.subspan(kHeaderSize);
        return Received().ReceiveScaleRecord(c.Scale(), data) && ReceivedPlu(record.plu) != nullptr;
    }

    std::string Encode(const GoldenCase& c, const GoldenRecord& like)
    {
        return EncodeGoldenRecord(Received(), m_frame, c, like.kind, like.plu).bytes;
    }

    // Where a rebuilt record first differs from the golden one, by field.
    std::string Difference(const GoldenCase& c, const GoldenRecord& want, const std::string& got)
    {
        const auto [wantAt, gotAt] = std::mismatch(want.bytes.begin(), want.bytes.end(), got.begin(), got.end());
        const auto offset = static_cast<std::size_t>(wantAt - want.bytes.begin());
        std::vector<TracedField> trace;
        EncodeGoldenRecord(Received(), m_frame, c, want.kind, want.plu, &trace);
        for (const TracedField& field : trace) {
            if (offset < field.offset || offset >= field.offset + field.size) continue;
            const std::string name =
                field.name.empty() ? "fixed bytes at " + std::to_string(field.offset) : std::string(field.name);
            return name + " differs at byte " + std::to_string(offset);
        }
        const auto commas = std::count(want.bytes.begin() + static_cast<std::ptrdiff_t>(std::min(offset, kHeaderSize)),
                                       want.bytes.begin() + static_cast<std::ptrdiff_t>(offset), ',');
        return "byte " + std::to_string(offset) + " differs (after " + std::to_string(commas) + " commas)";
    }

    TestMainFrame m_frame;
    CPluDatabase m_source;
    CPluDatabase m_received;
};

TEST_F(PluRecordRoundTripTest, EveryGoldenRecordReadsBackToThePluItCameFrom)
{
    const GoldenRecords golden = ReadGoldenFile(GoldenFilePath());
    ASSERT_FALSE(golden.empty()) << "cannot read " << GoldenFilePath();
    std::size_t checked = 0;
    for (const GoldenCase& c : GoldenCases()) {
        for (const GoldenKind kind : {GoldenKind::Plu, GoldenKind::Lumen}) {
            for (const std::uint32_t plu : kGoldenPlus) {
                const auto found = golden.find(FormatKey(c.Name(), kind, plu));
                if (found == golden.end() || !found->second.built) continue;
                const GoldenRecord& want = found->second;
                SCOPED_TRACE(c.Name() + ", " + std::string(KindName(kind)) + " record of PLU " + std::to_string(plu));
                ASSERT_TRUE(Decode(c, want));
                if (!LossOf(c, kind, plu).empty()) continue;
                CPluDefRec& row = *ReceivedPlu(plu);
                const std::string desc(row.GetDesc());
                if (plu != kRichDescPlu) {
                    EXPECT_EQ(desc, Source(plu).GetDesc());
                }

                row.SetDesc(Source(plu).GetDesc(), Received().GetRoles().Text().chars);
                const std::string again = Encode(c, want);
                if (again != want.bytes) ADD_FAILURE() << Difference(c, want, again);
                ++checked;

                if (!DescriptionSettles(c)) continue;
                row.SetDesc(desc, Received().GetRoles().Text().chars);
                const std::string once = Encode(c, want);
                ASSERT_TRUE(Decode(c, AsGolden(want, once)));
                EXPECT_EQ(Encode(c, want), once) << "the description read back changes again";
            }
        }
    }
    EXPECT_GT(checked, 600u);
}

}  // namespace
}  // namespace varnel::test
