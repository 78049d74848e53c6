// The PLU list panel's keys, scrolling, clicks and the rows it draws.
#include "pluedit/PluListPanelForm.h"

#include "db/plu/PluDefTb.h"

#include <algorithm>

namespace varnel {

std::optional<std::size_t> PluListPanelForm::KeyMove(std::uint32_t key, std::uint32_t repeat) const
{
    if (m_rows.empty()) return std::nullopt;
    const std::size_t last = m_rows.size() - 1;
    const bool up = key == kVkUp || key == kVkPageUp;
    const bool down = key == kVkDown || key == kVkPageDown;
    if (!up && !down) return std::nullopt;
    // Without a current row a move starts the list at its first row.
    if (!m_current) return 0;
    const std::size_t current = *m_current;
    const std::size_t step = key == kVkUp || key == kVkDown
                                 ? repeat
                                 : static_cast<std::size_t>(std::max(m_geometry.visibleRows - 1, 1));
    if (up) return current == 0 ? std::nullopt : std::optional<std::size_t>(current - std::min(step, current));
    return current >= last ? std::nullopt : std::optional<std::size_t>(std::min(current + step, last));
}

void PluListPanelForm::OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t /*flags*/)
{
    const BuildLock lock = LockTable();
    const std::optional<std::size_t> next = KeyMove(key, repeat);
    if (!next) return;
    m_current = next;
    ShowCurrent(TypedEdit::None);
    EnsureVisible();
}

void PluListPanelForm::OnVScroll(ScrollCode code, std::size_t position)
{
    const std::size_t p = m_scrollPos;
    const std::size_t count = m_rows.size();
    const auto visible = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 0));
    switch (code) {
    case ScrollCode::LineUp: SetScrollPos(p > 0 ? p - 1 : p); break;
    case ScrollCode::LineDown: SetScrollPos(p + 1); break;
    case ScrollCode::PageUp: SetScrollPos(p <= visible ? 0 : p - visible); break;
    case ScrollCode::PageDown: SetScrollPos(p + visible < count ? p + visible : count); break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: SetScrollPos(position); break;
    case ScrollCode::Top: SetScrollPos(0); break;
    case ScrollCode::Bottom: SetScrollPos(count); break;
    }
}

bool PluListPanelForm::OnLButtonDown(int x, int y)
{
    if (x < m_area.left || x >= m_area.right || y < m_area.top || y >= m_area.bottom) return false;
    // Integer division as the row arithmetic has it: the two pixels above the first row count to it.
    const std::size_t row = static_cast<std::size_t>((y - m_area.top - 2) / m_geometry.rowHeight) + m_scrollPos;
    if (row > m_rows.size()) return false;
    const BuildLock lock = LockTable();
    if (m_rows.empty()) m_current.reset();
    else m_current = std::min(row, m_rows.size() - 1);
    ShowCurrent(TypedEdit::None);
    return true;
}

std::vector<PluListRow> PluListPanelForm::GetRowsInView() const
{
    std::vector<PluListRow> rows;
    if (!m_plus) return rows;
    const BuildLock lock = LockTable();
    const auto visible = static_cast<std::size_t>(std::max(m_geometry.visibleRows, 0));
    const int bottom = m_area.bottom - 2;
    int y = m_area.top + 2;
    for (std::size_t row = m_scrollPos; row <= m_scrollPos + visible && row < m_rows.size() && y < bottom;
         ++row, y += m_geometry.rowHeight) {
        std::uint32_t pluNumber = 0;
        const CPluDefRec* plu = RecordOfRow(row, pluNumber);
        if (!plu) continue;  // the table lost records since the list was built
        PluListRow drawn =
            MakePluListRow(m_plus->GetZonePlu(lock, *plu, m_settings.priceZone), pluNumber, m_settings, m_widths, m_shown);
        drawn.row = row;
        drawn.top = y;
        drawn.bottom = std::min(y + m_geometry.rowHeight, bottom);
        drawn.current = row == m_current;
        rows.push_back(std::move(drawn));
    }
    return rows;
}

}  // namespace varnel
