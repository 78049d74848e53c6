// The list dialog on screen.
#include "pluedit/ui/SelectionListDlg.h"

#include "platform/ui/CodePageText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varnel {

namespace {

QString ButtonName(ListButton button) { return QString::number(static_cast<int>(button)); }

}  // namespace

CSelectionListDlg::CSelectionListDlg(SelectionListForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QTreeWidget(this)),
      m_listColumn(new QVBoxLayout)
{
    setObjectName("selectionListDialog");
    setWindowTitle("Selection List");
    m_list->setObjectName("1009");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->setMinimumSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 16);
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { m_form.OnItemChanged(); });

    auto* buttons = new QVBoxLayout;
    const auto addButton = [&](ListButton id, const char* text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(ButtonName(id));
        buttons->addWidget(button);
        return button;
    };
    connect(addButton(ListButton::Add, "Add"), &QPushButton::clicked, this, [this] { m_form.OnAdd(); });
    connect(addButton(ListButton::Edit, "Edit"), &QPushButton::clicked, this, [this] { m_form.OnEdit(); });
    connect(addButton(ListButton::Delete, "Delete"), &QPushButton::clicked, this, [this] { m_form.OnDelete(); });
    buttons->addStretch(1);
    QPushButton* ok = addButton(ListButton::Ok, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSelectionListDlg::accept);
    connect(addButton(ListButton::Cancel, "Cancel"), &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    m_listColumn->addWidget(m_list, 1);
    layout->addLayout(m_listColumn, 1);
    layout->addLayout(buttons);
}

void CSelectionListDlg::AddAboveList(QWidget* widget)
{
    m_listColumn->insertWidget(m_listColumn->count() - 1, widget);
}

void CSelectionListDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_initialised) return;
    m_initialised = true;
    m_form.OnInitDialog(*this);
}

void CSelectionListDlg::End(ListDlgEnd end)
{
    if (end == ListDlgEnd::Ok) QDialog::accept();
    else if (end == ListDlgEnd::Cancel) reject();
}

void CSelectionListDlg::accept() { End(m_form.OnOK()); }

bool CSelectionListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list->viewport()) return QDialog::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    // A click below the rows leaves no row selected, as the report list does.
    const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (m_list->itemAt(point) == nullptr) m_list->clearSelection();
    if (event->type() != QEvent::MouseButtonDblClick) return QDialog::eventFilter(watched, event);
    End(m_form.OnDblClk());
    return true;
}

QPushButton* CSelectionListDlg::Button(ListButton button) const
{
    return findChild<QPushButton*>(ButtonName(button));
}

void CSelectionListDlg::InsertRow(int index, const std::vector<std::string>& texts)
{
    auto* item = new QTreeWidgetItem;
    for (std::size_t column = 0; column < texts.size(); ++column)
        item->setText(static_cast<int>(column), ToDisplayText(texts[column], m_codePage));
    m_list->insertTopLevelItem(index, item);
}

void CSelectionListDlg::SetRowTexts(int index, const std::vector<std::string>& texts)
{
    QTreeWidgetItem* item = m_list->topLevelItem(index);
    if (item == nullptr) return;
    for (std::size_t column = 0; column < texts.size(); ++column)
        item->setText(static_cast<int>(column), ToDisplayText(texts[column], m_codePage));
}

void CSelectionListDlg::DeleteRow(int index) { delete m_list->takeTopLevelItem(index); }

void CSelectionListDlg::DeleteAllRows() { m_list->clear(); }

int CSelectionListDlg::GetRowCount() const { return m_list->topLevelItemCount(); }

void CSelectionListDlg::SetRowSelected(int index, bool selected)
{
    QTreeWidgetItem* item = m_list->topLevelItem(index);
    if (item == nullptr) return;
    if (selected) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
    item->setSelected(selected);
}

int CSelectionListDlg::GetSelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

bool CSelectionListDlg::ListHasFocus() const { return m_list->hasFocus(); }

int CSelectionListDlg::GetListWidth() const { return m_list->viewport()->width(); }

void CSelectionListDlg::SetColumns(const std::vector<std::string>& titles, const std::vector<int>& widths)
{
    QStringList labels;
    for (const std::string& title : titles) labels << ToDisplayText(title, m_codePage);
    m_list->setColumnCount(static_cast<int>(titles.size()));
    m_list->setHeaderLabels(labels);
    for (std::size_t column = 0; column < widths.size(); ++column)
        m_list->setColumnWidth(static_cast<int>(column), widths[column]);
}

void CSelectionListDlg::SetTitle(std::string_view title) { setWindowTitle(ToDisplayText(title, m_codePage)); }

void CSelectionListDlg::SetButtonText(ListButton button, std::string_view text)
{
    if (QPushButton* found = Button(button)) found->setText(ToDisplayText(text, m_codePage));
}

void CSelectionListDlg::ShowButton(ListButton button, bool show)
{
    if (QPushButton* found = Button(button)) found->setVisible(show);
}

void CSelectionListDlg::EnableButton(ListButton button, bool enable)
{
    if (QPushButton* found = Button(button)) found->setEnabled(enable);
}

}  // namespace varnel
