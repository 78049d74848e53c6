// "Select PLU" on screen.
#include "pluedit/ui/SelectPluDlg.h"

#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/PluSearchControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CSelectPluDlg::CSelectPluDlg(SelectPluForm& form, QWidget* parent)
    : QDialog(parent), m_form(form),
      m_panel(new CPluListPanel(form.GetPanel(), form.GetSettings().chars.codePage, this))
{
    setObjectName("selectPluDialog");
    setWindowTitle("Select PLU");
    const PluSearchControls controls = MakePluSearchControls(*m_panel, this);
    auto* select = new QPushButton("Select", this);
    select->setObjectName("1");
    select->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("2");
    connect(select, &QPushButton::clicked, this, &CSelectPluDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_panel, &CPluListPanel::listDoubleClicked, this, &CSelectPluDlg::accept);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    LayOutPluListHost(*this, controls, buttons, *m_panel);
    setTabOrder(controls.sort, select);
    setTabOrder(select, cancel);

    m_panel->Create();
    // The caller's number in the PLU number edit makes the first PLU not below it current.
    m_form.OnInitDialog();
    m_panel->Sync();
    controls.sort->setCurrentIndex(0);
    controls.pluNo->setFocus(Qt::OtherFocusReason);
}

void CSelectPluDlg::accept()
{
    m_form.OnOK();
    QDialog::accept();
}

PluPicker MakePluPicker(CPluDefTb* plus, const CDeptCodeList& departments, const PluListSettings& settings,
                        QWidget* parent)
{
    return [plus, &departments, settings, parent](std::uint32_t initialPlu) -> std::optional<std::uint32_t> {
        SelectPluForm form(plus, departments, settings, initialPlu);
        CSelectPluDlg dialog(form, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return form.GetSelectedPluNumber();
    };
}

}  // namespace varnel
