// The department and group name list.
#include "scaledata/RuxDeptListForm.h"

#include "db/text/EscapeCodes.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr std::string_view kLineOpening = "\x1B" "C";
constexpr std::size_t kOpeningBytes = 3;

std::string_view NameOf(const CRuxDeptRec& row)
{
    const std::string_view text = row.GetName();
    return text.size() > kOpeningBytes ? text.substr(kOpeningBytes) : std::string_view{};
}

}  // namespace

RuxDeptListForm::RuxDeptListForm(CRuxDeptTb& table, EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_names(table)
{
    AddColumn(kColumnNo, 10);
    AddColumn(kColumnName, 89);
}

MessageId RuxDeptListForm::EditTitle() const
{
    return m_names.GetKind() == CRuxDeptTb::kDepartments ? kMsgEditDepartment : kMsgEditGroup;
}

const CRuxDeptRec* RuxDeptListForm::NamedRow(int index) const
{
    const CRuxDeptRec* row = m_names.FindName(NumberOfRow(index));
    return row && row->GetName().starts_with(kLineOpening) ? row : nullptr;
}

bool RuxDeptListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    const CRuxDeptRec* row = NamedRow(index);
    if (!row) return false;
    texts.push_back(FormatText("%02.2d", static_cast<int>(row->GetKey())));
    texts.emplace_back(NameOf(*row));
    return true;
}

bool RuxDeptListForm::Edit(EditCategoryForm& dialog, int& index, bool& inserted)
{
    return EditAndStore<CRuxDeptRec>(
        dialog,
        [&dialog](CRuxDeptRec& row) {
            row.SetName(MakeEscCode('C', '0') + dialog.GetName());
            return row.CalcDataSize();
        },
        index, inserted);
}

bool RuxDeptListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(m_names.GetMinKey());
    if (!number) return false;
    EditCategoryForm dialog(*number, {}, kNameMax, EditTitle(), m_names.GetRoles().Text().chars);
    return Edit(dialog, index, inserted);
}

bool RuxDeptListForm::EditItem(int& index, bool& inserted)
{
    const CRuxDeptRec* row = NamedRow(index);
    if (!row) return false;
    EditCategoryForm dialog(row->GetKey(), NameOf(*row), kNameMax, EditTitle(), m_names.GetRoles().Text().chars);
    return Edit(dialog, index, inserted);
}

bool RuxDeptListForm::OnSelect(int index)
{
    // Only a row of the table is picked; a click below the rows picks nothing.
    return NumberOfRow(index) != 0 && ScaleDataListForm::OnSelect(index);
}

}  // namespace varnel
