// "Specify Scale Data Directory" over ScaleDataDirForm: the directory and "Browse...".
#pragma once

#include <QDialog>

class QLineEdit;

namespace varnel {

class ScaleDataDirForm;

class CScaleDataDirDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CScaleDataDirDlg(ScaleDataDirForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void OnBrowse();

    ScaleDataDirForm& m_form;
    QLineEdit* m_directory;
};

}  // namespace varnel
