// The store name dialogs.
#include "scaledata/ui/StoreNameDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/ui/ListBoxRows.h"
#include "scaledata/EditStoreNamesForm.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

QComboBox* MakeFontCombo(QWidget& parent, const char* id, std::uint8_t font)
{
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(id);
    for (const std::string& entry : EditStoreNameForm::FontEntries()) combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(font);
    return combo;
}

// The styles in the order of their check boxes: bold, italic, reverse.
constexpr std::array<std::uint8_t, 3> kStyles{StoreBold, StoreItalic, StoreReverse};
constexpr std::array<const char*, 3> kStyleNames{"Bold", "Italic", "Reverse"};

}  // namespace

CEditStoreNamesDlg::CEditStoreNamesDlg(EditStoreNamesForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("editStoreNamesDialog");
    setWindowTitle("Edit Store Name and Address (TR-5300/LumenXT)");
    form.SetEditor([this](EditStoreNameForm& editor) {
        if (editor.IsExtended()) return CEditStoreNameExDlg(editor, m_codePage, this).exec() == QDialog::Accepted;
        return CEditStoreNameDlg(editor, m_codePage, this).exec() == QDialog::Accepted;
    });
    m_list->setObjectName("1072");
    m_list->setMinimumSize(m_list->fontMetrics().averageCharWidth() * 44, m_list->fontMetrics().height() * 14);
    auto* buttons = new QVBoxLayout;
    const std::pair<const char*, const char*> labels[] = {
        {"&Add", "122"}, {"&Edit", "1006"}, {"&Delete", "1003"}, {"&Close", "1011"}};
    for (const auto& [text, id] : labels) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        const QString name(id);
        connect(button, &QPushButton::clicked, this, [this, name] {
            if (name == "1011") return accept();
            if (name == "122") m_form.OnAdd();
            if (name == "1006") m_form.OnEdit();
            if (name == "1003") m_form.OnDelete();
            Refill();
        });
    }
    buttons->addStretch(1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_form.SetSelection(row); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        m_form.OnEdit();
        Refill();
    });
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    Refill();
}

void CEditStoreNamesDlg::Refill()
{
    FillListBox(*m_list, m_form.GetRows(), m_form.GetSelection(), m_codePage);
}

CEditStoreNameDlg::CEditStoreNameDlg(EditStoreNameForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this)),
      m_name(new QLineEdit(ToDisplayText(form.GetNameText(), codePage), this)),
      m_address(new QLineEdit(ToDisplayText(form.GetAddressText(), codePage), this)),
      m_nameFont(MakeFontCombo(*this, "1183", form.GetName().font))
{
    setObjectName(form.IsExtended() ? "editStoreNameExDialog" : "editStoreNameDialog");
    setWindowTitle(ToDisplayText(form.GetTitle(), codePage));
    m_number->setObjectName("storeNumber");
    m_number->setMaxLength(6);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance('0') * 8 + 12);
    m_name->setObjectName("1003");
    m_address->setObjectName("1004");
    for (QLineEdit* text : {m_name, m_address}) {
        text->setMaxLength(static_cast<int>(CStoreNameRec::kTextMax));
        text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 47);
    }
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Store No.", this), 0, 0);
    fields->addWidget(m_number, 0, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel("Name", this), 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->addWidget(new QLabel("Address", this), 2, 0);
    fields->addWidget(m_address, 2, 1);
    fields->addWidget(new QLabel(form.IsExtended() ? "Name Font" : "Font", this), 0, 2);
    fields->addWidget(m_nameFont, 0, 3);
    if (form.IsExtended()) {
        m_addressFont = MakeFontCombo(*this, "1184", form.GetAddress().font);
        fields->addWidget(new QLabel("Address Font", this), 2, 2);
        fields->addWidget(m_addressFont, 2, 3);
        const StoreText texts[] = {form.GetName(), form.GetAddress()};
        for (std::size_t text = 0; text < 2; ++text) {
            auto* row = new QHBoxLayout;
            for (std::size_t style = 0; style < kStyles.size(); ++style) {
                const std::string id = std::to_string(1410 + text * 3 + style);
                auto* box = MakeCheckBox(*this, kStyleNames[style], id.c_str(), (texts[text].style & kStyles[style]) != 0);
                m_styles[text * 3 + style] = box;
                row->addWidget(box);
            }
            row->addStretch(1);
            fields->addLayout(row, text == 0 ? 1 : 3, text == 0 ? 2 : 0, 1, text == 0 ? 2 : 4);
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
    QWidget::setTabOrder(m_number, m_name);
    QWidget::setTabOrder(m_name, m_address);
}

void CEditStoreNameDlg::accept()
{
    m_form.SetNumberText(m_number->text().toStdString());
    m_form.SetNameText(FromDisplayText(m_name->text(), m_codePage));
    m_form.SetAddressText(FromDisplayText(m_address->text(), m_codePage));
    const auto font = static_cast<std::uint8_t>(std::max(m_nameFont->currentIndex(), 0));
    if (m_addressFont) {
        m_form.SetNameFont(font);
        m_form.SetAddressFont(static_cast<std::uint8_t>(std::max(m_addressFont->currentIndex(), 0)));
        for (std::size_t style = 0; style < kStyles.size(); ++style) {
            m_form.SetNameStyle(kStyles[style], m_styles[style]->isChecked());
            m_form.SetAddressStyle(kStyles[style], m_styles[3 + style]->isChecked());
        }
    } else {
        m_form.SetFont(font);
    }
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    QLineEdit* focus = m_form.GetRefusedFocus() == EditStoreNameForm::Focus::Number    ? m_number
                       : m_form.GetRefusedFocus() == EditStoreNameForm::Focus::Address ? m_address
                                                                                       : m_name;
    focus->setFocus(Qt::OtherFocusReason);
    focus->selectAll();
}

CEditStoreNameExDlg::CEditStoreNameExDlg(EditStoreNameForm& form, CodePage codePage, QWidget* parent)
    : CEditStoreNameDlg(form, codePage, parent)
{
}

}  // namespace varnel
