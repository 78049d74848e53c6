#include "app/ui/PriceMasterDialog.h"

#include "app/MainFrame.h"
#include "scaledata/ui/RuxPricePickers.h"
#include "settings/EditRuxPriceForm.h"
#include "settings/ui/EditRuxPrice.h"

namespace varnel {

bool EditPriceMasters(const CMainFrame& frame, const ScaleDataListSite& lists, ExtraPriceRecords& records)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    const RuxPriceDialogSite site{frame.GetFieldDefMap(FieldDefMap::RuxPrice), setup.m_markdownPercentDecimal != 0,
                                  setup.m_unitFixedPriceDecimal != 0, frame.GetTextRules().chars};
    EditRuxPriceForm form(records, site);
    RuxPricePickers pickers(lists);
    CEditRuxPrice dialog(form, pickers, lists.codePage, lists.parent);
    (void)dialog.exec();
    if (!form.IsModified()) return false;
    records = form.GetRecords();
    return true;
}

}  // namespace varnel
