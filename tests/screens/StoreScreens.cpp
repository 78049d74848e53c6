// The store, store settings, tray, label batch and advertising message dialogs over a small
// supermarket's database: three stores, their settings for the comma-separated families, two trays,
// two label batches of fixed-price PLUs and four advertising messages, each editor holding one.
#include "ScreenShots.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/EditLabelBatchesForm.h"
#include "scaledata/EditScrollMsgsForm.h"
#include "scaledata/EditStoreNamesForm.h"
#include "scaledata/StoreListForm.h"
#include "scaledata/TrayListForm.h"
#include "scaledata/ui/LabelBatchDlgs.h"
#include "scaledata/ui/ScrollMsgDlgs.h"
#include "scaledata/ui/StoreNameDlgs.h"
#include "scaledata/ui/StoreSettingsDlgs.h"
#include "scaledata/ui/TrayDlgs.h"
#include "support/ScaleDataRegistration.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

namespace varnel::screens {
namespace {

std::string Line(char font, std::string_view text) { return std::string{'\x1B', 'C', font} + std::string(text); }

class Supermarket : private test::ScaleDataRegistration {
public:
    Supermarket()
    {
        m_frame.m_setup.m_defaultScaleFamily = 9;
        m_frame.m_setup.m_maxStoreNo = 12;
        m_frame.SelectScaleFontSet();
        m_db.CreateAllTables();
        const std::string path = m_dir.File("market.pld");
        if (!m_db.Create(path) || !m_db.Open(path)) return;
        const std::tuple<std::uint32_t, const char*, const char*> stores[] = {
            {1, "Harbour Fresh Market", "12 Quay Street, Port Ellis"},
            {2, "Harbour Fresh Hillside", "3 Ridge Road, Hillside"},
            {5, "Harbour Fresh Express", "Station Concourse"}};
        for (const auto& [number, name, address] : stores) {
            auto* store = dynamic_cast<CStoreNameRec*>(m_db.GetTable(7)->GetOrAddRecord(number, CStoreNameRec::kSize));
            store->SetName(name, number == 1 ? 1 : 0, number == 1 ? StoreBold : 0);
            store->SetAddress(address, 0, 0);
            auto* settings = dynamic_cast<CStoreSetupRec*>(m_db.GetTable(71)->GetOrAddRecord(number, CStoreSetupRec::kSize));
            settings->Set(store_setup_columns::kName, Line('3', name));
            settings->Set(store_setup_columns::kAddress, Line('0', address));
        }
        const std::tuple<std::uint32_t, const char*, std::uint16_t, std::uint16_t, std::uint16_t> trays[] = {
            {1, "Standard tray", 200, 130, 30}, {2, "Deep meat tray", 260, 180, 55}};
        for (const auto& [number, name, length, width, height] : trays) {
            auto* tray = dynamic_cast<CTrayRec*>(m_db.GetTable(53)->GetOrAddRecord(number, CTrayRec::kSize));
            tray->SetEditorDefaults();
            tray->Set(tray_columns::kName, name);
            tray->Set(tray_columns::kLength, length);
            tray->Set(tray_columns::kWidth, width);
            tray->Set(tray_columns::kHeight, height);
            tray->Set(tray_columns::kBottomLength, static_cast<std::uint16_t>(length - 40));
        }
        const std::tuple<std::uint32_t, const char*, std::int32_t> plus[] = {
            {101, "White loaf", 349}, {102, "Wholemeal loaf", 399}, {230, "Egg salad 250g", 550}};
        for (const auto& [number, name, price] : plus) {
            auto* plu = dynamic_cast<CPluDefRec*>(m_db.GetPluTable()->GetOrAddRecord(number, 264));
            plu->Set(PluCol::Name, name);
            plu->Set(PluCol::SalesMode, 1);
            plu->Set(PluCol::UnitPrice, price);
        }
        AddBatch(1, "Bakery morning", {{101, 24}, {102, 12}});
        AddBatch(2, "Deli salads", {{230, 30}, {999, 5}});
        const std::pair<std::uint32_t, const char*> adverts[] = {
            {1, "Fresh bread baked in store every morning"}, {2, "Two for one on salads"},
            {4, "Open 7 days"}, {9, "Ask about our catering platters"}};
        for (const auto& [number, text] : adverts) {
            auto* advert = dynamic_cast<CScrollMsgRec*>(m_db.GetTable(3)->GetOrAddRecord(number, CScrollMsgRec::kSize));
            advert->SetText(text);
            advert->Set(scroll_columns::kIsScroll, 1);
            advert->Set(scroll_columns::kDispMode, 1);
            advert->Set(scroll_columns::kDispTime, 822);
        }
    }

