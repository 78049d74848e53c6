// "Select PLU": the PLU picker behind every "Select..." button for a PLU number. It shows the PLU
// list panel with a PLU number and a POS code search edit; it opens on the caller's PLU number, and
// on OK gives the number typed in the PLU number edit, while the caller may read the panel's
// current PLU instead.
#pragma once

#include "pluedit/PluListPanelForm.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace varnel {

// What a "Select..." button runs: the picker opened on the caller's PLU number gives the PLU chosen,
// none when the user cancelled. Windows make one with MakePluPicker; tests answer directly.
using PluPicker = std::function<std::optional<std::uint32_t>(std::uint32_t initialPlu)>;

class SelectPluForm {
public:
    SelectPluForm(CPluDefTb* plus, const CDeptCodeList& departments, PluListSettings settings,
                  std::uint32_t initialPlu = 1);

    PluListPanelForm& GetPanel() { return m_panel; }
    const PluListPanelForm& GetPanel() const { return m_panel; }
    const PluListSettings& GetSettings() const { return m_settings; }

    // Once the panel is set up: the caller's number goes into the PLU number edit, which makes the
    // first PLU not below it current.
    void OnInitDialog();
    // OK ("Select", Enter, a double click on the list): keeps the typed number.
    void OnOK() { m_resultPlu = m_panel.GetTypedPluNumber(); }

    // The number in the PLU number edit when OK was pressed (-1 when it did not read).
    long GetResultPlu() const { return m_resultPlu; }
    // The panel's current PLU; none with an empty list.
    std::optional<std::uint32_t> GetSelectedPluNumber() const { return m_panel.GetSelectedPluNumber(); }

private:
    PluListSettings m_settings;
    PluListPanelForm m_panel;
    std::uint32_t m_initialPlu;
    long m_resultPlu = 0;
};

}  // namespace varnel
