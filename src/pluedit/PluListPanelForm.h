// The PLU list panel's model: the scrolling list of PLUs that the main PLU list and the "Select PLU"
// dialog show. It lists the PLUs of the open PLU table, filtered by department and group or by a
// name pattern, in record, POS code or name order; keeps one current row; finds rows from a typed
// PLU number or POS code; and holds what the host's edits, combo boxes, headers and the
// "Make Active"/"Make Inactive" command show. The view draws the rows it gives and forwards the
// host's notifications, keys, clicks and scrolling.
//
// Link worker threads store PLUs received from scales into the same table while the list is up (a
// modal "Scale Comms" dialog still lets the windows beneath repaint): every read of the table here
// holds the table's build lock, which the decoders hold while they store, and a listed position
// that the table no longer reaches shows nothing.
#pragma once

#include "db/plu/DBComTb.h"
#include "db/plu/FieldChoices.h"
#include "platform/Messages.h"
#include "pluedit/KeyDownSink.h"
#include "pluedit/PluListLayout.h"
#include "pluedit/PluListRow.h"
#include "pluedit/PluListSettings.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CDeptCodeList;
class CPluDefTb;

// The state of the command that makes the current PLU active or inactive.
struct ActiveCommandState {
    bool enabled = false;
    MessageId text = 0;  // "Make Active" or "Make Inactive"
};

class PluListPanelForm final : public IKeyDownSink {
public:
    static constexpr MessageId kMsgMakeActive = 17564;
    static constexpr MessageId kMsgMakeInactive = 17565;
    static constexpr std::uint16_t kAny = 0xFFFF;

    // 0 record order (find by PLU number), 1 POS code order (find by POS code), 2 name order (find
    // by exact PLU number).
    enum OrderMode { kRecordOrder = 0, kPosCodeOrder = 1, kNameOrder = 2 };
    enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

    // Without a table (no database open) the list stays empty.
    PluListPanelForm(CPluDefTb* plus, const CDeptCodeList& departments, PluListSettings settings);
    PluListPanelForm(const PluListPanelForm&) = delete;
    PluListPanelForm& operator=(const PluListPanelForm&) = delete;

    // Sets the panel up in the host's list area and builds the list.
    void Create(const PluListArea& area, const PluListTextWidth& textWidth, const PluListHeaderTexts& headers);
    // The host gave the list another size.
    void SetArea(const PluListArea& area);

    // Rebuilds the list, keeping the current PLU where it is still listed.
    void Refresh();
    // The current PLU's number; none without a current row or when its record is gone.
    std::optional<std::uint32_t> GetSelectedPluNumber() const;
    // The number typed in the PLU number edit (GetEditNumber).
    long GetTypedPluNumber() const { return GetEditNumber(m_pluNoText); }
    // Makes the row of that PLU current when it is listed.
    void SelectPlu(std::uint32_t pluNumber);
    // Stores the text upper-cased, turns the name search on and refreshes.
    void SetSearchText(std::string_view text);

    // The host's notifications: the PLU number edit and the POS code edit changed by the user or got
    // the focus, the department, group and sort combos chose a row, the search combo chose a history
    // entry or lost the focus.
    void OnPluNoChange(std::string_view text);
    void OnPosCodeChange(std::string_view text);
    void OnDeptChange(std::optional<std::size_t> selection);
    void OnGroupChange(std::optional<std::size_t> selection);
    void OnSortChange(std::size_t selection);
    void OnSearchSelect(std::size_t index);
    void AddSearchHistory();

