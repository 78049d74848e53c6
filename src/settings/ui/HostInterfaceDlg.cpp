// The host interface settings dialog.
#include "settings/ui/HostInterfaceDlg.h"

#include "platform/ui/DialogParts.h"
#include "settings/HostInterfaceForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CHostInterfaceDlg::CHostInterfaceDlg(HostInterfaceForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("hostInterfaceDialog");
    setWindowTitle("Edit Host Interface Settings");
    const HostInterfaceSettings& settings = form.Settings();
    m_kauriAuckland = MakeCheckBox(*this, "Support Kauri Auckland host importing?", "kauriAuckland",
                                   settings.kauriAucklandImport);
    m_kauriSouthIsland = MakeCheckBox(*this, "Support Kauri SI  host importing?", "kauriSouthIsland",
                                      settings.kauriSouthIslandImport);
    m_totara = MakeCheckBox(*this, "Support Totara host importing?", "totara", settings.totaraImport);
    m_posUpdateOutput =
        MakeCheckBox(*this, "Output Kauri POS update file?", "posUpdateOutput", settings.posUpdateOutput);

    auto* fileGroup = new QGroupBox("POS Update File", this);
    m_file = new QLabel(QString::fromStdString(form.GetFileText()), fileGroup);
    m_file->setObjectName("posUpdateFile");
    m_file->setMinimumWidth(m_file->fontMetrics().averageCharWidth() * 40);
    auto* select = new QPushButton("Select...", fileGroup);
    select->setObjectName("select");
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &CHostInterfaceDlg::OnSelectFile);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(select);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {m_kauriAuckland, m_kauriSouthIsland, m_totara, m_posUpdateOutput}) layout->addWidget(box);
    layout->addWidget(fileGroup);
    layout->addWidget(MakeOkCancel(*this));
}

void CHostInterfaceDlg::OnSelectFile()
{
    if (m_form.SelectFile()) m_file->setText(QString::fromStdString(m_form.GetFileText()));
}

void CHostInterfaceDlg::accept()
{
    HostInterfaceSettings& settings = m_form.Settings();
    settings.kauriAucklandImport = m_kauriAuckland->isChecked();
    settings.kauriSouthIslandImport = m_kauriSouthIsland->isChecked();
    settings.totaraImport = m_totara->isChecked();
    settings.posUpdateOutput = m_posUpdateOutput->isChecked();
    QDialog::accept();
}

}  // namespace varnel
