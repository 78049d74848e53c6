#include "pluedit/ui/Plued1PluVw.h"

#include "platform/Messages.h"
#include "platform/ui/CodePageText.h"
#include "pluedit/PluEditForm.h"
#include "pluedit/ui/DeptCombo.h"
#include "pluedit/ui/DialogUnits.h"
#include "pluedit/ui/LabelTextEdit.h"
#include "pluedit/ui/LabelTextStrip.h"
#include "pluedit/ui/SunkenFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace varnel {
namespace {

QByteArray IdName(int id) { return QByteArray::number(id); }

QRect ToQRect(const FormRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

std::vector<std::uint16_t> Widths(const FieldChoices& choices)
{
    std::vector<std::uint16_t> widths;
    for (const std::string& item : choices.items) widths.push_back(static_cast<std::uint16_t>(std::stoi(item)));
    return widths;
}

}  // namespace

CPlued1PluVw::CPlued1PluVw(PluEditForm& form, CodePage codePage, QWidget* parent)
    : QWidget(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("pluEditor");
    const FormUnits units = DialogUnitsOf(*this);
    m_form.Build(units);
    setFixedSize(units.X(PluEditAreas::kFormWidth), units.Y(PluEditAreas::kFormHeight));
    BuildTop();
    BuildFields();
    ShowPage();
    Refresh();
    m_form.SetFocusedControlCommit([this] { return CommitFocusedControl(); });
}

// The form outlives its view: it no longer asks the view's controls.
CPlued1PluVw::~CPlued1PluVw() { m_form.SetFocusedControlCommit({}); }

void CPlued1PluVw::BuildTop()
{
    const FormUnits units = DialogUnitsOf(*this);
    auto* top = new QWidget(this);
    top->setGeometry(units.X(2), units.Y(2), units.X(PluEditAreas::kFormWidth - 4), units.Y(62));

    const auto button = [this, top](int id, const char* text) {
        auto* made = new QPushButton(QString::fromLatin1(text), top);
        made->setObjectName(IdName(id));
        made->setAutoDefault(false);
        m_buttons[id] = made;
        return made;
    };
    m_pluNumber = new QLineEdit(top);
    m_pluNumber->setObjectName(IdName(PluEditForm::kPluNumber));
    m_pluNumber->setMaxLength(8);
    m_pluNumber->setFixedWidth(units.X(40));
    m_pluNumber->installEventFilter(this);
    auto* commands = new QHBoxLayout;
    commands->addWidget(new QLabel("PLU No.", top));
    commands->addWidget(m_pluNumber);
    commands->addStretch(1);
    connect(button(PluEditForm::kPrev, "<<Prev"), &QPushButton::clicked, this,
            [this] { ShowLoaded(m_form.OnPrev()); });
    connect(button(PluEditForm::kNext, "Next>>"), &QPushButton::clicked, this,
            [this] { ShowLoaded(m_form.OnNext()); });
    connect(button(PluEditForm::kNewPlu, "New PLU"), &QPushButton::clicked, this, &CPlued1PluVw::OnNewPlu);
    connect(button(PluEditForm::kSave, "Save"), &QPushButton::clicked, this, &CPlued1PluVw::OnSave);
    connect(button(1116, "Close"), &QPushButton::clicked, this, &CPlued1PluVw::closeRequested);
    connect(button(PluEditForm::kNutrition, "Nutrition"), &QPushButton::clicked, this, [this] {
        if (m_form.OnNutrition()) Refresh();
    });
    connect(button(PluEditForm::kIngredients, "Ingred."), &QPushButton::clicked, this, [this] {
        if (m_form.OnIngredients()) Refresh();
    });
    for (const int id : {PluEditForm::kPrev, PluEditForm::kNext, PluEditForm::kNewPlu, PluEditForm::kSave, 1116,
                         PluEditForm::kNutrition, PluEditForm::kIngredients})
        commands->addWidget(m_buttons[id]);

    m_editor = new CLabelTextEdit(m_form.Editor(), m_codePage, this);
    m_editor->setObjectName(IdName(PluEditForm::kEditor));
    m_strip = new CLabelTextStrip(*m_editor, top);
    m_descLength = new QComboBox(top);
    m_descLength->setObjectName(IdName(PluEditForm::kDescLength));
    m_descLength->setEditable(true);
    m_descLength->setFixedWidth(units.X(36));
    m_descLength->installEventFilter(this);
    connect(m_descLength, &QComboBox::textActivated, this, [this](const QString& text) {
        m_form.OnDescLengthSelected(text.toStdString());
        m_editor->setFocus(Qt::OtherFocusReason);
    });
    m_length = new QLabel(top);
    m_length->setObjectName(IdName(PluEditForm::kPrintedLength));
    connect(m_editor, &CLabelTextEdit::linesRecounted, this, &CPlued1PluVw::ShowLength);
    auto* description = new QHBoxLayout;
    description->addWidget(m_strip);
    description->addWidget(new QLabel("Length", top));
    description->addWidget(m_descLength);

    m_zoneLabel = new QLabel("Price Zone", top);
    m_zoneLabel->setObjectName(IdName(PluEditForm::kZoneLabel));
    m_zone = new QComboBox(top);
    m_zone->setObjectName(IdName(PluEditForm::kZone));
    m_zone->setMinimumWidth(units.X(80));
    connect(m_zone, &QComboBox::activated, this, [this](int row) {
        m_form.OnZoneSelected(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
        Refresh();
    });
    m_active = new QRadioButton("Active", top);
    m_active->setObjectName(IdName(PluEditForm::kActive));
    m_inactive = new QRadioButton("Inactive", top);
    m_inactive->setObjectName(IdName(PluEditForm::kInactive));
    m_activeLabel = new QLabel("Active/\nInactive*", top);
    m_activeLabel->setObjectName("1103");
    m_activeCombo = new QComboBox(top);
    m_activeCombo->setObjectName(IdName(PluEditForm::kActiveCombo));
    m_hostSupported = new QCheckBox("Host-Supported?", top);
    m_hostSupported->setObjectName(IdName(PluEditForm::kHostSupported));
    m_hostControlled = new QCheckBox("Host-Controlled?", top);
    m_hostControlled->setObjectName(IdName(PluEditForm::kHostControlled));
    m_saleCaption = new QLabel("Sale/", top);
    m_saleCaption->setObjectName("1101");
    m_campaignCaption = new QLabel("Campaign", top);
    m_campaignCaption->setObjectName("1102");
    QPushButton* sale = button(PluEditForm::kSale, "$");
    QPushButton* campaign = button(PluEditForm::kCampaign, "%");
    for (QPushButton* indicator : {sale, campaign}) {
        indicator->setFixedWidth(units.X(14));
        connect(indicator, &QPushButton::clicked, this, [this] { m_form.OnPromotion(); });
    }
    auto* states = new QHBoxLayout;
    states->addWidget(m_zoneLabel);
    states->addWidget(m_zone);
    states->addSpacing(units.X(6));
    states->addWidget(m_active);
    states->addWidget(m_inactive);
    states->addWidget(m_activeLabel);
    states->addWidget(m_activeCombo);
    states->addSpacing(units.X(6));
    states->addWidget(m_hostSupported);
    states->addWidget(m_hostControlled);
    states->addStretch(1);
    states->addWidget(m_length);
    states->addSpacing(units.X(6));
    states->addWidget(m_saleCaption);
    states->addWidget(m_campaignCaption);
    states->addWidget(sale);
    states->addWidget(campaign);

    auto* layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(units.Y(2));
    layout->addLayout(commands);
    layout->addLayout(description);
    layout->addLayout(states);

    auto* frame = new SunkenFrame(*m_editor, this, SunkenFrame::Swap::WhileFocused);
    frame->setGeometry(ToQRect(units.ToPixels(m_form.GetAreas().description)));

    const PluEditAreas& areas = m_form.GetAreas();
    m_zoneHint = new QLabel("* Price Zone field (Right click with mouse to edit.)", this);
    m_zoneHint->setObjectName(IdName(PluEditForm::kZoneHint));
    m_zoneHint->setGeometry(units.X(6), units.Y(areas.tabs.bottom + 1), units.X(300), units.Y(8));
    m_zoneHint->setVisible(m_form.IsZoneHintShown());
    m_zoneLabel->setVisible(m_form.IsZoneSelectorShown());
    m_zone->setVisible(m_form.IsZoneSelectorShown());
    m_zone->setEnabled(m_form.IsZoneSelectorEnabled());

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(IdName(PluEditForm::kTabs));
    for (const PluEditPage& page : m_form.GetPages().pages)
        m_tabs->addTab(page.caption != 0 ? ToDisplayText(GetMessageText(page.caption), m_codePage) : QString());
    // The tabs take the strip's last line, below the fields.
    m_tabs->setShape(QTabBar::RoundedSouth);
    const FormRect tabs = units.ToPixels(areas.tabs);
    const int tabHeight = m_tabs->sizeHint().height();
    m_tabs->setGeometry(tabs.left, tabs.bottom - tabHeight, tabs.Width(), tabHeight);
    m_tabs->setVisible(m_form.HasTabs());
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0) m_form.SelectPage(static_cast<std::size_t>(index));
        ShowPage();
        Refresh();
    });
}

