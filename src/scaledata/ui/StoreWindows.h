// The entry points of the store, store settings, tray, label batch, advertising message and campaign
// editors: the window each command opens, and the store settings and tray lists for a caller that
// picks.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/SelectPluForm.h"
#include "scaledata/EditLabelBatchesForm.h"

#include <cstdint>
#include <optional>

class QWidget;

namespace varnel {

class CPluDatabase;

struct StoreWindowSite {
    CPluDatabase& database;
    CodePage codePage;
    QWidget* parent = nullptr;
};

// "&Advertising Messages" (32786): the nine messages.
void OpenAdvertisingMessages(const StoreWindowSite& site);
// "&Store Name (TR-5300/LumenXT)" (32789): the stores, or the editor of store 1 when "Max. Store No."
// is 1.
void OpenStoreNames(const StoreWindowSite& site);
// "&Batch Label Printing" (32800): the batches, with "Select PLU" for their lines and the document's
// printer for Print....
void OpenLabelBatches(const StoreWindowSite& site, LabelBatchPluForm::PluPicker picker,
                      EditLabelBatchesForm::BatchPrinter print);
// "&Campaigns" (32785): the campaigns, with "Select PLU" for their prices; with `singleCampaign` (a
// site whose default scale family is 2) the editor of campaign 1 at once.
void OpenCampaigns(const StoreWindowSite& site, PluPicker picker, bool singleCampaign);

// The store settings or tray list in close-only or pick mode (SelectionListForm's modes) with
// `current` selected; the number chosen, none when cancelled or without the table.
std::optional<std::uint32_t> RunStoreList(const StoreWindowSite& site, int mode, std::uint32_t current);
std::optional<std::uint32_t> RunTrayList(const StoreWindowSite& site, int mode, std::uint32_t current);

}  // namespace varnel
