// The document's side of the PLU edit window.
#include "app/Vrn3Doc.h"

namespace varnel {

void CVrn3Doc::ShowPluEditor(std::uint32_t pluNumber)
{
    m_pluEdit.showNext = pluNumber;
    if (m_pluEditorOpen) {
        m_ui->UpdateAllViews();
        return;
    }
    m_pluEditorOpen = m_ui->OpenPluEditorWindow();
}

void CVrn3Doc::CloseEditorWindows()
{
    if (m_pluEditorOpen) m_ui->ClosePluEditorWindows();
}

}  // namespace varnel
