// The price dialogs of the PLU list.
#include "app/ui/PluPriceDialogs.h"

#include "app/MainFrame.h"
#include "app/PluListViewForm.h"
#include "app/Vrn3Doc.h"
#include "app/ui/RecordPickers.h"
#include "db/plu/PluFieldAccess.h"
#include "db/site/TextRules.h"
#include "pluedit/ChangeMultiPriceForm.h"
#include "pluedit/ChangePriceForm.h"
#include "pluedit/ChangeZonePriceForm.h"
#include "pluedit/ui/ChangePriceDlgs.h"

namespace varnel {

void RunPluPriceDialog(CMainFrame& frame, CVrn3Doc& document, int dialog, std::uint32_t command,
                       std::uint32_t pluNumber, QWidget* parent)
{
    CPluDefTb* plus = document.GetPluTable();
    if (plus == nullptr) return;
    const bool markdown = command == PluCommand::kMarkdownChanges;
    const ChangePricesSite site{
        *plus,
        markdown ? ChangePricesForm::kMsgMarkdownChanges : ChangePricesForm::kMsgPriceChanges,
        pluNumber,
        true,
        [&document](std::uint32_t plu) {
            return document.IsPluEditorOpen() && document.GetPluEditState().lastShown == plu;
        },
        [&document] { document.UpdateAllViews(); },
        FramePluPicker(frame, document, parent)};
    const CodePage codePage = StoreCodePage(frame.GetGeneralSetup());
    const CLabProp* flag = FindFieldDef(1003, frame.GetFieldDefMap(FieldDefMap::Plu));
    const std::uint16_t zone = frame.GetCurrentPriceZone();
    switch (dialog) {
    case ChangeZonePriceForm::kMarkdownTemplate:
    case ChangeZonePriceForm::kPriceTemplate: {
        ChangeZonePriceForm form(site, frame.PriceZones(), frame.IsHeadOfficeMode() ? zone : 0);
        CChangeZonePriceDlg(form, codePage, parent).exec();
        break;
    }
    case ChangeMultiPriceForm::kMarkdownTemplate:
    case ChangeMultiPriceForm::kPriceTemplate: {
        ChangeMultiPriceForm form(site, flag, zone);
        CChangeMultiPriceDlg(form, codePage, parent).exec();
        break;
    }
    default: {
        ChangePriceForm form(site, flag, zone);
        CChangePriceDlg(form, codePage, parent).exec();
        break;
    }
    }
}

}  // namespace varnel
