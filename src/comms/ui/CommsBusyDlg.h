// "Comms Busy" on screen over CommsBusyForm: asks each second whether the links are still busy and
// closes itself once they are not; Cancel ends the wait.
#pragma once

#include <QDialog>
#include <QTimer>

namespace varnel {

class CommsBusyForm;

class CCommsBusyDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CCommsBusyDlg(CommsBusyForm& form, QWidget* parent = nullptr);

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CommsBusyForm& m_form;
    QTimer m_timer;
    bool m_shown = false;
};

}  // namespace varnel
