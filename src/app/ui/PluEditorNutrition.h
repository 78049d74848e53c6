// The PLU edit window's nutrition and ingredients dialogs over the open database: each runs on the
// PLU's row and stores what its OK gives (scaledata/PluNutrition.h, scaledata/SharedNutrition.h).
#pragma once

#include "pluedit/PluEditSite.h"

#include <cstdint>
#include <optional>

class QWidget;

namespace varnel {

class CMainFrame;
class CVrn3Doc;

// The nutrition number the PLU names after the dialog; none when nothing was stored.
std::optional<std::uint32_t> RunPluNutrition(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                             NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled);
// The shared nutrition dialog on the row the PLU names, with the PLUs that share it (the PLU list and
// the PLU edit window open it); the nutrition number the PLU names since, none when nothing changed.
std::optional<std::uint32_t> EditSharedNutrition(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                                 std::uint32_t pluNumber);
// The PLU's ingredients in message table `tableNo`: the ingredients table (78) from the PLU edit
// window, table 8 from the PLU list.
bool RunPluIngredients(CMainFrame& frame, CVrn3Doc& document, QWidget* parent, std::uint16_t tableNo,
                       std::uint32_t pluNumber, std::uint16_t labelWidth);

}  // namespace varnel
