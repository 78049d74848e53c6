// The detailed font settings dialog.
#include "pluedit/ui/FontDetailDlg.h"

#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

struct Control {
    const char* text;
    const char* id;
};

// Bold to Boxed in effect order, then Shadow and Outline.
constexpr std::array<Control, FontDetailForm::kChecks> kChecks = {{{"Bold", "1147"},
                                                                   {"Reverse", "1051"},
                                                                   {"Italic", "1052"},
                                                                   {"Underline", "1053"},
                                                                   {"Boxed", "1152"},
                                                                   {"Shadow", "1178"},
                                                                   {"Outline", "1059"}}};

struct ColourGroup {
    const char* title;
    std::array<const char*, kLabelColours> ids;
};
constexpr std::array<ColourGroup, kLabelColourSlots> kColourGroups = {{{"Text Color", {"1149", "1150", "1151"}},
                                                                       {"Background Color", {"1155", "1156", "1157"}},
                                                                       {"Shadow/Outline Color", {"1158", "1159", "1160"}}}};
constexpr std::array<const char*, kLabelColours> kColourNames = {"Black", "Red", "White"};

}  // namespace

CFontDetailDlg::CFontDetailDlg(FontDetailForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_fonts(new QComboBox(this))
{
    setObjectName("fontDetailDialog");
    setWindowTitle("Font - Detailed Settings");
    m_fonts->setObjectName("1049");
    for (const std::string& name : m_form.GetFontNames()) m_fonts->addItem(QString::fromStdString(name));
    connect(m_fonts, &QComboBox::activated, this, [this](int row) {
        if (row >= 0) m_form.SelectFontRow(static_cast<std::size_t>(row));
    });
    auto* fontRow = new QHBoxLayout;
    auto* fontLabel = new QLabel("&Font:", this);
    fontLabel->setBuddy(m_fonts);
    fontRow->addWidget(fontLabel);
    fontRow->addWidget(m_fonts, 1);

    auto* checks = new QGridLayout;
    for (std::size_t check = 0; check < m_checks.size(); ++check) {
        m_checks[check] = MakeCheckBox(*this, kChecks[check].text, kChecks[check].id, m_form.IsChecked(check));
        m_checks[check]->setEnabled(m_form.IsCheckEnabled(check));
        connect(m_checks[check], &QCheckBox::toggled, this, [this, check](bool on) { m_form.SetChecked(check, on); });
        checks->addWidget(m_checks[check], static_cast<int>(check % 4), static_cast<int>(check / 4));
    }

    auto* colours = new QHBoxLayout;
    for (std::size_t slot = 0; slot < kLabelColourSlots; ++slot) {
        auto* group = new QGroupBox(kColourGroups[slot].title, this);
        auto* column = new QVBoxLayout(group);
        for (std::size_t colour = 0; colour < kLabelColours; ++colour) {
            auto* button = new QRadioButton(kColourNames[colour], group);
            button->setObjectName(kColourGroups[slot].ids[colour]);
            connect(button, &QRadioButton::clicked, this, [this, slot, colour] {
                m_form.SetColour(static_cast<LabelColourSlot>(slot), static_cast<LabelColour>(colour));
                Show();
            });
            m_colours[slot][colour] = button;
            column->addWidget(button);
        }
        colours->addWidget(group);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fontRow);
    layout->addLayout(checks);
    layout->addLayout(colours);
    layout->addWidget(MakeOkCancel(*this));
    Show();
}

void CFontDetailDlg::Show()
{
    m_fonts->setCurrentIndex(m_form.GetFontRow() ? static_cast<int>(*m_form.GetFontRow()) : -1);
    for (std::size_t slot = 0; slot < kLabelColourSlots; ++slot)
        for (std::size_t colour = 0; colour < kLabelColours; ++colour)
            m_colours[slot][colour]->setChecked(m_form.GetColour(static_cast<LabelColourSlot>(slot)) ==
                                                static_cast<LabelColour>(colour));
}

}  // namespace varnel
