// A ".pld" PLU database for the price-zone tests: zones 1 to 8 are defined, the unit price, the
// markdown price and the markdown flag may differ by zone, and PLUs are added with a name and price.
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {

constexpr std::uint16_t kMarkdownFlagField = 1003;
constexpr std::uint16_t kMarkdownPriceField = 1004;
constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint16_t kTareField = 1010;

class PriceZoneDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::uint16_t zone = 1; zone <= 8; ++zone)
            m_frame.m_priceZones.SetZone(zone, "Zone " + std::to_string(zone));
        m_frame.m_priceZoneFields = {kMarkdownFlagField, kMarkdownPriceField, kUnitPriceField};
        m_db.CreateAllTables();
        ASSERT_TRUE(m_db.Create(Path()));
        ASSERT_TRUE(m_db.Open(Path()));
    }

    std::string Path() const { return m_dir.File(m_fileName); }
    CPluDefTb& Plus() const { return *m_db.GetPluTable(); }
    CPluPriceZoneTb& Zones() const { return *Plus().GetPriceZoneTable(); }

    CPluDefRec& AddPlu(std::uint32_t number, std::int32_t price, const std::string& name = "Sirloin")
    {
        auto row = std::make_unique<CPluDefRec>();
        Plus().InitNewPlu(number, *row);
        row->Set(PluCol::Name, name);
        row->Set(PluCol::UnitPrice, price);
        const std::uint16_t size = row->CalcDataSize();
        EXPECT_TRUE(Plus().AddPlu(number, size, std::move(row)));
        return Plu(number);
    }
    CPluDefRec& Plu(std::uint32_t number) const
    {
        return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(number));
    }

    // Closes the database and opens its file again.
    void Reopen()
    {
        ASSERT_TRUE(m_db.Close());
        m_db.CreateAllTables();
        ASSERT_TRUE(m_db.Open(Path()));
    }

    std::string m_fileName = "plu.pld";  // a fixture may choose an ".mdb" file before SetUp
    TempDir m_dir;
    TestMainFrame m_frame;
    CPluDatabase m_db;
};

}  // namespace varnel::test
