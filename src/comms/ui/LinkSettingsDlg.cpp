#include "comms/ui/LinkSettingsDlg.h"

#include "comms/idenq/LinkSettingsForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace varnel {
namespace {

using Number = LinkSettingsForm::Number;

void SelectText(QComboBox& combo, const std::string& text)
{
    const int found = combo.findText(QString::fromStdString(text));
    if (found >= 0)
        combo.setCurrentIndex(found);
    else if (combo.isEditable())
        combo.setEditText(QString::fromStdString(text));
}

}  // namespace

CLinkSettingsDlg::CLinkSettingsDlg(LinkSettingsForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("linkSettingsDialog");
    setWindowTitle(QString::fromStdString(form.GetTitle()));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(MakeLinkGroup());
    left->addWidget(form.IsTcp() ? MakeTcpGroup() : MakeSerialGroup());
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(form.HasScaleList() ? MakeScaleList() : MakeScaleGroup(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeOkCancel(*this));
}

QWidget* CLinkSettingsDlg::MakeLinkGroup()
{
    auto* group = new QGroupBox("Link", this);
    auto* grid = new QGridLayout(group);
    const LinkSettingsForm::LinkFields& link = m_form.Link();
    m_enabled = MakeCheckBox(*group, "&Enable Link", "enableLink", link.enabled);
    m_name = MakeLineEdit(*group, "linkName", ToDisplayText(link.name, m_codePage), 24);
    auto* number = new QLabel(QString::number(link.linkNo), group);
    number->setObjectName("linkNo");
    grid->addWidget(m_enabled, 0, 0, 1, 2);
    grid->addWidget(new QLabel("Link Name", group), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(new QLabel("Link No.", group), 2, 0);
    grid->addWidget(number, 2, 1);
    m_log.Build(*group, *grid, 3, link.logging, m_form.GetLogFileText());
    connect(m_log.logging, &QCheckBox::toggled, this, [this](bool on) {
        m_form.Link().logging = on;
        m_log.Show(on, m_form.GetLogFileText());
    });
    connect(m_log.changeFile, &QPushButton::clicked, this, [this] {
        if (m_form.ChangeLogFile()) m_log.Show(m_form.IsChangeFileEnabled(), m_form.GetLogFileText());
    });
    return group;
}

QWidget* CLinkSettingsDlg::MakeTcpGroup()
{
    auto* group = new QGroupBox("TCP/IP", this);
    auto* grid = new QGridLayout(group);
    const LinkSettingsForm::TcpFields& tcp = m_form.Tcp();
    QHBoxLayout* address = MakeAddressRow(*group, {"octet1", "octet2", "octet3", "octet4"}, tcp.address, m_address);
    m_port = MakeLineEdit(*group, "port", QString::number(tcp.port), 6);
    m_timeout = new QSpinBox(group);
    m_timeout->setObjectName("timeout");
    m_timeout->setRange(0, static_cast<int>(LinkSettingsForm::HighestOf(Number::Timeout)));
    m_timeout->setValue(static_cast<int>(tcp.timeout));
    grid->addWidget(new QLabel("IP address", group), 0, 0);
    grid->addLayout(address, 0, 1);
    grid->addWidget(new QLabel("Port No.", group), 1, 0);
    grid->addWidget(m_port, 1, 1);
    grid->addWidget(new QLabel("Communication Timeout (sec)", group), 2, 0);
    grid->addWidget(m_timeout, 2, 1);
    if (m_form.GetShape() == LinkSettingsForm::Shape::BlockTcp) {
        m_recordsPerBlock = MakeLineEdit(*group, "recordsPerBlock", QString::number(tcp.recordsPerBlock), 6);
        grid->addWidget(new QLabel("Max. Records/Block", group), 3, 0);
        grid->addWidget(m_recordsPerBlock, 3, 1);
    } else {
        m_eightBit = MakeCheckBox(*group, "Assume 8-bit comms link to scales", "eightBit", tcp.eightBit);
        m_udp = MakeCheckBox(*group, "Use UDP protocol", "udp", tcp.udp);
        grid->addWidget(m_eightBit, 3, 0, 1, 2);
        grid->addWidget(m_udp, 4, 0, 1, 2);
    }
    return group;
}

QWidget* CLinkSettingsDlg::MakeSerialGroup()
{
    auto* group = new QGroupBox("Serial Port", this);
    auto* grid = new QGridLayout(group);
    const LinkSettingsForm::SerialFields& serial = m_form.Serial();
    m_serialPort = MakeCombo(*group, "serialPort", LinkSettingsForm::PortChoices());
    // Other names of the machine's ports (a USB adapter's device) may be typed in.
    m_serialPort->setEditable(true);
    m_baudRate = MakeCombo(*group, "baudRate", LinkSettingsForm::BaudRateChoices());
    m_dataBits = MakeCombo(*group, "dataBits", LinkSettingsForm::DataBitsChoices());
    m_parity = MakeCombo(*group, "parity", LinkSettingsForm::ParityChoices());
    m_stopBits = MakeCombo(*group, "stopBits", LinkSettingsForm::StopBitsChoices());
    SelectText(*m_serialPort, serial.port);
    SelectText(*m_baudRate, serial.baudRate);
    SelectText(*m_dataBits, serial.dataBits);
    m_parity->setCurrentIndex(static_cast<int>(LinkSettingsForm::ParityIndex(serial.parity)));
    SelectText(*m_stopBits, serial.stopBits);
    m_rtsCts = MakeCheckBox(*group, "Hardware flow control?\n(RTS/ CTS)", "rtsCts", serial.rtsCts);
    const std::pair<const char*, QComboBox*> rows[] = {{"Serial Port", m_serialPort}, {"Baud Rate", m_baudRate},
                                                       {"Data Bits", m_dataBits},     {"Parity", m_parity},
                                                       {"Stop Bits", m_stopBits}};
    int row = 0;
    for (const auto& [label, combo] : rows) {
        grid->addWidget(new QLabel(label, group), row, 0);
        grid->addWidget(combo, row++, 1);
    }
    grid->addWidget(m_rtsCts, row, 0, 1, 2);
    return group;
}

QWidget* CLinkSettingsDlg::MakeScaleGroup()
{
    auto* group = new QGroupBox("Scale", this);
    auto* grid = new QGridLayout(group);
    const LinkScaleFields& fields = m_form.Scale();
    m_scale.Build(*group, *grid, 0, m_form.GetScaleTypeChoices(), m_form.GetScaleTypeIndex(), m_form.GetPriceZones(),
                  fields, m_codePage);
    int row = 6;
    if (m_form.GetShape() == LinkSettingsForm::Shape::BlockTcp) {
        m_message28 = MakeCheckBox(*group, "Scale supports Msg #28 for sending PLUs to PC?", "message28", fields.message28);
        m_twoColour = MakeCheckBox(*group, "Scale supports 2-color printing?", "twoColour", fields.twoColour);
        m_storeNo = MakeLineEdit(*group, "storeNo", QString::number(fields.storeNo), 6);
        grid->addWidget(m_message28, row++, 0, 1, 2);
        grid->addWidget(m_twoColour, row++, 0, 1, 2);
        grid->addWidget(new QLabel("Store No.", group), row, 0);
        grid->addWidget(m_storeNo, row++, 1);
    }
    grid->addWidget(new CFilterListPanel(m_form.Filters(), m_codePage, group), row, 0, 1, 2);
    connect(m_scale.type, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.SelectScaleType(index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index)));
        UpdateScaleType();
    });
    UpdateScaleType();
    return group;
}

