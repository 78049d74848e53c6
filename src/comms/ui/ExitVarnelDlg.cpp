#include "comms/ui/ExitVarnelDlg.h"

#include "comms/manager/ExitVarnelForm.h"
#include "comms/ui/CommsViewParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CExitVarnelDlg::CExitVarnelDlg(ExitVarnelForm& form, QWidget* parent) : QDialog(parent)
{
    setObjectName("exitVarnelDialog");
    setWindowTitle(ExitVarnelForm::kTitle);
    QPushButton* save = MakeButton(*this, "&Save Waiting Data", "saveWaitingData");
    QPushButton* clear = MakeButton(*this, "&Clear Waiting Data", "clearWaitingData");
    QPushButton* cancel = MakeButton(*this, "Cancel", "cancel");
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(clear, &QPushButton::clicked, this, [this, &form] {
        form.ClearWaitingData();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    for (const char* text : {ExitVarnelForm::kWaitingText, ExitVarnelForm::kSaveHint}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 60);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(clear);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

}  // namespace varnel
