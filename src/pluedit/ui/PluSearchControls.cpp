// The PLU list panel's host controls.
#include "pluedit/ui/PluSearchControls.h"

#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/PluSearchEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

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

PluSearchControls MakePluSearchControls(CPluListPanel& panel, QWidget* host)
{
    PluSearchControls controls;
    controls.pluNo = new CPluSearchEdit(panel, host);
    controls.pluNo->setObjectName("103");
    controls.posCode = new CPluSearchEdit(panel, host);
    controls.posCode->setObjectName("102");
    controls.search = Combo(host, "123", true);
    controls.dept = Combo(host, "1014");
    controls.group = Combo(host, "1015");
    controls.sort = Combo(host, "1276");
    controls.sort->addItems({"Rec. No.", "Desc."});
    controls.headers = Headers(host);

    auto* fields = new QGridLayout;
    fields->addWidget(Label(host, "PLU No.", "1036"), 0, 0);
    fields->addWidget(controls.pluNo, 0, 1);
    fields->addWidget(Label(host, "POS Code", "1470"), 0, 2);
    fields->addWidget(controls.posCode, 0, 3);
    fields->addWidget(Label(host, "Search", "searchLabel"), 1, 0);
    fields->addWidget(controls.search, 1, 1, 1, 3);
    fields->addWidget(Label(host, "Dept.", "1434"), 2, 0);
    fields->addWidget(controls.dept, 2, 1);
    fields->addWidget(Label(host, "Group", "1494"), 2, 2);
    fields->addWidget(controls.group, 2, 3);
    fields->addWidget(Label(host, "Sort", "sortLabel"), 3, 0);
    fields->addWidget(controls.sort, 3, 1);
    fields->setColumnStretch(4, 1);
    controls.fields = fields;
    QWidget::setTabOrder(controls.pluNo, controls.posCode);
    QWidget::setTabOrder(controls.posCode, controls.search);
    QWidget::setTabOrder(controls.search, controls.dept);
    QWidget::setTabOrder(controls.dept, controls.group);
    QWidget::setTabOrder(controls.group, controls.sort);
    return controls;
}

void LayOutPluListHost(QWidget& host, const PluSearchControls& controls, QLayout* buttons, QWidget& panel)
{
    auto* top = new QHBoxLayout;
    top->addLayout(controls.fields, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(&host);
    layout->addLayout(top);
    layout->addWidget(controls.headers);
    layout->addWidget(&panel, 1);
}

}  // namespace varnel