QWidget* CLinkSettingsDlg::MakeScaleList()
{
    auto* group = new QGroupBox("Scales", this);
    m_scales = new QListWidget(group);
    m_scales->setObjectName("scaleList");
    m_scales->setMinimumWidth(m_scales->fontMetrics().averageCharWidth() * 32);
    connect(m_scales, &QListWidget::currentRowChanged, this, [this] { m_form.SelectScale(SelectedRow(*m_scales)); });
    QPushButton* add = MakeButton(*group, "&Add", "addScale");
    QPushButton* edit = MakeButton(*group, "&Edit", "editScale");
    QPushButton* remove = MakeButton(*group, "&Delete", "deleteScale");
    const auto act = [this](bool (LinkSettingsForm::*operation)()) {
        if ((m_form.*operation)()) UpdateScaleList();
    };
    connect(add, &QPushButton::clicked, this, [act] { act(&LinkSettingsForm::AddScale); });
    connect(edit, &QPushButton::clicked, this, [act] { act(&LinkSettingsForm::EditScale); });
    connect(m_scales, &QListWidget::itemDoubleClicked, this, [act] { act(&LinkSettingsForm::EditScale); });
    connect(remove, &QPushButton::clicked, this, [act] { act(&LinkSettingsForm::DeleteScale); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit, remove}) buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_scales, 1);
    layout->addLayout(buttons);
    UpdateScaleList();
    return group;
}

