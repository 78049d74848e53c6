#include "comms/ui/Qd47Dlgs.h"

#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "comms/filelink/Qd47LinkForm.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/DialogParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

// The progress dialogs' status area: the state in white on a blue field and, in the Data Save shape,
// a sunken box below it with the bytes received or the bar of the per cent sent.
class Qd47StatusArea final : public QWidget {
public:
    Qd47StatusArea(const Qd47ProgressForm& form, QWidget* parent) : QWidget(parent), m_form(form)
    {
        setObjectName("statusArea");
        // 195 by 40 dialog units.
        const int unit = fontMetrics().averageCharWidth();
        setMinimumSize(195 * unit / 4, 40 * fontMetrics().height() / 8 + fontMetrics().height() * 2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool box = m_form.GetShape() == Qd47ProgressForm::Shape::DataSave;
        QRect field = rect();
        if (box) field.setHeight(height() / 2);
        painter.fillRect(field, QColor(0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(field, Qt::AlignCenter, QString::fromStdString(m_form.GetStateText()));
        if (!box) return;
        const QRect sunken = rect().adjusted(0, height() / 2 + 4, -1, -1);
        painter.setPen(Qt::darkGray);
        painter.drawLine(sunken.topLeft(), sunken.topRight());
        painter.drawLine(sunken.topLeft(), sunken.bottomLeft());
        painter.setPen(Qt::lightGray);
        painter.drawLine(sunken.bottomLeft(), sunken.bottomRight());
        painter.drawLine(sunken.topRight(), sunken.bottomRight());
        const QRect inside = sunken.adjusted(2, 2, -2, -2);
        if (m_form.IsReceiving()) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(inside, Qt::AlignCenter, QString::fromStdString(m_form.GetReceivedText()));
        } else {
            QRect bar = inside;
            bar.setWidth(inside.width() * m_form.GetBarPercent() / 100);
            painter.fillRect(bar, QColor(0, 0, 160));
        }
    }

private:
    const Qd47ProgressForm& m_form;
};

}  // namespace

CQd47LinkDlg::CQd47LinkDlg(Qd47LinkForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("qd47LinkDialog");
    setWindowTitle("Scales Comms Link (QD47)");
    const std::pair<const char*, std::vector<std::string>> lists[] = {
        {"Serial Port", Qd47LinkForm::PortChoices()},   {"Baud Rate", Qd47LinkForm::BaudRateChoices()},
        {"Data Bits", Qd47LinkForm::DataBitsChoices()}, {"Stop Bits", Qd47LinkForm::StopBitsChoices()},
        {"Parity", Qd47LinkForm::ParityChoices()},      {"Scale Type", Qd47LinkForm::ScaleTypeChoices()}};
    static constexpr const char* kNames[] = {"serialPort", "baudRate", "dataBits", "stopBits", "parity", "scaleType"};
    const std::string current[] = {form.port, form.baudRate, form.dataBits, form.stopBits, form.parity};
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < m_combos.size(); ++i) {
        m_combos[i] = MakeCombo(*this, kNames[i], lists[i].second);
        if (i < 5)
            m_combos[i]->setCurrentIndex(m_combos[i]->findText(QString::fromStdString(current[i])));
        else
            m_combos[i]->setCurrentIndex(static_cast<int>(form.scaleType));
        grid->addWidget(new QLabel(lists[i].first, this), static_cast<int>(i), 0);
        grid->addWidget(m_combos[i], static_cast<int>(i), 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
}

void CQd47LinkDlg::accept()
{
    std::string* texts[] = {&m_form.port, &m_form.baudRate, &m_form.dataBits, &m_form.stopBits, &m_form.parity};
    for (std::size_t i = 0; i < 5; ++i)
        if (m_combos[i]->currentIndex() >= 0) *texts[i] = m_combos[i]->currentText().toStdString();
    m_form.scaleType = static_cast<std::size_t>(std::max(0, m_combos[5]->currentIndex()));
    QDialog::accept();
}

CQd47ProgressDlg::CQd47ProgressDlg(Qd47ProgressForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_area(new Qd47StatusArea(form, this))
{
    const bool dataSave = form.GetShape() == Qd47ProgressForm::Shape::DataSave;
    setObjectName(dataSave ? "dataSaveProgressDialog" : "fileServerProgressDialog");
    setWindowTitle("Scales Comms Link");
    QPushButton* end = MakeButton(*this, dataSave ? "Cancel" : "Close", dataSave ? "cancel" : "close");
    connect(end, &QPushButton::clicked, this, &CQd47ProgressDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_area);
    if (!dataSave) {
        m_received = new QLabel(this);
        m_received->setObjectName("bytesReceived");
        m_sent = new QLabel(this);
        m_sent->setObjectName("bytesSent");
        auto* grid = new QGridLayout;
        grid->addWidget(new QLabel("Bytes Received:", this), 0, 0);
        grid->addWidget(m_received, 0, 1);
        grid->addWidget(new QLabel("Bytes Sent:", this), 1, 0);
        grid->addWidget(m_sent, 1, 1);
        layout->addLayout(grid);
    }
    layout->addWidget(end, 0, Qt::AlignHCenter);
    m_form.SetWake(QueuedWake(this, [this] {
        m_form.Dispatch();
        Update();
    }));
    Update();
}

CQd47ProgressDlg::~CQd47ProgressDlg() { m_form.SetWake(nullptr); }

void CQd47ProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_opened) return;
    m_opened = true;
    m_form.OnOpen();
}

void CQd47ProgressDlg::Update()
{
    if (m_received) {
        m_received->setText(QString::number(m_form.GetBytesReceived()));
        m_sent->setText(QString::number(m_form.GetBytesSent()));
    }
    m_area->update();
    if (m_form.GetOutcome() == true && isVisible()) accept();
}

void CQd47ProgressDlg::reject()
{
    m_form.OnClose();
    QDialog::reject();
}

CQd47FdSettingsDlg::CQd47FdSettingsDlg(Qd47FdSettingsForm& form, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName("qd47FdSettingsDialog");
    setWindowTitle("QD47FD Settings");
    m_fileNumber = MakeLineEdit(*this, "fileNumber", QString::number(form.GetFileNumber()), 5);
    m_directory = MakeLineEdit(*this, "directory", QString::fromStdString(form.directory), 36);
    QPushButton* floppy = MakeButton(*this, "Floppy drive &A:", "floppyDrive");
    QPushButton* current = MakeButton(*this, "&Current directory", "currentDirectory");
    QPushButton* browse = MakeButton(*this, "&Browse", "browse");
    const auto showDirectory = [this] { m_directory->setText(QString::fromStdString(m_form.directory)); };
    connect(floppy, &QPushButton::clicked, this, [this, showDirectory] {
        m_form.UseFloppyDrive();
        showDirectory();
    });
    connect(current, &QPushButton::clicked, this, [this, showDirectory] {
        m_form.UseCurrentDirectory();
        showDirectory();
    });
    connect(browse, &QPushButton::clicked, this, [this, showDirectory] {
        (void)m_form.SetFileNumber(m_fileNumber->text().toStdString());
        m_form.directory = m_directory->text().toStdString();
        if (m_form.Browse()) showDirectory();
    });
    auto* place = new QGridLayout;
    place->addWidget(new QLabel("QD47 file number", this), 0, 0);
    place->addWidget(m_fileNumber, 0, 1);
    place->addWidget(new QLabel("Directory path", this), 1, 0);
    place->addWidget(m_directory, 1, 1, 1, 3);
    place->addWidget(floppy, 2, 1);
    place->addWidget(current, 2, 2);
    place->addWidget(browse, 2, 3);

    m_all = new QRadioButton("Load/Save all files", this);
    m_all->setObjectName("allFiles");
    auto* select = new QRadioButton("Select files", this);
    select->setObjectName("selectFiles");
    (form.all ? m_all : select)->setChecked(true);
    connect(m_all, &QRadioButton::toggled, this, [this](bool on) {
        m_form.all = on;
        Update();
    });
    auto* files = new QGroupBox("Files", this);
    auto* filesGrid = new QGridLayout(files);
    filesGrid->addWidget(m_all, 0, 0);
    filesGrid->addWidget(select, 0, 1);
    static constexpr const char* kNames[] = {"plus",      "messages", "stores",         "presets",
                                             "campaigns", "coupons",  "scrollMessages", "nutrition"};
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const auto box = static_cast<Qd47FdSettingsForm::Box>(i);
        m_boxes[i] = MakeCheckBox(*files, Qd47FdSettingsForm::BoxText(box), kNames[i], form.IsChecked(box));
        m_boxes[i]->setVisible(form.IsShown(box));
        filesGrid->addWidget(m_boxes[i], static_cast<int>(1 + i / 2), static_cast<int>(i % 2));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(place);
    layout->addWidget(files);
    if (form.GetSite().import) {
        auto* same = new QGroupBox("If same PLU, msg, etc. No. found:", this);
        auto* useDatabase = new QRadioButton("Use database PLU, msg etc.", same);
        useDatabase->setObjectName("useDatabase");
        m_useFile = new QRadioButton("Use QD47FD file PLU, msg etc.", same);
        m_useFile->setObjectName("useFile");
        (form.useFileData ? m_useFile : useDatabase)->setChecked(true);
        auto* sameLayout = new QVBoxLayout(same);
        sameLayout->addWidget(useDatabase);
        sameLayout->addWidget(m_useFile);
        layout->addWidget(same);
    }
    layout->addWidget(MakeOkCancel(*this));
    Update();
}

void CQd47FdSettingsDlg::Update()
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setEnabled(m_form.IsEnabled(static_cast<Qd47FdSettingsForm::Box>(i)));
}

