// The scale data directory dialog.
#include "app/ui/ScaleDataDirDlg.h"

#include "app/ScaleDataDirForm.h"
#include "platform/ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CScaleDataDirDlg::CScaleDataDirDlg(ScaleDataDirForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_directory(new QLineEdit(this))
{
    setObjectName("scaleDataDirDialog");
    setWindowTitle("Specify Scale Data Directory");
    m_directory->setObjectName("directory");
    m_directory->setMaxLength(static_cast<int>(ScaleDataDirForm::kMaxLength));
    m_directory->setText(QString::fromStdString(form.GetDirectory()));
    m_directory->setMinimumWidth(m_directory->fontMetrics().averageCharWidth() * 48);
    auto* browse = new QPushButton("Browse...", this);
    browse->setObjectName("browse");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CScaleDataDirDlg::OnBrowse);

    auto* row = new QHBoxLayout;
    row->addWidget(m_directory, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Scale data directory:", this));
    layout->addLayout(row);
    layout->addWidget(MakeOkCancel(*this));
}

void CScaleDataDirDlg::OnBrowse()
{
    m_form.SetDirectory(m_directory->text().toStdString());
    if (m_form.Browse()) m_directory->setText(QString::fromStdString(m_form.GetDirectory()));
}

void CScaleDataDirDlg::accept()
{
    m_form.SetDirectory(m_directory->text().toStdString());
    QDialog::accept();
}

}  // namespace varnel
