// The model of "Edit POP Message" (CEditPopMsgDlg): one pop-up or origin message, its number (three
// digits) and its text in the label text editor, whose fonts take no effects unless the default
// family is 9 or 11.
#pragma once

#include "scaledata/MessageTextEditForm.h"
#include "scaledata/PopMsgTb.h"

namespace varnel {

class EditPopMsgForm final : public MessageTextEditForm {
public:
    static constexpr MessageId kMsgTitlePop = 17619;
    static constexpr MessageId kMsgTitleOrigin = 17620;

    EditPopMsgForm(const CPopMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure = nullptr);

    std::string GetTitle() const override;
    // Default families other than 9 and 11 print pop-up texts in one style.
    static bool TakesEffects(std::uint16_t defaultFamily);

private:
    std::uint32_t m_kind;
};

}  // namespace varnel
