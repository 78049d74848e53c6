#include "comms/ui/CommCenterDlg.h"

#include "comms/center/CommCenterForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/CodePageText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varnel {

CCommCenterDlg::CCommCenterDlg(CommCenterForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_tabs(new QTabWidget(this)), m_status(new QLabel(this))
{
    setObjectName("commCenterDialog");
    setWindowTitle("Communication Center");
    m_tabs->setObjectName("tabs");
    m_tabs->addTab(MakeStatusPage(), QString::fromUtf8(GetMessageText(CommCenterForm::kMsgStatusTab).data()));
    m_tabs->addTab(MakeSendReceivePage(), QString::fromUtf8(GetMessageText(CommCenterForm::kMsgSendReceiveTab).data()));
    m_tabs->setCurrentIndex(m_form.GetTab() == CommCenterForm::Tab::Status ? 0 : 1);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        m_form.ChooseTab(index == 0 ? CommCenterForm::Tab::Status : CommCenterForm::Tab::SendReceive);
        Update();
    });
    m_status->setObjectName("status");
    m_status->setFrameShape(QFrame::StyledPanel);

    m_continue = MakeButton(*this, "&Continue", "continue");
    m_cancelComms = MakeButton(*this, "Cancel Comms", "cancelComms");
    m_close = MakeButton(*this, "Close", "close");
    m_close->setDefault(true);
    m_continue->setVisible(m_form.IsContinueMode());
    connect(m_continue, &QPushButton::clicked, this, [this] { Act(&CommCenterForm::Continue); });
    connect(m_cancelComms, &QPushButton::clicked, this, [this] { Act(&CommCenterForm::CancelComms); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    m_enabling.emplace_back(m_continue, [this] { return m_form.IsContinueEnabled(); });
    m_enabling.emplace_back(m_cancelComms, [this] { return m_form.IsCancelCommsEnabled(); });
    m_enabling.emplace_back(m_close, [this] { return m_form.IsEnabled(CommControl::Close); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_continue);
    bottom->addWidget(m_cancelComms);
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    m_form.SetWake(QueuedWake(this, [this] {
        m_form.Dispatch();
        Update();
    }));
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_form.OnTimer();
        Update();
    });
    Update();
}

CCommCenterDlg::~CCommCenterDlg()
{
    m_form.SetWake(nullptr);
    m_form.Close();
}

QWidget* CCommCenterDlg::MakeStatusPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("statusPage");
    std::vector<QString> headers;
    for (const char* title : CommCenterForm::kColumnTitles) headers.emplace_back(title);
    m_list = MakeReportList(*page, "scaleList", headers, CommCenterForm::kColumnPercents, CommCenterForm::kListWidthUnits);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        m_form.SelectRow(SelectedRow(*m_list));
        Update();
    });
    struct Button {
        const char* text;
        const char* name;
        void (CommCenterForm::*operation)();
        bool (CommCenterForm::*enabled)() const;
    };
    const Button buttons[] = {
        {"&Clear Waiting Data", "clearWaitingData", &CommCenterForm::ClearWaitingData, &CommCenterForm::IsClearWaitingEnabled},
        {"Test &All Links", "testAllLinks", &CommCenterForm::TestAllLinks, &CommCenterForm::IsTestAllEnabled},
        {"&Test Link", "testLink", &CommCenterForm::TestLink, &CommCenterForm::IsTestLinkEnabled},
        {"&Enable/Disable", "enableDisable", &CommCenterForm::EnableDisable, &CommCenterForm::IsEnableDisableEnabled},
        {"Enable All Links", "enableAllLinks", &CommCenterForm::EnableAllLinks, &CommCenterForm::IsEnableAllEnabled},
        {"Disable All Links", "disableAllLinks", &CommCenterForm::DisableAllLinks, &CommCenterForm::IsEnableAllEnabled},
    };
    auto* column = new QVBoxLayout;
    for (const Button& button : buttons) {
        QPushButton* widget = MakeButton(*page, button.text, button.name);
        connect(widget, &QPushButton::clicked, this, [this, operation = button.operation] { Act(operation); });
        m_enabling.emplace_back(widget, [this, enabled = button.enabled] { return (m_form.*enabled)(); });
        column->addWidget(widget);
    }
    column->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_list, 1);
    layout->addLayout(column);
    return page;
}

