// The list and edit dialogs of the scale-data texts over a small delicatessen's database: the extra
// messages with the sets #2 and #3 on tabs, the free messages sorted by name, coupons, a POP pick list
// with its predefined numbers, the origins, storage temperatures and departments, and each edit
// dialog holding a text.
#include "ScreenShots.h"

#include "db/plu/PluDatabase.h"
#include "scaledata/EditCategoryForm.h"
#include "scaledata/EditExMsgForm.h"
#include "scaledata/EditFreeMsgNamesForm.h"
#include "scaledata/EditPopMsgForm.h"
#include "scaledata/EditShortMsgForm.h"
#include "scaledata/ExMsgListForm.h"
#include "scaledata/PopMsgListForm.h"
#include "scaledata/RuxDeptListForm.h"
#include "scaledata/ShortMsgListForm.h"
#include "scaledata/ui/MessageTextEditDlgs.h"
#include "scaledata/ui/NameDlgs.h"
#include "scaledata/ui/ScaleDataListDlgs.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <QComboBox>

namespace varnel::screens {
namespace {

std::string Line(char font, std::string_view text) { return std::string{'\x1B', 'C', font} + std::string(text); }

struct Text {
    std::uint32_t number;
    const char* name;
    std::string text;
};

class Deli : private test::ScaleDataRegistration {
public:
    Deli()
    {
        m_frame.m_setup.m_defaultScaleFamily = 9;
        m_frame.m_setup.m_maxExMessageNo = 999;
        m_frame.m_setup.m_labelWidths = {40, 60, 60, 80, 100, 60};
        m_frame.SelectScaleFontSet();
        m_db.CreateAllTables();
        const std::string path = m_dir.File("deli.pld");
        if (!m_db.Create(path) || !m_db.Open(path)) return;
        AddMessages(4, {{1, "Product of Australia", Line('0', "PRODUCT OF AUSTRALIA")},
                        {2, "Keep refrigerated", Line('0', "KEEP REFRIGERATED") + Line('0', "Below 4 degrees")},
                        {3, "Gluten free", Line('0', "GLUTEN FREE")},
                        {5, "Made in store", Line('0', "MADE IN STORE") + Line('0', "from local produce")},
                        {12, "Contains nuts", Line('0', "CONTAINS NUTS")}});
        AddMessages(29, {{1, "Serving suggestion", Line('0', "SERVING SUGGESTION")}});
        AddMessages(30, {{1, "Sliced to order", Line('0', "SLICED TO ORDER")}});
        AddMessages(8, {{1, "Two for one", Line('0', "TWO FOR ONE")}, {4, "10% off", Line('0', "10% OFF")}});
        AddMessages(72, {{1, "roast in a moderate oven", Line('0', "Roast in a moderate oven")},
                         {2, "Barbecue", Line('0', "Barbecue on medium heat")},
                         {3, "Pan fry", Line('0', "Pan fry 3 minutes a side")}});
        auto* names = dynamic_cast<CFreeMsgNameTb*>(m_db.GetTable(77));
        const char* setNames[] = {"Cooking", "Serving", "", "Storage", ""};
        for (std::uint32_t set = 1; set <= 5; ++set) {
            if (*setNames[set - 1] == '\0') continue;
            auto* row = dynamic_cast<CFreeMsgNameRec*>(names->GetOrAddRecord(set, CFreeMsgNameRec::kSize));
            row->SetArea(Line('0', setNames[set - 1]));
        }
        for (const auto& [table, number, text] :
             {std::tuple{37, 7, Line('1', "Special offer")}, std::tuple{37, 9, Line('1', "New line")},
              std::tuple{79, 1, Line('1', "Product of Australia")}, std::tuple{79, 2, Line('1', "Product of Italy")},
              std::tuple{79, 3, Line('1', "Imported from Spain")}}) {
            auto* row = dynamic_cast<CPopMsgRec*>(
                m_db.GetTable(static_cast<std::uint16_t>(table))->GetOrAddRecord(number, CPopMsgRec::kSize));
            row->SetText(text);
            row->SetLabelWidth(60);
        }
        for (const auto& [number, name] : {std::pair{1, "Keep refrigerated 0-4 C"}, std::pair{2, "Keep frozen -18 C"},
                                           std::pair{4, "Store in a cool dry place"}}) {
            auto* row = dynamic_cast<CShortMsgRec*>(m_db.GetTable(80)->GetOrAddRecord(number, CShortMsgRec::kSize));
            row->SetName(name);
            row->SetText(Line('0', name));
        }
        for (const auto& [number, name] : {std::pair{1, "Delicatessen"}, std::pair{2, "Butchery"},
                                           std::pair{3, "Bakery"}, std::pair{7, "Seafood"}}) {
            auto* row = dynamic_cast<CRuxDeptRec*>(m_db.GetTable(82)->GetOrAddRecord(number, CRuxDeptRec::kSize));
            row->SetName(Line('0', name));
        }
    }

