// What the edit dialogs of messages, pop-up and origin messages and storage texts share: the message
// number (edit 1177), an optional list name (edit 1047), the label text editor with the widths the
// label-size ranges configure, the caption (1057) and the printed length (1058), and OK's checks in
// their order: the text's length as a scale counts it (31517), the number (61236, 61269), a changed
// number that another message holds (61268), then what a dialog adds. A refused OK keeps the dialog
// open and says which control takes the focus back.
#pragma once

#include "db/plu/DBComTb.h"
#include "pluedit/LabelTextEditForm.h"
#include "platform/Messages.h"
#include "scaledata/ScaleDataRoles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The site's settings as the label text editor takes them.
LabelTextSettings LabelTextSettingsOf(const ISiteRules& site);
// The whole characters of `text` (under the character rule given) within `limit` bytes.
std::string CutToWholeChars(std::string_view text, std::size_t limit, const CharRule& chars);

class MessageTextEditForm {
public:
    static constexpr MessageId kMsgTooLong = 31517;
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgOutOfRange = 61269;
    static constexpr MessageId kMsgOverwrite = 61268;
    static constexpr MessageId kMsgLength = 17549;  // "Len = %d.%02.2dmm"
    static constexpr MessageId kMsgCaption = 16389;  // "Message #%ld"
    static constexpr MessageId kMsgDefaultName = 16406;  // "Message No. %ld"
    static constexpr std::size_t kNameMax = 30;

    // How one dialog checks its entries.
    struct Rules {
        std::size_t textMax = 0;            // bytes the editor's text is cut to
        std::size_t scaleMax = 0;           // the longest text, as a scale counts it, stored without asking
        std::size_t numberChars = 0;        // what the number edit takes
        bool unreadableOutOfRange = false;  // an unreadable number gives 61269 rather than 61236
        bool hasName = false;
    };

    enum class Focus { None, Editor, Number };

    // The table's site (its roles) gives the label widths, the character rule and the default family.
    MessageTextEditForm(const CDBComTb& table, const ScaleDataRoles& roles, const Rules& rules, std::uint32_t number,
                        const ILabelTextMeasure* measure = nullptr);
    virtual ~MessageTextEditForm() = default;
    MessageTextEditForm(const MessageTextEditForm&) = delete;
    MessageTextEditForm& operator=(const MessageTextEditForm&) = delete;

    LabelTextEditForm& Editor() { return m_editor; }
    const LabelTextEditForm& Editor() const { return m_editor; }
    // The stored text into the editor at the label width.
    void SetText(std::string_view text, std::uint16_t labelWidth);

    virtual std::string GetTitle() const = 0;
    virtual std::string GetCaption() const;

    // Edit 1177, with the number as "%ld" to begin with.
    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }
    std::size_t GetNumberLimit() const { return m_rules.numberChars; }
    virtual bool IsNumberEnabled() const { return true; }
    // Edit 1047, at most 30 characters.
    bool HasName() const { return m_rules.hasName; }
    const std::string& GetName() const { return m_name; }
    void SetName(std::string_view name);

    // The label widths of the label-size ranges, each once, in ascending order.
    std::vector<std::uint16_t> GetLabelWidths() const;
    // The printed length of the text (its dots at 0.15 mm).
    std::string GetLengthText() const;

    // Runs the checks; true closes the dialog with OK. After a refusal the control to focus.
    bool OnOK();
    Focus GetRefusedFocus() const { return m_refusedFocus; }

    // After OK: the number entered (the one the dialog opened with until then), the text taken.
    std::uint32_t GetNumber() const { return m_number; }
    std::uint32_t GetOpeningNumber() const { return m_openingNumber; }
    const std::string& GetText() const { return m_text; }
    std::uint16_t GetLabelWidth() const { return m_editor.GetLabelWidth(); }

    // "%ld" of the text: blanks, a sign and digits, whatever follows them ignored; none without digits.
    static std::optional<long long> ReadLong(std::string_view text);

protected:
    const CDBComTb& Table() const { return m_table; }
    const ScaleDataRoles& Roles() const { return m_roles; }
    // The dialog's own checks after the common ones; false keeps the dialog open.
    virtual bool CheckMore() { return true; }
    // The printed length in hundredths of a millimetre.
    std::uint32_t GetPrintLengthHundredths() const;

private:
    bool CheckText();
    bool CheckNumber();
    bool Refuse(Focus focus);

    const CDBComTb& m_table;
    ScaleDataRoles m_roles;
    Rules m_rules;
    LabelTextEditForm m_editor;
    std::uint32_t m_openingNumber;
    std::uint32_t m_number;
    std::string m_numberText;
    std::string m_name;
    std::string m_text;
    Focus m_refusedFocus = Focus::None;
};

// Writes what the dialog holds into a message row: its name (where rows have one), text and label
// width. Returns the size the row is stored with.
template <class Row>
std::uint16_t FillMessageRow(const MessageTextEditForm& dialog, Row& row)
{
    if constexpr (requires { row.SetName(dialog.GetName()); }) row.SetName(dialog.GetName());
    row.SetText(dialog.GetText());
    row.SetLabelWidth(dialog.GetLabelWidth());
    if constexpr (requires { row.CalcDataSize(); }) return row.CalcDataSize();
    else return static_cast<std::uint16_t>(Row::kSize);
}

}  // namespace varnel
