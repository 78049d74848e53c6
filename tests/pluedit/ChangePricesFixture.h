// A ".pld" PLU database for the Change Prices dialogs' tests, with the scale-data tables (the price
// master tables among them): prices and markdowns have 2 decimals, the Markdown flag offers None (0),
// Reduced by (1), Reduced to (2) and Percent (3), and PLUs are added with a name, description, price
// and markdown. The document records what is queued, the prompt what is shown, the frame the event log.
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceLayout.h"
#include "pluedit/ChangePricesForm.h"
#include "scaledata/ScaleDataTables.h"
#include "support/RecordingDocument.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {

class ChangePricesFixture : public ::testing::Test {
protected:
    void SetUp() override
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
        RegisterScaleDataTables();
        m_db.CreateAllTables();
        ASSERT_TRUE(m_db.Create(m_dir.File("prices.pld")));
        ASSERT_TRUE(m_db.Open(m_dir.File("prices.pld")));
    }

    CPluDefTb& Plus() const { return *m_db.GetPluTable(); }
    CPluDefRec& Plu(std::uint32_t number) const { return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(number)); }

    void AddPlu(std::uint32_t number, std::int32_t price, const std::string& name = "BEEF", std::int32_t markdown = 0,
                std::uint8_t flag = 0, std::uint8_t salesMode = 0)
    {
        auto row = std::make_unique<CPluDefRec>();
        row->InitNew(number);
        row->Set(PluCol::Name, name);
        row->SetDesc(name);
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
    void DefineZones(std::uint16_t count)
    {
        for (std::uint16_t zone = 1; zone <= count; ++zone)
            m_frame.m_priceZones.SetZone(zone, "Zone " + std::to_string(zone));
        m_frame.m_priceZoneFields = {1003, 1004, 1005};
        m_frame.m_setup.m_priceZoneMode = 2;  // head office
    }

    ChangePricesSite Site(MessageId mode, std::uint32_t startPlu = 0)
    {
        return {Plus(), mode, startPlu, true, [this](std::uint32_t plu) { return plu == m_editedPlu; },
                [this] { ++m_viewUpdates; }, [this](std::uint32_t initial) {
                    m_pickedFrom.push_back(initial);
                    return m_pick;
                }};
    }
    // The event lines since the last look, as "kind text".
    std::vector<std::string> TakeEvents()
    {
        std::vector<std::string> events;
        for (const auto& [kind, text] : m_frame.m_events) events.push_back(std::to_string(kind) + " " + text);
        m_frame.m_events.clear();
        return events;
    }
    std::size_t TakeSends()
    {
        const std::size_t sends = m_document.m_sends.size();
        m_document.m_sends.clear();
        return sends;
    }

    TempDir m_dir;
    TestMainFrame m_frame;
    RecordingDocument m_document{m_frame};
    RecordingPrompt m_prompt;
    CPluDatabase m_db;
    const CLabProp* m_flag = nullptr;
    std::uint32_t m_editedPlu = 0;  // the PLU the PLU edit window is open on
    int m_viewUpdates = 0;
    std::optional<std::uint32_t> m_pick;
    std::vector<std::uint32_t> m_pickedFrom;
};

}  // namespace varnel::test
