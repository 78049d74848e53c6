// The store editors' entry points.
#include "scaledata/ui/StoreWindows.h"

#include "db/plu/PluDatabase.h"
#include "platform/LocalTime.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/EditScrollMsgsForm.h"
#include "scaledata/EditStoreNamesForm.h"
#include "scaledata/StoreListForm.h"
#include "scaledata/TrayListForm.h"
#include "scaledata/ui/CampaignDlgs.h"
#include "scaledata/ui/LabelBatchDlgs.h"
#include "scaledata/ui/ScrollMsgDlgs.h"
#include "scaledata/ui/StoreNameDlgs.h"
#include "scaledata/ui/StoreSettingsDlgs.h"
#include "scaledata/ui/TrayDlgs.h"

namespace varnel {
namespace {

template <class Table>
Table* TableOf(const StoreWindowSite& site, std::uint16_t tableNo)
{
    return dynamic_cast<Table*>(site.database.GetTable(tableNo));
}

template <class Dialog, class Form>
std::optional<std::uint32_t> RunList(Form& form, const StoreWindowSite& site, int mode, std::uint32_t current)
{
    form.SetMode(mode);
    form.SetChosenNumber(current);
    Dialog dialog(form, site.codePage, site.parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return form.GetChosenNumber();
}

}  // namespace

void OpenAdvertisingMessages(const StoreWindowSite& site)
{
    auto* table = TableOf<CScrollMsgTb>(site, CScrollMsgTb::kTableNo);
    if (!table) return;
    EditScrollMsgsForm form(*table);
    CEditScrollMsgsDlg dialog(form, site.codePage, site.parent);
    (void)dialog.exec();
}

void OpenStoreNames(const StoreWindowSite& site)
{
    auto* table = TableOf<CStoreNameTb>(site, CStoreNameTb::kTableNo);
    if (!table) return;
    EditStoreNamesForm form(*table);
    if (table->GetMaxKey() != 1) {
        CEditStoreNamesDlg dialog(form, site.codePage, site.parent);
        (void)dialog.exec();
        return;
    }
    form.SetEditor([&site](EditStoreNameForm& editor) {
        return CEditStoreNameDlg(editor, site.codePage, site.parent).exec() == QDialog::Accepted;
    });
    form.OnEdit();
}

void OpenLabelBatches(const StoreWindowSite& site, LabelBatchPluForm::PluPicker picker,
                      EditLabelBatchesForm::BatchPrinter print)
{
    auto* table = TableOf<CLabelBatchTb>(site, CLabelBatchTb::kTableNo);
    if (!table) return;
    EditLabelBatchesForm form(*table);
    form.SetPrinter(std::move(print));
    CEditLabelBatchesDlg dialog(form, std::move(picker), site.codePage, site.parent);
    (void)dialog.exec();
}

void OpenCampaigns(const StoreWindowSite& site, PluPicker picker, bool singleCampaign)
{
    auto* table = TableOf<CCampaignTb>(site, CCampaignTb::kTableNo);
    if (!table) return;
    // A new campaign runs from the moment it is made.
    EditCampaignsForm form(*table, site.database.GetPluTable(), RunEditCampaignDlg(std::move(picker), site.codePage),
                           [] { return ToLocalParts(std::chrono::system_clock::now()); });
    if (singleCampaign) {
        (void)form.EditCampaign(1);
        return;
    }
    CEditCampaignsDlg dialog(form, site.codePage, site.parent);
    (void)dialog.exec();
}

std::optional<std::uint32_t> RunStoreList(const StoreWindowSite& site, int mode, std::uint32_t current)
{
    auto* table = TableOf<CStoreSetupTb>(site, CStoreSetupTb::kTableNo);
    if (!table) return std::nullopt;
    StoreListForm form(*table);
    return RunList<CStoreListDlg>(form, site, mode, current);
}

std::optional<std::uint32_t> RunTrayList(const StoreWindowSite& site, int mode, std::uint32_t current)
{
    auto* table = TableOf<CTrayTb>(site, CTrayTb::kTableNo);
    if (!table) return std::nullopt;
    TrayListForm form(*table);
    return RunList<CTrayListDlg>(form, site, mode, current);
}

}  // namespace varnel
