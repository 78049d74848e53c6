// A PLU database for the PLU list's tests, in a temporary ".pld" or ".mdb" (SQLite) file (the
// fixture's parameter): the POS code is 6 digits wide, prices have 2 decimals, departments and
// groups 2 digits each, and the departments are Meat (1; groups 1 Beef and 2 Lamb) and Deli (2).
// Panels are laid out at 10 rows of 11 pixels (text 6 pixels a byte).
#pragma once

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/PluListPanelForm.h"
#include "settings/DeptCode.h"
#include "support/DeptCodes.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace varnel::test {

struct TestPlu {
    std::uint32_t number;
    const char* name = "Sirloin";
    const char* posCode = "";
    std::uint16_t dept = 1;
    std::uint16_t group = 1;
    std::int32_t price = 0;
};

class PluListDatabase {
public:
    static constexpr int kRowHeight = 11;
    static constexpr int kVisibleRows = 10;

    // Makes and opens the database file with that extension.
    void OpenDatabase(const char* extension)
    {
        m_extension = extension;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1026).m_width = 6;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1005).m_decimals = 2;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 2;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        NameField(1026, "POS Code");
        NameField(1005, "Unit Price");
        m_departments.Add(MakeDeptCode(1, "Meat", {{1, "Beef"}, {2, "Lamb"}}));
        m_departments.Add(MakeDeptCode(2, "Deli", {{1, "Cheese"}}));
        m_db.CreateAllTables();
        ASSERT_TRUE(m_db.Create(Path()));
        ASSERT_TRUE(m_db.Open(Path()));
    }

    std::string Path() const { return m_dir.File("plu." + m_extension); }
    CPluDefTb& Plus() const { return *m_db.GetPluTable(); }

    void Add(const TestPlu& plu)
    {
        auto row = std::make_unique<CPluDefRec>();
        Plus().InitNewPlu(plu.number, *row);
        row->Set(PluCol::Name, plu.name);
        row->Set(PluCol::PosCode, plu.posCode);
        row->Set(PluCol::Dept, plu.dept);
        row->Set(PluCol::Group, plu.group);
        row->Set(PluCol::UnitPrice, plu.price);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(Plus().AddPlu(plu.number, size, std::move(row)));
    }
    void Add(std::initializer_list<TestPlu> plus)
    {
        for (const TestPlu& plu : plus) Add(plu);
    }
    CPluDefRec& Plu(std::uint32_t number) const { return *dynamic_cast<CPluDefRec*>(Plus().FindRecord(number)); }

    PluListSettings Settings() const
    {
        PluListSettings settings;
        settings.showPosCode = true;
        settings.showDeptGroup = true;
        settings.maxPluNo = 999999;
        settings.deptCodeDisplay = {false, 2, 2};
        return settings;
    }
    static PluListArea Area(int rows = kVisibleRows)
    {
        return {0, 0, 400, rows * kRowHeight, 4, 8};
    }
    std::unique_ptr<PluListPanelForm> MakePanel(const PluListSettings& settings, int rows = kVisibleRows)
    {
        auto panel = std::make_unique<PluListPanelForm>(&Plus(), m_departments, settings);
        panel->Create(Area(rows), [](std::string_view text) { return static_cast<int>(text.size()) * 6; },
                      {"PLU No.", "Dept. & Group"});
        return panel;
    }
    std::unique_ptr<PluListPanelForm> MakePanel() { return MakePanel(Settings()); }

    // The PLU numbers of the rows in view, in list order.
    static std::vector<std::uint32_t> InView(const PluListPanelForm& panel)
    {
        std::vector<std::uint32_t> numbers;
        for (const PluListRow& drawn : panel.GetRowsInView())
            numbers.push_back(static_cast<std::uint32_t>(std::stoul(drawn.pluNumber)));
        return numbers;
    }
    std::optional<std::uint32_t> Current(const PluListPanelForm& panel) const { return panel.GetSelectedPluNumber(); }

    TempDir m_dir;
    TestMainFrame m_frame;
    CDeptCodeList m_departments;
    CPluDatabase m_db;

private:
    std::string m_extension;

    void NameField(std::uint16_t fieldNo, const char* name)
    {
        for (auto& [key, definition] : m_frame.m_fieldDefs[0])
            if (definition->m_fieldNo == fieldNo) definition->m_name = name;
    }
};

class PluListFixture : public ::testing::TestWithParam<const char*>, public PluListDatabase {
protected:
    void SetUp() override { OpenDatabase(GetParam()); }
};

}  // namespace varnel::test
