// The "Change Prices" dialog the PLU list chose (PluListViewForm::ChoosePriceDialog), run modally on
// the open database from the list's current PLU: 145 one price, 274/275 per zone, 309/310 the
// counter scale price and the five extra prices.
#pragma once

#include <cstdint>

class QWidget;

namespace varnel {

class CMainFrame;
class CVrn3Doc;

void RunPluPriceDialog(CMainFrame& frame, CVrn3Doc& document, int dialog, std::uint32_t command,
                       std::uint32_t pluNumber, QWidget* parent);

}  // namespace varnel
