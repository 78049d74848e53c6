// The scale-data list dialogs.
#include "scaledata/ui/ScaleDataListDlgs.h"

#include "platform/ui/CodePageText.h"
#include "scaledata/ExMsgListForm.h"
#include "scaledata/PopMsgListForm.h"
#include "scaledata/RuxDeptListForm.h"
#include "scaledata/ShortMsgListForm.h"
#include "scaledata/ui/MessageTextEditDlgs.h"
#include "scaledata/ui/NameDlgs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>

namespace varnel {
namespace {

// The list's edit dialog, run modal over it.
template <class Dialog, class Form>
auto RunOver(QWidget* list, CodePage codePage)
{
    return [list, codePage](Form& form) { return Dialog(form, codePage, list).exec() == QDialog::Accepted; };
}

}  // namespace

CExMsgListDlg::CExMsgListDlg(ExMsgListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent), m_form(form), m_codePage(codePage), m_measure(codePage),
      m_tabs(new QTabBar(this)),
      m_sort(new QComboBox(this))
{
    setObjectName("exMsgListDialog");
    setWindowTitle("Select Extra Message");
    form.SetTextMeasure(&m_measure);
    form.SetEditDialog(RunOver<CEditExMsg, EditExMsgForm>(this, codePage));
    m_tabs->setObjectName("1000");
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(false);  // the dialog widens for every set's tab
    m_tabs->hide();
    m_sort->setObjectName("1276");
    for (const char* entry : ExMsgListForm::kSortEntries) m_sort->addItem(entry);
    auto* sortRow = new QWidget(this);
    auto* sortLayout = new QHBoxLayout(sortRow);
    sortLayout->setContentsMargins(0, 0, 0, 0);
    sortLayout->addWidget(new QLabel("Sort by", sortRow));
    sortLayout->addWidget(m_sort);
    sortLayout->addStretch(1);
    AddAboveList(m_tabs);
    AddAboveList(sortRow);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int tab) { m_form.OnTabChange(tab); });
    connect(m_sort, &QComboBox::activated, this, [this](int entry) { m_form.OnSortChange(entry); });
}

void CExMsgListDlg::showEvent(QShowEvent* event)
{
    const bool first = m_tabs->count() == 0;
    CSelectionListDlg::showEvent(event);
    if (!first || m_form.GetTabs().empty()) return;
    // The tabs are known once the form has set the list up.
    const QSignalBlocker quiet(m_tabs);
    for (const std::string& label : m_form.GetTabs()) m_tabs->addTab(ToDisplayText(label, m_codePage));
    m_tabs->setCurrentIndex(m_form.GetCurrentTab());
    m_tabs->show();
}

CPopMsgListDlg::CPopMsgListDlg(PopMsgListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent), m_measure(codePage)
{
    setObjectName("popMsgListDialog");
    form.SetTextMeasure(&m_measure);
    form.SetEditDialog(RunOver<CEditPopMsgDlg, EditPopMsgForm>(this, codePage));
}

CShortMsgListDlg::CShortMsgListDlg(ShortMsgListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent), m_measure(codePage)
{
    setObjectName("shortMsgListDialog");
    form.SetTextMeasure(&m_measure);
    form.SetEditDialog(RunOver<CEditShortMsgDlg, EditShortMsgForm>(this, codePage));
}

CRuxDeptListDlg::CRuxDeptListDlg(RuxDeptListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent)
{
    setObjectName("ruxDeptListDialog");
    form.SetEditDialog(RunOver<CEditCategoryDlg, EditCategoryForm>(this, codePage));
}

}  // namespace varnel
