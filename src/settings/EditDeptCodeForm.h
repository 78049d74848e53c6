// "Edit Department Code" with its group codes, and "Edit Group Code": one department code as its
// entry dialog edits it, on copies of its group codes.
//
//   "Code"        digits, as many as the display width of PLU field 1014 "Dept" (1015 "Group" for a
//                 group code; 5 without a width); 65535 stands for "all" in the pickers and is refused
//   "Name"        at most 30 characters; empty: 61403, the dialog stays
//   "From", "To"  1 to 999999; stored in order, the smaller as From
//   "Group Codes" a list with "&Add", "&Edit" and "&Delete": an added or edited group goes in code
//                 order, replacing a group of the same code; Delete removes one at once
#pragma once

#include "db/site/TextRules.h"
#include "platform/Messages.h"
#include "settings/DeptCode.h"
#include "settings/SettingsListForm.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

// The code and name fields both entries share.
class CodeEntry {
public:
    static constexpr MessageId kMsgNoName = 61403;
    static constexpr std::size_t kNameLimit = 30;

    std::string m_code = "0";
    std::string m_name;

    std::size_t GetCodeDigits() const { return m_digits; }
    std::uint16_t GetCode() const { return m_number; }

protected:
    // `width`: the display width of the code's field. The name is cut under the store's character rule.
    CodeEntry(std::uint16_t width, std::uint16_t code, std::string name, const CharRule& chars);
    // The code read (the range message otherwise), the name cut to its limit and not empty (61403).
    bool AcceptCode();

private:
    CharRule m_chars;
    std::size_t m_digits;
    std::uint16_t m_number;
};

class EditGroupCodeForm final : public CodeEntry {
public:
    EditGroupCodeForm(const DeptCodeDisplay& display, const CharRule& chars);
    EditGroupCodeForm(const CGroupCode& group, const DeptCodeDisplay& display, const CharRule& chars);
    // OK; false keeps the dialog open.
    bool Accept() { return AcceptCode(); }
};

class IEditGroupCodesUi {
public:
    virtual bool RunGroupCodeEntry(EditGroupCodeForm& entry) = 0;

protected:
    ~IEditGroupCodesUi() = default;
};

// The group codes list of the department code entry.
class GroupCodesForm final : public SettingsListForm {
public:
    GroupCodesForm(std::vector<std::unique_ptr<CGroupCode>> groups, const DeptCodeDisplay& display,
                   const CharRule& chars);
    void SetUi(IEditGroupCodesUi& ui) { m_ui = &ui; }

    void Add() override;
    const std::vector<std::unique_ptr<CGroupCode>>& GetGroups() const { return m_groups; }
    std::vector<std::unique_ptr<CGroupCode>> TakeGroups() { return std::move(m_groups); }

private:
    void EditRow(std::size_t row) override;
    void DeleteRow(std::size_t row) override;
    void Insert(const EditGroupCodeForm& entry);

    std::vector<std::unique_ptr<CGroupCode>> m_groups;
    DeptCodeDisplay m_display;
    CharRule m_chars;
    IEditGroupCodesUi* m_ui = nullptr;
};

class EditDeptCodeForm final : public CodeEntry {
public:
    static constexpr std::uint32_t kMaxPlu = 999999;

    // A new department code: code 0, PLUs 1 to 999999, no groups.
    EditDeptCodeForm(const DeptCodeDisplay& display, const CharRule& chars);
    // The code's fields and copies of its groups.
    EditDeptCodeForm(const CDeptCode& code, const DeptCodeDisplay& display, const CharRule& chars);

    std::string m_from = "1";
    std::string m_to = "999999";
    GroupCodesForm& Groups() { return m_groups; }

    // OK; false keeps the dialog open.
    bool Accept();
    // The department code the accepted fields make, with the groups of the list.
    std::unique_ptr<CDeptCode> TakeDeptCode();

private:
    GroupCodesForm m_groups;
    std::uint32_t m_pluFrom = 1;
    std::uint32_t m_pluTo = kMaxPlu;
};

}  // namespace varnel
