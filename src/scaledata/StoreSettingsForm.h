// The model of "Store Settings" (CStoreSettingsDlg, template 301 "Store Settings" where family 9 is in
// use, else 318 "5400-Series Store Settings"): the store number, the name and address in two label
// text editors, and the price master, printing and POS settings in combos (stored as the entry's
// index, the POS code type as the value of its entry) and number edits with their ranges.
#pragma once

#include "db/records/RecordLayout.h"
#include "pluedit/LabelTextEditForm.h"
#include "platform/Messages.h"
#include "scaledata/ScaleDataRoles.h"
#include "scaledata/StoreSetupRec.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// A combo of the settings: its control, label and column.
struct StoreSettingChoice {
    int id;
    std::string_view label;
    ColumnRef column;
};

// A number edit: its control, label, column and range.
struct StoreSettingNumber {
    int id;
    std::string_view label;
    ColumnRef column;
    std::uint32_t lowest;
    std::uint32_t highest;
};

class StoreSettingsForm {
public:
    static constexpr MessageId kMsgTextTooLong = 31519;
    static constexpr std::size_t kTextMax = CStoreSetupRec::kTextMax;
    // A text of this many bytes or more is asked about.
    static constexpr std::size_t kLongText = 97;
    static constexpr int kAsianChars = 48;
    static constexpr int kEnglishChars = 96;
    static constexpr int kStoreIdId = 1145;
    static constexpr int kPosCodeTypeId = 1141;
    static constexpr int kPosCodeNumberId = 1144;
    static constexpr int kPrinterId = 1134;
    enum class Focus { None, Number, Name, Address };

    // The site (the store table's) gives the market, the families in use, the label text settings
    // and the POS code type's definition.
    StoreSettingsForm(std::uint32_t number, const CStoreSetupRec& values, const ScaleDataRoles& roles,
                      const ILabelTextMeasure* measure = nullptr);

    std::string GetTitle() const;
    int GetTemplate() const { return m_template; }
    static std::span<const StoreSettingChoice> Choices();
    static std::span<const StoreSettingNumber> Numbers();

    LabelTextEditForm& NameEditor() { return m_name; }
    LabelTextEditForm& AddressEditor() { return m_address; }

    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }

    std::vector<std::string> EntriesOf(const StoreSettingChoice& choice) const;
    // The selected entry; -1 for a value no entry stands for.
    int GetChoice(const StoreSettingChoice& choice) const;
    void SetChoice(const StoreSettingChoice& choice, int index);
    const std::string& GetNumberText(const StoreSettingNumber& number) const;
    void SetNumberText(const StoreSettingNumber& number, std::string_view text);
    // Outside market 10 "Reg. Code", "Bottom Label Type" and "Top Bar Code" take no input; the POS
    // code type shows as a number (edit 1144) where the PLU field's definition lists no values.
    bool IsEnabled(int id) const;
    bool IsShown(int id) const;

    // The numbers in their ranges, then each text shorter than 97 bytes or accepted after 31519 (No
    // gives that editor the focus back, Yes closes at once). False keeps the dialog open.
    bool OnOK();
    Focus GetRefusedFocus() const { return m_refusedFocus; }
    std::uint32_t GetNumber() const { return m_number; }
    const std::string& GetNameText() const { return m_nameText; }
    const std::string& GetAddressText() const { return m_addressText; }
    // The settings entered (the texts not included).
    const CStoreSetupRec& GetValues() const { return m_values; }

private:
    // The POS code types the PLU field's definition lists: value numbers and texts.
    struct PosCodeValue {
        std::uint16_t number;
        std::string text;
    };
    bool IsTaiwan() const { return m_taiwan; }
    bool PosCodeAsList() const { return m_taiwan || !m_posCodeValues.empty(); }
    // A text shorter than 97 bytes, or one the user keeps (which closes the dialog at once); false
    // when the user wants to edit it again.
    bool AcceptText(const std::string& text, Focus focus, bool& closeNow);

    bool m_taiwan;
    int m_template;
    std::uint32_t m_number;
    std::string m_numberText;
    CStoreSetupRec m_values;
    std::vector<std::string> m_numberTexts;
    std::vector<PosCodeValue> m_posCodeValues;
    LabelTextEditForm m_name;
    LabelTextEditForm m_address;
    std::string m_nameText;
    std::string m_addressText;
    Focus m_refusedFocus = Focus::None;
};

}  // namespace varnel
