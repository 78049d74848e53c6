// The model of the simple advertising message editor (CEditScrollMsgDlg, dialog 103 "Edit Advertising
// Message"): one scrolling text of 96 characters (edit 1007), or, for a message that does not scroll,
// one line of 30 (edit 1002) or two display lines of 19 (edits 1016 and 1015), and the check box 1010
// "Scroll message?" that only families 2 and 3 offer (the others always scroll).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

class EditScrollMsgForm {
public:
    // The four edits in the order of the layout flags.
    enum Edit { kScrolling = 0, kOneLine = 1, kFirstLine = 2, kSecondLine = 3 };
    static constexpr std::array<int, 4> kEditIds{1007, 1002, 1016, 1015};
    static constexpr std::array<std::size_t, 4> kEditLimits{96, 30, 19, 19};

    EditScrollMsgForm(std::uint16_t defaultFamily, std::string_view text, bool isScroll);

    // "YNNN", "NYNN" or "NNYY": which edits are shown (and enabled).
    const std::string& GetLayout() const { return m_layout; }
    bool IsEditShown(Edit edit) const { return m_layout[edit] == 'Y'; }
    // The first edit shown: it takes the focus.
    Edit GetFocusEdit() const;
    const std::string& GetEditText(Edit edit) const { return m_texts[edit]; }
    // Cut to the edit's length.
    void SetEditText(Edit edit, std::string_view text);

    bool IsScrollBoxShown() const { return TakesLines(); }
    bool IsScroll() const { return m_isScroll; }
    // The check box: the texts are read back and laid out again.
    void SetScroll(bool scroll);

    // Puts a text back into the layout (after a conversion, to edit it again).
    void SetText(std::string_view text);

    // OK: the message's text and whether it scrolls.
    void OnOK();
    const std::string& GetText() const { return m_text; }
    bool GetIsScroll() const { return m_isScroll; }

private:
    // Families 2 and 3 show messages that do not scroll, on two lines.
    bool TakesLines() const { return m_family == 2 || m_family == 3; }
    void Layout();
    // The text of the shown edits as one message.
    std::string ReadBack() const;

    std::uint16_t m_family;
    bool m_isScroll;
    std::string m_layout;
    std::array<std::string, 4> m_texts;
    std::string m_text;
};

}  // namespace varnel
