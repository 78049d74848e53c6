#include "comms/ui/CompareResultDlg.h"

#include "comms/center/CompareResultForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/CodePageText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varnel {

CCompareResultDlg::CCompareResultDlg(CompareResultForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    const bool list = form.GetShape() == CompareResultForm::Shape::ScaleList;
    setObjectName(list ? "compareResultsDialog" : "compareResultDialog");
    setWindowTitle("Scale vs. Database Compare Result");
    QPushButton* view = MakeButton(*this, "View Result Log...", "viewResultLog");
    QPushButton* synchronize = MakeButton(*this, "Synchronize Scale", "synchronizeScale");
    QPushButton* close = MakeButton(*this, "Close", "close");
    close->setDefault(true);
    synchronize->setEnabled(form.IsSynchronizeEnabled());
    connect(view, &QPushButton::clicked, this, [this] { m_form.ViewResultLog(); });
    connect(synchronize, &QPushButton::clicked, this, [this] {
        m_form.SynchronizeScale();
        AfterAction();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    if (list) {
        std::vector<QString> headers;
        for (const MessageId column : CompareResultForm::kColumns)
            headers.push_back(QString::fromUtf8(GetMessageText(column).data()));
        m_list = MakeReportList(*this, "scaleList", headers, CompareResultForm::kColumnPercents,
                                CompareResultForm::kListWidthUnits);
        connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { m_form.Select(SelectedRow(*m_list)); });
        layout->addWidget(m_list, 1);
        QPushButton* all = MakeButton(*this, "Synchronize All Scales", "synchronizeAll");
        all->setEnabled(form.IsSynchronizeEnabled());
        connect(all, &QPushButton::clicked, this, [this] {
            m_form.SynchronizeAllScales();
            AfterAction();
        });
        buttons->addWidget(all);
    } else {
        auto* grid = new QGridLayout;
        m_title = new QLabel(this);
        m_title->setObjectName("title");
        grid->addWidget(new QLabel("Scale", this), 0, 0);
        grid->addWidget(m_title, 0, 1);
        const char* labels[] = {"No. scale records not in database:", "No. database records not on scale:",
                                "No. scale records with different data to database:"};
        const char* names[] = {"notInDatabase", "notOnScale", "different"};
        for (int i = 0; i < 3; ++i) {
            m_counts[static_cast<std::size_t>(i)] = new QLabel(this);
            m_counts[static_cast<std::size_t>(i)]->setObjectName(names[i]);
            m_counts[static_cast<std::size_t>(i)]->setFrameShape(QFrame::StyledPanel);
            grid->addWidget(new QLabel(labels[i], this), i + 1, 0);
            grid->addWidget(m_counts[static_cast<std::size_t>(i)], i + 1, 1);
        }
        layout->addLayout(grid);
    }
    buttons->addWidget(view);
    buttons->addWidget(synchronize);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    Update();
}

void CCompareResultDlg::Update()
{
    if (m_list) {
        std::vector<std::vector<std::string>> rows;
        for (const auto& row : m_form.GetRows())
            rows.push_back({row.name, std::to_string(row.notOnScale), std::to_string(row.notInDatabase),
                            std::to_string(row.different)});
        FillReportList(*m_list, rows, m_form.GetSelection(), m_codePage);
        return;
    }
    const CompareResultForm::Row counts = m_form.GetCurrentCounts();
    m_title->setText(ToDisplayText(m_form.GetTitle(), m_codePage));
    m_counts[0]->setText(QString::number(counts.notInDatabase));
    m_counts[1]->setText(QString::number(counts.notOnScale));
    m_counts[2]->setText(QString::number(counts.different));
}

void CCompareResultDlg::AfterAction()
{
    if (m_form.GetOutcome() == true) {
        accept();
        return;
    }
    Update();
}

}  // namespace varnel
