// The PLU list window in the main window and Paste PLU; the list dialog and the PLU pickers: Select PLU over a small butcher's database (with POS codes,
// departments and groups; and again with two description lines and the cost price), Select PLUs,
// Set Field Sequence, and a list dialog in pick mode (the departments).
#include "ScreenShots.h"

#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/PastePluForm.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/PastePluDlg.h"
#include "app/ui/PluListWindow.h"
#include "app/ui/Vrn3View.h"
#include "db/plu/PluDatabase.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/SelectPluForm.h"
#include "pluedit/SelectPluRangeForm.h"
#include "pluedit/SetFieldSequenceForm.h"
#include "pluedit/ui/SelectPluDlg.h"
#include "pluedit/ui/SelectPluRangeDlg.h"
#include "pluedit/ui/SelectionListDlg.h"
#include "pluedit/ui/SetFieldSequenceDlg.h"
#include "support/ScaleDataRegistration.h"
#include "settings/DeptCode.h"
#include "support/DeptCodes.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <tuple>

namespace varnel::screens {
namespace {

struct ShopPlu {
    std::uint32_t number;
    const char* name;
    const char* line2;
    const char* posCode;
    std::uint16_t dept;
    std::uint16_t group;
    std::int32_t price;
    std::int32_t cost;
    bool inactive = false;
};

constexpr ShopPlu kShop[] = {
    {1, "Beef Rump Steak", "Grass fed", "2001", 1, 1, 2499, 1650},
    {2, "Beef Mince Premium", "Less than 5% fat", "2002", 1, 1, 1399, 880},
    {3, "Beef Sirloin", "Aged 21 days", "2003", 1, 1, 3299, 2100},
    {4, "Beef & Onion Sausages", "Made in store", "2004", 1, 1, 1099, 610},
    {5, "Lamb Leg Roast", "Bone in", "2101", 1, 2, 1899, 1200, true},
    {6, "Lamb Shanks", "Frenched", "2102", 1, 2, 1599, 950},
    {7, "Lamb Loin Chops", "", "2103", 1, 2, 2799, 1800},
    {8, "Pork Belly", "Skin on", "2201", 1, 3, 1749, 1010},
    {9, "Pork Shoulder", "Boneless", "2202", 1, 3, 1299, 760},
    {10, "Chicken Breast", "Free range", "3001", 2, 1, 1599, 990},
    {11, "Chicken Thigh Fillet", "Free range", "3002", 2, 1, 1399, 840},
    {12, "Chicken Drumsticks", "", "3003", 2, 1, 699, 380},
    {20, "Leg Ham", "Off the bone", "4001", 3, 1, 2999, 1900},
    {21, "Salami Hot", "Sliced", "4002", 3, 1, 3499, 2200},
    {22, "Cheddar Tasty", "Aged 12 months", "4101", 3, 2, 1899, 1100},
    {23, "Brie", "Double cream", "4102", 3, 2, 4499, 2900},
};

void AddShopPlus(CPluDefTb& plus)
{
    for (const ShopPlu& plu : kShop) {
        auto row = std::make_unique<CPluDefRec>();
        plus.InitNewPlu(plu.number, *row);
        row->SetDesc(std::string("\x1B" "C1") + plu.name + "\x1B" "C2" + plu.line2, plus.GetRoles().Text().chars);
        row->SetNameFromDesc(plus.GetRoles().Text().chars);
        row->Set(PluCol::PosCode, plu.posCode);
        row->Set(PluCol::Dept, plu.dept);
        row->Set(PluCol::Group, plu.group);
        row->Set(PluCol::UnitPrice, plu.price);
        row->Set(PluCol::CostPrice, plu.cost);
        row->SetCtrlFlag(1, plu.inactive);
        const std::uint16_t size = row->CalcDataSize();
        plus.AddPlu(plu.number, size, std::move(row));
    }
}

constexpr std::tuple<std::uint16_t, std::uint16_t, std::uint16_t> kShopFields[] = {
    {1026, 6, 0}, {1005, 6, 2}, {1014, 2, 0}, {1015, 2, 0}, {1002, 1, 0}, {1013, 3, 0}};

void DefineShopField(CLabProp& definition, std::uint16_t width, std::uint16_t decimals)
{
    definition.m_name = std::string(GetMessageText(definition.m_fieldNo));
    definition.m_width = width;
    definition.m_decimals = decimals;
    definition.m_max = 999999;
}

void AddShopDepartments(CDeptCodeList& departments)
{
    departments.Add(test::MakeDeptCode(1, "Butchery", {{1, "Beef"}, {2, "Lamb"}, {3, "Pork"}}));
    departments.Add(test::MakeDeptCode(2, "Poultry", {{1, "Chicken"}}));
    departments.Add(test::MakeDeptCode(3, "Deli", {{1, "Meats"}, {2, "Cheese"}}));
}

// The site of the screens: field widths and names as a store has them, and its PLUs.
class Shop {
public:
    Shop()
    {
        m_frame.m_setup.m_posCodeInSearch = 1;
        m_frame.m_setup.m_deptGroupInSearch = 1;
        for (const auto& [field, width, decimals] : kShopFields)
            DefineShopField(m_frame.AddFieldDef(FieldDefMap::Plu, field), width, decimals);
        AddShopDepartments(m_departments);
        const std::string path = m_dir.File("shop.pld");
        m_db.CreateAllTables();
        if (!m_db.Create(path) || !m_db.Open(path)) return;
        AddShopPlus(*m_db.GetPluTable());
    }

