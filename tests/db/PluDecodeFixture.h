// The PLU record tests' table, with a definition for every PLU field so that a PLU read from a scale
// merges whole into the database, a scale of any family and the records the encoders build.
#pragma once

#include "PluRecordFixture.h"

#include "db/plu/PluCompare.h"

#include <span>
#include <string>
#include <vector>

namespace varnel::test {

inline void AddEveryPluFieldDef(TestMainFrame& frame)
{
    for (const ColumnDef& column : kPluColumns) {
        if (column.fieldNo == 0 || column.fieldNo == 1014 || column.fieldNo == 1015 || column.fieldNo == 1026) continue;
        CLabProp& definition = frame.AddFieldDef(FieldDefMap::Plu, column.fieldNo);
        definition.m_name = std::string(column.name);
        definition.m_max = 0x7FFFFFFF;
    }
}

inline std::span<const std::uint8_t> Bytes(const std::string& record)
{
    return {reinterpret_cast<const std::uint8_t*>(record.data()), record.size()};
}

// The compare lists and lines of one scale.
struct RecordedCompare final : IPluCompareResults {
    void AddScaleKey(std::uint32_t plu) override { scaleKeys.push_back(plu); }
    void AddNotInDatabase(std::uint32_t plu) override { notInDatabase.push_back(plu); }
    void AddDifferent(std::uint32_t plu) override { different.push_back(plu); }
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }

    std::vector<std::uint32_t> scaleKeys, notInDatabase, different;
    std::vector<std::string> lines;
};

class PluDecodeFixture : public PluRecordFixture {
protected:
    void SetUp() override
    {
        PluRecordFixture::SetUp();
        AddEveryPluFieldDef(m_frame);
    }

    CPluDefRec* Find(std::uint32_t plu) { return dynamic_cast<CPluDefRec*>(Plus().FindRecord(plu)); }

    // The record of the PLU for the scale, less its record header, with the PLU then taken out of the
    // table (or left in it).
    std::string Sent(const CLinkScaleSettings& scale, std::uint32_t plu, bool keep = false)
    {
        const Built built = Record(scale, plu);
        EXPECT_TRUE(built.made) << built.refusedField;
        if (!keep) {
            EXPECT_TRUE(Plus().DeleteKey(plu));
        }
        return Plus().GetRoles().FamilyOf(scale) >= 6 ? built.bytes.substr(8) : built.bytes;
    }

    bool Receive(const CLinkScaleSettings& scale, const std::string& record)
    {
        return Plus().ReceiveScaleRecord(scale, Bytes(record));
    }
};

}  // namespace varnel::test
