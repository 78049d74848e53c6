// What the three "Change Prices" dialogs share: they walk the PLUs one at a time (the PLU number 103
// and name 104, "&Next >>" 1069, "<< &Prev." 1070, "&Select" 3) and change the unit price (mode 16391
// "PLU Price Changes") or the markdown price and flag (16392 "Markdown Price Changes") of the PLU
// shown without the PLU editor. Each move first applies what was typed to the PLU shown and moves
// only once that succeeded; OK applies and closes, Cancel closes. A PLU the PLU edit window is open
// on is left as it is (61259) and the move goes on.
#pragma once

#include "db/plu/PluDefRec.h"
#include "pluedit/SelectPluForm.h"
#include "platform/Messages.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace varnel {

class CPluDefTb;

// The field a dialog edits amounts of: its decimals, width and highest value; 2 decimals and a width
// of 6 without a definition.
struct AmountField {
    std::uint16_t decimals = 2;
    std::uint16_t width = 6;
    std::int32_t max = 0x7FFFFFFF;

    // Of a PLU field (1004, 1005) or an extra price field (1200, 1201).
    static AmountField Of(std::uint16_t fieldNo);
};

struct ChangePricesSite {
    CPluDefTb& plus;
    MessageId mode = 16391;     // 16391 unit prices, 16392 markdowns
    std::uint32_t startPlu = 0;  // the PLU selected in the list, or 0
    bool send = true;           // each change is queued for the scales
    // Whether the PLU edit window is open on the PLU; none: never.
    std::function<bool(std::uint32_t pluNumber)> isBeingEdited;
    // Told after each change, so that the document's views show it.
    std::function<void()> updateViews;
    PluPicker pickPlu;          // "Select PLU" on the document
};

class ChangePricesForm {
public:
    static constexpr MessageId kMsgPriceChanges = 16391;
    static constexpr MessageId kMsgMarkdownChanges = 16392;
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgDatabaseError = 61246;
    static constexpr MessageId kMsgPercentTooHigh = 61248;
    static constexpr MessageId kMsgBeingEdited = 61259;
    static constexpr std::size_t kNameChars = 30;

    explicit ChangePricesForm(ChangePricesSite site);
    virtual ~ChangePricesForm() = default;
    ChangePricesForm(const ChangePricesForm&) = delete;
    ChangePricesForm& operator=(const ChangePricesForm&) = delete;

    std::string GetTitle() const { return std::string(GetMessageText(m_site.mode)); }
    bool IsMarkdown() const { return m_site.mode == kMsgMarkdownChanges; }
    // The PLU shown; 0 while none is.
    std::uint32_t GetCurrentPlu() const { return m_current; }
    std::string GetPluText() const;
    const std::string& GetNameText() const { return m_name; }
    bool CanNext() const;
    bool CanPrev() const;

    // Shows the caller's PLU when it exists, else the next one; none when there is no PLU.
    void OnInitDialog();
    // Each applies first and moves only when that succeeded; true when it did.
    bool OnNext();
    bool OnPrev();
    bool OnSelect();
    // Applies; true closes the dialog.
    bool OnOK() { return Apply(); }
    // The control a refusal put the focus on, or the first amount once a PLU is shown.
    int GetFocus() const { return m_focus; }

protected:
    // Applies what the dialog holds to the PLU shown; false keeps the dialog on it (GetFocus()).
    virtual bool Apply() = 0;
    // Fills the dialog from the PLU, which is shown; null when none is.
    virtual void Show(const CPluDefRec* row) = 0;
    virtual int FirstAmount() const = 0;

    const ChangePricesSite& Site() const { return m_site; }
    // The PLU shown, read again; null when it is gone.
    const CPluDefRec* CurrentRow() const;
    // A copy of the PLU as seen in the zone (its values there over its own).
    CPluDefRec ZoneView(const CPluDefRec& row, std::uint16_t zone) const;
    // The PLU is open in the PLU edit window: 61259 shown, and true.
    bool IsBeingEdited(std::uint32_t pluNumber) const;
    // With a percentage flag, 100 or more with no decimals (1000 with one) is refused with 61248.
    bool CheckPercentage(std::uint8_t markdownFlag, std::int32_t amount, std::uint16_t decimals, int focus);
    // Shows the message, puts the focus on the control and fails.
    bool Refuse(int focus, MessageId message);
    void SetFocus(int focus) { m_focus = focus; }
    // After a change: the PLU update log and the document's views.
    void ChangeDone(const CPluDefRec& row) const;

    // The PLUs around a number: the first above, the last below, the first at or above.
    std::optional<std::uint32_t> NextPlu(std::uint32_t pluNumber) const;
    std::optional<std::uint32_t> PrevPlu(std::uint32_t pluNumber) const;
    std::optional<std::uint32_t> PluAtOrAbove(std::uint32_t pluNumber) const;
    std::optional<std::uint32_t> PluAtOrBelow(std::uint32_t pluNumber) const;
    // Shows the PLU (none: nothing moves) with the focus on the first amount.
    bool MoveTo(std::optional<std::uint32_t> pluNumber);

private:
    void ShowPlu(std::uint32_t pluNumber);

    ChangePricesSite m_site;
    std::uint32_t m_current = 0;
    std::string m_name;
    int m_focus = 0;
};

}  // namespace varnel