    CPluDatabase& Database() { return m_db; }
    test::TestMainFrame& Frame() { return m_frame; }
    template <class Table>
    Table& TableOf(std::uint16_t table)
    {
        return dynamic_cast<Table&>(*m_db.GetTable(table));
    }

private:
    void AddBatch(std::uint32_t number, const char* name, const std::vector<BatchLine>& lines)
    {
        auto* batch = dynamic_cast<CLabelBatchRec*>(m_db.GetTable(34)->GetOrAddRecord(number, CLabelBatchRec::kSize));
        batch->SetName(name);
        batch->SetLines(lines);
    }

    test::TempDir m_dir;
    test::TestMainFrame m_frame;
    CPluDatabase m_db;
};

}  // namespace

void AddStoreScreens(ScreenShots& shots)
{
    Supermarket market;
    const CodePage western = CodePage::Western;

    EditStoreNamesForm storeNames(market.TableOf<CStoreNameTb>(7));
    CEditStoreNamesDlg storeNamesDlg(storeNames, western);
    shots.Take("dialog-store-names", storeNamesDlg);

    EditStoreNameForm storeName(market.TableOf<CStoreNameTb>(7), 1, false);
    CEditStoreNameDlg storeNameDlg(storeName, western);
    shots.Take("dialog-edit-store-name", storeNameDlg);

    EditStoreNameForm storeNameEx(market.TableOf<CStoreNameTb>(7), 1, true);
    CEditStoreNameExDlg storeNameExDlg(storeNameEx, western);
    shots.Take("dialog-edit-store-name-extended", storeNameExDlg);

    StoreListForm stores(market.TableOf<CStoreSetupTb>(71));
    CStoreListDlg storeList(stores, western);
    shots.Take("dialog-store-list", storeList);

    CStoreSetupTb& storeTable = market.TableOf<CStoreSetupTb>(71);
    StoreSettingsForm settings(1, *storeTable.FindStore(1), storeTable.GetRoles());
    CStoreSettingsDlg settingsDlg(settings, western);
    shots.Take("dialog-store-settings", settingsDlg);

    TrayListForm trays(market.TableOf<CTrayTb>(53));
    CTrayListDlg trayList(trays, western);
    shots.Take("dialog-tray-list", trayList);

    CTrayTb& trayTable = market.TableOf<CTrayTb>(53);
    EditTrayForm tray(2, *trayTable.FindTray(2), trayTable.GetRoles());
    CEditTrayDlg trayDlg(tray, western);
    shots.Take("dialog-edit-tray", trayDlg);

    EditLabelBatchesForm batches(market.TableOf<CLabelBatchTb>(34));
    CEditLabelBatchesDlg batchesDlg(batches, {}, western);
    shots.Take("dialog-label-batches", batchesDlg);

    const CLabelBatchTb& batchTable = market.TableOf<CLabelBatchTb>(34);
    const CLabelBatchRec& salads = *batchTable.FindBatch(2);
    EditLabelBatchForm batch(market.Database().GetPluTable(), batchTable.GetRoles(), 2, salads.GetName(),
                             salads.GetLines(), {}, {});
    CEditLabelBatchDlg batchDlg(batch, western);
    shots.Take("dialog-edit-label-batch", batchDlg);

    LabelBatchPluForm line(market.Database().GetPluTable(), batchTable.GetRoles().rules, 101, 24, {});
    CLabelBatchPluDlg lineDlg(line);
    shots.Take("dialog-label-batch-plu", lineDlg);

    EditScrollMsgsForm adverts(market.TableOf<CScrollMsgTb>(3));
    CEditScrollMsgsDlg advertsDlg(adverts, western);
    shots.Take("dialog-advertising-messages", advertsDlg);

    market.Frame().m_setup.m_defaultScaleFamily = 2;
    EditScrollMsgForm simple(2, "Fresh bread baked in store", false);
    CEditScrollMsgDlg simpleDlg(simple, western);
    shots.Take("dialog-edit-advertising-message", simpleDlg);

    market.Frame().m_setup.m_defaultScaleFamily = 10;
    market.Frame().m_linkScales.emplace_back();
    market.Frame().m_linkScales.back().m_scaleType = 11;
    ScrollSettings times;
    times.mode = 1;
    times.time = 822;
    times.consecutive = true;
    EditScrollMsgExForm extended("Open 7 days", times, market.TableOf<CScrollMsgTb>(3).GetRoles());
    CEditScrollMsgExDlg extendedDlg(extended, western);
    shots.Take("dialog-edit-advertising-message-extended", extendedDlg);
}

}  // namespace varnel::screens
