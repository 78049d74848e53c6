// The tool bars' contents. The narrow-screen main bars put the PLU commands in front, as the PLU list
// window has no bar of its own there.
#include "app/ToolBars.h"

#include <algorithm>
#include <array>

namespace varnel {
namespace {

constexpr ToolButton kSeparator{};
constexpr ToolButton kChangeDepartment{32873, "Change Department"};
constexpr ToolButton kNewPlu{32773, "New PLU"};
constexpr ToolButton kEditPlu{32779, "Edit PLU"};
constexpr ToolButton kDeletePlu{32960, "Delete PLU"};
constexpr ToolButton kPriceChanges{32781, "Price Changes"};

template <std::size_t... Sizes>
constexpr auto Join(const std::array<ToolButton, Sizes>&... parts)
{
    std::array<ToolButton, (Sizes + ...)> joined{};
    std::size_t next = 0;
    ((std::ranges::copy(parts, joined.begin() + static_cast<std::ptrdiff_t>(next)), next += parts.size()), ...);
    return joined;
}

constexpr auto kPluCommands = std::to_array<ToolButton>({kNewPlu, kEditPlu, kDeletePlu, kPriceChanges, kSeparator});
constexpr auto kDepartment = std::to_array<ToolButton>({kChangeDepartment, kSeparator});
constexpr auto kMainCommands = std::to_array<ToolButton>({
    {32787, "Extra Messages"}, {32968, "Edit Keyboard"}, kSeparator, {32860, "PLU Production"}, kSeparator,
    {32952, "Transmit/Receive Scale Data"}, {32836, "Compare PLUs (Scale vs. DB)"}, kSeparator,
    {32877, "Import from Text File"}, {32878, "Scheduler"}, {32879, "Customize"}, kSeparator, {57666, "Index"}});
constexpr auto kStatusLog = std::to_array<ToolButton>({{32961, "Update Scale Status Log"}});

constexpr auto kBar238 = Join(kDepartment, kMainCommands, kStatusLog);
constexpr auto kBar248 = Join(kPluCommands, kDepartment, kMainCommands, kStatusLog);
constexpr auto kBar251 = Join(kMainCommands, kStatusLog);
constexpr auto kBar239 = kMainCommands;
constexpr auto kBar247 = Join(kPluCommands, kMainCommands, kStatusLog);

constexpr auto kPluList = std::to_array<ToolButton>({{32818, "PLU List"}, kSeparator});
constexpr ToolButton kNutrition{3001, "Nutrition"};
constexpr ToolButton kIngredients{32867, "Ingredients"};
constexpr ToolButton kMarkActive{32951, "Mark Active"};

constexpr auto kBar243 = Join(kPluCommands, kPluList);
constexpr auto kBar245 = Join(kPluCommands, kPluList, std::to_array({kNutrition}));
constexpr auto kBar246 = Join(kPluCommands, kPluList, std::to_array({kMarkActive}));
constexpr auto kBar244 = Join(kPluCommands, kPluList, std::to_array({kNutrition, kMarkActive}));
constexpr auto kBar250 = Join(kPluCommands, kPluList, std::to_array({kNutrition, kIngredients, kMarkActive}));

constexpr int kNarrowScreen = 640;

}  // namespace

int ChooseMainToolBar(bool departmentsExist, bool exceptionLogOn, int screenWidth)
{
    const bool wide = screenWidth > kNarrowScreen;
    if (departmentsExist) return wide ? 238 : 248;
    if (exceptionLogOn) return 251;
    return wide ? 239 : 247;
}

int ChoosePluListToolBar(NutritionUse nutrition, bool markActive)
{
    if (nutrition == NutritionUse::AustraliaNewZealand) return 250;
    if (nutrition == NutritionUse::Editable) return markActive ? 244 : 245;
    return markActive ? 246 : 243;
}

bool PluListHasToolBar(int screenWidth)
{
    return screenWidth > kNarrowScreen;
}

std::span<const ToolButton> ToolBarButtons(int resource)
{
    switch (resource) {
    case 238: return kBar238;
    case 248: return kBar248;
    case 251: return kBar251;
    case 239: return kBar239;
    case 247: return kBar247;
    case 243: return kBar243;
    case 244: return kBar244;
    case 245: return kBar245;
    case 246: return kBar246;
    case 250: return kBar250;
    default: return {};
    }
}

}  // namespace varnel