    CPluDefTb* Plus() const { return m_db.GetPluTable(); }
    const CDeptCodeList& Departments() const { return m_departments; }
    test::TestMainFrame& Frame() { return m_frame; }
    PluListSettings Settings() const
    {
        return PluListSettings::Of(m_frame.m_setup, FieldDefSet(m_frame), true, 0, CurrentTextRules().chars);
    }

private:
    test::TempDir m_dir;
    test::TestMainFrame m_frame;
    CDeptCodeList m_departments;
    CPluDatabase m_db;
};

// A list dialog in pick mode: the shop's departments with their groups.
class DepartmentsForm final : public SelectionListForm {
public:
    DepartmentsForm(const CDeptCodeList& departments, const DeptCodeDisplay& display)
        : m_departments(departments), m_display(display)
    {
        SetMode(kPick);
        AddColumn(kMsgDepartment, 30);
        AddColumn(kMsgGroup, 69);
    }

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override
    {
        if (index < 0 || static_cast<std::size_t>(index) >= m_departments.GetCount()) return false;
        const CDeptCode& department = m_departments.GetAt(static_cast<std::size_t>(index));
        std::string groups;
        for (const auto& group : department.m_groups)
            groups += (groups.empty() ? "" : ", ") + group->GetDisplayText(m_display);
        texts = {department.GetDisplayText(m_display), groups};
        return true;
    }
    void InitList(int& selIndex) override
    {
        Surface().SetTitle("Departments");
        selIndex = 1;
    }

private:
    static constexpr MessageId kMsgDepartment = 1014;
    static constexpr MessageId kMsgGroup = 1015;
    const CDeptCodeList& m_departments;
    DeptCodeDisplay m_display;
};

// The program's PLU list window over the shop's database in the main window, and Paste PLU.
void TakePluListWindow(ScreenShots& shots)
{
    test::TempDir dir;
    CMainFrame frame(dir.Path());
    CProfile profile(RealFileSystem(), dir.File("Varnel.ini"));
    frame.GetRun().profile = &profile;
    IMainFrame* previous = SetMainFrame(&frame);
    frame.GeneralSetup().m_posCodeInSearch = 1;
    frame.GeneralSetup().m_deptGroupInSearch = 1;
    std::uint16_t key = 0;
    for (const auto& [field, width, decimals] : kShopFields) {
        auto definition = std::make_unique<CLabProp>();
        definition->m_key = ++key;
        definition->m_fieldNo = field;
        DefineShopField(*definition, width, decimals);
        frame.FieldDefs(FieldDefMap::Plu)[key] = std::move(definition);
    }
    AddShopDepartments(frame.DeptCodes());
    test::RegisterScaleDataTablesForTests();
    const std::string path = dir.File("Shop.pld");
    {
        CPluDatabase created;
        created.CreateAllTables();
        if (!created.Create(path)) return;
    }
    {
        MainFrameModel model(frame);
        CVrn3Doc document(model);
        CommandTable commands;
        MainFrameWindow window(model, commands);
        if (document.OpenDatabase(path)) {
            AddShopPlus(*document.GetPluTable());
            CVrn3View* view = OpenPluListWindow(frame, model, window, document);
            RegisterPluListCommands(commands, [view] { return view; });
            view->OnUpdate();
            view->Panel().SelectPlu(4);
            view->OnUpdate();
            commands.UpdateActions();
            window.resize(1000, 700);
            if (QMdiSubWindow* child = window.GetMdiArea()->subWindowList().value(0)) child->showMaximized();
            shots.Take("main-window-plu-list", window);

            PastePluForm paste(4, true, 999999, frame);
            CPastePluDlg pasteDialog(paste);
            shots.Take("dialog-paste-plu", pasteDialog);
        }
    }
    SetMainFrame(previous);
}

}  // namespace

void AddPluListScreens(ScreenShots& shots)
{
    TakePluListWindow(shots);
    Shop shop;
    SelectPluForm select(shop.Plus(), shop.Departments(), shop.Settings(), 4);
    CSelectPluDlg selectPlu(select);
    shots.Take("dialog-select-plu", selectPlu);

    // Australia with nutrition: the cost price beside the unit price, and two description lines.
    shop.Frame().m_setup.m_market = MarketAustralia;
    shop.Frame().m_setup.m_nutritionInUse = 1;
    shop.Frame().m_setup.m_twoDescLinesInSearch = 1;
    shop.Frame().m_setup.m_pluActiveInactive = 1;
    SelectPluForm twoLines(shop.Plus(), shop.Departments(), shop.Settings(), 5);
    CSelectPluDlg selectTwoLines(twoLines);
    shots.Take("dialog-select-plu-two-lines", selectTwoLines);

    SelectPluRangeForm range(1, 23, 999999, std::string(GetMessageText(16390)), "");
    CSelectPluRangeDlg selectRange(range, [](std::uint32_t) { return std::nullopt; });
    shots.Take("dialog-select-plus", selectRange);

    SetFieldSequenceForm sequence({1005, 1002, 1026, 1013, 1014, 1015});
    CSetFieldSequenceDlg setSequence(sequence, CodePage::Western);
    shots.Take("dialog-set-field-sequence", setSequence);

    DepartmentsForm departments(shop.Departments(), shop.Settings().deptCodeDisplay);
    CSelectionListDlg departmentList(departments, CodePage::Western);
    shots.Take("dialog-selection-list", departmentList);
}

}  // namespace varnel::screens
