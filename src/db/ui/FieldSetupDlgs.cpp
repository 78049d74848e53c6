// The field setup dialogs.
#include "db/ui/FieldSetupDlgs.h"

#include "db/text/DoubleByteText.h"
#include "platform/NumberEntry.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace varnel {
namespace {

constexpr std::uint32_t kMaxValue = std::numeric_limits<std::int32_t>::max();

QPushButton* AddButton(QBoxLayout& column, QWidget& parent, const char* text, const char* objectName)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    column.addWidget(button);
    return button;
}

std::optional<std::size_t> CurrentRow(const QListWidget& list)
{
    const int row = list.currentRow();
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

}  // namespace

// Field Setup.

CPluFieldSetupDlg::CPluFieldSetupDlg(FieldSetupForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_frame(new QWidget(this))
{
    setObjectName("fieldSetupDialog");
    setWindowTitle("Field Setup");
    // The frame measures 400 by 210 dialog units; a horizontal unit is a quarter of the average width of
    // the letters, as dialog units are reckoned (the font's own average runs narrower and cuts names).
    const QFontMetrics metrics = fontMetrics();
    static constexpr const char* kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int letterWidth = (metrics.horizontalAdvance(kLetters) + 51) / 52;
    m_frame->setObjectName("grid");
    m_frame->setFixedSize(400 * letterWidth / 4, 210 * metrics.height() / 8);
    auto* buttons = new QHBoxLayout;
    auto* advanced = new QPushButton("&Advanced Settings...", this);
    advanced->setObjectName("advanced");
    advanced->setAutoDefault(false);
    auto* clearAll = new QPushButton("Clear All", this);
    clearAll->setObjectName("clearAll");
    clearAll->setAutoDefault(false);
    connect(advanced, &QPushButton::clicked, this, &CPluFieldSetupDlg::OnAdvanced);
    connect(clearAll, &QPushButton::clicked, this, [this] {
        TakeBoxes();
        m_form.ClearAll();
        BuildGrid();
    });
    buttons->addWidget(advanced);
    buttons->addWidget(clearAll);
    buttons->addStretch();
    buttons->addWidget(MakeOkCancel(*this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);
    BuildGrid();
}

void CPluFieldSetupDlg::BuildGrid()
{
    for (QWidget* child : m_frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
    m_rows.clear();
    const int rowHeight = fontMetrics().height() + 4;
    const int printOffset = m_frame->width() / 4 - 28;  // the "Print?" box ends its column
    const std::vector<FieldSetupForm::Row> rows = m_form.GetRows();
    int lastColumnX = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The rows go below the headings of their column.
        GridPlace place = PlaceGridRow(i, rowHeight, m_frame->width(), m_frame->height() - rowHeight);
        place.y += rowHeight;
        if (place.x != lastColumnX) {
            lastColumnX = place.x;
            auto* display = new QLabel("Display?", m_frame);
            display->move(place.x, 0);
            auto* print = new QLabel("Print?", m_frame);
            print->move(place.x + printOffset - fontMetrics().horizontalAdvance("Print") / 2, 0);
        }
        const FieldSetupForm::Row& row = rows[i];
        auto* display = new QCheckBox(ToDisplayText(row.name, m_codePage), m_frame);
        display->setObjectName(QString("display%1").arg(row.key));
        display->setToolTip(display->text());  // a long name may be cut by its column
        display->setChecked(row.display);
        display->setEnabled(!row.fixed);
        display->setFixedWidth(printOffset - 4);
        display->move(place.x, place.y);
        auto* print = new QCheckBox(m_frame);
        print->setObjectName(QString("print%1").arg(row.key));
        print->setChecked(row.print);
        print->setEnabled(!row.fixed);
        print->move(place.x + printOffset, place.y);
        m_rows.push_back({row.key, display, print});
    }
    for (QWidget* child : m_frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
}

void CPluFieldSetupDlg::TakeBoxes()
{
    for (const GridRow& row : m_rows) m_form.SetBoxes(row.key, row.display->isChecked(), row.print->isChecked());
}

void CPluFieldSetupDlg::OnAdvanced()
{
    TakeBoxes();
    AdvFieldSetupForm advanced(m_form.CopyForAdvanced(), m_form.GetRange());
    CAdvFieldSetupDlg dialog(advanced, m_form.GetRange(), m_codePage, this);
    if (dialog.exec() == QDialog::Accepted) m_form.TakeAdvanced(advanced.TakeDefinitions());
    BuildGrid();
}

void CPluFieldSetupDlg::accept()
{
    TakeBoxes();
    QDialog::accept();
}

// Advanced Field Setup.

CAdvFieldSetupDlg::CAdvFieldSetupDlg(AdvFieldSetupForm& form, FieldRange range, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_range(range), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("advFieldSetupDialog");
    setWindowTitle("Advanced Field Setup");
    m_list->setObjectName("definitions");
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CAdvFieldSetupDlg::OnEdit);
    auto* buttons = new QVBoxLayout;
    connect(AddButton(*buttons, *this, "&Add", "add"), &QPushButton::clicked, this, &CAdvFieldSetupDlg::OnAdd);
    connect(AddButton(*buttons, *this, "&Edit", "edit"), &QPushButton::clicked, this, &CAdvFieldSetupDlg::OnEdit);
    connect(AddButton(*buttons, *this, "&Delete", "delete"), &QPushButton::clicked, this, [this] {
        if (const auto row = CurrentRow(*m_list)) {
            m_form.Delete(*row);
            ShowRows();
        }
    });
    buttons->addStretch();
    buttons->addWidget(MakeOkCancel(*this, Qt::Vertical));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    ShowRows();
}

void CAdvFieldSetupDlg::ShowRows()
{
    m_list->clear();
    for (const std::string& row : m_form.GetRows()) m_list->addItem(ToDisplayText(row, m_codePage));
}

void CAdvFieldSetupDlg::OnAdd()
{
    EditPluFieldForm edit(m_form.NewDefinition(), m_range);
    if (CEditPluFieldDlg(edit, m_codePage, this).exec() != QDialog::Accepted) return;
    if (m_form.Add(edit.Definition(), edit.GetTypeIndex())) ShowRows();
}

void CAdvFieldSetupDlg::OnEdit()
{
    const auto row = CurrentRow(*m_list);
    if (!row) return;
    EditPluFieldForm edit(m_form.GetDefinition(*row), m_range);
    if (CEditPluFieldDlg(edit, m_codePage, this).exec() != QDialog::Accepted) return;
    if (m_form.Edit(*row, edit.Definition(), edit.GetTypeIndex())) ShowRows();
}

// Edit PLU Field.

CEditPluFieldDlg::CEditPluFieldDlg(EditPluFieldForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_name(new QLineEdit(this)), m_type(new QComboBox(this)),
      m_values(new QListWidget(this)), m_default(new QLineEdit(this)), m_min(new QLineEdit(this)),
      m_max(new QLineEdit(this)), m_width(new QLineEdit(this)), m_decimals(new QLineEdit(this)),
      m_display(new QCheckBox("Display?", this)), m_print(new QCheckBox("Print in Report?", this))
{
    setObjectName("editPluFieldDialog");
    setWindowTitle("Edit PLU Field");
    const CLabProp& definition = form.Definition();
    const std::pair<QWidget*, const char*> names[] = {
        {m_name, "name"},   {m_type, "fieldType"}, {m_values, "values"}, {m_default, "default"},
        {m_min, "minimum"}, {m_max, "maximum"},    {m_width, "width"},   {m_decimals, "decimals"},
        {m_display, "display"}, {m_print, "print"}};
    for (const auto& [widget, name] : names) widget->setObjectName(name);
    m_name->setText(ToDisplayText(definition.m_name, m_codePage));
    for (const std::string& caption : form.GetTypeCaptions()) m_type->addItem(QString::fromStdString(caption));
    m_type->setCurrentIndex(form.GetTypeIndex());
    m_default->setText(QString::number(definition.m_default));
    m_min->setText(QString::number(definition.m_min));
    m_max->setText(QString::number(definition.m_max));
    m_width->setText(QString::number(definition.m_width));
    m_decimals->setText(QString::number(definition.m_decimals));
    m_display->setChecked(definition.m_display != 0);
    m_print->setChecked(definition.m_print != 0);
    connect(m_values, &QListWidget::itemDoubleClicked, this, &CEditPluFieldDlg::OnEditValue);

    auto* top = new QFormLayout;
    top->addRow("Name", m_name);
    top->addRow("Field Type", m_type);
    auto* valueButtons = new QVBoxLayout;
    connect(AddButton(*valueButtons, *this, "&Add", "addValue"), &QPushButton::clicked, this,
            &CEditPluFieldDlg::OnAddValue);
    connect(AddButton(*valueButtons, *this, "&Edit", "editValue"), &QPushButton::clicked, this,
            &CEditPluFieldDlg::OnEditValue);
    connect(AddButton(*valueButtons, *this, "&Delete", "deleteValue"), &QPushButton::clicked, this, [this] {
        if (const auto row = CurrentRow(*m_values)) m_form.DeleteValue(*row);
        ShowValues();
    });
    connect(AddButton(*valueButtons, *this, "&Set Default", "setDefault"), &QPushButton::clicked, this, [this] {
        if (const auto row = CurrentRow(*m_values)) {
            m_form.SetDefault(*row);
            m_default->setText(QString::number(m_form.Definition().m_default));
        }
        ShowValues();
    });
    valueButtons->addStretch();
    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(m_values, 1);
    valueRow->addLayout(valueButtons);
    auto* ranges = new QFormLayout;
    ranges->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    ranges->addRow("Default", m_default);
    ranges->addRow("Minimum", m_min);
    ranges->addRow("Maximum", m_max);
    ranges->addRow(new QLabel("(Leave blank if any value can be set)", this));
    ranges->addRow("Display Width", m_width);
    ranges->addRow("Digits after Dec. Pt.", m_decimals);
    ranges->addRow(m_display);
    ranges->addRow(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel("Field Values", this));
    layout->addLayout(valueRow);
    layout->addLayout(ranges);
    layout->addWidget(new QLabel("*: Default value", this));
    layout->addWidget(MakeOkCancel(*this));
    ShowValues();
}

void CEditPluFieldDlg::ShowValues()
{
    m_values->clear();
    for (const std::string& row : m_form.GetValueRows()) m_values->addItem(ToDisplayText(row, m_codePage));
}

void CEditPluFieldDlg::OnAddValue()
{
    std::unique_ptr<CPropValue> value = CLabProp::NewValue();
    if (CSetPropValueDlg(*value, m_codePage, this).exec() == QDialog::Accepted && m_form.AddValue(std::move(value)))
        ShowValues();
}

void CEditPluFieldDlg::OnEditValue()
{
    const auto row = CurrentRow(*m_values);
    if (!row) return;
    CPropValue value = m_form.GetValue(*row);
    if (CSetPropValueDlg(value, m_codePage, this).exec() == QDialog::Accepted && m_form.EditValue(*row, value))
        ShowValues();
}

void CEditPluFieldDlg::accept()
{
    // Each range is checked as the fields are taken; a refusal keeps the dialog on that field.
    // A blank minimum or maximum means any value.
    const struct {
        QLineEdit* edit;
        std::uint32_t min, max, blank;
    } fields[] = {{m_default, 0, kMaxValue, 0}, {m_min, 0, kMaxValue, 0}, {m_max, 0, kMaxValue, kMaxValue},
                  {m_width, 1, 28, 1},          {m_decimals, 0, 4, 0}};
    std::uint32_t values[std::size(fields)] = {};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const QString text = fields[i].edit->text().trimmed();
        const std::optional<std::uint32_t> value =
            text.isEmpty() ? std::optional(fields[i].blank)
                           : ReadNumberInRange(text.toStdString(), fields[i].min, fields[i].max);
        if (!value) {
            fields[i].edit->setFocus();
            return;
        }
        values[i] = *value;
    }
    CLabProp& definition = m_form.Definition();
    definition.m_name = FromDisplayText(m_name->text(), m_codePage);
    m_form.SetTypeIndex(m_type->currentIndex());
    definition.m_default = static_cast<std::int32_t>(values[0]);
    definition.m_min = static_cast<std::int32_t>(values[1]);
    definition.m_max = static_cast<std::int32_t>(values[2]);
    definition.m_width = static_cast<std::uint16_t>(values[3]);
    definition.m_decimals = static_cast<std::uint16_t>(values[4]);
    definition.m_display = m_display->isChecked() ? 1 : 0;
    definition.m_print = m_print->isChecked() ? 1 : 0;
    QDialog::accept();
}

// Set Property Value.

CSetPropValueDlg::CSetPropValueDlg(CPropValue& value, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_value(value), m_codePage(codePage),
      m_text(new QLineEdit(ToDisplayText(value.m_text, m_codePage), this)),
      m_number(new QLineEdit(QString::number(value.m_number), this))
{
    setObjectName("setPropValueDialog");
    setWindowTitle("Set Property Value");
    m_text->setObjectName("text");
    m_number->setObjectName("number");
    auto* fields = new QFormLayout;
    fields->addRow("Name", m_text);
    fields->addRow("Value", m_number);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CSetPropValueDlg::accept()
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_number->text().toStdString(), 0, 65535);
    if (!number) {
        m_number->setFocus();
        return;
    }
    m_value.m_text = FromDisplayText(m_text->text(), m_codePage);
    m_value.m_number = static_cast<std::uint16_t>(*number);
    QDialog::accept();
}

// PLU Fields.

CPluFieldsDlg::CPluFieldsDlg(const CLabPropMap& definitions, FieldRange range, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_rows(PluFieldsRows(definitions, range)), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("pluFieldsDialog");
    setWindowTitle("PLU Fields");
    m_list->setObjectName("definitions");
    for (const CLabProp* definition : m_rows) m_list->addItem(ToDisplayText(definition->m_name, m_codePage));
    if (!m_rows.empty()) m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CPluFieldsDlg::accept);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* select = buttons->addButton("Select", QDialogButtonBox::AcceptRole);
    select->setObjectName("select");
    select->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CPluFieldsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
}

void CPluFieldsDlg::accept()
{
    const auto row = CurrentRow(*m_list);
    m_chosen = row && *row < m_rows.size() ? m_rows[*row] : nullptr;
    QDialog::accept();
}

}  // namespace varnel
