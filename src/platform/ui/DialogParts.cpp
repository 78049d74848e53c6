// Pieces of the settings dialogs.
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace varnel {

QDialogButtonBox* MakeOkCancel(QDialog& dialog, Qt::Orientation orientation)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, orientation, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QPushButton* MakeButton(QWidget& parent, const QString& text, const char* objectName)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheckBox(QWidget& parent, const QString& text, const char* objectName, bool checked)
{
    auto* box = new QCheckBox(text, &parent);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

}  // namespace varnel