QWidget* CPlued1PluVw::MakeInput(const PluFieldControl& control)
{
    const QByteArray name = "field" + QByteArray::number(control.definition->m_fieldNo);
    QWidget* input = nullptr;
    switch (control.kind) {
    case PluControlKind::NumEdit: {
        auto* edit = new CNumEdit(*control.definition, *this, this);
        edit->SetSeparator(m_form.GetSeparator(control));
        edit->setMaxLength(static_cast<int>(m_form.GetTextLimit(control)));
        input = edit;
        break;
    }
    case PluControlKind::PluCombo: input = new CPluCombo(*control.definition, *this, this); break;
    case PluControlKind::DeptCombo: {
        auto* combo = new CDeptCombo(*control.definition, this);
        connect(combo, &QComboBox::activated, this, [this, combo] {
            const std::optional<std::size_t> chosen = ChosenIndex(*combo);
            if (combo->IsDepartment() ? m_form.OnDeptSelected(chosen) : m_form.OnGroupSelected(chosen)) Refresh();
        });
        input = combo;
        break;
    }
    }
    input->setObjectName(name);
    input->setGeometry(ToQRect(control.input));
    return input;
}

void CPlued1PluVw::BuildFields()
{
    for (const PluFieldControl& control : m_form.GetControls()) {
        FieldWidgets field;
        field.control = &control;
        field.label = new QLabel(ToDisplayText(m_form.GetLabelText(control), m_codePage), this);
        field.label->setObjectName("label" + QByteArray::number(control.definition->m_fieldNo));
        field.label->setGeometry(ToQRect(control.label));
        field.input = MakeInput(control);
        if (control.button != 0) {
            field.button = new QPushButton(ToDisplayText(GetMessageText(PluEditForm::kMsgPicker), m_codePage), this);
            field.button->setObjectName("picker" + QByteArray::number(control.button));
            field.button->setAutoDefault(false);
            field.button->setGeometry(ToQRect(control.buttonRect));
            connect(field.button, &QPushButton::clicked, this, [this, id = control.button] { OnPicker(id); });
        }
        const bool enabled = m_form.IsFieldEnabled(control.definition->m_fieldNo);
        for (QWidget* widget : {static_cast<QWidget*>(field.label), field.input, static_cast<QWidget*>(field.button)})
            if (widget != nullptr) widget->setEnabled(enabled);
        m_fields.push_back(field);
    }
}