QWidget* CCommCenterDlg::MakeSendReceivePage()
{
    auto* page = new QWidget(this);
    page->setObjectName("sendReceivePage");
    m_scaleCombo = MakeCombo(*page, "scaleCombo", m_form.GetScaleChoices(), m_codePage);
    m_scaleCombo->setCurrentIndex(static_cast<int>(m_form.GetScaleChoice()));
    connect(m_scaleCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_form.ChooseScale(static_cast<std::size_t>(index));
        Update();
    });
    std::vector<std::string> kinds;
    for (const auto& choice : m_form.GetKindChoices()) kinds.push_back(choice.name);
    m_kindCombo = MakeCombo(*page, "dataKind", kinds);
    if (const auto choice = m_form.GetKindChoice()) m_kindCombo->setCurrentIndex(static_cast<int>(*choice));
    connect(m_kindCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_form.ChooseKind(static_cast<std::size_t>(index));
        Update();
    });
    m_from = MakeLineEdit(*page, "from", QString::fromStdString(m_form.GetFromText()), 12);
    m_to = MakeLineEdit(*page, "to", QString::fromStdString(m_form.GetToText()), 12);
    connect(m_from, &QLineEdit::editingFinished, this, &CCommCenterDlg::ReadEdits);
    connect(m_to, &QLineEdit::editingFinished, this, &CCommCenterDlg::ReadEdits);
    QPushButton* selectFrom = MakeButton(*page, "Select...", "selectFrom");
    QPushButton* selectTo = MakeButton(*page, "Select...", "selectTo");
    const auto select = [this](bool from) {
        ReadEdits();
        m_form.SelectRecord(from);
        m_from->setText(QString::fromStdString(m_form.GetFromText()));
        m_to->setText(QString::fromStdString(m_form.GetToText()));
    };
    connect(selectFrom, &QPushButton::clicked, this, [select] { select(true); });
    connect(selectTo, &QPushButton::clicked, this, [select] { select(false); });
    const auto rangeEnabled = [this] { return m_form.IsEnabled(CommControl::RangeEdits); };
    const auto selectEnabled = [this, rangeEnabled] { return rangeEnabled() && m_form.IsSelectEnabled(); };
    m_enabling.emplace_back(m_from, rangeEnabled);
    m_enabling.emplace_back(m_to, rangeEnabled);
    m_enabling.emplace_back(selectFrom, selectEnabled);
    m_enabling.emplace_back(selectTo, selectEnabled);
    m_enabling.emplace_back(m_scaleCombo, [this] { return m_form.IsEnabled(CommControl::ScaleCombo); });
    m_enabling.emplace_back(m_kindCombo, [this] { return m_form.IsEnabled(CommControl::ScaleCombo); });

    auto* choose = new QGroupBox("Send/Receive Data", page);
    auto* chooseGrid = new QGridLayout(choose);
    chooseGrid->addWidget(new QLabel("Scale:", choose), 0, 0);
    chooseGrid->addWidget(m_scaleCombo, 0, 1, 1, 2);
    chooseGrid->addWidget(new QLabel("Data:", choose), 1, 0);
    chooseGrid->addWidget(m_kindCombo, 1, 1, 1, 2);
    chooseGrid->addWidget(new QLabel("From:", choose), 2, 0);
    chooseGrid->addWidget(m_from, 2, 1);
    chooseGrid->addWidget(selectFrom, 2, 2);
    chooseGrid->addWidget(new QLabel("To:", choose), 3, 0);
    chooseGrid->addWidget(m_to, 3, 1);
    chooseGrid->addWidget(selectTo, 3, 2);

    struct Operation {
        const char* text;
        const char* name;
        void (CommCenterForm::*operation)();
        CommControl control;
    };
    const Operation operations[] = {
        {"Send to\n Scale", "sendToScale", &CommCenterForm::Send, CommControl::Send},
        {"Receive from\n     Scale", "receiveFromScale", &CommCenterForm::Receive, CommControl::Receive},
        {"   Compare\n(Scale vs DB)", "compare", &CommCenterForm::Compare, CommControl::Compare},
        {"DeleteRange\n  on Scale", "deleteRange", &CommCenterForm::DeleteRange, CommControl::DeleteRange},
        {"Delete All\n on Scale", "deleteAll", &CommCenterForm::DeleteAll, CommControl::DeleteAll},
    };
    auto* operationsBox = new QGroupBox("Scale Operation", page);
    auto* operationsRow = new QHBoxLayout(operationsBox);
    for (const Operation& operation : operations) {
        QPushButton* button = MakeButton(*operationsBox, operation.text, operation.name);
        button->setMinimumHeight(button->fontMetrics().height() * 3);
        connect(button, &QPushButton::clicked, this, [this, op = operation.operation] { Act(op); });
        m_enabling.emplace_back(button, [this, control = operation.control] { return m_form.IsEnabled(control); });
        operationsRow->addWidget(button);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(choose);
    layout->addWidget(operationsBox);
    layout->addStretch(1);
    return page;
}

void CCommCenterDlg::ReadEdits()
{
    m_form.SetFromText(m_from->text().toStdString());
    m_form.SetToText(m_to->text().toStdString());
}

void CCommCenterDlg::Act(void (CommCenterForm::*operation)())
{
    ReadEdits();
    (m_form.*operation)();
    Update();
}

void CCommCenterDlg::Update()
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : m_form.GetRows()) rows.push_back({row.scale, row.model, row.enabled, row.status, row.dataWaiting});
    if (m_list->topLevelItemCount() == static_cast<int>(rows.size())) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t column = 0; column < rows[i].size(); ++column)
                m_list->topLevelItem(static_cast<int>(i))
                    ->setText(static_cast<int>(column), ToDisplayText(rows[i][column], m_codePage));
    } else {
        FillReportList(*m_list, rows, m_form.GetRowSelection(), m_codePage);
    }
    for (const auto& [widget, enabled] : m_enabling) widget->setEnabled(enabled());
    m_tabs->tabBar()->setEnabled(m_form.IsEnabled(CommControl::Tab) && !m_form.IsContinueMode());
    m_status->setText(ToDisplayText(m_form.GetStatusText(), m_codePage));
    const int interval = static_cast<int>(m_form.GetTimerInterval().count());
    if (!m_timer.isActive() || m_timer.interval() != interval) m_timer.start(interval);
    if (m_form.GetOutcome() == true && isVisible())
        QMetaObject::invokeMethod(this, [this] { QDialog::accept(); }, Qt::QueuedConnection);
}

void CCommCenterDlg::reject()
{
    // In continue mode the dialog waits for the scales or "&Continue"; the Close button is off too.
    if (m_form.IsContinueMode()) return;
    QDialog::reject();
}

}  // namespace varnel
