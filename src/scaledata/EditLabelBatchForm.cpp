#include "scaledata/EditLabelBatchForm.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/text/DbcsString.h"
#include "platform/NumberEntry.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint32_t kHighestBatch = 9999;

}  // namespace

const CPluDefRec* EditLabelBatchForm::FindPlu(std::uint32_t number) const
{
    return m_plus ? dynamic_cast<const CPluDefRec*>(m_plus->FindRecord(number)) : nullptr;
}

EditLabelBatchForm::EditLabelBatchForm(const CPluDefTb* plus, const ScaleDataRoles& roles, std::uint32_t number,
                                       std::string_view name, std::vector<BatchLine> lines,
                                       LabelBatchPluForm::PluPicker picker, LineDialog lineDialog)
    : m_plus(plus), m_roles(roles), m_picker(std::move(picker)), m_lineDialog(std::move(lineDialog)), m_number(number),
      m_numberText(std::to_string(number)), m_lines(std::move(lines))
{
    SetName(name);
    if (m_lines.size() > CLabelBatchRec::kLinesMax) m_lines.resize(CLabelBatchRec::kLinesMax);
    if (!m_lines.empty()) m_selection = 0;
}

std::vector<std::string> EditLabelBatchForm::GetColumnTitles() const
{
    std::vector<std::string> titles;
    for (const MessageId column : kColumns) titles.emplace_back(GetMessageText(column));
    return titles;
}

void EditLabelBatchForm::SetName(std::string_view name)
{
    m_name = CutToWholeChars(name, CLabelBatchRec::kNameMax, m_roles.Text().chars);
}

std::vector<std::string> EditLabelBatchForm::GetRowTexts(std::size_t row) const
{
    const BatchLine& line = m_lines.at(row);
    const auto* plu = FindPlu(line.plu);
    LabelBatchPluForm shown(m_plus, m_roles.rules, line.plu, line.quantity, {});
    return {std::to_string(line.plu),
            plu ? std::string(plu->Get(PluCol::Name)) : std::string(GetMessageText(kMsgNotOnFile)),
            std::to_string(line.quantity), shown.GetPriceText()};
}

void EditLabelBatchForm::SetSelection(int row)
{
    if (row >= -1 && row < static_cast<int>(m_lines.size())) m_selection = row;
}

std::optional<BatchLine> EditLabelBatchForm::RunLineDialog(BatchLine line)
{
    LabelBatchPluForm dialog(m_plus, m_roles.rules, line.plu, line.quantity, m_picker);
    if (!m_lineDialog || !m_lineDialog(dialog)) return std::nullopt;
    const auto* plu = FindPlu(dialog.GetPlu());
    if (!plu || plu->Get(PluCol::SalesMode) != kFixedPrice) {
        ShowMessage(kMsgNotFixedPrice);
        return std::nullopt;
    }
    return BatchLine{dialog.GetPlu(), dialog.GetQuantity()};
}

void EditLabelBatchForm::OnAdd()
{
    if (!CanAdd()) return;
    std::uint32_t first = 0;
    if (m_plus && m_plus->GetRecordCount() > 0) {
        const std::optional<std::uint32_t> chosen = m_picker ? m_picker(0) : std::nullopt;
        if (!chosen) return;
        first = *chosen;
    }
    if (const std::optional<BatchLine> line = RunLineDialog({first, 1})) {
        m_lines.push_back(*line);
        m_selection = static_cast<int>(m_lines.size()) - 1;
    }
}

void EditLabelBatchForm::OnEdit()
{
    if (m_selection < 0) return;
    const auto row = static_cast<std::size_t>(m_selection);
    if (const std::optional<BatchLine> line = RunLineDialog(m_lines[row])) m_lines[row] = *line;
}

void EditLabelBatchForm::OnDelete()
{
    if (m_selection < 0) return;
    m_lines.erase(m_lines.begin() + m_selection);
    m_selection = std::min(m_selection, static_cast<int>(m_lines.size()) - 1);
}

void EditLabelBatchForm::OnDrop(int from, int pointerY, int rowHeight)
{
    if (from < 0 || from >= static_cast<int>(m_lines.size()) || rowHeight <= 0) return;
    const int to = std::clamp(pointerY / rowHeight, 0, static_cast<int>(m_lines.size()) - 1);
    const BatchLine moved = m_lines[static_cast<std::size_t>(from)];
    m_lines.erase(m_lines.begin() + from);
    m_lines.insert(m_lines.begin() + to, moved);
    m_selection = to;
}

void EditLabelBatchForm::SetQuantityText(std::size_t row, std::string_view text)
{
    if (row >= m_lines.size() || text.size() > kQuantityChars) return;
    if (const std::optional<std::uint32_t> quantity = ReadTypedCount(text)) m_lines[row].quantity = *quantity;
}

bool EditLabelBatchForm::OnEnd(BatchEditEnd end)
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_numberText, 1, kHighestBatch);
    if (!number) return false;
    m_number = *number;
    m_end = end;
    return true;
}

}  // namespace varnel
