// CEditPriceZoneValues: the modeless popup of the PLU edit window that edits one field's value in
// every price zone, over its model (EditPriceZoneValuesForm). Row labels "1950"+row, row edits
// "1800"+row (or combos "1900"+row), the scroll bar "1049" with nine rows or more. A row is committed
// as the focus moves to another row; leaving the popup, OK and Escape commit every row and close it.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/EditPriceZoneValuesForm.h"
#include "pluedit/ui/FieldEdits.h"

#include <QDialog>

#include <vector>

class QLabel;
class QScrollBar;

namespace varnel {

class CEditPriceZoneValues final : public QDialog, private IFieldEditHost {
    Q_OBJECT
public:
    // `control` is the clicked control's rectangle on the screen, `workArea` the screen's free area.
    CEditPriceZoneValues(PluEditForm& plu, const CLabProp& definition, const QRect& control, const QRect& workArea,
                         CodePage codePage, QWidget* parent = nullptr);

    EditPriceZoneValuesForm& Form() { return m_form; }

    void accept() override;
    void reject() override;

signals:
    // The rows are committed and the popup closed: the PLU window shows its fields again.
    void valuesCommitted();

protected:
    void changeEvent(QEvent* event) override;

private:
    void UpdateFromEdit(CNumEdit& edit) override;
    void UpdateFromCombo(CPluCombo& combo) override;
    std::size_t RowOf(const QWidget& input) const;
    void CommitRow(std::size_t row);
    void ShowRows();
    void Close();

    EditPriceZoneValuesForm m_form;
    CodePage m_codePage;
    std::vector<QLabel*> m_labels;
    std::vector<QWidget*> m_inputs;
    QScrollBar* m_scrollBar = nullptr;
    bool m_active = false;  // it has been the active window
};

}  // namespace varnel
