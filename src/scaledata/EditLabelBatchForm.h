// The model of "Edit Batch Label Set" (CEditLabelBatchDlg, template 269): a batch's name (edit 1009),
// number (1008) and lines (list 1004: "PLU No.", "Description", "Quantity", "Unit Price"). Add, Edit
// and Delete change the lines through "Label Batch PLU", which takes fixed-price PLUs only (31463); a
// line is dragged to another row, and its quantity edited in place. It ends with "Send To Scale" (1),
// "Save Without Sending" (1010) or Cancel (2).
#pragma once

#include "platform/Messages.h"
#include "scaledata/LabelBatchPluForm.h"
#include "scaledata/LabelBatchRec.h"
#include "scaledata/ScaleDataRoles.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CPluDefRec;
class CPluDefTb;

enum class BatchEditEnd { Cancel, Send, Save };

class EditLabelBatchForm {
public:
    static constexpr MessageId kMsgNotFixedPrice = 31463;
    static constexpr MessageId kMsgNotOnFile = 61297;
    static constexpr std::array<MessageId, 4> kColumns{16384, 16397, 17563, 1005};
    static constexpr std::size_t kQuantityChars = 4;
    static constexpr std::uint8_t kFixedPrice = 1;

    // "Label Batch PLU" over the form; true for OK.
    using LineDialog = std::function<bool(LabelBatchPluForm&)>;

    // The roles are the label batch table's: its site's character rule and PLU field definitions.
    EditLabelBatchForm(const CPluDefTb* plus, const ScaleDataRoles& roles, std::uint32_t number, std::string_view name,
                       std::vector<BatchLine> lines, LabelBatchPluForm::PluPicker picker, LineDialog lineDialog);

    std::vector<std::string> GetColumnTitles() const;
    const std::string& GetName() const { return m_name; }
    // Cut to 31 bytes.
    void SetName(std::string_view name);
    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }

    const std::vector<BatchLine>& GetLines() const { return m_lines; }
    // The row's texts: the PLU number, its name ("<PLU not on file>" when missing), the quantity and
    // the unit price.
    std::vector<std::string> GetRowTexts(std::size_t row) const;
    int GetSelection() const { return m_selection; }
    void SetSelection(int row);
    // A batch holds at most 99 lines.
    bool CanAdd() const { return m_lines.size() < CLabelBatchRec::kLinesMax; }

    // Add: "Select PLU" first when the PLU table has PLUs (Cancel stops), then "Label Batch PLU" with
    // quantity 1; the line is appended. Edit: the selected line. Delete: removes it.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // A drag of row `from` released over the list, `pointerY` pixels below the first row's top with
    // rows `rowHeight` pixels high: the line moves to the row under the pointer (clamped to the first
    // and the last row).
    void OnDrop(int from, int pointerY, int rowHeight);
    // The quantity typed in place: at most 4 characters; a text that is no number is ignored.
    void SetQuantityText(std::size_t row, std::string_view text);

    // "Send To Scale" or "Save Without Sending": the number must read 1 to 9999. False keeps the
    // dialog open.
    bool OnEnd(BatchEditEnd end);
    BatchEditEnd GetEnd() const { return m_end; }
    std::uint32_t GetNumber() const { return m_number; }

private:
    const CPluDefRec* FindPlu(std::uint32_t number) const;
    // Runs "Label Batch PLU" for a line; the line it gives when its PLU is on file with a fixed price.
    std::optional<BatchLine> RunLineDialog(BatchLine line);

    const CPluDefTb* m_plus;
    ScaleDataRoles m_roles;
    LabelBatchPluForm::PluPicker m_picker;
    LineDialog m_lineDialog;
    std::uint32_t m_number;
    std::string m_numberText;
    std::string m_name;
    std::vector<BatchLine> m_lines;
    int m_selection = -1;
    BatchEditEnd m_end = BatchEditEnd::Cancel;
};

}  // namespace varnel
