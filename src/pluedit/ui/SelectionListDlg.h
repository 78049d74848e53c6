// CSelectionListDlg, "Selection List": the list dialog on screen over a SelectionListForm, whose
// subclass names the columns and supplies the rows and the add, edit, delete and pick operations.
// A report list (1009) with full-row selection and columns in percent of its width, "Add" (122),
// "Edit" (1006), "Delete" (1003), OK (1, reading "Close" or "Select" by the mode) and Cancel (2).
// The form sets the dialog up when it first shows, as the list then has its width.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/SelectionListForm.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QVBoxLayout;

namespace varnel {

class CSelectionListDlg : public QDialog, private ISelectionListSurface {
    Q_OBJECT
public:
    CSelectionListDlg(SelectionListForm& form, CodePage codePage, QWidget* parent = nullptr);

    // OK and Enter; Enter in the list edits its row instead (outside pick mode).
    void accept() override;

protected:
    // Dialogs on a template of their own put more controls above the list (tabs, a sort choice).
    void AddAboveList(QWidget* widget);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void End(ListDlgEnd end);
    QPushButton* Button(ListButton button) const;

    // ISelectionListSurface.
    void InsertRow(int index, const std::vector<std::string>& texts) override;
    void SetRowTexts(int index, const std::vector<std::string>& texts) override;
    void DeleteRow(int index) override;
    void DeleteAllRows() override;
    int GetRowCount() const override;
    void SetRowSelected(int index, bool selected) override;
    int GetSelectedRow() const override;
    bool ListHasFocus() const override;
    int GetListWidth() const override;
    void SetColumns(const std::vector<std::string>& titles, const std::vector<int>& widths) override;
    void SetTitle(std::string_view title) override;
    void SetButtonText(ListButton button, std::string_view text) override;
    void ShowButton(ListButton button, bool show) override;
    void EnableButton(ListButton button, bool enable) override;

    SelectionListForm& m_form;
    CodePage m_codePage;
    QTreeWidget* m_list;
    QVBoxLayout* m_listColumn;
    bool m_initialised = false;
};

}  // namespace varnel
