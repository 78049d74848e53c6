// The About box.
#include "app/ui/AboutDlg.h"

#include "app/ui/ProgramIdentity.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("aboutDialog");
    setWindowTitle(QStringLiteral("About %1").arg(kProgramTitle));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* name = new QLabel(QStringLiteral("<b>%1</b> Version %2").arg(kProgramTitle, ProgramVersion()), this);
    name->setObjectName("productName");
    auto* notice = new QLabel(QStringLiteral("Copyright \u00A9 Norvik. All rights reserved."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(notice);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace varnel
