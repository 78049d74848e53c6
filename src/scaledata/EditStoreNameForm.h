// The model of the store editors: "Edit Store Name and Address" CEditStoreNameDlg (template 143: the
// store number, name 1003, address 1004 and one font, 1183) and, in markets 3, 5 and 10,
// CEditStoreNameExDlg (template 229: a font for the name, 1183, and for the address, 1184, and "Bold",
// "Italic", "Reverse" for each, 1410 to 1415). OK checks the number, a change to a store that exists
// (61285) and the texts' lengths for the chosen fonts.
#pragma once

#include "platform/Messages.h"
#include "scaledata/StoreNameRec.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CStoreNameTb;

class EditStoreNameForm {
public:
    static constexpr MessageId kMsgOverwrite = 61285;
    static constexpr MessageId kMsgTooLongForFont = 61352;
    static constexpr MessageId kMsgTooLongTogether = 31522;
    static constexpr std::string_view kTooLongForLargeFont =
        "The store name is too long for the selected font (Max. = 33 characters)";
    // The font that counts as large (and as double width in the extended editor).
    static constexpr std::uint8_t kLargeFont = 1;
    static constexpr std::size_t kLargeNameMax = 33;
    static constexpr std::size_t kStandardMax = 43;
    static constexpr std::size_t kDoubleWidthMax = 21;
    static constexpr std::size_t kTogetherMax = 80;

    enum class Focus { None, Number, Name, Address };

    // The store of `number` as the table holds it (empty for a new one); `extended` for template 229.
    EditStoreNameForm(const CStoreNameTb& table, std::uint32_t number, bool extended);

    bool IsExtended() const { return m_extended; }
    std::string GetTitle() const;
    // The fonts the combos offer, font 0 first.
    static std::vector<std::string> FontEntries();

    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }
    // The name and address, cut to the row's 127 bytes.
    const std::string& GetNameText() const { return m_nameText; }
    const std::string& GetAddressText() const { return m_addressText; }
    void SetNameText(std::string_view text);
    void SetAddressText(std::string_view text);
    // Their fonts (0 to 7) and style bits (StoreTextStyle); the simple editor sets one font for both.
    StoreText GetName() const { return {m_nameText, m_nameFont, m_nameStyle}; }
    StoreText GetAddress() const { return {m_addressText, m_addressFont, m_addressStyle}; }
    void SetFont(std::uint8_t font) { m_nameFont = m_addressFont = font; }
    void SetNameFont(std::uint8_t font) { m_nameFont = font; }
    void SetAddressFont(std::uint8_t font) { m_addressFont = font; }
    void SetNameStyle(std::uint8_t bit, bool on) { SetStyle(m_nameStyle, bit, on); }
    void SetAddressStyle(std::uint8_t bit, bool on) { SetStyle(m_addressStyle, bit, on); }

    // The checks of OK; false keeps the dialog open with the focus on GetRefusedFocus().
    bool OnOK();
    Focus GetRefusedFocus() const { return m_refusedFocus; }
    std::uint32_t GetNumber() const { return m_number; }
    std::uint32_t GetOpeningNumber() const { return m_openingNumber; }

private:
    static void SetStyle(std::uint8_t& style, std::uint8_t bit, bool on)
    {
        style = static_cast<std::uint8_t>(on ? style | bit : style & ~bit);
    }
    bool Refuse(Focus focus);

    const CStoreNameTb& m_table;
    bool m_extended;
    std::uint32_t m_openingNumber;
    std::uint32_t m_number;
    std::string m_numberText;
    std::string m_nameText;
    std::string m_addressText;
    std::uint8_t m_nameFont = 0;
    std::uint8_t m_nameStyle = 0;
    std::uint8_t m_addressFont = 0;
    std::uint8_t m_addressStyle = 0;
    Focus m_refusedFocus = Focus::None;
};

}  // namespace varnel
