// The model of "Edit Category" (CEditCategoryDlg): a department or group number (1 to 9999, edit
// 1151) and its name (edit 1004), at most the list's maximum length.
#pragma once

#include "db/site/TextRules.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

class EditCategoryForm {
public:
    static constexpr std::uint32_t kLowest = 1;
    static constexpr std::uint32_t kHighest = 9999;
    static constexpr std::size_t kNumberChars = 4;

    // The name is cut to whole characters under the site's character rule given.
    EditCategoryForm(std::uint32_t number, std::string_view name, std::size_t maxLength, MessageId title,
                     const CharRule& chars);

    std::string GetTitle() const;
    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }
    std::size_t GetMaxLength() const { return m_maxLength; }
    const std::string& GetName() const { return m_name; }
    // Cut to the maximum length.
    void SetName(std::string_view name);

    // The number must be 1 to 9999 ("Please enter an integer between 1 and 9999." otherwise); false
    // keeps the dialog open with the focus on the number.
    bool OnOK();
    std::uint32_t GetNumber() const { return m_number; }

private:
    std::uint32_t m_number;
    std::string m_numberText;
    std::string m_name;
    std::size_t m_maxLength;
    MessageId m_title;
    CharRule m_chars;
};

}  // namespace varnel
