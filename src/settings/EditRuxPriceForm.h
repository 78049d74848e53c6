// "Price Master Settings": the five price masters of a PLU of the RUX family, one 132-byte price record
// each, on five tabs. The fields are those of the main frame's RUX price definitions marked for
// display, in a fixed order, laid out down two columns; a field with a value list is a combo, any
// other an edit (fields 1206, 1207 and 1210 with a "..." picker beside it).
//
//   "Use Price"            the current master is in use; the last master in use cannot be switched off
//   fields                 on only while the current master is in use; an edit is taken when it loses
//                          the focus (UpdateFromEdit), a combo when it changes (UpdateFromCombo); a value
//                          outside the definition's range is refused with 61237 and the range
//   "Copy Price Info..."   with more than one master in use: the other master in use, or the one chosen
//                          from a menu of them, copied over the current one after 31521
// There is no Cancel: "Close" ends the dialog, and the modified flag tells the caller whether to take
// the records back. Entering a value equal to the stored one changes nothing.
#pragma once

#include "db/plu/FieldChoices.h"
#include "db/site/LabProp.h"
#include "platform/Messages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The lists behind the "..." buttons: POP messages and countries of origin (field 1206), extra
// messages (1207) and trays (1210). Each gives the number picked, none when cancelled; none at all
// until those lists can be shown here.
class IRuxPricePickers {
public:
    virtual std::optional<std::uint32_t> PickPopMessage(std::uint32_t /*current*/) { return std::nullopt; }
    virtual std::optional<std::uint32_t> PickExtraMessage(std::uint32_t /*current*/) { return std::nullopt; }
    virtual std::optional<std::uint32_t> PickTray(std::uint32_t /*current*/) { return std::nullopt; }

protected:
    ~IRuxPricePickers() = default;
};

// What the dialog reads of the site.
struct RuxPriceDialogSite {
    const CLabPropMap& definitions;  // the RUX price field definitions
    bool percentMarkdownDecimal;     // "Different dec. pt. for markdown percentage?"
    bool unitFixedPriceDecimal;      // "Different dec. pt. for unit/fixed price"
    CharRule chars;                  // the store's, by which the value lists' texts are cut
};

class EditRuxPriceForm {
public:
    static constexpr std::size_t kMasters = 5;
    static constexpr std::size_t kRecordSize = 132;
    using Record = std::array<std::uint8_t, kRecordSize>;
    using Records = std::array<Record, kMasters>;

    static constexpr MessageId kMsgTabTitle = 17610;
    static constexpr MessageId kMsgPickerButton = 17542;
    static constexpr MessageId kMsgOutOfRange = 61237;
    static constexpr MessageId kMsgCopyOver = 31521;
    // The frame the fields are laid out in, in dialog units.
    static constexpr int kFrameHeight = 220;
    static constexpr int kFrameWidth = 420;

    // Where a field stands: its column (0 or 1) and row, and the rows' pitch and the controls' height
    // (dialog units) that the number of fields gives.
    struct Placement {
        std::size_t column;
        std::size_t row;
    };
    struct Layout {
        std::size_t rows = 0;
        int pitch = 0;
        int controlHeight = 0;
        std::vector<Placement> places;  // one per displayed field, in order
    };

    EditRuxPriceForm(const Records& records, const RuxPriceDialogSite& site);

    // The displayed definitions in display order.
    const std::vector<CLabProp>& GetFields() const { return m_fields; }
    // A field's place in the display order; 9999 for a price field the order leaves out, 999999 for a
    // number outside 1200 to 1238.
    static std::uint32_t DisplayOrder(std::uint16_t fieldNo);
    Layout ComputeLayout(int frameHeight = kFrameHeight) const;
    // The definition's name, else the field's caption.
    static std::string GetLabel(const CLabProp& field);
    static bool IsCombo(const CLabProp& field) { return !field.m_values.empty(); }
    // The "..." button of fields 1206, 1207 and 1210 (its id 130, 126 or 129), none for the others.
    static std::optional<int> PickerButton(std::uint16_t fieldNo);
    // An edit takes the display width, one more with decimals; the one separator it accepts.
    static std::size_t GetTextLimit(const CLabProp& field);
    static char GetSeparator(std::uint16_t fieldNo);

    std::size_t GetTab() const { return m_tab; }
    // The caller commits the control that has the focus first.
    void SetTab(std::size_t tab);
    static std::string GetTabTitle(std::size_t tab);

    // What a field shows on the current master.
    std::uint16_t GetDecimals(const CLabProp& field) const;
    std::string GetText(const CLabProp& field) const;
    FieldChoices GetChoices(const CLabProp& field) const;
    // The fields whose text a change of this field alters: itself, and 1200 after 1211 or 1201 after
    // 1212 (their decimals follow those fields).
    static std::vector<std::uint16_t> FieldsShownAfterChange(std::uint16_t fieldNo);

    // An edit lost the focus: false (after the range message) when its text is refused.
    bool UpdateFromEdit(const CLabProp& field, std::string_view text);
    // A combo changed: false when nothing is selected.
    bool UpdateFromCombo(const CLabProp& field, std::optional<std::size_t> selection);

    bool IsInUse(std::size_t master) const;
    bool GetUsePrice() const { return IsInUse(m_tab); }
    bool IsUsePriceEnabled() const;
    void SetUsePrice(bool on);
    bool AreFieldsEnabled() const { return GetUsePrice(); }

    bool IsCopyEnabled() const;
    // The masters in use other than the current one: with exactly one it is copied at once, else the
    // user picks from them.
    std::vector<std::size_t> GetCopySources() const;
    // 31521 (OK/Cancel), then the whole record copied over the current one.
    bool CopyFrom(std::size_t source);

    // A "..." button: the number picked goes into its field.
    bool Pick(std::uint16_t fieldNo, IRuxPricePickers& pickers);

    bool IsModified() const { return m_modified; }
    const Records& GetRecords() const { return m_records; }

private:
    Record& Current() { return m_records[m_tab]; }
    const Record& Current() const { return m_records[m_tab]; }
    std::int32_t ValueOf(std::uint16_t fieldNo) const;
    std::string RangeSuffix(const CLabProp& field) const;

    const RuxPriceDialogSite& m_site;
    Records m_records;
    std::vector<CLabProp> m_fields;
    std::size_t m_tab = 0;
    bool m_modified = false;
};

}  // namespace varnel
