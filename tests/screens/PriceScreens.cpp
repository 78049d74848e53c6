// The Change Prices dialogs over a butcher's PLUs: one unit price, one markdown with its flag, the
// prices of nine price zones (one with a value of its own) and the price master tables' prices and
// markdowns.
#include "ScreenShots.h"

#include "pluedit/ChangeMultiPriceForm.h"
#include "pluedit/ChangePriceForm.h"
#include "pluedit/ChangeZonePriceForm.h"
#include "pluedit/ChangePricesData.h"
#include "pluedit/ui/ChangePriceDlgs.h"

namespace varnel::screens {
namespace {

class Butcher : public test::ChangePricesData {
public:
    Butcher()
    {
        DefineZones(9, {"Auckland", "Hamilton", "Tauranga", "Napier", "Wellington", "Nelson", "Christchurch",
                        "Dunedin", "Invercargill"});
        m_frame.m_setup.m_noAutoRuxPriceRecord = 1;
        if (!OpenNew()) return;
        AddPlu(101, 2499, "Beef Rump Steak", 25, 3, 1);
        AddPlu(102, 1899, "Lamb Leg Roast", 0, 0, 1);
        (void)Plus().GetPriceZoneTable()->SetZoneValue(101, 1005, 5, 2699, &Plu(101));
        AddRuxPrice(1, 101, 2399, true, 10, 3);
        AddRuxPrice(2, 101, 2299, true, 15, 3);
        AddRuxPrice(4, 101, 2599, false);
    }

    ChangePricesSite Site(MessageId mode) { return {Plus(), mode, 101, true, {}, {}, {}}; }
    const CLabProp* Flag() const { return m_flag; }
    const CPriceZoneList& Zones() const { return m_frame.m_priceZones; }
};

// The dialog over `Form` for prices, then for markdowns.
template <class Form, class Dialog, class Extra>
void TakeBoth(ScreenShots& shots, Butcher& butcher, const Extra& extra, const char* prices, const char* markdowns)
{
    for (const auto& [mode, name] : {std::pair{ChangePricesForm::kMsgPriceChanges, prices},
                                     std::pair{ChangePricesForm::kMsgMarkdownChanges, markdowns}}) {
        Form form(butcher.Site(mode), extra, 0);
        Dialog dialog(form, CodePage::Western);
        shots.Take(name, dialog);
    }
}

}  // namespace

void AddPriceScreens(ScreenShots& shots)
{
    Butcher butcher;
    TakeBoth<ChangePriceForm, CChangePriceDlg>(shots, butcher, butcher.Flag(), "dialog-change-price",
                                               "dialog-change-markdown");
    TakeBoth<ChangeZonePriceForm, CChangeZonePriceDlg>(shots, butcher, butcher.Zones(), "dialog-change-zone-prices",
                                                       "dialog-change-zone-markdowns");
    TakeBoth<ChangeMultiPriceForm, CChangeMultiPriceDlg>(shots, butcher, butcher.Flag(), "dialog-change-multi-prices",
                                                         "dialog-change-multi-markdowns");
}

}  // namespace varnel::screens
