// The file link's and Data Save files' dialogs on screen:
//   CQd47LinkDlg             "Scales Comms Link (QD47)" over Qd47LinkForm
//   CQd47ProgressDlg         "Scales Comms Link", the progress of a run over Qd47ProgressForm: the
//                            state on a blue field and the bytes or the bar below it (Cancel), or the
//                            state and the byte counts of the file-server run (Close)
//   CQd47FdSettingsDlg       "QD47FD Settings" over Qd47FdSettingsForm
//   CDataSaveOpenOptionsDlg  "Data Save Open Options" over DataSaveOpenOptionsForm
//   CSpecifyTransmitDataDlg  "Specify Transmit Data" over SpecifyTransmitDataForm
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace varnel {

class DataSaveOpenOptionsForm;
class Qd47FdSettingsForm;
class Qd47LinkForm;
class Qd47ProgressForm;
class SpecifyTransmitDataForm;

class CQd47LinkDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CQd47LinkDlg(Qd47LinkForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    Qd47LinkForm& m_form;
    std::array<QComboBox*, 6> m_combos{};
};

class CQd47ProgressDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CQd47ProgressDlg(Qd47ProgressForm& form, QWidget* parent = nullptr);
    ~CQd47ProgressDlg() override;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Update();

    Qd47ProgressForm& m_form;
    QWidget* m_area;
    QLabel* m_received = nullptr;
    QLabel* m_sent = nullptr;
    bool m_opened = false;
};

class CQd47FdSettingsDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CQd47FdSettingsDlg(Qd47FdSettingsForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void Update();

    Qd47FdSettingsForm& m_form;
    QLineEdit* m_fileNumber;
    QLineEdit* m_directory;
    QRadioButton* m_all;
    std::array<QCheckBox*, 8> m_boxes{};
    QRadioButton* m_useFile = nullptr;
};

class CDataSaveOpenOptionsDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CDataSaveOpenOptionsDlg(DataSaveOpenOptionsForm& form, QWidget* parent = nullptr);

private:
    void Update();

    DataSaveOpenOptionsForm& m_form;
    std::array<QRadioButton*, 3> m_modes{};
    std::array<QRadioButton*, 2> m_sameNumber{};
};

class CSpecifyTransmitDataDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSpecifyTransmitDataDlg(SpecifyTransmitDataForm& form, QWidget* parent = nullptr);
};

}  // namespace varnel
