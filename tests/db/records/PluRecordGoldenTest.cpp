// The PLU records of every family, market and option case, byte for byte against the golden file. A
// difference names the case, the record and the field. With VARNEL_WRITE_GOLDEN set the test writes
// the file anew instead (review the diff before committing it).
#include "golden/PluGolden.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace varnel::test {
namespace {

class PluRecordGoldenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(m_frame);
        m_database.CreateAllTables();
        AddGoldenPlus(Plus());
    }
    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    // The field of the comma-separated body at `offset`: its number, or the description or price
    // fields after it.
    static std::string CsvFieldAt(std::string_view record, std::size_t offset)
    {
        constexpr std::size_t kHeader = 8;
        if (offset < kHeader) return "record header";
        const std::size_t quote = record.find('"', kHeader);
        if (quote != std::string_view::npos && offset >= quote) return "description or price fields";
        const auto commas = std::count(record.begin() + kHeader, record.begin() + static_cast<std::ptrdiff_t>(offset), ',');
        return "field " + std::to_string(commas + 1);
    }

    std::string FieldAt(const GoldenCase& goldenCase, const GoldenRecord& expected, std::size_t offset)
    {
        const bool commaSeparated = goldenCase.family >= 9 && goldenCase.family <= 12 &&
                                    expected.kind != GoldenKind::Lumen && expected.kind != GoldenKind::Key;
        if (commaSeparated) return CsvFieldAt(expected.bytes, offset);
        std::vector<TracedField> trace;
        EncodeGoldenRecord(Plus(), m_frame, goldenCase, expected.kind, expected.plu, &trace);
        for (const TracedField& field : trace)
            if (offset >= field.offset && offset < field.offset + field.size)
                return field.name.empty() ? "fixed bytes at " + std::to_string(field.offset) : std::string(field.name);
        return "past the end of the record";
    }

    TestMainFrame m_frame;
    CPluDatabase m_database;
};

TEST_F(PluRecordGoldenTest, EveryRecordOfEveryCaseIsAsInTheGoldenFile)
{
    const GoldenRecords actual = EncodeGoldenRecords(Plus(), m_frame);
    if (std::getenv("VARNEL_WRITE_GOLDEN")) {
        ASSERT_TRUE(WriteGoldenFile(GoldenFilePath(), actual));
        GTEST_SKIP() << "wrote " << GoldenFilePath();
    }
    const GoldenRecords expected = ReadGoldenFile(GoldenFilePath());
    ASSERT_FALSE(expected.empty()) << "cannot read " << GoldenFilePath();
    EXPECT_EQ(actual.size(), expected.size());
    std::map<std::string, GoldenCase> cases;
    for (const GoldenCase& goldenCase : GoldenCases()) cases.emplace(goldenCase.Name(), goldenCase);
    for (const auto& [key, want] : expected) {
        const auto found = actual.find(key);
        if (found == actual.end()) {
            ADD_FAILURE() << key << ": no such record is built any more";
            continue;
        }
        const GoldenRecord& got = found->second;
        if (got.built != want.built) {
            ADD_FAILURE() << want.caseName << ", " << KindName(want.kind) << " record of PLU " << want.plu << ": "
                          << (want.built ? "no longer built" : "built, where none was");
            continue;
        }
        EXPECT_EQ(got.code, want.code) << want.caseName << ", " << KindName(want.kind) << " of PLU " << want.plu;
        if (got.bytes == want.bytes) continue;
        const auto [wantAt, gotAt] = std::mismatch(want.bytes.begin(), want.bytes.end(), got.bytes.begin(), got.bytes.end());
        const auto offset = static_cast<std::size_t>(wantAt - want.bytes.begin());
        ADD_FAILURE() << want.caseName << ", " << KindName(want.kind) << " record of PLU " << want.plu << ": "
                      << FieldAt(cases.at(want.caseName), want, offset) << " differs at byte " << offset
                      << " (length " << got.bytes.size() << ", golden " << want.bytes.size() << ")";
    }
}

}  // namespace
}  // namespace varnel::test
