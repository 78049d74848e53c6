#include "AutomationSite.h"

#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/Vrn3Doc.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "support/InstalledFrameRoles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>

namespace varnel::test {

void MakePluDatabase(const std::string& path, const std::vector<std::uint32_t>& plus, IClock& clock)
{
    CMainFrame maker(std::filesystem::path(path).parent_path().string() + "/", RealFileSystem(), clock);
    IMainFrame* previous = SetMainFrame(&maker);
    RegisterPluTablesForTests();
    {
        MainFrameModel model(maker);
        CVrn3Doc document(model, RealFileSystem(), clock);
        EXPECT_TRUE(document.OpenDatabase(path));
        for (const std::uint32_t plu : plus) {
            CPluDefRec row;
            document.GetPluTable()->InitNewPlu(plu, row);
            row.SetDesc("Item " + std::to_string(plu), document.GetPluTable()->GetRoles().Text().chars);
            row.Set(PluCol::UnitPrice, static_cast<std::int32_t>(100 * plu));
            EXPECT_TRUE(document.SavePluRecord(row, plu, true));
        }
        document.CloseDatabase();
    }
    SetMainFrame(previous);
}

void AddPluFieldDefs(CMainFrame& frame)
{
    CLabPropMap& definitions = frame.FieldDefs(FieldDefMap::Plu);
    definitions.clear();
    for (const auto& [fieldNo, width] : {std::pair{1014, 3}, std::pair{1015, 2}, std::pair{1026, 5}}) {
        auto definition = std::make_unique<CLabProp>();
        const auto key = static_cast<std::uint16_t>(definitions.size() + 1);
        definition->m_key = key;
        definition->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
        definition->m_width = static_cast<std::uint16_t>(width);
        definitions[key] = std::move(definition);
    }
}

}  // namespace varnel::test
