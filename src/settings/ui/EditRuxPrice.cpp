// The price master dialog.
#include "settings/ui/EditRuxPrice.h"

#include "platform/ui/CodePageText.h"
#include "settings/ui/EntryFields.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace varnel {
namespace {

// Dialog units of the window's font: a quarter of the average character width across, an eighth of
// the font's height down.
struct DialogUnits {
    explicit DialogUnits(const QWidget& widget)
        : x(widget.fontMetrics().averageCharWidth()), y(widget.fontMetrics().height())
    {
    }
    int X(int units) const { return units * x / 4; }
    int Y(int units) const { return units * y / 8; }
    int x;
    int y;
};

constexpr int kColumnGap = 6;
constexpr int kLabelUnits = 90;

QByteArray FieldName(std::uint16_t fieldNo) { return "field" + QByteArray::number(fieldNo); }

}  // namespace

CEditRuxPrice::CEditRuxPrice(EditRuxPriceForm& form, IRuxPricePickers& pickers, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_pickers(pickers), m_codePage(codePage), m_tabs(new QTabBar(this)),
      m_usePrice(new QCheckBox("Use Price", this)), m_copy(MakeButton(*this, "Copy Price Info...", "copyPriceInfo"))
{
    setObjectName("editRuxPriceDialog");
    setWindowTitle("Price Master Settings");
    m_tabs->setObjectName("tabs");
    for (std::size_t tab = 0; tab < EditRuxPriceForm::kMasters; ++tab)
        m_tabs->addTab(QString::fromStdString(EditRuxPriceForm::GetTabTitle(tab)));
    m_usePrice->setObjectName("usePrice");
    auto* frame = new QWidget(this);
    frame->setObjectName("fields");
    BuildFields(*frame);
    QPushButton* close = MakeButton(*this, "Close", "ok");
    close->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_usePrice);
    top->addStretch(1);
    top->addWidget(m_copy);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addLayout(bottom);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int tab) {
        CommitFocus();
        m_form.SetTab(static_cast<std::size_t>(tab));
        Refresh();
    });
    connect(m_usePrice, &QCheckBox::clicked, this, [this](bool on) {
        m_form.SetUsePrice(on);
        Refresh();
    });
    connect(m_copy, &QPushButton::clicked, this, &CEditRuxPrice::OnCopy);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

void CEditRuxPrice::BuildFields(QWidget& frame)
{
    const DialogUnits units(*this);
    const EditRuxPriceForm::Layout layout = m_form.ComputeLayout();
    const int columnWidth = (EditRuxPriceForm::kFrameWidth - kColumnGap) / 2;
    frame.setFixedSize(units.X(EditRuxPriceForm::kFrameWidth), units.Y(EditRuxPriceForm::kFrameHeight));
    const std::vector<CLabProp>& fields = m_form.GetFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const CLabProp& field = fields[i];
        const EditRuxPriceForm::Placement place = layout.places[i];
        const int left = static_cast<int>(place.column) * (columnWidth + kColumnGap);
        const int top = static_cast<int>(place.row) * layout.pitch;
        auto* label = new QLabel(ToDisplayText(EditRuxPriceForm::GetLabel(field), m_codePage), &frame);
        label->setGeometry(units.X(left), units.Y(top), units.X(kLabelUnits), units.Y(layout.controlHeight));
        const int controlLeft = left + kLabelUnits;
        int controlWidth = columnWidth - kLabelUnits;
        QWidget* control = nullptr;
        if (EditRuxPriceForm::IsCombo(field)) {
            auto* combo = new QComboBox(&frame);
            combo->setMaxVisibleItems(10);
            for (const std::string& item : m_form.GetChoices(field).items) combo->addItem(ToDisplayText(item, m_codePage));
            connect(combo, &QComboBox::activated, this, [this, combo, &field] { UpdateFromCombo(*combo, field); });
            m_combos[field.m_fieldNo] = combo;
            control = combo;
        } else {
            auto* edit = new QLineEdit(&frame);
            edit->setMaxLength(static_cast<int>(EditRuxPriceForm::GetTextLimit(field)));
            const QString separator = QRegularExpression::escape(QString(QChar(EditRuxPriceForm::GetSeparator(field.m_fieldNo))));
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9" + separator + "]*"), edit));
            edit->installEventFilter(this);
            m_edits[field.m_fieldNo] = edit;
            control = edit;
            if (const auto button = EditRuxPriceForm::PickerButton(field.m_fieldNo)) {
                const int editWidth = controlWidth * 2 / 3;
                QPushButton* pick = MakeButton(frame, QString::fromUtf8(GetMessageText(EditRuxPriceForm::kMsgPickerButton)),
                                               ("pick" + QByteArray::number(*button)).constData());
                pick->setGeometry(units.X(controlLeft + editWidth), units.Y(top), units.X(controlWidth - editWidth),
                                  units.Y(layout.controlHeight));
                connect(pick, &QPushButton::clicked, this, [this, &field] {
                    if (m_form.Pick(field.m_fieldNo, m_pickers)) ShowField(field.m_fieldNo);
                });
                m_pickButtons[field.m_fieldNo] = pick;
                controlWidth = editWidth;
            }
        }
        control->setObjectName(QString::fromLatin1(FieldName(field.m_fieldNo)));
        control->setGeometry(units.X(controlLeft), units.Y(top), units.X(controlWidth), units.Y(layout.controlHeight));
        m_fieldOf[control] = &field;
    }
}

