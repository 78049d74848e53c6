// The Lumen link's dialogs on screen:
//   CLumenSerialDlg     the serial link's settings over LumenSerialForm (port settings shown, the
//                       trace switched and its file chosen)
//   CLumenProgressDlg   "Communicating with Scales" / "... (Lumen)" / "... (LumenXT)" over
//                       LumenProgressForm: the instructions until the first record, the count, Cancel
//   QtLumenTransferUi   what a transfer asks of the user: "Send to Lumen", "Start Comms on Scale"
//                       and the progress dialog
#pragma once

#include "comms/lumen/LumenTransferUi.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace varnel {

class LumenProgressForm;
class LumenSerialForm;

class CLumenSerialDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CLumenSerialDlg(LumenSerialForm& form, QWidget* parent = nullptr);

private:
    LumenSerialForm& m_form;
    QCheckBox* m_logging;
    QLabel* m_file;
};

class CLumenProgressDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CLumenProgressDlg(LumenProgressForm& form, QWidget* parent = nullptr);
    ~CLumenProgressDlg() override;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Update();

    LumenProgressForm& m_form;
    QLabel* m_instructions;
    QLabel* m_status;
    bool m_shown = false;
};

class QtLumenTransferUi final : public ILumenTransferUi {
public:
    explicit QtLumenTransferUi(QWidget* parent) : m_parent(parent) {}

    std::optional<bool> AskAddMode(bool addMode) override;
    bool ShowStartInstructions(std::uint16_t scaleType) override;
    bool RunProgress(LumenProgressForm& form) override;

private:
    QWidget* m_parent;
};

// The dialogs behind AskAddMode and ShowStartInstructions, for the screens too.
QDialog* MakeSendToLumenDlg(bool addMode, QWidget* parent);
QDialog* MakeStartCommsDlg(std::uint16_t scaleType, QWidget* parent);

}  // namespace varnel