void CPlued1PluVw::ShowPage()
{
    for (const FieldWidgets& field : m_fields) {
        const bool shown = field.control->page == m_form.GetCurrentPage();
        for (QWidget* widget : {static_cast<QWidget*>(field.label), field.input, static_cast<QWidget*>(field.button)})
            if (widget != nullptr) widget->setVisible(shown);
    }
}

void CPlued1PluVw::ShowField(const FieldWidgets& field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(field.input))
        edit->setText(ToDisplayText(m_form.GetFieldText(*field.control), m_codePage));
    else
        ShowCombo(field);
}

void CPlued1PluVw::ShowCombo(const FieldWidgets& field)
{
    if (auto* combo = qobject_cast<QComboBox*>(field.input))
        ShowChoices(*combo, m_form.GetChoices(*field.control), m_codePage);
}

void CPlued1PluVw::ShowLength() { m_length->setText(ToDisplayText(m_form.GetLengthText(), m_codePage)); }

void CPlued1PluVw::Refresh()
{
    const FieldChoices lengths = m_form.GetDescLengthChoices();
    ShowChoices(*m_descLength, lengths, m_codePage);
    m_descLength->setEditText(QString::fromStdString(m_form.GetDescLengthText()));
    m_strip->SetOfferedWidths(Widths(m_form.GetLabelWidthChoices()));
    m_pluNumber->setText(QString::fromStdString(m_form.GetPluNumberText()));
    const std::vector<PluShownText>& texts = m_form.GetFieldTexts();
    for (const FieldWidgets& field : m_fields) {
        if (auto* edit = qobject_cast<QLineEdit*>(field.input))
            edit->setText(ToDisplayText(texts[field.control->index].text, m_codePage));
        else
            ShowCombo(field);
    }
    m_buttons[PluEditForm::kNext]->setEnabled(m_form.CanNext());
    m_buttons[PluEditForm::kPrev]->setEnabled(m_form.CanPrev());
    m_buttons[PluEditForm::kSave]->setEnabled(m_form.IsSaveEnabled());
    m_buttons[PluEditForm::kNewPlu]->setEnabled(m_form.IsNewEnabled());
    m_buttons[PluEditForm::kNutrition]->setVisible(m_form.IsNutritionShown());
    m_buttons[PluEditForm::kIngredients]->setVisible(m_form.IsIngredientsShown());

    m_buttons[PluEditForm::kSale]->setVisible(m_form.IsSaleShown());
    m_buttons[PluEditForm::kCampaign]->setVisible(m_form.IsCampaignShown());
    const bool promotion = m_form.IsSaleShown() || m_form.IsCampaignShown();
    m_saleCaption->setVisible(promotion);
    m_campaignCaption->setVisible(promotion);

    const bool hostFlags = m_form.AreHostFlagsShown();
    m_hostSupported->setVisible(hostFlags);
    m_hostControlled->setVisible(hostFlags);
    m_hostSupported->setChecked(m_form.IsHostSupported());
    m_hostControlled->setChecked(m_form.IsHostControlled());

    const PluEditForm::ActiveMode mode = m_form.GetActiveMode();
    m_active->setVisible(mode == PluEditForm::ActiveMode::Radios);
    m_inactive->setVisible(mode == PluEditForm::ActiveMode::Radios);
    m_activeLabel->setVisible(mode == PluEditForm::ActiveMode::Combo);
    m_activeCombo->setVisible(mode == PluEditForm::ActiveMode::Combo);
    if (mode == PluEditForm::ActiveMode::Radios) {
        (m_form.IsActive() ? m_active : m_inactive)->setChecked(true);
        m_active->setEnabled(m_form.AreActiveRadiosEnabled());
        m_inactive->setEnabled(m_form.AreActiveRadiosEnabled());
    } else if (mode == PluEditForm::ActiveMode::Combo) {
        ShowChoices(*m_activeCombo, m_form.GetActiveChoices(), m_codePage);
    }
    if (m_form.IsZoneSelectorShown()) ShowChoices(*m_zone, m_form.GetZoneChoices(), m_codePage);
    ShowLength();
}

void CPlued1PluVw::OnUpdate() { ShowLoaded(m_form.OnUpdate()); }

bool CPlued1PluVw::SaveModified() { return m_form.SaveModified(); }

void CPlued1PluVw::ShowLoaded(bool loaded)
{
    if (!loaded) return;
    m_strip->FillFontCombo();
    m_editor->Refresh();
    Refresh();
}

void CPlued1PluVw::OnPicker(int button)
{
    if (m_form.OnPicker(button)) Refresh();
}

void CPlued1PluVw::OnDescLengthLeft()
{
    if (!m_form.OnDescLengthKillFocus(m_descLength->currentText().toStdString())) {
        m_descLength->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_descLength->setEditText(QString::fromStdString(m_form.GetDescLengthText()));
}

bool CPlued1PluVw::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && IsFocusMovedWithinWindow(static_cast<const QFocusEvent&>(*event))) {
        if (watched == m_descLength) OnDescLengthLeft();
        if (watched == m_pluNumber) (void)CommitPluNumber();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varnel
