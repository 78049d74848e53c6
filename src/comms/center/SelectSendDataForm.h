// "Select Send Data" (dialog 282) without its window: which data go to a Lumen-family scale. Eight
// flags, all cleared at first. For a Lumen scale (family 7, not the LumenXT) "Extra Messages #2" and
// "#3" are disabled, and "Coupon Messages" too unless the Australian/New Zealand nutrition layout
// applies; "Nutrition" is shown only when the user may edit nutrition.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel {

class SelectSendDataForm {
public:
    // The boxes in the dialog's order.
    enum Box : std::size_t {
        Plus,
        StoreNameAddress,
        KeyboardPresets,
        ExtraMessages1,
        CouponMessages,
        Nutrition,
        ExtraMessages2,
        ExtraMessages3,
        kBoxCount
    };
    static const char* BoxText(Box box);

    SelectSendDataForm(std::uint16_t family, bool ausNzNutrition, bool canEditNutrition);

    bool IsEnabled(Box box) const;
    bool IsShown(Box box) const { return box != Nutrition || m_canEditNutrition; }
    bool IsChecked(Box box) const { return m_checked[box]; }
    void SetChecked(Box box, bool checked);

private:
    std::uint16_t m_family;
    bool m_ausNzNutrition;
    bool m_canEditNutrition;
    std::array<bool, kBoxCount> m_checked{};
};

}  // namespace varnel