    CPluDatabase& Database() { return m_db; }
    template <class Table>
    Table& TableOf(std::uint16_t table)
    {
        return dynamic_cast<Table&>(*m_db.GetTable(table));
    }

private:
    void AddMessages(std::uint16_t table, std::initializer_list<Text> texts)
    {
        for (const Text& text : texts) {
            auto* row = dynamic_cast<CExMsgRec*>(m_db.GetTable(table)->GetOrAddRecord(text.number, 2168));
            row->SetName(text.name);
            row->SetText(text.text);
        }
    }

    test::TempDir m_dir;
    test::TestMainFrame m_frame;
    CPluDatabase m_db;
};

}  // namespace

void AddScaleDataScreens(ScreenShots& shots)
{
    Deli deli;
    const CodePage western = CodePage::Western;

    ExMsgListForm extra(deli.Database(), deli.TableOf<CExMsgTb>(4), {true, true, true});
    CExMsgListDlg extraList(extra, western);
    shots.Take("dialog-extra-messages", extraList);

    ExMsgListForm free(deli.Database(), deli.TableOf<CExMsgTb>(72), {true, false, false});
    CExMsgListDlg freeList(free, western);
    freeList.show();
    auto* sort = freeList.findChild<QComboBox*>("1276");
    sort->setCurrentIndex(1);
    emit sort->activated(1);
    shots.Take("dialog-free-messages-by-name", freeList);

    ExMsgListForm coupons(deli.Database(), deli.TableOf<CExMsgTb>(8), {true, false, false});
    coupons.SetMode(SelectionListForm::kPick);
    coupons.SetChosenNumber(4);
    CExMsgListDlg couponList(coupons, western);
    shots.Take("dialog-coupons-pick", couponList);

    PopMsgListForm pops(deli.TableOf<CPopMsgTb>(37));
    pops.SetMode(SelectionListForm::kPick);
    pops.SetChosenNumber(7);
    CPopMsgListDlg popList(pops, western);
    shots.Take("dialog-pop-messages-pick", popList);

    PopMsgListForm origins(deli.TableOf<CPopMsgTb>(79));
    CPopMsgListDlg originList(origins, western);
    shots.Take("dialog-origin-messages", originList);

    ShortMsgListForm temperatures(deli.TableOf<CShortMsgTb>(80));
    CShortMsgListDlg temperatureList(temperatures, western);
    shots.Take("dialog-storage-temperatures", temperatureList);

    RuxDeptListForm departments(deli.TableOf<CRuxDeptTb>(82));
    CRuxDeptListDlg departmentList(departments, western);
    shots.Take("dialog-departments", departmentList);

    const CExMsgRec& madeInStore = *deli.TableOf<CExMsgTb>(4).FindMessage(5);
    EditExMsgForm editExtra(deli.TableOf<CExMsgTb>(4), 5);
    editExtra.SetName(madeInStore.GetName());
    editExtra.SetText(madeInStore.GetText(), 60);
    CEditExMsg editExtraDlg(editExtra, western);
    shots.Take("dialog-edit-message", editExtraDlg);

    EditPopMsgForm editOrigin(deli.TableOf<CPopMsgTb>(79), 2);
    editOrigin.SetText(deli.TableOf<CPopMsgTb>(79).FindMessage(2)->GetText(), 60);
    CEditPopMsgDlg editOriginDlg(editOrigin, western);
    shots.Take("dialog-edit-origin-message", editOriginDlg);

    EditShortMsgForm editStorage(deli.TableOf<CShortMsgTb>(80), 4);
    editStorage.SetName("Store in a cool dry place");
    editStorage.SetText(deli.TableOf<CShortMsgTb>(80).FindMessage(4)->GetText(), 60);
    CEditShortMsgDlg editStorageDlg(editStorage, western);
    shots.Take("dialog-edit-storage-temperature", editStorageDlg);

    EditCategoryForm editCategory(7, "Seafood", RuxDeptListForm::kNameMax, RuxDeptListForm::kMsgEditDepartment,
                                  deli.TableOf<CRuxDeptTb>(82).GetRoles().Text().chars);
    CEditCategoryDlg editCategoryDlg(editCategory, western);
    shots.Take("dialog-edit-category", editCategoryDlg);

    CEditFreeMsgNamesForm names(deli.TableOf<CFreeMsgNameTb>(77));
    CEditFreeMsgNamesDlg namesDlg(names, western);
    shots.Take("dialog-edit-free-message-names", namesDlg);
}

}  // namespace varnel::screens