void CQd47FdSettingsDlg::accept()
{
    if (!m_form.SetFileNumber(m_fileNumber->text().toStdString())) return;
    m_form.directory = m_directory->text().toStdString();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_form.SetChecked(static_cast<Qd47FdSettingsForm::Box>(i), m_boxes[i]->isChecked());
    if (m_useFile) m_form.useFileData = m_useFile->isChecked();
    QDialog::accept();
}

CDataSaveOpenOptionsDlg::CDataSaveOpenOptionsDlg(DataSaveOpenOptionsForm& form, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName("dataSaveOpenOptionsDialog");
    setWindowTitle("Data Save Open Options");
    const std::pair<const char*, const char*> modes[] = {{"Open but do not import data", "openOnly"},
                                                         {"Import into new database", "importNew"},
                                                         {"Import, add to current database", "importCurrent"}};
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        m_modes[i] = new QRadioButton(modes[i].first, this);
        m_modes[i]->setObjectName(modes[i].second);
        connect(m_modes[i], &QRadioButton::clicked, this, [this, i] {
            m_form.SetMode(static_cast<std::uint16_t>(i));
            Update();
        });
        layout->addWidget(m_modes[i]);
    }
    auto* same = new QGroupBox("If same PLU, msg, etc. No. found:", this);
    auto* sameLayout = new QVBoxLayout(same);
    const std::pair<const char*, const char*> choices[] = {{"Use database PLU, msg etc.", "useDatabase"},
                                                           {"Use Data Save file PLU, msg etc.", "useFile"}};
    for (std::size_t i = 0; i < m_sameNumber.size(); ++i) {
        m_sameNumber[i] = new QRadioButton(choices[i].first, same);
        m_sameNumber[i]->setObjectName(choices[i].second);
        connect(m_sameNumber[i], &QRadioButton::clicked, this, [this, i] {
            m_form.SetOverwrite(i == 1);
            Update();
        });
        sameLayout->addWidget(m_sameNumber[i]);
    }
    layout->addWidget(same);
    layout->addWidget(MakeOkCancel(*this));
    Update();
}

