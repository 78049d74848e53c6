// The campaign dialogs.
#include "scaledata/ui/CampaignDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace varnel {
namespace {

QLineEdit* NumberEdit(QWidget& parent, const char* id)
{
    auto* edit = new QLineEdit(&parent);
    edit->setObjectName(id);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * 12);
    return edit;
}

QDate DateOf(const DateTimeParts& parts) { return QDate(parts.year, parts.month, parts.day); }
QTime TimeOf(const DateTimeParts& parts) { return QTime(parts.hour, parts.minute, parts.second); }

// The pickers' date and time; without a date picker the date stays as it was.
DateTimeParts PartsOf(const QDateEdit* date, const QTimeEdit& time, DateTimeParts parts)
{
    if (date) {
        const QDate picked = date->date();
        parts.year = picked.year();
        parts.month = picked.month();
        parts.day = picked.day();
    }
    const QTime picked = time.time();
    parts.hour = picked.hour();
    parts.minute = picked.minute();
    parts.second = picked.second();
    return parts;
}

QTimeEdit* TimePicker(QWidget& parent, const char* id, const DateTimeParts& parts)
{
    auto* picker = new QTimeEdit(TimeOf(parts), &parent);
    picker->setObjectName(id);
    picker->setDisplayFormat("HH:mm:ss");
    return picker;
}

QDateEdit* DatePicker(QWidget& parent, const char* id, const DateTimeParts& parts)
{
    auto* picker = new QDateEdit(DateOf(parts), &parent);
    picker->setObjectName(id);
    picker->setDisplayFormat("MM/dd/yyyy");
    picker->setCalendarPopup(true);
    return picker;
}

}  // namespace

// Edit Campaign Price.

CEditCampPriceDlg::CEditCampPriceDlg(EditCampPriceForm& form, PluPicker picker, QWidget* parent)
    : QDialog(parent), m_form(form), m_picker(std::move(picker)), m_plu(NumberEdit(*this, "103")),
      m_price(NumberEdit(*this, "1076")), m_mode(new QComboBox(this))
{
    setObjectName("editCampPriceDialog");
    setWindowTitle("Edit Campaign Price");
    const CampaignPriceRules& rules = form.GetRules();
    m_plu->setMaxLength(static_cast<int>(rules.PluTextLimit()));
    m_mode->setObjectName(rules.UsesSecondList() ? "1104" : "1103");
    for (const std::string& item : rules.UsesSecondList() ? rules.GetSecondListItems() : rules.GetSalesModeItems())
        m_mode->addItem(QString::fromStdString(item));
    auto* modeLabel = new QLabel("Sales Mode", this);
    modeLabel->setObjectName("1102");
    modeLabel->setEnabled(rules.IsSalesModeEnabled());
    m_mode->setEnabled(rules.IsSalesModeEnabled());
    QPushButton* select = MakeButton(*this, "Select...", "3");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("PLU No.", this), 0, 0);
    grid->addWidget(m_plu, 0, 1);
    grid->addWidget(select, 0, 2);
    grid->addWidget(new QLabel(rules.HasOldPrice() ? "New Price" : "Price", this), 1, 0);
    grid->addWidget(m_price, 1, 1);
    int row = 2;
    if (rules.HasOldPrice()) {
        m_oldPrice = NumberEdit(*this, "1118");
        grid->addWidget(new QLabel("Old Price", this), row, 0);
        grid->addWidget(m_oldPrice, row++, 1);
    }
    grid->addWidget(modeLabel, row, 0);
    grid->addWidget(m_mode, row, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));

    connect(select, &QPushButton::clicked, this, [this] {
        HandOver();
        m_form.OnSelectPlu(m_picker);
        ShowForm();
    });
    connect(m_mode, &QComboBox::activated, this, [this](int position) {
        HandOver();
        m_form.OnSalesModeChange(position);
        ShowForm();
    });
    ShowForm();
}

void CEditCampPriceDlg::HandOver()
{
    m_form.SetPluText(m_plu->text().toStdString());
    m_form.SetPriceText(m_price->text().toStdString());
    if (m_oldPrice) m_form.SetOldPriceText(m_oldPrice->text().toStdString());
}

void CEditCampPriceDlg::ShowForm()
{
    const int limit = static_cast<int>(m_form.GetPriceTextLimit());
    m_plu->setText(QString::fromStdString(m_form.GetPluText()));
    m_price->setMaxLength(limit);
    m_price->setText(QString::fromStdString(m_form.GetPriceText()));
    if (m_oldPrice) {
        m_oldPrice->setMaxLength(limit);
        m_oldPrice->setText(QString::fromStdString(m_form.GetOldPriceText()));
    }
    const QSignalBlocker quiet(m_mode);
    m_mode->setCurrentIndex(m_form.GetSelection());
}