void CLinkSettingsDlg::UpdateScaleList()
{
    FillList(*m_scales, m_form.GetScaleRows(), m_form.GetScaleSelection(), m_codePage);
}

void CLinkSettingsDlg::UpdateScaleType()
{
    m_scale.addOneDay->setVisible(m_form.ShowsAddOneDay());
    m_scale.tareFormat->setVisible(m_form.ShowsTareFormat());
    m_scale.tareLabel->setVisible(m_form.ShowsTareFormat());
    if (m_form.GetShape() != LinkSettingsForm::Shape::BlockTcp) return;
    m_message28->setEnabled(m_form.IsMessage28Enabled());
    m_twoColour->setEnabled(m_form.IsTwoColourEnabled());
    m_port->setText(QString::number(m_form.Tcp().port));
}

bool CLinkSettingsDlg::ReadFields()
{
    LinkSettingsForm::LinkFields& link = m_form.Link();
    link.enabled = m_enabled->isChecked();
    link.name = FromDisplayText(m_name->text(), m_codePage);
    link.logging = m_log.logging->isChecked();
    if (m_form.IsTcp()) {
        for (std::size_t i = 0; i < m_address.size(); ++i)
            if (!m_form.SetNumber(static_cast<Number>(static_cast<std::size_t>(Number::Octet1) + i),
                                  m_address[i]->text().toStdString()))
                return false;
        if (!m_form.SetNumber(Number::Port, m_port->text().toStdString())) return false;
        m_form.Tcp().timeout = static_cast<std::uint32_t>(m_timeout->value());
        if (m_recordsPerBlock && !m_form.SetNumber(Number::RecordsPerBlock, m_recordsPerBlock->text().toStdString()))
            return false;
        if (m_eightBit) m_form.Tcp().eightBit = m_eightBit->isChecked();
        if (m_udp) m_form.Tcp().udp = m_udp->isChecked();
    } else {
        LinkSettingsForm::SerialFields& serial = m_form.Serial();
        serial.port = m_serialPort->currentText().toStdString();
        serial.baudRate = m_baudRate->currentText().toStdString();
        serial.dataBits = m_dataBits->currentText().toStdString();
        serial.parity = m_parity->currentText().toStdString();
        serial.stopBits = m_stopBits->currentText().toStdString();
        serial.rtsCts = m_rtsCts->isChecked();
    }
    if (m_form.HasScaleList()) return true;
    m_scale.Store(m_form.GetPriceZones(), m_form.Scale());
    if (m_message28) {
        m_form.Scale().message28 = m_message28->isChecked();
        m_form.Scale().twoColour = m_twoColour->isChecked();
        if (!m_form.SetNumber(Number::StoreNo, m_storeNo->text().toStdString())) return false;
    }
    return true;
}

void CLinkSettingsDlg::accept()
{
    if (!ReadFields() || !m_form.Accept()) return;
    QDialog::accept();
}

}  // namespace varnel
