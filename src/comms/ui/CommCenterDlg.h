// The "Communication Center" on screen over CommCenterForm: the "Scale Status" tab (the scale list
// and the link buttons) and the "Send/Receive" tab (scale and data kind, the record range and the
// five operations), the status line, "Cancel Comms", "Close" and, in continue mode, "&Continue".
// Timer 8 drives the form's refresh; the links' posts reach it as queued calls.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>
#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace varnel {

class CommCenterForm;

class CCommCenterDlg final : public QDialog {
    Q_OBJECT
public:
    CCommCenterDlg(CommCenterForm& form, CodePage codePage, QWidget* parent = nullptr);
    ~CCommCenterDlg() override;

    QTabWidget* Tabs() const { return m_tabs; }
    void reject() override;

private:
    QWidget* MakeStatusPage();
    QWidget* MakeSendReceivePage();
    // Runs a button's operation with the range edits read first, then shows the form.
    void Act(void (CommCenterForm::*operation)());
    void ReadEdits();
    void Update();

    CommCenterForm& m_form;
    CodePage m_codePage;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QComboBox* m_scaleCombo = nullptr;
    QComboBox* m_kindCombo = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_cancelComms = nullptr;
    QPushButton* m_close = nullptr;
    std::vector<std::pair<QWidget*, std::function<bool()>>> m_enabling;
    QTimer m_timer;
};

}  // namespace varnel
