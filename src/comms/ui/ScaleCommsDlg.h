// "Scale Comms" on screen over ScaleCommsForm: "Communicating with scales", the records moved (each
// second) and Cancel. It hands the request to the links as it opens and closes itself once the last
// link has reported.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace varnel {

class ScaleCommsForm;

class CScaleCommsDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CScaleCommsDlg(ScaleCommsForm& form, QWidget* parent = nullptr);
    ~CScaleCommsDlg() override;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Update();

    ScaleCommsForm& m_form;
    QLabel* m_progress;
    QTimer m_timer;
    bool m_opened = false;
};

}  // namespace varnel