void CEditCampPriceDlg::accept()
{
    HandOver();
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    const QString focus = QString::number(static_cast<int>(m_form.GetFocus()));
    if (auto* edit = findChild<QLineEdit*>(focus)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

// Edit Campaign.

CEditCampaignDlg::CEditCampaignDlg(EditCampaignForm& form, PluPicker picker, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_picker(std::move(picker)), m_codePage(codePage),
      m_name(new QLineEdit(ToDisplayText(form.GetName(), codePage), this)),
      m_startTime(TimePicker(*this, "startTime", form.GetStart())),
      m_endTime(TimePicker(*this, "endTime", form.GetEnd())), m_lines(new QTreeWidget(this)),
      m_add(MakeButton(*this, "&Add", "122")), m_edit(MakeButton(*this, "&Edit", "1006")),
      m_delete(MakeButton(*this, "&Delete", "1003"))
{
    setObjectName("editCampaignDialog");
    setWindowTitle("Edit Campaign");
    m_name->setObjectName("1004");
    m_name->setMaxLength(static_cast<int>(EditCampaignForm::kNameChars));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 38);

    auto* period = new QGridLayout;
    period->addWidget(new QLabel("Name", this), 0, 0);
    period->addWidget(m_name, 0, 1, 1, 3);
    period->addWidget(new QLabel("Start", this), 1, 0);
    period->addWidget(new QLabel("End", this), 2, 0);
    if (form.UsesDayOfWeek()) {
        m_dayOfWeek = new QComboBox(this);
        m_dayOfWeek->setObjectName("1425");
        for (const std::string& day : EditCampaignForm::GetDayOfWeekItems())
            m_dayOfWeek->addItem(QString::fromStdString(day));
        m_dayOfWeek->setCurrentIndex(form.GetDayOfWeek());
        period->addWidget(m_startTime, 1, 1);
        period->addWidget(m_endTime, 2, 1);
        period->addWidget(new QLabel("Day of week", this), 3, 0);
        period->addWidget(m_dayOfWeek, 3, 1);
    } else {
        m_startDate = DatePicker(*this, "startDate", form.GetStart());
        m_endDate = DatePicker(*this, "endDate", form.GetEnd());
        period->addWidget(m_startDate, 1, 1);
        period->addWidget(m_startTime, 1, 2);
        period->addWidget(m_endDate, 2, 1);
        period->addWidget(m_endTime, 2, 2);
    }
    period->setColumnStretch(3, 1);

    m_lines->setObjectName("1091");
    m_lines->setRootIsDecorated(false);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList titles{"PLU No.", form.GetRules().HasOldPrice() ? "New Price" : "Price"};
    if (form.GetRules().HasOldPrice()) titles << "Old Price";
    titles << "Sales Mode";
    m_lines->setHeaderLabels(titles);
    const int unit = m_lines->fontMetrics().averageCharWidth();
    m_lines->header()->resizeSection(0, unit * static_cast<int>(form.GetPluDigits() + 6));
    for (int column = 1; column + 1 < titles.size(); ++column) m_lines->header()->resizeSection(column, unit * 12);
    m_lines->setMinimumSize(unit * 56, m_lines->fontMetrics().height() * 12);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    buttons->addWidget(MakeOkCancel(*this, Qt::Vertical));
    auto* body = new QHBoxLayout;
    body->addWidget(m_lines, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addLayout(body, 1);

    connect(m_add, &QPushButton::clicked, this, [this] { Run(&EditCampaignForm::OnAdd); });
    connect(m_edit, &QPushButton::clicked, this, [this] { Run(&EditCampaignForm::OnEdit); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_form.OnDelete();
        Refill();
    });
    connect(m_lines, &QTreeWidget::itemDoubleClicked, this, [this] { Run(&EditCampaignForm::OnEdit); });
    connect(m_lines, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_form.SetSelected(item ? m_lines->indexOfTopLevelItem(item) : -1);
        m_edit->setEnabled(item != nullptr);
        m_delete->setEnabled(item != nullptr);
    });
    Refill();
}

void CEditCampaignDlg::Run(bool (EditCampaignForm::*step)(const EditCampaignForm::PriceDialog&))
{
    (m_form.*step)([this](EditCampPriceForm& line) {
        return CEditCampPriceDlg(line, m_picker, this).exec() == QDialog::Accepted;
    });
    Refill();
}

void CEditCampaignDlg::Refill()
{
    const QSignalBlocker quiet(m_lines);
    m_lines->clear();
    for (std::size_t index = 0; index < m_form.GetLines().size(); ++index) {
        QStringList texts;
        for (const std::string& text : m_form.GetLineTexts(index)) texts << ToDisplayText(text, m_codePage);
        auto* item = new QTreeWidgetItem(m_lines, texts);
        for (int column = 0; column + 1 < texts.size(); ++column) item->setTextAlignment(column, Qt::AlignRight);
    }
    const int selected = m_form.GetSelected();
    if (selected >= 0) m_lines->setCurrentItem(m_lines->topLevelItem(selected));
    m_add->setEnabled(m_form.CanAdd());
    m_edit->setEnabled(selected >= 0);
    m_delete->setEnabled(selected >= 0);
}

void CEditCampaignDlg::accept()
{
    m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    m_form.SetStart(PartsOf(m_startDate, *m_startTime, m_form.GetStart()));
    m_form.SetEnd(PartsOf(m_endDate, *m_endTime, m_form.GetEnd()));
    if (m_dayOfWeek) m_form.SetDayOfWeek(static_cast<std::uint16_t>(std::max(0, m_dayOfWeek->currentIndex())));
    if (m_form.OnOK()) QDialog::accept();
}

// Edit Campaigns.

CEditCampaignsDlg::CEditCampaignsDlg(EditCampaignsForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent)
{
    setObjectName("editCampaignsDialog");
}

EditCampaignsForm::EditDialog RunEditCampaignDlg(PluPicker picker, CodePage codePage)
{
    return [picker = std::move(picker), codePage](EditCampaignForm& form) {
        return CEditCampaignDlg(form, picker, codePage, QApplication::activeWindow()).exec() == QDialog::Accepted;
    };
}

}  // namespace varnel
