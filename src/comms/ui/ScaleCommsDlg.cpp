#include "comms/ui/ScaleCommsDlg.h"

#include "comms/center/ScaleCommsForm.h"
#include "comms/ui/CommsViewParts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CScaleCommsDlg::CScaleCommsDlg(ScaleCommsForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_progress(new QLabel(this))
{
    setObjectName("scaleCommsDialog");
    setWindowTitle("Scale Comms");
    m_progress->setObjectName("progress");
    m_progress->setMinimumWidth(m_progress->fontMetrics().averageCharWidth() * 36);
    QPushButton* cancel = MakeButton(*this, "Cancel", "cancel");
    connect(cancel, &QPushButton::clicked, this, &CScaleCommsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Communicating with scales", this));
    layout->addWidget(m_progress);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    m_form.SetWake(QueuedWake(this, [this] {
        m_form.Dispatch();
        Update();
    }));
    m_timer.setInterval(static_cast<int>(ScaleCommsForm::kTimerInterval.count()));
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_form.OnTimer();
        Update();
    });
}

CScaleCommsDlg::~CScaleCommsDlg() { m_form.SetWake(nullptr); }

void CScaleCommsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_opened) return;
    m_opened = true;
    MinimizeWithMainWindow(*this);
    m_form.Open();
    m_timer.start();
    // Once the dialog's loop runs: a request with nothing to do ends it at once.
    QMetaObject::invokeMethod(this, [this] { Update(); }, Qt::QueuedConnection);
}

void CScaleCommsDlg::Update()
{
    m_progress->setText(QString::fromStdString(m_form.GetProgressText()));
    if (m_form.GetOutcome() == true && isVisible()) {
        m_timer.stop();
        accept();
    }
}

void CScaleCommsDlg::reject()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_form.OnCancel();
    QApplication::restoreOverrideCursor();
    m_timer.stop();
    QDialog::reject();
}

}  // namespace varnel