bool CEditRuxPrice::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto field = m_fieldOf.find(watched);
        if (edit != nullptr && field != m_fieldOf.end() && edit->isEnabled()) UpdateFromEdit(*edit, *field->second);
    }
    return QDialog::eventFilter(watched, event);
}

bool CEditRuxPrice::UpdateFromEdit(QLineEdit& edit, const CLabProp& field)
{
    if (!m_form.UpdateFromEdit(field, FromDisplayText(edit.text(), m_codePage))) {
        edit.setFocus();
        return false;
    }
    for (const std::uint16_t shown : EditRuxPriceForm::FieldsShownAfterChange(field.m_fieldNo)) ShowField(shown);
    return true;
}

bool CEditRuxPrice::UpdateFromCombo(QComboBox& combo, const CLabProp& field)
{
    if (!m_form.UpdateFromCombo(field, ComboSelection(combo))) return false;
    for (const std::uint16_t shown : EditRuxPriceForm::FieldsShownAfterChange(field.m_fieldNo)) ShowField(shown);
    return true;
}

void CEditRuxPrice::ShowField(std::uint16_t fieldNo)
{
    for (const CLabProp& field : m_form.GetFields()) {
        if (field.m_fieldNo != fieldNo) continue;
        if (const auto edit = m_edits.find(fieldNo); edit != m_edits.end())
            edit->second->setText(ToDisplayText(m_form.GetText(field), m_codePage));
        if (const auto combo = m_combos.find(fieldNo); combo != m_combos.end()) {
            const QSignalBlocker quiet(combo->second);
            const FieldChoices choices = m_form.GetChoices(field);
            combo->second->setCurrentIndex(choices.selected ? static_cast<int>(*choices.selected) : -1);
        }
    }
}

void CEditRuxPrice::Refresh()
{
    {
        const QSignalBlocker quiet(m_usePrice);
        m_usePrice->setChecked(m_form.GetUsePrice());
    }
    m_usePrice->setEnabled(m_form.IsUsePriceEnabled());
    const bool enabled = m_form.AreFieldsEnabled();
    for (const auto& [control, field] : m_fieldOf) {
        static_cast<QWidget*>(control)->setEnabled(enabled);
        ShowField(field->m_fieldNo);
    }
    for (const auto& [fieldNo, button] : m_pickButtons) button->setEnabled(enabled);
    m_copy->setEnabled(m_form.IsCopyEnabled());
}

void CEditRuxPrice::CommitFocus()
{
    QWidget* focus = QApplication::focusWidget();
    const auto field = m_fieldOf.find(focus);
    if (field == m_fieldOf.end()) return;
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) UpdateFromEdit(*edit, *field->second);
    else if (auto* combo = qobject_cast<QComboBox*>(focus)) UpdateFromCombo(*combo, *field->second);
}

void CEditRuxPrice::OnCopy()
{
    const std::vector<std::size_t> sources = m_form.GetCopySources();
    std::optional<std::size_t> source;
    if (sources.size() == 1) {
        source = sources.front();
    } else {
        QMenu menu(this);
        menu.setObjectName("copyMenu");
        for (const std::size_t master : sources) {
            QAction* action = menu.addAction(QString::fromStdString(EditRuxPriceForm::GetTabTitle(master)));
            action->setData(static_cast<int>(master));
        }
        if (QAction* chosen = menu.exec(m_copy->mapToGlobal(QPoint(m_copy->width(), 0))))
            source = static_cast<std::size_t>(chosen->data().toInt());
    }
    if (source && m_form.CopyFrom(*source)) Refresh();
}

void CEditRuxPrice::reject() { accept(); }

}  // namespace varnel
