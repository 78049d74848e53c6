// A link's settings on screen over LinkSettingsForm, in the form's shape: "Scales Comms Link (TCP/IP)"
// (one scale, the block link's, or a list of scales) or "Scales Comms Link (Serial Port)" (one scale
// or a list). OK reads every field into the form and stays up on a number out of range, a list
// without a scale or an address another link has.
#pragma once

#include "comms/ui/LinkSetupParts.h"
#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace varnel {

class LinkSettingsForm;

class CLinkSettingsDlg final : public QDialog {
    Q_OBJECT
public:
    CLinkSettingsDlg(LinkSettingsForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    QWidget* MakeLinkGroup();
    QWidget* MakeTcpGroup();
    QWidget* MakeSerialGroup();
    QWidget* MakeScaleGroup();
    QWidget* MakeScaleList();
    void UpdateScaleType();
    void UpdateScaleList();
    bool ReadFields();

    LinkSettingsForm& m_form;
    CodePage m_codePage;
    QCheckBox* m_enabled = nullptr;
    QLineEdit* m_name = nullptr;
    LogFileWidgets m_log;
    std::array<QLineEdit*, 4> m_address{};
    QLineEdit* m_port = nullptr;
    QSpinBox* m_timeout = nullptr;
    QCheckBox* m_eightBit = nullptr;
    QCheckBox* m_udp = nullptr;
    QLineEdit* m_recordsPerBlock = nullptr;
    QComboBox* m_serialPort = nullptr;
    QComboBox* m_baudRate = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stopBits = nullptr;
    QCheckBox* m_rtsCts = nullptr;
    ScaleFieldWidgets m_scale;
    QCheckBox* m_message28 = nullptr;
    QCheckBox* m_twoColour = nullptr;
    QLineEdit* m_storeNo = nullptr;
    QListWidget* m_scales = nullptr;
};

}  // namespace varnel
