// "Paste PLU": where the PLU on the clipboard goes. "Overwrite selected PLU" (disabled while no PLU is
// current), "Overwrite PLU No ->" the number in the edit (checked first), "Assign an unused PLU No.",
// or Cancel.
#pragma once

#include "app/PluListViewForm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class ISiteRules;

class PastePluForm {
public:
    static constexpr MessageId kMsgOutOfRange = 61237;
    static constexpr MessageId kMsgProhibited = 61286;

    // `maxPluNo`: "Max. PLU No.".
    PastePluForm(std::uint32_t clipboardPlu, bool pluSelected, std::uint32_t maxPluNo, const ISiteRules& site);

    // Label 1218: "The PLU in the clipboard is No. <number>".
    std::string GetClipboardText() const;
    // What the number edit starts with, and holds again after a refused number.
    std::string GetNumberText() const { return std::to_string(m_clipboardPlu); }
    bool IsOverwriteSelectedEnabled() const { return m_pluSelected; }

    // The buttons; each true when the dialog closes with its choice.
    bool OnOverwriteSelected();
    bool OnAssignUnused();
    // 0 or above the maximum shows 61237 with the range, a number in an excluded range 61286.
    bool OnOverwriteTyped(std::string_view text);

    const std::optional<PasteChoice>& GetChoice() const { return m_choice; }

private:
    std::uint32_t m_clipboardPlu;
    bool m_pluSelected;
    std::uint32_t m_maxPluNo;
    const ISiteRules& m_site;
    std::optional<PasteChoice> m_choice;
};

}  // namespace varnel