void CDataSaveOpenOptionsDlg::Update()
{
    for (std::size_t i = 0; i < m_modes.size(); ++i) m_modes[i]->setChecked(m_form.GetMode() == i);
    m_sameNumber[m_form.GetOverwrite() ? 1 : 0]->setChecked(true);
    for (QRadioButton* button : m_sameNumber) button->setEnabled(m_form.IsOverwriteEnabled());
}

CSpecifyTransmitDataDlg::CSpecifyTransmitDataDlg(SpecifyTransmitDataForm& form, QWidget* parent) : QDialog(parent)
{
    setObjectName("specifyTransmitDataDialog");
    setWindowTitle("Specify Transmit Data");
    QPushButton* database = MakeButton(*this, "Transmit Current &Database", "currentDatabase");
    QPushButton* file = MakeButton(*this, "Select a Data Save &File", "dataSaveFile");
    QPushButton* cancel = MakeButton(*this, "Cancel", "cancel");
    database->setDefault(true);
    connect(database, &QPushButton::clicked, this, [this, &form] {
        form.Choose(SpecifyTransmitDataForm::Choice::CurrentDatabase);
        accept();
    });
    connect(file, &QPushButton::clicked, this, [this, &form] {
        form.Choose(SpecifyTransmitDataForm::Choice::DataSaveFile);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Specify data to transmit:", this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(database);
    buttons->addWidget(file);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

}  // namespace varnel
