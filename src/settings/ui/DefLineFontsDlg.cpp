// The default line fonts dialog.
#include "settings/ui/DefLineFontsDlg.h"

#include "platform/ui/DialogParts.h"
#include "settings/DefLineFontsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

namespace varnel {

CDefLineFontsDlg::CDefLineFontsDlg(DefLineFontsForm& form, const std::vector<std::string>& fontNames,
                                   QWidget* parent)
    : QDialog(parent), m_form(form), m_tabs(new QTabBar(this)),
      m_useDefault(new QCheckBox("Use Default Line Fonts", this))
{
    setObjectName("defLineFontsDialog");
    setWindowTitle("Default Line Fonts");
    m_tabs->setObjectName("sets");
    for (const std::size_t set : form.GetTabSets()) m_tabs->addTab(DefLineFontsForm::GetSetTitle(set));
    m_useDefault->setObjectName("useDefaultLineFonts");
    auto* grid = new QGridLayout;
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        m_labels[line] = new QLabel(QString("Line %1:").arg(line + 1), this);
        m_lines[line] = new QComboBox(this);
        m_lines[line]->setObjectName(QString("line%1").arg(line + 1));
        for (const std::string& name : fontNames) m_lines[line]->addItem(QString::fromStdString(name));
        const int row = static_cast<int>(line % 5);
        const int column = static_cast<int>(line / 5) * 2;
        grid->addWidget(m_labels[line], row, column);
        grid->addWidget(m_lines[line], row, column + 1);
    }
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int tab) {
        TakeSet();
        m_form.ShowTab(static_cast<std::size_t>(tab));
        ShowSet();
    });
    connect(m_useDefault, &QCheckBox::clicked, this, [this] {
        TakeSet();
        m_form.ToggleUseDefaultLineFonts();
        ShowSet();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_useDefault);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
    ShowSet();
}

void CDefLineFontsDlg::ShowSet()
{
    const DefLineFontsForm::FontSet& set = m_form.GetSet(m_form.GetCurrentSet());
    m_useDefault->setChecked(set.useDefaultLineFonts);
    m_labels[0]->setText(m_form.GetFirstLineLabel());
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        const bool enabled = m_form.IsLineEnabled(line);
        m_lines[line]->setEnabled(enabled);
        m_labels[line]->setEnabled(enabled);
        m_lines[line]->setCurrentIndex(line < m_form.GetExchangedLines() ? static_cast<int>(set.entries[line]) : -1);
    }
}

void CDefLineFontsDlg::TakeSet()
{
    DefLineFontsForm::FontSet& set = m_form.CurrentSet();
    for (std::size_t line = 0; line < m_form.GetExchangedLines(); ++line)
        set.entries[line] = static_cast<std::uint16_t>(std::max(0, m_lines[line]->currentIndex()));
}

void CDefLineFontsDlg::accept()
{
    TakeSet();
    QDialog::accept();
}

}  // namespace varnel
