// "Select PLU" on screen.
#include "pluedit/ui/SelectPluDlg.h"

#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/PluSearchEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

QLabel* Label(QWidget* parent, const char* text, const char* id)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(id);
    return label;
}

QComboBox* Combo(QWidget* parent, const char* id, bool editable = false)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(id);
    combo->setEditable(editable);
    combo->setMinimumContentsLength(editable ? 24 : 16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// The row of column headers over the list; the list places each over its column.
QWidget* Headers(QWidget* parent)
{
    auto* strip = new QWidget(parent);
    strip->setObjectName("headers");
    for (const auto& [text, id] : {std::pair{"PLU No.", "1437"}, std::pair{"POS Code", "1475"},
                                   std::pair{"Dept. & Group", "1009"}, std::pair{"Description", "1438"},
                                   std::pair{"RRP", "1171"}, std::pair{"Price", "1010"}})
        Label(strip, text, id);
    strip->setFixedHeight(strip->fontMetrics().height() + 4);
    return strip;
}

}  // namespace

CSelectPluDlg::CSelectPluDlg(SelectPluForm& form, QWidget* parent)
    : QDialog(parent), m_form(form),
      m_panel(new CPluListPanel(form.GetPanel(), form.GetSettings().chars.codePage, this))
{
    setObjectName("selectPluDialog");
    setWindowTitle("Select PLU");
    auto* pluNo = new CPluSearchEdit(*m_panel, this);
    pluNo->setObjectName("103");
    auto* posCode = new CPluSearchEdit(*m_panel, this);
    posCode->setObjectName("102");
    QComboBox* search = Combo(this, "123", true);
    QComboBox* dept = Combo(this, "1014");
    QComboBox* group = Combo(this, "1015");
    QComboBox* sort = Combo(this, "1276");
    sort->addItems({"Rec. No.", "Desc."});
    auto* select = new QPushButton("Select", this);
    select->setObjectName("1");
    select->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("2");
    connect(select, &QPushButton::clicked, this, &CSelectPluDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_panel, &CPluListPanel::listDoubleClicked, this, &CSelectPluDlg::accept);

    auto* fields = new QGridLayout;
    fields->addWidget(Label(this, "PLU No.", "1036"), 0, 0);
    fields->addWidget(pluNo, 0, 1);
    fields->addWidget(Label(this, "POS Code", "1470"), 0, 2);
    fields->addWidget(posCode, 0, 3);
    fields->addWidget(Label(this, "Search", "searchLabel"), 1, 0);
    fields->addWidget(search, 1, 1, 1, 3);
    fields->addWidget(Label(this, "Dept.", "1434"), 2, 0);
    fields->addWidget(dept, 2, 1);
    fields->addWidget(Label(this, "Group", "1494"), 2, 2);
    fields->addWidget(group, 2, 3);
    fields->addWidget(Label(this, "Sort", "sortLabel"), 3, 0);
    fields->addWidget(sort, 3, 1);
    fields->setColumnStretch(4, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Headers(this));
    layout->addWidget(m_panel, 1);
    setTabOrder(pluNo, posCode);
    setTabOrder(posCode, search);
    setTabOrder(search, dept);
    setTabOrder(dept, group);
    setTabOrder(group, sort);
    setTabOrder(sort, select);
    setTabOrder(select, cancel);

    m_panel->Create();
    // The caller's number in the PLU number edit makes the first PLU not below it current.
    m_form.OnInitDialog();
    m_panel->Sync();
    sort->setCurrentIndex(0);
    pluNo->setFocus(Qt::OtherFocusReason);
}

void CSelectPluDlg::accept()
{
    m_form.OnOK();
    QDialog::accept();
}

PluPicker MakePluPicker(CPluDefTb* plus, const CDeptCodeList& departments, const PluListSettings& settings,
                        QWidget* parent)
{
    return [plus, &departments, settings, parent](std::uint32_t initialPlu) -> std::optional<std::uint32_t> {
        SelectPluForm form(plus, departments, settings, initialPlu);
        CSelectPluDlg dialog(form, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return form.GetSelectedPluNumber();
    };
}

}  // namespace varnel
