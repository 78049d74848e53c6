// The model of "Edit Short Message" (CEditShortMsgDlg): one storage temperature or storage
// instruction text, its number (two digits), list name and text; a text a scale counts above 240 is
// saved only when the user says so.
#pragma once

#include "scaledata/MessageTextEditForm.h"
#include "scaledata/ShortMsgTb.h"

namespace varnel {

class EditShortMsgForm final : public MessageTextEditForm {
public:
    static constexpr MessageId kMsgTitleTemperature = 17617;
    static constexpr MessageId kMsgTitleInstructions = 17618;
    static constexpr std::size_t kScaleTextMax = 240;

    EditShortMsgForm(const CShortMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure = nullptr);

    std::string GetTitle() const override;

private:
    std::uint32_t m_kind;
};

}  // namespace varnel
