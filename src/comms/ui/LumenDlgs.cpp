#include "comms/ui/LumenDlgs.h"

#include "comms/lumen/LumenLink.h"
#include "comms/lumen/LumenProgressForm.h"
#include "comms/lumen/LumenSerialForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

// What the user does on the scale before the transfer starts.
const char* StartInstructions(std::uint16_t scaleType)
{
    return scaleType == CLumenLink::kLumen
               ? "On the Lumen scale, open the PC communication menu and start the transfer.\nThen press OK."
               : "On the LumenXT scale, open the PC communication menu and start the transfer.\nThen press OK.";
}

}  // namespace

CLumenSerialDlg::CLumenSerialDlg(LumenSerialForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_logging(MakeCheckBox(*this, "Comms &log ON?", "logging", form.IsLogging())),
      m_file(new QLabel(QString::fromStdString(form.GetShownLogFile()), this))
{
    setObjectName("lumenSerialDialog");
    setWindowTitle("Scales Comms Link (Serial Port)");
    m_file->setObjectName("logFile");
    m_file->setFrameShape(QFrame::StyledPanel);
    const std::pair<const char*, std::string> shown[] = {{"Serial Port", form.port},       {"Baud Rate", form.baudRate},
                                                         {"Parity", form.parity},          {"Data Bits", form.dataBits},
                                                         {"Stop Bits", form.stopBits},     {"Scale Type", LumenSerialForm::kFamilyText}};
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& [label, value] : shown) {
        auto* field = new QLabel(QString::fromStdString(value), this);
        field->setEnabled(false);
        field->setFrameShape(QFrame::StyledPanel);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(field, row++, 1);
    }
    QCheckBox* rtsCts = MakeCheckBox(*this, "Hardware flow control?\n(RTS/ CTS)", "rtsCts", form.rtsCts);
    rtsCts->setEnabled(false);
    grid->addWidget(rtsCts, row++, 0, 1, 2);
    QPushButton* change = MakeButton(*this, "Change File...", "changeFile");
    grid->addWidget(m_logging, row, 0);
    grid->addWidget(change, row++, 1);
    grid->addWidget(m_file, row, 0, 1, 2);
    const auto showFile = [this] {
        m_file->setText(QString::fromStdString(m_form.GetShownLogFile()));
        const QSignalBlocker quiet(m_logging);
        m_logging->setChecked(m_form.IsLogging());
    };
    connect(m_logging, &QCheckBox::toggled, this, [this, showFile](bool on) {
        m_form.SetLogging(on);
        showFile();
    });
    connect(change, &QPushButton::clicked, this, [this, showFile] {
        if (m_form.ChangeFile()) showFile();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
}

CLumenProgressDlg::CLumenProgressDlg(LumenProgressForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_instructions(new QLabel(this)), m_status(new QLabel(this))
{
    setObjectName("lumenProgressDialog");
    setWindowTitle(QString::fromStdString(form.GetCaption()));
    m_instructions->setObjectName("instructions");
    m_instructions->setText("Start sending the data on the scale.");
    m_status->setObjectName("status");
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * 36);
    QPushButton* cancel = MakeButton(*this, "Cancel", "cancel");
    connect(cancel, &QPushButton::clicked, this, &CLumenProgressDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instructions);
    layout->addWidget(m_status);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    m_form.SetWake(QueuedWake(this, [this] {
        m_form.Dispatch();
        Update();
    }));
    Update();
}

CLumenProgressDlg::~CLumenProgressDlg() { m_form.SetWake(nullptr); }

void CLumenProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    m_form.OnShown();
}

void CLumenProgressDlg::Update()
{
    m_instructions->setText(m_form.ShowsInstructions() ? "Start sending the data on the scale."
                                                       : "Receiving data from scales");
    m_status->setText(QString::fromStdString(m_form.GetStatusText()));
    if (m_form.GetOutcome() == true && isVisible()) accept();
}

void CLumenProgressDlg::reject()
{
    m_form.OnCancel();
    QDialog::reject();
}

QDialog* MakeSendToLumenDlg(bool addMode, QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    dialog->setObjectName("sendToLumenDialog");
    dialog->setWindowTitle("Send to Lumen");
    auto* add = new QRadioButton("Add to existing Lumen data", dialog);
    add->setObjectName("addMode");
    auto* overwrite = new QRadioButton("Overwrite existing Lumen data", dialog);
    overwrite->setObjectName("overwriteMode");
    (addMode ? add : overwrite)->setChecked(true);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(add);
    layout->addWidget(overwrite);
    layout->addWidget(MakeOkCancel(*dialog));
    return dialog;
}

QDialog* MakeStartCommsDlg(std::uint16_t scaleType, QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    dialog->setObjectName("startCommsDialog");
    dialog->setWindowTitle("Start Comms on Scale");
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(StartInstructions(scaleType), dialog));
    layout->addWidget(MakeOkCancel(*dialog));
    return dialog;
}

std::optional<bool> QtLumenTransferUi::AskAddMode(bool addMode)
{
    const std::unique_ptr<QDialog> dialog(MakeSendToLumenDlg(addMode, m_parent));
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->findChild<QRadioButton*>("addMode")->isChecked();
}

bool QtLumenTransferUi::ShowStartInstructions(std::uint16_t scaleType)
{
    const std::unique_ptr<QDialog> dialog(MakeStartCommsDlg(scaleType, m_parent));
    return dialog->exec() == QDialog::Accepted;
}

bool QtLumenTransferUi::RunProgress(LumenProgressForm& form)
{
    return CLumenProgressDlg(form, m_parent).exec() == QDialog::Accepted;
}

}  // namespace varnel
