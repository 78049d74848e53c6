// The document's side of a Lumen transfer: the records it hands the link, table by table from the
// transfer's list, and the records it stores by command index.
#include "DocumentFixture.h"
#include "db/plu/PluDefTb.h"
#include "golden/PluGolden.h"

#include <array>

namespace varnel::test {
namespace {

class DocumentLumen : public DocumentTest {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(frame);
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        doc->GetPluTable()->SetCompanionData(&TheGoldenCompanions());
        for (const std::uint32_t plu : {2, 3, 9}) {
            CPluDefRec row;
            doc->GetPluTable()->InitNewPlu(plu, row);
            row.SetDesc("Item " + std::to_string(plu), doc->GetPluTable()->GetRoles().Text().chars);
            ASSERT_TRUE(doc->SavePluRecord(row, plu, true));
        }
        scale.m_scaleNo = 4;
        scale.m_scaleType = 6;
    }

    struct Sent {
        std::uint32_t kind;
        std::string record;
    };
    Sent Next()
    {
        std::array<std::uint8_t, 2048> buffer{};
        std::uint32_t kind = 99;
        std::uint32_t length = 0;
        EXPECT_TRUE(doc->GetNextLumenRecord(kind, buffer, length));
        return {kind, std::string(reinterpret_cast<const char*>(buffer.data()), length)};
    }

    CLinkScaleSettings scale;
};

TEST_F(DocumentLumen, TheListIsWalkedInOrderSkippingWhatSendsNothingUntilTheEnd)
{
    host.m_lumenKeyboards = {"K1", "K2"};
    // 1 and 40 lie outside 2..30; table 4 has no Lumen records; 12 is the frame's keyboards.
    doc->BeginLumenTransfer({1, 2, 40, 4, 12, 2}, scale);
    std::vector<std::uint32_t> kinds;
    std::vector<std::string> records;
    for (int i = 0; i < 12; ++i) {
        const Sent sent = Next();
        kinds.push_back(sent.kind);
        if (sent.kind == IDocument::kLumenEnd) break;
        records.push_back(sent.record);
    }
    EXPECT_EQ(kinds, (std::vector<std::uint32_t>{0, 0, 0, 3, 3, 0, 0, 0, 12}));
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records[3], "K1");
    EXPECT_EQ(records[4], "K2");
    EXPECT_EQ(records[5], records[0]);  // the second pass over the PLUs starts again at the first
    EXPECT_NE(records[0], records[1]);
    EXPECT_FALSE(records[0].empty());
    EXPECT_EQ(Next().kind, IDocument::kLumenEnd);  // and stays ended
}

TEST_F(DocumentLumen, ReceivedRecordsAreStoredAndCountedByCommandIndex)
{
    doc->BeginLumenTransfer({2}, scale);
    const std::string plu3 = [&] {
        (void)Next();
        return Next().record;
    }();
    CPluDefTb& plus = *doc->GetPluTable();
    ASSERT_TRUE(plus.DeleteRecord(plus.GetRecord(3)));
    doc->BeginLumenTransfer({}, scale);

    const auto store = [&](std::uint32_t kind, const std::string& record) {
        return doc->StoreLumenRecord(kind, std::span(reinterpret_cast<const std::uint8_t*>(record.data()), record.size()));
    };
    EXPECT_TRUE(store(0, plu3));
    EXPECT_NE(doc->GetPluTable()->GetRecord(3), nullptr);
    EXPECT_TRUE(store(3, "key"));
    EXPECT_TRUE(store(11, "operator"));
    for (const std::uint32_t ignored : {4u, 5u, 7u, 12u, 40u}) EXPECT_TRUE(store(ignored, "x")) << ignored;
    EXPECT_TRUE(store(1, "no message table decodes yet"));

    EXPECT_EQ(doc->GetLumenReceivedCount(0), 1u);
    EXPECT_EQ(doc->GetLumenReceivedCount(3), 1u);
    EXPECT_EQ(doc->GetLumenReceivedCount(11), 1u);
    EXPECT_EQ(doc->GetLumenReceivedCount(1), 0u);
    EXPECT_EQ(doc->GetLumenReceivedCount(5), 0u);
    EXPECT_EQ(host.m_lumenListKinds,
              (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{3, 4}, {11, 4}}));
}

}  // namespace
}  // namespace varnel::test
