// Nutrition rows shared by several PLUs (each PLU names its row by its nutrition number): what the
// shared nutrition dialog's OK stores, and the release of a row that no PLU names any more.
#pragma once

#include "scaledata/NutritionRows.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace varnel {

class CNutritionTb;
class CPluDefTb;

// The PLUs whose rows name the nutrition number, in number order.
std::vector<std::uint32_t> FindPlusOfNutrition(const CPluDefTb& plus, std::uint32_t number);

// When no PLU names the number any more: the scales are told to delete the row, the row is deleted
// and the deletion logged. True when it was deleted; 0 and a row still named do nothing.
bool ReleaseNutrition(CPluDefTb& plus, CNutritionTb& nutrition, std::uint32_t number);

// The shared row `number` (0: a new number for `editedPlu`) with its values, given to exactly the
// PLUs `assigned`: the PLUs that named it and are not listed lose it, the ones listed take it (each
// PLU row updated, queued and logged, a row freed either way released); an empty list releases the
// row itself, else it is stored, logged and queued. The edited PLU's new nutrition number when it
// changed (0 when it lost the row); none when it did not, or the row could not be stored.
struct SharedNutritionChange {
    bool stored = false;
    std::optional<std::uint32_t> editedPluNumber;
};
SharedNutritionChange ApplySharedNutrition(CPluDefTb& plus, CNutritionTb& nutrition, std::uint32_t number,
                                           const StandardNutrition& values, const std::vector<std::uint32_t>& assigned,
                                           std::uint32_t editedPlu);

}  // namespace varnel