    // Up, Down, Page Up and Page Down move the current row; other keys do nothing.
    void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) override;
    void OnVScroll(ScrollCode code, std::size_t position);
    // A click at host pixels; false when it is not on the list.
    bool OnLButtonDown(int x, int y);

    // The rows in view, to be drawn: from the scroll position, as many as fit and one cut by the
    // bottom, each PLU as seen in the settings' price zone.
    std::vector<PluListRow> GetRowsInView() const;

    // 1 when the edit is empty, the number its text starts with, else -1.
    static long GetEditNumber(std::string_view text);

    // What the list and the host show.
    const PluListSettings& GetSettings() const { return m_settings; }
    std::size_t GetRowCount() const { return m_rows.size(); }
    std::optional<std::size_t> GetCurrentRow() const { return m_current; }
    std::size_t GetScrollPos() const { return m_scrollPos; }
    std::size_t GetScrollMax() const;
    const PluListArea& GetArea() const { return m_area; }
    const PluListRowGeometry& GetRowGeometry() const { return m_geometry; }
    const PluListColumns& GetColumns() const { return m_columns; }
    const PluListColumnsShown& GetColumnsShown() const { return m_shown; }
    const std::string& GetPosCodeName() const { return m_posCodeName; }
    int GetOrderMode() const { return m_order; }
    bool IsNameSearch() const { return m_nameSearch; }
    const std::string& GetSearchText() const { return m_searchText; }
    std::uint16_t GetDeptFilter() const { return m_deptFilter; }
    std::uint16_t GetGroupFilter() const { return m_groupFilter; }
    const std::string& GetPluNoText() const { return m_pluNoText; }
    const std::string& GetPosCodeText() const { return m_posCodeText; }
    bool IsPluNoEditEnabled() const { return m_pluNoEditEnabled; }
    const std::string& GetSearchComboText() const { return m_searchComboText; }
    const std::deque<std::string>& GetSearchHistory() const { return m_history; }
    const FieldChoices& GetDeptChoices() const { return m_deptChoices; }
    const FieldChoices& GetGroupChoices() const { return m_groupChoices; }
    bool IsGroupComboEnabled() const { return m_deptFilter != kAny; }
    const ActiveCommandState& GetActiveCommand() const { return m_activeCommand; }

private:
    // The edit whose text the user is typing, which showing the current PLU leaves alone.
    enum class TypedEdit { None, PluNo, PosCode };

    BuildLock LockTable() const;
    const CPluDefRec* RecordOfRow(std::size_t row, std::uint32_t& pluNumber) const;
    void BuildList();
    void RefreshLocked();
    void UpdateScrollRange();
    void ShowCurrent(TypedEdit typed);
    void EnsureVisible();
    void Centre();
    void SetScrollPos(std::size_t position);
    void FillDeptGroupCombos();
    // The row the edit's text finds in the order mode; none when it finds nothing.
    std::optional<std::size_t> FindPlu(std::string_view text) const;
    std::optional<std::size_t> FindRowOfKey(std::uint32_t pluNumber) const;
    // The move of a key from the current row; none when the key does not move it.
    std::optional<std::size_t> KeyMove(std::uint32_t key, std::uint32_t repeat) const;
    // The typed text finds its PLU, which becomes current and is shown near the middle of the list.
    void OnTypedSearch(TypedEdit typed, std::string_view text);
    // Leaves the name search and the order a typed search needs (unless in name order), rebuilding
    // the list when that changed anything.
    void EnterTypedSearch(OrderMode order);

    CPluDefTb* m_plus;
    const CDeptCodeList& m_departments;
    PluListSettings m_settings;
    PluListFieldWidths m_widths;
    PluListColumnsShown m_shown;
    std::string m_posCodeName;
    PluListArea m_area;
    PluListRowGeometry m_geometry;
    PluListColumns m_columns;

    std::vector<std::size_t> m_rows;  // the listed PLUs' record positions in the table's key order
    std::optional<std::size_t> m_current;
    std::optional<std::uint32_t> m_currentPlu;  // the current row's PLU when it was last shown
    std::size_t m_scrollPos = 0;
    bool m_nameSearch = false;
    int m_order = kRecordOrder;
    std::uint16_t m_deptFilter = kAny;
    std::uint16_t m_groupFilter = kAny;
    std::string m_searchText;  // upper case

    std::string m_pluNoText;
    std::string m_posCodeText;
    bool m_pluNoEditEnabled = true;
    std::string m_searchComboText;
    std::deque<std::string> m_history;  // newest first
    FieldChoices m_deptChoices;
    FieldChoices m_groupChoices;
    ActiveCommandState m_activeCommand;
};

}  // namespace varnel
