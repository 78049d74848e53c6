// The Options sheet.
#include "settings/ui/EditPluedProps.h"

#include "platform/ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varnel {
namespace {

COptionsPage* MakePage(OptionsPage page, OptionsValues& values, const OptionsSheetContext& context)
{
    switch (page) {
    case OptionsPage::General: return new CPropGeneral(values, context);
    case OptionsPage::General2: return new CPropGeneral2(values, context);
    case OptionsPage::Reports: return new CPropReports(values, context);
    case OptionsPage::Logging: return new CPropLogging(values, context.chars);
    case OptionsPage::Logging2: return new CPropLogging2(values, context.chars);
    case OptionsPage::Logging3: return new CPropLogging3(values, context.chars);
    case OptionsPage::MultiStore: return new CPropMultiStore(values, context);
    case OptionsPage::DataSave: return new CPropDataSave(values);
    case OptionsPage::LabelWidths: return new CPropLabelWidths(values);
    case OptionsPage::Rux: return new CPropRux(values);
    }
    return nullptr;
}

}  // namespace

CEditPluedProps::CEditPluedProps(OptionsValues& values, const OptionsSheetContext& context, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this))
{
    setObjectName("optionsSheet");
    setWindowTitle("Properties");
    m_tabs->setObjectName("pages");
    for (const OptionsPage page : context.pages) {
        COptionsPage* widget = MakePage(page, values, context);
        static_cast<QVBoxLayout*>(widget->layout())->addStretch();
        widget->Enter();
        m_tabs->addTab(widget, OptionsPageTitle(page));
        m_pages.push_back(widget);
    }
    // Every tab in sight, as the sheet's tab rows showed them.
    m_tabs->setMinimumWidth(m_tabs->tabBar()->sizeHint().width() + 8);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CEditPluedProps::OnTabChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditPluedProps::OnTabChanged(int index)
{
    if (m_reverting || index < 0) return;
    if (!m_pages[static_cast<std::size_t>(m_current)]->Leave()) {
        m_reverting = true;
        m_tabs->setCurrentIndex(m_current);
        m_reverting = false;
        return;
    }
    m_current = index;
    m_pages[static_cast<std::size_t>(index)]->Enter();
}

void CEditPluedProps::accept()
{
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->Leave()) continue;
        m_reverting = true;
        m_tabs->setCurrentIndex(static_cast<int>(i));
        m_reverting = false;
        m_current = static_cast<int>(i);
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
