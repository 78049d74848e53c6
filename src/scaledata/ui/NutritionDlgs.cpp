// The nutrition dialogs.
#include "scaledata/ui/NutritionDlgs.h"

#include "db/site/LabProp.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/CustomNutrForm.h"
#include "scaledata/NutrFactsForm.h"
#include "scaledata/NutrPanelForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace varnel {
namespace {

constexpr const char* kTitle = "Nutrition";

QString Id(int id) { return QString::number(id); }

QLineEdit* Edit(QWidget& parent, int id, std::size_t limit)
{
    auto* edit = new QLineEdit(&parent);
    edit->setObjectName(Id(id));
    edit->setMaxLength(static_cast<int>(limit));
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * static_cast<int>(limit + 4));
    return edit;
}

QLabel* Caption(QWidget& parent, const char* text) { return new QLabel(text, &parent); }

// The focus on the control of the id, its text selected; nothing for 0 or an id the dialog lacks.
void FocusOn(QWidget& dialog, int id)
{
    auto* control = id != 0 ? dialog.findChild<QWidget*>(Id(id)) : nullptr;
    if (!control) return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void ShowTexts(const std::vector<std::pair<QLineEdit*, std::string*>>& texts, CodePage codePage)
{
    for (const auto& [edit, text] : texts) edit->setText(ToDisplayText(*text, codePage));
}

void TakeTexts(const std::vector<std::pair<QLineEdit*, std::string*>>& texts, CodePage codePage)
{
    for (const auto& [edit, text] : texts) *text = FromDisplayText(edit->text(), codePage);
}

// The line of the PLU number with "Select..." and the PLU's name.
QHBoxLayout* PluLine(QWidget& parent, QLineEdit* number, QPushButton* select, QLabel* name)
{
    auto* line = new QHBoxLayout;
    line->addWidget(Caption(parent, "PLU No."));
    line->addWidget(number);
    if (select) line->addWidget(select);
    if (name) line->addWidget(name, 1);
    line->addStretch(name ? 0 : 1);
    return line;
}

QDialogButtonBox* OkCancelWithoutFocus(QDialog& dialog)
{
    QDialogButtonBox* box = MakeOkCancel(dialog);
    for (QAbstractButton* button : box->buttons()) button->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

// The panel.

CNutrPanelDlg::CNutrPanelDlg(NutrPanelForm& form, PluPicker picker, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_picker(std::move(picker)), m_codePage(codePage),
      m_plu(Edit(*this, 1467, 8))
{
    setObjectName("nutrPanelDialog");
    setWindowTitle(kTitle);
    PanelNutrition& values = form.Values();
    QLineEdit* servings = Edit(*this, 1103, NutrPanelForm::kServeChars);
    QLineEdit* serveSize = Edit(*this, 1104, NutrPanelForm::kServeChars);
    m_texts = {{servings, &values.serveCont}, {serveSize, &values.serveSize}};
    QPushButton* copyFrom = MakeButton(*this, "Copy From...", "1271");

    auto* serving = new QHBoxLayout;
    serving->addWidget(Caption(*this, "Servings per package"));
    serving->addWidget(servings);
    serving->addSpacing(servings->fontMetrics().averageCharWidth() * 3);
    serving->addWidget(Caption(*this, "Serving size"));
    serving->addWidget(serveSize);
    serving->addStretch(1);

    auto* panel = new QGridLayout;
    panel->addWidget(Caption(*this, "Per Serve"), 0, 1, 1, 2, Qt::AlignCenter);
    panel->addWidget(Caption(*this, "Per 100 g"), 0, 3, 1, 2, Qt::AlignCenter);
    int row = 1;
    for (const NutrPanelForm::Line& line : NutrPanelForm::kLines) {
        PanelNutrient& nutrient = values.nutrients[line.nutrient - 1];
        if (*line.caption != '\0') {
            panel->addWidget(Caption(*this, line.caption), row, 0);
        } else {
            QLineEdit* name = Edit(*this, 1110, NutrPanelForm::kExtraNameChars);
            m_texts.emplace_back(name, &values.extra1);
            panel->addWidget(name, row, 0);
        }
        int column = 1;
        for (const auto& [id, unitId, text, unit] :
             {std::tuple{line.perServe, line.unitServe, &nutrient.perServe, &nutrient.unitServe},
              std::tuple{line.per100, line.unit100, &nutrient.per100, &nutrient.unit100}}) {
            QLineEdit* edit = Edit(*this, id, NutrPanelForm::kValueChars);
            edit->setAlignment(Qt::AlignRight);
            m_texts.emplace_back(edit, text);
            panel->addWidget(edit, row, column);
            if (unitId != 0) {
                auto* units = new QComboBox(this);
                units->setObjectName(Id(unitId));
                units->addItems({"mg", "g"});
                m_units.emplace_back(units, unit);
                panel->addWidget(units, row, column + 1);
            }
            column += 2;
        }
        ++row;
    }
    panel->setColumnStretch(5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyFrom);
    buttons->addStretch(1);
    buttons->addWidget(MakeOkCancel(*this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(PluLine(*this, m_plu, nullptr, nullptr));
    layout->addLayout(serving);
    layout->addLayout(panel);
    layout->addLayout(buttons);
    connect(copyFrom, &QPushButton::clicked, this, [this] {
        HandOver();
        m_form.OnCopyFrom(m_picker);
        ShowForm();
    });
    ShowForm();
}

void CNutrPanelDlg::HandOver()
{
    m_form.SetPluText(m_plu->text().toStdString());
    TakeTexts(m_texts, m_codePage);
    for (const auto& [units, unit] : m_units) *unit = units->currentIndex() == 0 ? 0 : 1;
}

void CNutrPanelDlg::ShowForm()
{
    m_plu->setText(QString::fromStdString(m_form.GetPluText()));
    ShowTexts(m_texts, m_codePage);
    for (const auto& [units, unit] : m_units) units->setCurrentIndex(*unit == 0 ? 0 : 1);
}

void CNutrPanelDlg::accept()
{
    HandOver();
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    FocusOn(*this, 1467);
}

// The facts.

CNutrFactsDlg::CNutrFactsDlg(NutrFactsForm& form, PluPicker picker, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_picker(std::move(picker)), m_codePage(codePage)
{
    setObjectName("nutrFactsDialog");
    setWindowTitle(kTitle);
    StandardNutrition& values = form.Values();
    const bool shared = form.GetTemplateId() == NutrFactsForm::kSharedTemplate;
    // The PLU number comes first in the tab order, the shared row's PLUs after the facts.
    QWidget* pluPart = shared ? nullptr : MakePluPart();
    auto* serving = new QGridLayout;
    const auto addLine = [&](QGridLayout& grid, int row, const char* caption, QLineEdit* edit) {
        grid.addWidget(Caption(*this, caption), row, 0);
        grid.addWidget(edit, row, 1);
    };
    QLineEdit* serveSize = Edit(*this, 1185, NutrFactsForm::kServeSizeChars);
    QLineEdit* serveCont = Edit(*this, 1186, NutrFactsForm::kServeContChars);
    m_texts = {{serveSize, &values.serveSize}, {serveCont, &values.serveCont}};
    addLine(*serving, 0, "Serving Size", serveSize);
    addLine(*serving, 1, "Serving/Container", serveCont);
    addLine(*serving, 2, "Calories", AddEdit(NutrFactsForm::kCalories, 4));
    addLine(*serving, 3, "Calories from Fat", AddEdit(NutrFactsForm::kFatCalories, 4));
    serving->setColumnStretch(2, 1);

    auto* nutrients = new QGridLayout;
    nutrients->addWidget(Caption(*this, "Amount"), 0, 1);
    nutrients->addWidget(Caption(*this, "% Daily Value"), 0, 2);
    int row = 1;
    for (const NutrFactsForm::Nutrient& nutrient : NutrFactsForm::kNutrients) {
        QLineEdit* content = Edit(*this, nutrient.content, nutrient.contentChars);
        m_texts.emplace_back(content, &values.nutrients[nutrient.nutrient - 1].content);
        nutrients->addWidget(Caption(*this, nutrient.caption), row, 0);
        nutrients->addWidget(content, row, 1);
        nutrients->addWidget(AddEdit(nutrient.percent, 3), row++, 2);
    }
    nutrients->setColumnStretch(3, 1);
    auto* vitamins = new QGridLayout;
    for (std::size_t index = 0; index < NutrFactsForm::kVitamins.size(); ++index) {
        const NutrFactsForm::Percent& vitamin = NutrFactsForm::kVitamins[index];
        const int line = static_cast<int>(index / 2);
        const int column = static_cast<int>(index % 2) * 2;
        vitamins->addWidget(Caption(*this, vitamin.caption), line, column);
        vitamins->addWidget(AddEdit(vitamin.id, 3), line, column + 1);
    }
    vitamins->setColumnStretch(4, 1);

    auto* facts = new QVBoxLayout;
    facts->addLayout(serving);
    facts->addLayout(nutrients);
    facts->addLayout(vitamins);
    facts->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(facts);
    auto* layout = new QVBoxLayout(this);
    if (shared)
        body->addWidget(MakeSharedPart(), 1);
    else
        layout->addWidget(pluPart);
    layout->addLayout(body, 1);
    layout->addWidget(MakeOkCancel(*this));
    ShowForm();
}

QLineEdit* CNutrFactsDlg::AddEdit(int id, std::size_t limit)
{
    QLineEdit* edit = Edit(*this, id, limit);
    edit->setAlignment(Qt::AlignRight);
    m_numbers.emplace(id, edit);
    return edit;
}

QWidget* CNutrFactsDlg::MakePluPart()
{
    auto* part = new QWidget(this);
    m_plu = Edit(*this, NutrFactsForm::kPluNumber, 8);
    m_name = new QLabel(this);
    m_name->setObjectName("1208");
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 30);
    QPushButton* select = MakeButton(*this, "Select...", "1270");
    QHBoxLayout* line = PluLine(*this, m_plu, select, m_name);
    line->setContentsMargins(0, 0, 0, 0);
    part->setLayout(line);
    connect(select, &QPushButton::clicked, this, [this] {
        HandOver();
        m_form.Plu().OnSelect(m_picker);
        ShowForm();
    });
    return part;
}

QWidget* CNutrFactsDlg::MakeSharedPart()
{
    auto* part = new QWidget(this);
    m_shared = new QListWidget(part);
    m_shared->setObjectName("1052");
    m_shared->setMinimumWidth(m_shared->fontMetrics().averageCharWidth() * 32);
    auto* caption = new QLabel("This nutrition data is used by the following PLUs:", part);
    caption->setWordWrap(true);
    QPushButton* assign = MakeButton(*part, "Assign to PLU...", "1270");
    m_remove = MakeButton(*part, "Remove from PLU...", "1271");
    m_newNutrition = MakeButton(*part, "New Nutrition...", "3");
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_shared, 1);
    for (QPushButton* button : {assign, m_remove, m_newNutrition}) layout->addWidget(button);
    connect(m_shared, &QListWidget::currentRowChanged, this, [this](int index) {
        if (index >= 0) m_form.OnListSelect(index);
    });
    connect(assign, &QPushButton::clicked, this, [this] {
        m_form.OnAssign(m_picker);
        ShowShared();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_form.OnRemove();
        ShowShared();
    });
    connect(m_newNutrition, &QPushButton::clicked, this, [this] {
        m_form.OnNewNutrition();
        ShowShared();
    });
    return part;
}

void CNutrFactsDlg::HandOver()
{
    TakeTexts(m_texts, m_codePage);
    for (const auto& [id, edit] : m_numbers) m_form.SetNumberText(id, edit->text().toStdString());
    if (m_plu) m_form.Plu().SetText(m_plu->text().toStdString());
}

void CNutrFactsDlg::ShowForm()
{
    ShowTexts(m_texts, m_codePage);
    for (const auto& [id, edit] : m_numbers) edit->setText(QString::fromStdString(m_form.GetNumberText(id)));
    if (m_plu) {
        m_plu->setText(QString::fromStdString(m_form.Plu().GetText()));
        m_name->setText(ToDisplayText(m_form.Plu().GetName(), m_codePage));
    }
    if (m_shared) ShowShared();
}

void CNutrFactsDlg::ShowShared()
{
    const QSignalBlocker quiet(m_shared);
    m_shared->clear();
    for (const std::string& item : m_form.GetListItems()) m_shared->addItem(ToDisplayText(item, m_codePage));
    m_shared->setCurrentRow(m_form.GetListSelection());
    m_remove->setEnabled(m_form.CanRemove());
    m_newNutrition->setEnabled(m_form.CanCreateNew());
}

void CNutrFactsDlg::accept()
{
    HandOver();
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    FocusOn(*this, m_form.GetFocus());
}

// Custom nutrition.

CCustomNutr::CCustomNutr(CustomNutrForm& form, PluPicker picker, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_picker(std::move(picker)), m_codePage(codePage),
      m_plu(Edit(*this, CustomNutrForm::kPluNumber, 8)), m_name(new QLabel(this))
{
    setObjectName("customNutrDialog");
    setWindowTitle(kTitle);
    m_name->setObjectName("1464");
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 30);
    QPushButton* select = MakeButton(*this, "Select...", "1270");
    QPushButton* copyFrom = MakeButton(*this, "Copy From...", "1271");

    auto* rows = new QGridLayout;
    for (const CustomNutrForm::Row& row : form.GetRows()) {
        QWidget* control = nullptr;
        if (row.IsList()) {
            control = new CPluCombo(*row.definition, *this, this);
        } else {
            auto* edit = new CNumEdit(*row.definition, *this, this);
            edit->setMaxLength(static_cast<int>(row.textLimit));
            edit->setAlignment(Qt::AlignRight);
            edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * static_cast<int>(row.textLimit + 4));
            control = edit;
        }
        control->setObjectName(Id(row.id));
        m_controls.push_back(control);
        const int column = static_cast<int>(row.column) * 3;
        const int line = static_cast<int>(row.line);
        rows->addWidget(new QLabel(ToDisplayText(row.definition->m_name, codePage), this), line, column);
        rows->addWidget(control, line, column + 1, Qt::AlignLeft);
        if (row.column > 0) rows->setColumnMinimumWidth(column - 1, fontMetrics().averageCharWidth() * 3);
    }

    auto* plu = PluLine(*this, m_plu, select, m_name);
    plu->addWidget(copyFrom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(plu);
    layout->addLayout(rows);
    layout->addStretch(1);
    layout->addWidget(OkCancelWithoutFocus(*this));
    connect(select, &QPushButton::clicked, this, [this] {
        m_form.Plu().SetText(m_plu->text().toStdString());
        m_form.Plu().OnSelect(m_picker);
        ShowForm();
    });
    connect(copyFrom, &QPushButton::clicked, this, [this] {
        m_form.Plu().SetText(m_plu->text().toStdString());
        m_form.OnCopyFrom(m_picker);
        ShowForm();
    });
    ShowForm();
}

std::size_t CCustomNutr::RowOf(const QWidget& control) const
{
    std::size_t row = 0;
    while (row < m_controls.size() && m_controls[row] != &control) ++row;
    return row;
}

void CCustomNutr::UpdateFromEdit(CNumEdit& edit)
{
    const std::size_t row = RowOf(edit);
    if (m_form.UpdateFromEdit(row, FromDisplayText(edit.text(), m_codePage))) return;
    edit.setText(ToDisplayText(m_form.GetRows()[row].text, m_codePage));
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
}

void CCustomNutr::UpdateFromCombo(CPluCombo& combo) { m_form.UpdateFromCombo(RowOf(combo), ChosenIndex(combo)); }

void CCustomNutr::ShowForm()
{
    m_plu->setText(QString::fromStdString(m_form.Plu().GetText()));
    m_name->setText(ToDisplayText(m_form.Plu().GetName(), m_codePage));
    for (std::size_t index = 0; index < m_controls.size(); ++index) {
        const CustomNutrForm::Row& row = m_form.GetRows()[index];
        if (auto* edit = qobject_cast<QLineEdit*>(m_controls[index]))
            edit->setText(ToDisplayText(row.text, m_codePage));
        else if (auto* combo = qobject_cast<QComboBox*>(m_controls[index]))
            ShowChoices(*combo, row.choices, m_codePage);
    }
}

void CCustomNutr::accept()
{
    m_form.Plu().SetText(m_plu->text().toStdString());
    std::optional<CustomNutrForm::FocusedEdit> focused;
    QWidget* focus = focusWidget();
    if (auto* combo = qobject_cast<CPluCombo*>(focus)) UpdateFromCombo(*combo);
    if (auto* edit = qobject_cast<CNumEdit*>(focus))
        focused = CustomNutrForm::FocusedEdit{RowOf(*edit), FromDisplayText(edit->text(), m_codePage)};
    if (m_form.OnOK(focused)) {
        QDialog::accept();
        return;
    }
    ShowForm();
    FocusOn(*this, m_form.GetFocus());
}

}  // namespace varnel
