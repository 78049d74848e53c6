// "Edit Host Interface Settings" over HostInterfaceForm: four switches and the POS update file with
// its "Select..." chooser.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace varnel {

class HostInterfaceForm;

class CHostInterfaceDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CHostInterfaceDlg(HostInterfaceForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void OnSelectFile();

    HostInterfaceForm& m_form;
    QCheckBox* m_kauriAuckland;
    QCheckBox* m_kauriSouthIsland;
    QCheckBox* m_totara;
    QCheckBox* m_posUpdateOutput;
    QLabel* m_file;
};

}  // namespace varnel
