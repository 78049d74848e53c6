// What the PLU edit window's Nutrition and Ingredients dialogs store for its PLU once their OK is
// taken: each checks the user's right to update its table first (61328) and logs what it stored.
#pragma once

#include "scaledata/NutritionRows.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace varnel {

class CExMsgTb;
class CNutritionTb;
class CPluDefTb;
class EditExMsgForm;
class ILabelTextMeasure;

// The facts or custom row of the dialog's PLU (values.plu), queued to the scales; a PLU row naming
// another nutrition number takes this one, is stored, logged and queued again (`requeuePlu`). The
// row's number, none when nothing was stored.
std::optional<std::uint32_t> StoreStandardNutrition(CPluDefTb& plus, CNutritionTb& nutrition,
                                                    const StandardNutrition& values, bool requeuePlu);
// The panel of the dialog's PLU (values.plu): queued only for an active PLU, whose send is renewed.
bool StorePanelNutrition(CPluDefTb& plus, CNutritionTb& nutrition, const PanelNutrition& values);

// "Edit Message" on the PLU's ingredients (its row, or an empty text at `labelWidth` named
// "PLU #%d"); a host-controlled PLU is told 31502 first and stores nothing. After OK the row is stored,
// queued for an active PLU, logged, and the PLU's send renewed. True when stored.
using ExMsgDialog = std::function<bool(EditExMsgForm&)>;
bool EditPluIngredients(CPluDefTb& plus, CExMsgTb& ingredients, std::uint32_t pluNumber, std::uint16_t labelWidth,
                        const ExMsgDialog& dialog, const ILabelTextMeasure* measure = nullptr);

}  // namespace varnel
