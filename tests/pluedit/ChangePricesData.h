// A ".pld" PLU database for the Change Prices dialogs, with the scale-data tables (the price master
// tables among them): prices and markdowns have 2 decimals, the Markdown flag offers None (0),
// Reduced by (1), Reduced to (2) and Percent (3), and PLUs are added with a name, description, price
// and markdown. Shared by the dialogs' tests and their screens.
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceLayout.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {

class ChangePricesData : private ScaleDataRegistration {
public:
    ChangePricesData()
    {
        for (const std::uint16_t field : {1004, 1005, 1200, 1201}) {
            CLabProp& definition =
                m_frame.AddFieldDef(field < 1200 ? FieldDefMap::Plu : FieldDefMap::RuxPrice, field);
            definition.m_decimals = 2;
            definition.m_width = 6;
            definition.m_max = 999999;
        }
        CLabProp& flag = m_frame.AddFieldDef(FieldDefMap::Plu, 1003);
        flag.m_max = 6;
        for (const auto& [number, text] : {std::pair{0, "None"}, std::pair{1, "Reduced by"},
                                           std::pair{2, "Reduced to"}, std::pair{3, "Percent"}})
            flag.AddValue(std::make_unique<CPropValue>(text, static_cast<std::uint16_t>(number)));
        m_flag = &flag;
        m_db.CreateAllTables();
    }

    // Makes the database file and opens it; false when either fails.
    bool OpenNew() { return m_db.Create(m_dir.File("prices.pld")) && m_db.Open(m_dir.File("prices.pld")); }

    CPluDefTb& Plus() const { return *m_db.GetPluTable(); }
    CPluDefRec& Plu(std::uint32_t number) const { return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(number)); }

    void AddPlu(std::uint32_t number, std::int32_t price, const std::string& name = "BEEF", std::int32_t markdown = 0,
                std::uint8_t flag = 0, std::uint8_t salesMode = 0)
    {
        auto row = std::make_unique<CPluDefRec>();
        Plus().InitNewPlu(number, *row);
        row->Set(PluCol::Name, name);
        row->SetDesc(name, Plus().GetRoles().Text().chars);
        row->Set(PluCol::UnitPrice, price);
        row->Set(PluCol::MarkPrice, markdown);
        row->Set(PluCol::MarkFlag, flag);
        row->Set(PluCol::SalesMode, salesMode);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(Plus().AddPlu(number, size, std::move(row)));
    }
    // The PLU's record in price master table `table` (1 to 5).
    void AddRuxPrice(int table, std::uint32_t pluNumber, std::int32_t price, bool inUse, std::int32_t markdown = 0,
                     std::uint8_t flag = 0)
    {
        CObjDBTable* prices = m_db.GetTable(static_cast<std::uint16_t>(86 + table));
        ASSERT_NE(prices, nullptr);
        std::unique_ptr<CDBRecord> record = prices->CreateRecord(kRuxPriceRecordSize);
        const std::span<std::uint8_t> bytes{record->GetData(), kRuxPriceRecordSize};
        const auto set = [&](std::string_view column, std::int32_t value) {
            ASSERT_TRUE(WriteNumber(bytes, FindColumn(kRuxPriceColumns, column), value));
        };
        set("PriceNo", inUse ? table : 0);
        set("UnitPrice", price);
        set("MarkPrice", markdown);
        set("MarkFlag", flag);
        ASSERT_TRUE(prices->AddRecord(pluNumber, kRuxPriceRecordSize, std::move(record)));
    }
    std::int32_t RuxPrice(int table, std::uint32_t pluNumber, std::string_view column) const
    {
        const CDBRecord* record = m_db.GetTable(static_cast<std::uint16_t>(86 + table))->FindRecord(pluNumber);
        std::int32_t value = 0;
        if (record) (void)ReadNumber({record->GetData(), kRuxPriceRecordSize}, FindColumn(kRuxPriceColumns, column), value);
        return value;
    }
    // Zones 1 to `count` named "Zone <n>" unless named otherwise, in head-office mode.
    void DefineZones(std::uint16_t count, const std::vector<std::string>& names = {})
    {
        for (std::uint16_t zone = 1; zone <= count; ++zone)
            m_frame.m_priceZones.SetZone(zone, zone <= names.size() ? names[zone - 1u] : "Zone " + std::to_string(zone));
        m_frame.m_priceZoneFields = {1003, 1004, 1005};
        m_frame.m_setup.m_priceZoneMode = 2;  // head office
    }

    TempDir m_dir;
    TestMainFrame m_frame;
    CPluDatabase m_db;
    const CLabProp* m_flag = nullptr;
};

}  // namespace varnel::test
