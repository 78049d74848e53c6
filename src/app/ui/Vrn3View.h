// CVrn3View: the PLU list window's view (form 101) over the open database, which it adds to File's
// recent files as it opens. It shows the PLU list panel (CPluListPanel) with the search edits for PLU
// number (103) and POS code (102), the search (123), department (1014), group (1015) and sort (1276)
// combos with their labels, and the New (122), Edit (1006) and Delete (1003) buttons; a double click
// on a row edits that PLU. Its commands, the "PLU" menu's, run through PluListViewForm; this view
// gives the form the windows it asks for: the PLU edit window, "Select PLU", "Select PLUs", "Paste
// PLU", the price dialogs, the nutrition and ingredients dialogs and the clipboard (the PLU block
// under the private type "application/x-varnel-CPluDefRec_V2").
#pragma once

#include "app/PluListViewForm.h"
#include "pluedit/PluListPanelForm.h"

#include <QWidget>

#include <memory>

namespace varnel {

class CMainFrame;
class CPluListPanel;
class CVrn3Doc;

// The clipboard type of the PLU block.
inline constexpr const char* kPluClipboardMimeType = "application/x-varnel-CPluDefRec_V2";

class CVrn3View final : public QWidget, private IPluListViewHost {
    Q_OBJECT
public:
    // The document's database must be open.
    CVrn3View(CMainFrame& frame, CVrn3Doc& document, QWidget* parent = nullptr);
    ~CVrn3View() override;

    PluListViewForm& Form() { return *m_form; }
    PluListPanelForm& Panel() { return *m_panelForm; }
    // A command of the "PLU" menu (the form's), with what it changed shown.
    bool IsEnabled(std::uint32_t command) const;
    bool RunCommand(std::uint32_t command);
    // The list shows the database as it is now (after any view's change).
    void OnUpdate();

private:
    std::optional<std::uint32_t> GetPluInEditor() const override;
    void EditPlu(std::uint32_t pluNumber) override;
    void UpdateAllViews() override;
    std::optional<std::uint32_t> PickPlu(std::uint32_t initial) override;
    std::optional<PluDeleteRange> PickDeleteRange() override;
    std::optional<PasteChoice> AskPasteTarget(std::uint32_t clipboardPlu, bool pluSelected) override;
    void RunPriceDialog(int dialog, std::uint32_t command, std::uint32_t pluNumber) override;
    void EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled) override;
    void EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth) override;
    void PutPluBlock(const std::vector<std::uint8_t>& block) override;
    std::optional<std::vector<std::uint8_t>> GetPluBlock() const override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    CMainFrame& m_frame;
    CVrn3Doc& m_document;
    std::unique_ptr<PluListPanelForm> m_panelForm;
    std::unique_ptr<PluListViewForm> m_form;
    CPluListPanel* m_panel;
};

}  // namespace varnel
