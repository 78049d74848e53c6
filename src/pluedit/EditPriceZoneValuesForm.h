// The model of CEditPriceZoneValues, the popup of the PLU edit window that lists one field's value
// in every price zone: row 0 the PLU's own value ("Default"), then one row per zone in number order.
// At most eight rows show at once; with more, a scroll bar moves them. Each row is committed as its
// control is left; OK and Cancel alike commit every row once and close.
#pragma once

#include "db/plu/FieldChoices.h"
#include "db/plu/PriceZoneEntry.h"
#include "pluedit/PluEditLayout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CLabProp;
class PluEditForm;

class EditPriceZoneValuesForm {
public:
    static constexpr std::size_t kVisibleRows = 8;
    // Dialog units.
    static constexpr int kRowPitch = 15;
    static constexpr int kLabelWidth = 70;
    static constexpr int kInputWidth = 120;
    static constexpr int kMargin = 5;
    static constexpr int kScrollBarWidth = 10;
    static constexpr int kLabelIdBase = 1950;
    static constexpr int kScrollBarId = 1049;

    EditPriceZoneValuesForm(PluEditForm& plu, const CLabProp& definition);

    const CLabProp& Definition() const { return m_definition; }
    std::size_t GetRowCount() const { return m_zones.size(); }
    std::size_t GetShownRowCount() const { return std::min(m_zones.size(), kVisibleRows); }
    bool HasScrollBar() const { return m_zones.size() > kVisibleRows; }
    std::size_t GetFirstRow() const { return m_first; }
    std::size_t GetLastPosition() const { return HasScrollBar() ? m_zones.size() - kVisibleRows : 0; }

    // Shown row `shown` (0 .. GetShownRowCount() - 1).
    std::uint16_t GetZone(std::size_t shown) const { return m_zones.at(m_first + shown); }
    std::string GetRowLabel(std::size_t shown) const;
    bool IsCombo() const;
    FieldChoices GetRowChoices(std::size_t shown) const;
    std::string GetRowText(std::size_t shown) const;
    char GetSeparator() const;
    std::size_t GetTextLimit() const;

    // A row edit left: a text that does not read changes nothing; a value the field's check refuses
    // shows its message, keeps the old value and gives false (the row takes the focus back). Every
    // row shows again after a change of the PLU's own value, whose value the zones without one share.
    bool CommitRowEdit(std::size_t shown, std::string_view text);
    void CommitRowCombo(std::size_t shown, std::optional<std::size_t> selection);
    // While a row's check or message runs: a row left then does not close the popup.
    bool IsBusy() const { return m_busy; }
    // OK and Cancel: each shown row committed from its control's text or selection, once.
    template <class Commit>
    void CommitAll(Commit commitRow)
    {
        if (m_closing) return;
        m_closing = true;
        for (std::size_t shown = 0; shown < GetShownRowCount(); ++shown) commitRow(shown);
    }
    bool IsClosing() const { return m_closing; }

    enum class Scroll { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };
    // True when the first row shown moved (the rows then show again).
    bool OnScroll(Scroll action, std::size_t thumb = 0);

    // The popup in pixels: 20 pixels left of the clicked control at its top, inside the work area.
    FormRect Place(const FormRect& control, const FormRect& workArea, const FormUnits& units) const;

private:
    std::int32_t RowValue(std::size_t shown) const;

    PluEditForm& m_plu;
    const CLabProp& m_definition;
    std::vector<std::uint16_t> m_zones;  // 0 first, then the price zones by number
    PriceZoneEntries m_stored;
    std::size_t m_first = 0;
    bool m_busy = false;
    bool m_closing = false;
};

}  // namespace varnel
