#include "comms/ui/CommLinksDlg.h"

#include "comms/manager/CommLinksForm.h"
#include "comms/manager/NewScaleForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/NumberEntry.h"
#include "platform/ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

CCommLinksDlg::CCommLinksDlg(CommLinksForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("commLinksDialog");
    setWindowTitle("Communication Links");
    m_list->setObjectName("linkList");
    m_list->setMinimumSize(m_list->fontMetrics().averageCharWidth() * 44, m_list->fontMetrics().height() * 10);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { m_form.Select(SelectedRow(*m_list)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Act(&CommLinksForm::Edit); });
    QPushButton* add = MakeButton(*this, "&Add", "add");
    QPushButton* edit = MakeButton(*this, "&Edit", "edit");
    QPushButton* remove = MakeButton(*this, "&Delete", "delete");
    m_close = MakeButton(*this, "Cancel", "close");
    add->setEnabled(form.IsAddEnabled());
    remove->setEnabled(form.IsDeleteEnabled());
    connect(add, &QPushButton::clicked, this, [this] { Act(&CommLinksForm::Add); });
    connect(edit, &QPushButton::clicked, this, [this] { Act(&CommLinksForm::Edit); });
    connect(remove, &QPushButton::clicked, this, [this] { Act(&CommLinksForm::Delete); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit, remove}) buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(new QLabel(CommLinksForm::kLegend, this));
    Update();
}

void CCommLinksDlg::Act(bool (CommLinksForm::*operation)())
{
    if ((m_form.*operation)()) Update();
}

void CCommLinksDlg::Update()
{
    FillList(*m_list, m_form.GetRows(), m_form.GetSelection(), m_codePage);
    m_close->setText(QString::fromStdString(m_form.GetCloseText()));
}

CNewScaleDlg::CNewScaleDlg(NewScaleForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("newScaleDialog");
    setWindowTitle("Specify New Scale");
    using Kind = NewScaleForm::Kind;
    static constexpr std::array<Kind, 4> kKinds = {Kind::NetworkTcp, Kind::MasterTcp, Kind::MasterSerial,
                                                   Kind::HbkuSerial};
    static constexpr const char* kKindNames[] = {"networkTcp", "masterTcp", "masterSerial", "hbkuSerial"};
    static constexpr std::array<std::array<const char*, 4>, 2> kAddressNames = {
        {{"networkOctet1", "networkOctet2", "networkOctet3", "networkOctet4"},
         {"masterOctet1", "masterOctet2", "masterOctet3", "masterOctet4"}}};
    static constexpr const char* kPortNames[] = {"masterPort", "hbkuPort"};
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        m_kinds[i] = new QRadioButton(NewScaleForm::KindText(kKinds[i]), this);
        m_kinds[i]->setObjectName(kKindNames[i]);
        m_kinds[i]->setChecked(form.GetKind() == kKinds[i]);
        connect(m_kinds[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) m_form.SetKind(kKinds[i]);
            Update();
        });
        grid->addWidget(m_kinds[i], static_cast<int>(i), 0);
        if (i < 2) {
            grid->addLayout(MakeAddressRow(*this, kAddressNames[i], form.AddressOf(kKinds[i]), m_addresses[i]),
                            static_cast<int>(i), 1);
        } else {
            m_ports[i - 2] = MakeCombo(*this, kPortNames[i - 2], NewScaleForm::PortChoices());
            m_ports[i - 2]->setEditable(true);
            grid->addWidget(m_ports[i - 2], static_cast<int>(i), 1);
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
    Update();
}

void CNewScaleDlg::Update()
{
    for (std::size_t i = 0; i < 2; ++i)
        for (QLineEdit* edit : m_addresses[i]) edit->setEnabled(m_kinds[i]->isChecked());
    for (std::size_t i = 0; i < 2; ++i) m_ports[i]->setEnabled(m_kinds[i + 2]->isChecked());
}

void CNewScaleDlg::accept()
{
    using Kind = NewScaleForm::Kind;
    const Kind kind = m_form.GetKind();
    if (NewScaleForm::IsSerial(kind)) {
        m_form.PortOf(kind) = m_ports[kind == Kind::MasterSerial ? 0 : 1]->currentText().toStdString();
    } else {
        const auto& edits = m_addresses[kind == Kind::NetworkTcp ? 0 : 1];
        NewScaleForm::Address address{};
        for (std::size_t octet = 0; octet < 4; ++octet) {
            const std::optional<std::uint32_t> number = ReadNumberInRange(edits[octet]->text().toStdString(), 0, 255);
            if (!number) return;
            address[octet] = static_cast<std::uint16_t>(*number);
        }
        m_form.AddressOf(kind) = address;
    }
    QDialog::accept();
}

}  // namespace varnel
