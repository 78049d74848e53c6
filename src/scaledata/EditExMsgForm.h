// The model of "Edit Message" (CEditExMsg): one message of a message table, its number, list name,
// label width and text. Besides the shared checks, a coupon under Australian or New Zealand nutrition
// must fit the description length of the label-size range that holds its number, or be saved anyway.
#pragma once

#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageTextEditForm.h"

namespace varnel {

class EditExMsgForm final : public MessageTextEditForm {
public:
    static constexpr MessageId kMsgCouponCaption = 16408;  // "Coupon #%ld"

    // The editor takes the table's text kind (ingredients mode 4, the others 2).
    EditExMsgForm(const CExMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure = nullptr);

    std::string GetTitle() const override { return "Edit Message"; }
    std::string GetCaption() const override;
    // Not for coupons under Australian or New Zealand nutrition.
    bool IsNumberEnabled() const override;

    // The number edit takes 2, 4, 6 or 8 digits as the highest number is below 100, below 10000, at
    // most 999999, or above.
    static std::size_t NumberDigits(std::uint32_t highest);

private:
    bool CheckMore() override;
    bool IsAusNzCoupon() const;

    std::uint32_t m_kind;
};

}  // namespace varnel
