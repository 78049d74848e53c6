// The advertising message dialogs.
#include "scaledata/ui/ScrollMsgDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/ui/ListBoxRows.h"
#include "scaledata/EditScrollMsgsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

QPushButton* MakeButton(QWidget& parent, const char* text, const char* id)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(id);
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeCombo(QWidget& parent, const char* id, const std::vector<std::string>& entries, int current)
{
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(id);
    for (const std::string& entry : entries) combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(current);
    return combo;
}

}  // namespace

CEditScrollMsgsDlg::CEditScrollMsgsDlg(EditScrollMsgsForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this)),
      m_delete(MakeButton(*this, "&Delete", "1003"))
{
    setObjectName("editScrollMsgsDialog");
    setWindowTitle("Edit Advertising Messages");
    form.SetEditors(
        [this](EditScrollMsgForm& editor) {
            return CEditScrollMsgDlg(editor, m_codePage, this).exec() == QDialog::Accepted;
        },
        [this](EditScrollMsgExForm& editor) {
            return CEditScrollMsgExDlg(editor, m_codePage, this).exec() == QDialog::Accepted;
        });
    m_list->setObjectName("1005");
    m_list->setMinimumWidth(m_list->fontMetrics().averageCharWidth() * 30);
    m_list->installEventFilter(this);
    auto* edit = MakeButton(*this, "&Edit", "1006");
    auto* close = MakeButton(*this, "&Close", "1011");
    m_delete->setEnabled(form.IsDeleteEnabled());
    connect(edit, &QPushButton::clicked, this, &CEditScrollMsgsDlg::Edit);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_form.OnDelete();
        Refill();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditScrollMsgsDlg::Edit);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_form.SetSelection(row); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {edit, m_delete, close}) buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    Refill();
}

void CEditScrollMsgsDlg::Refill()
{
    FillListBox(*m_list, m_form.GetEntries(), m_form.GetSelection(), m_codePage);
}

void CEditScrollMsgsDlg::Edit()
{
    m_form.OnEdit();
    Refill();
}

bool CEditScrollMsgsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Edit();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

CEditScrollMsgDlg::CEditScrollMsgDlg(EditScrollMsgForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_scroll(MakeCheckBox(*this, "Scroll message?", "1010", form.IsScroll()))
{
    setObjectName("editScrollMsgDialog");
    setWindowTitle("Edit Advertising Message");
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(EditScrollMsgForm::kEditIds[i]));
        edit->setMaxLength(static_cast<int>(EditScrollMsgForm::kEditLimits[i]));
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * static_cast<int>(std::min<std::size_t>(
                                                                             EditScrollMsgForm::kEditLimits[i], 48)));
        layout->addWidget(edit);
        m_edits[i] = edit;
    }
    layout->addWidget(m_scroll);
    layout->addWidget(MakeOkCancel(*this));
    m_scroll->setVisible(form.IsScrollBoxShown());
    m_scroll->setEnabled(form.IsScrollBoxShown());
    connect(m_scroll, &QCheckBox::toggled, this, [this](bool on) {
        ReadBack();
        m_form.SetScroll(on);
        Layout();
    });
    Layout();
}

void CEditScrollMsgDlg::Layout()
{
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const auto edit = static_cast<EditScrollMsgForm::Edit>(i);
        const bool shown = m_form.IsEditShown(edit);
        m_edits[i]->setVisible(shown);
        m_edits[i]->setEnabled(shown);
        m_edits[i]->setText(ToDisplayText(m_form.GetEditText(edit), m_codePage));
    }
    m_edits[m_form.GetFocusEdit()]->setFocus(Qt::OtherFocusReason);
    adjustSize();
}

void CEditScrollMsgDlg::ReadBack()
{
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const auto edit = static_cast<EditScrollMsgForm::Edit>(i);
        if (m_form.IsEditShown(edit)) m_form.SetEditText(edit, FromDisplayText(m_edits[i]->text(), m_codePage));
    }
}

void CEditScrollMsgDlg::accept()
{
    ReadBack();
    m_form.OnOK();
    QDialog::accept();
}

