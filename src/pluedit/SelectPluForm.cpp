// The "Select PLU" picker.
#include "pluedit/SelectPluForm.h"

#include <string>

namespace varnel {

SelectPluForm::SelectPluForm(CPluDefTb* plus, const CDeptCodeList& departments, PluListSettings settings,
                             std::uint32_t initialPlu)
    : m_settings(settings), m_panel(plus, departments, settings), m_initialPlu(initialPlu)
{
}

void SelectPluForm::OnInitDialog() { m_panel.OnPluNoChange(std::to_string(m_initialPlu)); }

}  // namespace varnel
