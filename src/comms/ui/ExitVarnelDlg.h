// "Exit Varnel" on screen over ExitVarnelForm: "&Save Waiting Data", "&Clear Waiting Data", Cancel.
#pragma once

#include <QDialog>

namespace varnel {

class ExitVarnelForm;

class CExitVarnelDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CExitVarnelDlg(ExitVarnelForm& form, QWidget* parent = nullptr);
};

}  // namespace varnel