CEditScrollMsgExDlg::CEditScrollMsgExDlg(EditScrollMsgExForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_text(new QLineEdit(ToDisplayText(form.GetText(), codePage), this)),
      m_consecutive(MakeCheckBox(*this, "Consecutive Message?", "1175", form.GetSettings().consecutive)),
      m_mode(MakeCombo(*this, "1172", EditScrollMsgExForm::ModeEntries(), form.GetSettings().mode)),
      m_day(MakeCombo(*this, "1173", EditScrollMsgExForm::DayEntries(), form.GetSettings().day)),
      m_start(new QLineEdit(QString::fromStdString(form.GetStartHourText()), this)),
      m_end(new QLineEdit(QString::fromStdString(form.GetEndHourText()), this)),
      m_inverted(MakeCheckBox(*this, "Display Text Inverted?", "1177", form.GetSettings().inverted)),
      m_size(MakeCombo(*this, "1213", EditScrollMsgExForm::SizeEntries(), form.GetSettings().size)),
      m_speed(MakeCombo(*this, "1214", EditScrollMsgExForm::SpeedEntries(), form.GetSettings().speed)),
      m_flash(MakeCombo(*this, "1215", EditScrollMsgExForm::FlashEntries(), form.GetSettings().flash)),
      m_flashes(MakeCombo(*this, "1216", EditScrollMsgExForm::FlashCountEntries(), form.GetSettings().flashes))
{
    setObjectName("editScrollMsgExDialog");
    setWindowTitle("Edit Advertising Message");
    m_text->setObjectName("1176");
    m_text->setMaxLength(static_cast<int>(form.GetTextLimit()));
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 60);
    for (QLineEdit* hour : {m_start, m_end}) {
        hour->setMaxLength(2);
        hour->setFixedWidth(hour->fontMetrics().horizontalAdvance('0') * 4 + 12);
    }
    m_start->setObjectName("1080");
    m_end->setObjectName("1084");

    auto* hours = new QHBoxLayout;
    hours->addWidget(m_start);
    hours->addWidget(new QLabel("to", this));
    hours->addWidget(m_end);
    hours->addStretch(1);
    auto* fields = new QFormLayout;
    fields->addRow("Message", m_text);
    fields->addRow("", m_consecutive);
    fields->addRow("Display Mode", m_mode);
    fields->addRow("Display Day", m_day);
    fields->addRow("Time Schedule (HH)", hours);
    fields->addRow("", m_inverted);
    fields->addRow("Size", m_size);
    fields->addRow("Speed", m_speed);
    fields->addRow("Display", m_flash);
    fields->addRow("No. Times to Flash", m_flashes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
    m_consecutive->setVisible(form.IsShown(EditScrollMsgExForm::kConsecutive));
    m_inverted->setVisible(form.IsShown(EditScrollMsgExForm::kInverted));
    connect(m_flash, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.Settings().flash = static_cast<std::uint16_t>(std::max(index, 0));
        UpdateEnabling();
    });
    UpdateEnabling();
}

void CEditScrollMsgExDlg::UpdateEnabling()
{
    using C = EditScrollMsgExForm;
    const std::pair<QWidget*, C::Control> controls[] = {
        {m_consecutive, C::kConsecutive}, {m_mode, C::kMode},   {m_day, C::kDay},     {m_start, C::kStartHour},
        {m_end, C::kEndHour},             {m_inverted, C::kInverted}, {m_size, C::kSize}, {m_speed, C::kSpeed},
        {m_flash, C::kFlash},             {m_flashes, C::kFlashes},
    };
    for (const auto& [widget, control] : controls) widget->setEnabled(m_form.IsEnabled(control));
}

void CEditScrollMsgExDlg::accept()
{
    ScrollSettings& s = m_form.Settings();
    s.consecutive = m_consecutive->isChecked();
    s.mode = static_cast<std::uint16_t>(std::max(m_mode->currentIndex(), 0));
    s.day = static_cast<std::uint16_t>(std::max(m_day->currentIndex(), 0));
    s.inverted = m_inverted->isChecked();
    s.size = static_cast<std::uint16_t>(std::max(m_size->currentIndex(), 0));
    s.speed = static_cast<std::uint16_t>(std::max(m_speed->currentIndex(), 0));
    s.flash = static_cast<std::uint16_t>(std::max(m_flash->currentIndex(), 0));
    s.flashes = static_cast<std::uint16_t>(std::max(m_flashes->currentIndex(), 0));
    m_form.SetText(FromDisplayText(m_text->text(), m_codePage));
    m_form.SetStartHourText(m_start->text().toStdString());
    m_form.SetEndHourText(m_end->text().toStdString());
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    QLineEdit* refused = m_form.GetRefusedFocus() == EditScrollMsgExForm::kStartHour ? m_start : m_end;
    refused->setFocus(Qt::OtherFocusReason);
    refused->selectAll();
}

}  // namespace varnel
