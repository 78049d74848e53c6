// The label text editor's strip of controls.
#include "pluedit/ui/LabelTextStrip.h"

#include "pluedit/ui/LabelTextEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varnel {
namespace {

struct EffectButton {
    const char* text;
    const char* id;
};
constexpr std::array<EffectButton, kLabelEffects> kEffectButtons = {
    {{"&Bold", "1050"}, {"&Rev.", "1051"}, {"&Italic", "1052"}, {"&U.line", "1053"}, {"&Boxed", "1152"}}};

// Label widths offered in the width combo; any other from 10 to 500 mm may be typed.
constexpr int kOfferedWidths[] = {40, 50, 60, 70, 80, 100};

constexpr int kCaptionPadding = 20;  // pixels beside a button's caption

}  // namespace

CLabelTextStrip::CLabelTextStrip(CLabelTextEdit& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_fonts(new QComboBox(this)), m_format(new QPushButton("Format...", this)),
      m_width(new QComboBox(this)), m_mode(new QLabel(this))
{
    setObjectName("labelTextStrip");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_fonts->setObjectName("1049");
    m_fonts->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The font's name and code are what the combo is for: the row's other controls give way first.
    m_fonts->setSizePolicy(QSizePolicy::Minimum, m_fonts->sizePolicy().verticalPolicy());
    layout->addWidget(m_fonts);
    for (std::size_t effect = 0; effect < kLabelEffects; ++effect) {
        auto* button = new QPushButton(kEffectButtons[effect].text, this);
        button->setObjectName(kEffectButtons[effect].id);
        button->setCheckable(true);
        // As wide as its caption: the strip shares its row with the description's length.
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + kCaptionPadding);
        connect(button, &QPushButton::clicked, this,
                [this, effect] { m_editor.OnEffectButton(static_cast<LabelEffect>(effect)); });
        m_effects[effect] = button;
        layout->addWidget(button);
    }
    m_format->setObjectName("1124");
    layout->addWidget(m_format);
    m_width->setObjectName("1054");
    m_width->setEditable(true);
    m_width->setInsertPolicy(QComboBox::NoInsert);
    for (const int width : kOfferedWidths) m_width->addItem(QString::number(width));
    layout->addWidget(new QLabel("mm", this));
    layout->insertWidget(layout->count() - 1, m_width);
    m_mode->setObjectName("1056");
    m_mode->setMinimumWidth(m_mode->fontMetrics().horizontalAdvance("OVR") + 8);
    layout->addWidget(m_mode);
    layout->addStretch();

    connect(m_fonts, &QComboBox::activated, this, [this](int row) { m_editor.SetLinesFont(row); });
    connect(m_format, &QPushButton::clicked, this, [this] { m_editor.OnFormat(); });
    connect(m_width, &QComboBox::activated, this, [this](int row) { m_editor.SetLabelWidth(m_width->itemText(row)); });
    connect(m_width->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { m_editor.SetLabelWidth(m_width->currentText()); });
    connect(&m_editor, &CLabelTextEdit::changed, this, &CLabelTextStrip::Show);
    FillFontCombo();
    Show();
}

void CLabelTextStrip::FillFontCombo()
{
    m_fonts->clear();
    for (const AllowedFont& allowed : m_editor.Form().GetAllowedFonts())
        m_fonts->addItem(QString::fromStdString(allowed.font.m_name));
    Show();
}

void CLabelTextStrip::SetOfferedWidths(const std::vector<std::uint16_t>& widths)
{
    m_width->clear();
    for (const std::uint16_t width : widths) m_width->addItem(QString::number(width));
    Show();
}

void CLabelTextStrip::Show()
{
    const LabelTextControls controls = m_editor.Form().GetControls();
    m_fonts->setCurrentIndex(controls.fontRow ? static_cast<int>(*controls.fontRow) : -1);
    for (std::size_t effect = 0; effect < kLabelEffects; ++effect) {
        m_effects[effect]->setChecked(controls.checked[effect]);
        m_effects[effect]->setEnabled(controls.enabled[effect]);
    }
    m_effects[Boxed]->setVisible(controls.boxedShown);
    m_format->setVisible(controls.formatShown);
    m_format->setEnabled(controls.formatEnabled);
    m_width->setEditText(QString::fromStdString(controls.labelWidth));
    m_mode->setText(QString::fromStdString(controls.mode));
}

}  // namespace varnel
