#include "comms/center/SelectSendDataForm.h"

namespace varnel {
namespace {

constexpr std::uint16_t kLumenFamily = 7;

}  // namespace

SelectSendDataForm::SelectSendDataForm(std::uint16_t family, bool ausNzNutrition, bool canEditNutrition)
    : m_family(family), m_ausNzNutrition(ausNzNutrition), m_canEditNutrition(canEditNutrition)
{
}

const char* SelectSendDataForm::BoxText(Box box)
{
    switch (box) {
    case Plus: return "PLUs";
    case StoreNameAddress: return "Store Name/Address";
    case KeyboardPresets: return "Keyboard Presets";
    case ExtraMessages1: return "Extra Messages #1";
    case CouponMessages: return "Coupon Messages";
    case Nutrition: return "Nutrition";
    case ExtraMessages2: return "Extra Messages #2";
    case ExtraMessages3: return "Extra Messages #3";
    case kBoxCount: break;
    }
    return "";
}

bool SelectSendDataForm::IsEnabled(Box box) const
{
    if (m_family != kLumenFamily) return true;
    if (box == ExtraMessages2 || box == ExtraMessages3) return false;
    return box != CouponMessages || m_ausNzNutrition;
}

void SelectSendDataForm::SetChecked(Box box, bool checked)
{
    if (IsEnabled(box) && IsShown(box)) m_checked[box] = checked;
}

}  // namespace varnel
