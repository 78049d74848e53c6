#include "comms/ui/CommsBusyDlg.h"

#include "comms/manager/CommsBusyForm.h"
#include "comms/ui/CommsViewParts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CCommsBusyDlg::CCommsBusyDlg(CommsBusyForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("commsBusyDialog");
    setWindowTitle("Comms Busy");
    QPushButton* cancel = MakeButton(*this, "Cancel", "cancel");
    connect(cancel, &QPushButton::clicked, this, &CCommsBusyDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The comms link is currently finishing a previous operation.", this));
    layout->addWidget(new QLabel("Please wait a short time until the link becomes available.", this));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    m_timer.setInterval(static_cast<int>(CommsBusyForm::kTimerInterval.count()));
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_form.OnTimer();
        if (m_form.GetOutcome() == true) {
            m_timer.stop();
            accept();
        }
    });
}

void CCommsBusyDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    MinimizeWithMainWindow(*this);
    m_timer.start();
}

void CCommsBusyDlg::reject()
{
    m_timer.stop();
    m_form.OnCancel();
    QDialog::reject();
}

}  // namespace varnel
