// A PLU table in memory for the record tests: a test frame with the field definitions the records
// read, and PLUs made from a few values.
#pragma once

#include "golden/PluGolden.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace varnel::test {

// A record expected of a family in a market.
struct ExpectedRecord {
    std::uint16_t family;
    std::uint16_t market;
    std::string bytes;
    std::uint16_t code;
};

class PluRecordFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(m_frame);
        m_database.CreateAllTables();
        Plus().SetCompanionData(&TheGoldenCompanions());
    }

    CPluDefTb& Plus() { return *m_database.GetPluTable(); }

    // A new PLU with a description, changed by `shape`.
    CPluDefRec& AddPlu(std::uint32_t number, const std::function<void(CPluDefRec&)>& shape = {})
    {
        auto row = std::make_unique<CPluDefRec>();
        Plus().InitNewPlu(number, *row);
        row->SetDesc("\x1B" "C3Apples", Plus().GetRoles().Text().chars);
        if (shape) shape(*row);
        CPluDefRec& added = *row;
        const std::uint16_t size = row->CalcDataSize();
        EXPECT_TRUE(Plus().AddPlu(number, size, std::move(row))) << number;
        return added;
    }

    static CLinkScaleSettings Scale(std::uint16_t family)
    {
        CLinkScaleSettings scale;
        scale.m_scaleType = family;
        return scale;
    }

    struct Built {
        bool made = false;
        std::uint16_t code = 0;
        std::string bytes;
        std::string refusedField;
    };

    Built Run(bool (*build)(CPluDefTb&, const BuildLock&, const CLinkScaleSettings&, std::uint32_t, ScaleRecordOut&),
              const CLinkScaleSettings& scale, std::uint32_t plu)
    {
        ScaleRecordOut out = Out();
        const BuildLock lock = Plus().LockRecordBuild();
        Built built;
        built.made = build(Plus(), lock, scale, plu, out);
        built.code = out.code;
        built.bytes.assign(reinterpret_cast<const char*>(m_buffer.data()), out.length);
        built.refusedField = out.refusedField;
        return built;
    }
    Built Record(const CLinkScaleSettings& scale, std::uint32_t plu) { return Run(BuildPluRecord, scale, plu); }

    // An output into the fixture's buffer under the frame's settings as they stand (kept for the test).
    ScaleRecordOut Out()
    {
        m_settingsHanded.push_back(m_frame.GetSiteSettings());
        ScaleRecordOut out{m_buffer};
        out.settings = m_settingsHanded.back().get();
        return out;
    }
    Built Record(std::uint16_t family, std::uint32_t plu) { return Record(Scale(family), plu); }

    // The n-th comma-terminated field (from 1) of a comma-separated record after its header.
    static std::string CsvField(const std::string& record, std::size_t n)
    {
        std::size_t start = 8;
        for (std::size_t i = 1; i < n; ++i) start = record.find(',', start) + 1;
        return record.substr(start, record.find(',', start) - start);
    }

    TestMainFrame m_frame;
    CPluDatabase m_database;
    std::array<std::uint8_t, 2400> m_buffer{};
    std::vector<SiteSettingsPtr> m_settingsHanded;
};

}  // namespace varnel::test
