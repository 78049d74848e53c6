// The label batch dialogs.
#include "scaledata/ui/LabelBatchDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/ui/ListBoxRows.h"
#include "scaledata/EditLabelBatchesForm.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace varnel {
namespace {

constexpr int kQuantityColumn = 2;

QPushButton* AddButton(QWidget& parent, QVBoxLayout& layout, const char* text, const char* id)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(id);
    button->setAutoDefault(false);
    layout.addWidget(button);
    return button;
}

// The quantity typed in place takes at most four characters.
class QuantityDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setObjectName("quantityEdit");
            line->setMaxLength(static_cast<int>(EditLabelBatchForm::kQuantityChars));
        }
        return editor;
    }
};

}  // namespace

CEditLabelBatchesDlg::CEditLabelBatchesDlg(EditLabelBatchesForm& form, LabelBatchPluForm::PluPicker picker,
                                           CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("editLabelBatchesDialog");
    setWindowTitle("Edit Batch Label Sets");
    form.SetDialogs(
        [this](EditLabelBatchForm& batch) { return CEditLabelBatchDlg(batch, m_codePage, this).Run(); },
        std::move(picker),
        [this](LabelBatchPluForm& line) { return CLabelBatchPluDlg(line, this).exec() == QDialog::Accepted; });
    m_list->setObjectName("1003");
    m_list->setMinimumSize(m_list->fontMetrics().averageCharWidth() * 34, m_list->fontMetrics().height() * 12);
    auto* buttons = new QVBoxLayout;
    auto* add = AddButton(*this, *buttons, "&Add...", "122");
    auto* edit = AddButton(*this, *buttons, "&Edit...", "1006");
    auto* remove = AddButton(*this, *buttons, "&Delete", "1002");
    auto* print = AddButton(*this, *buttons, "Print...", "1011");
    auto* close = AddButton(*this, *buttons, "Close", "1");
    buttons->addStretch(1);
    connect(add, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchesForm::OnAdd); });
    connect(edit, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchesForm::OnEdit); });
    connect(remove, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchesForm::OnDelete); });
    connect(print, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchesForm::OnPrint); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Run(&EditLabelBatchesForm::OnEdit); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_form.SetSelection(row); });
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    Refill();
}

void CEditLabelBatchesDlg::Run(void (EditLabelBatchesForm::*step)())
{
    (m_form.*step)();
    Refill();
}

void CEditLabelBatchesDlg::Refill()
{
    FillListBox(*m_list, m_form.GetNames(), m_form.GetSelection(), m_codePage);
}

CEditLabelBatchDlg::CEditLabelBatchDlg(EditLabelBatchForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_name(new QLineEdit(ToDisplayText(form.GetName(), codePage), this)),
      m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this)), m_lines(new QTreeWidget(this))
{
    setObjectName("editLabelBatchDialog");
    setWindowTitle("Edit Batch Label Set");
    m_name->setObjectName("1009");
    m_name->setMaxLength(static_cast<int>(CLabelBatchRec::kNameMax));
    m_number->setObjectName("1008");
    m_number->setMaxLength(4);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance('0') * 6 + 12);
    m_lines->setObjectName("1004");
    m_lines->setRootIsDecorated(false);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_lines->setItemDelegateForColumn(kQuantityColumn, new QuantityDelegate(m_lines));
    QStringList titles;
    for (const std::string& title : form.GetColumnTitles()) titles << QString::fromStdString(title);
    m_lines->setHeaderLabels(titles);
    m_lines->setMinimumSize(m_lines->fontMetrics().averageCharWidth() * 70, m_lines->fontMetrics().height() * 12);
    const int unit = m_lines->fontMetrics().averageCharWidth();
    for (const auto& [column, chars] : {std::pair{0, 10}, std::pair{1, 28}, std::pair{2, 10}})
        m_lines->header()->resizeSection(column, unit * chars);
    m_lines->viewport()->installEventFilter(this);

    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel("Name", this));
    head->addWidget(m_name, 1);
    head->addWidget(new QLabel("ID", this));
    head->addWidget(m_number);
    auto* buttons = new QVBoxLayout;
    auto* add = AddButton(*this, *buttons, "&Add", "122");
    auto* edit = AddButton(*this, *buttons, "&Edit", "1006");
    auto* remove = AddButton(*this, *buttons, "&Delete", "1003");
    buttons->addStretch(1);
    auto* send = AddButton(*this, *buttons, "Send To Scale", "1");
    auto* save = AddButton(*this, *buttons, "Save Without Sending", "1010");
    auto* cancel = AddButton(*this, *buttons, "Cancel", "2");
    send->setDefault(true);
    connect(add, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchForm::OnAdd); });
    connect(edit, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchForm::OnEdit); });
    connect(remove, &QPushButton::clicked, this, [this] { Run(&EditLabelBatchForm::OnDelete); });
    connect(send, &QPushButton::clicked, this, [this] { End(BatchEditEnd::Send); });
    connect(save, &QPushButton::clicked, this, [this] { End(BatchEditEnd::Save); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lines, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int column) {
        if (column != kQuantityColumn) Run(&EditLabelBatchForm::OnEdit);
    });
    connect(m_lines, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column != kQuantityColumn) return;
        m_form.SetQuantityText(static_cast<std::size_t>(m_lines->indexOfTopLevelItem(item)), item->text(column).toStdString());
        Refill();
    });
    connect(m_lines, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { m_form.SetSelection(m_lines->indexOfTopLevelItem(item)); });
    auto* body = new QHBoxLayout;
    body->addWidget(m_lines, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(body, 1);
    Refill();
}

void CEditLabelBatchDlg::Run(void (EditLabelBatchForm::*step)())
{
    (m_form.*step)();
    Refill();
}

BatchEditEnd CEditLabelBatchDlg::Run() { return exec() == QDialog::Accepted ? m_form.GetEnd() : BatchEditEnd::Cancel; }

void CEditLabelBatchDlg::Refill()
{
    const QSignalBlocker quiet(m_lines);
    m_lines->clear();
    for (std::size_t row = 0; row < m_form.GetLines().size(); ++row) {
        QStringList texts;
        for (const std::string& text : m_form.GetRowTexts(row)) texts << ToDisplayText(text, m_codePage);
        auto* item = new QTreeWidgetItem(m_lines, texts);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    if (m_form.GetSelection() >= 0) m_lines->setCurrentItem(m_lines->topLevelItem(m_form.GetSelection()));
    findChild<QPushButton*>("122")->setEnabled(m_form.CanAdd());
}

void CEditLabelBatchDlg::End(BatchEditEnd end)
{
    m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    m_form.SetNumberText(m_number->text().toStdString());
    if (m_form.OnEnd(end)) {
        QDialog::accept();
        return;
    }
    m_number->setFocus(Qt::OtherFocusReason);
    m_number->selectAll();
}

bool CEditLabelBatchDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lines->viewport() && OnListMouse(event)) return true;
    return QDialog::eventFilter(watched, event);
}

bool CEditLabelBatchDlg::OnListMouse(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        QTreeWidgetItem* item = m_lines->itemAt(at);
        m_dragRow = item ? m_lines->indexOfTopLevelItem(item) : -1;
        m_dragging = false;
        return false;
    }
    if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) && m_dragRow >= 0) {
        m_dragging = true;
        m_lines->viewport()->setCursor(m_lines->viewport()->rect().contains(at) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        return true;
    }
    if (type != QEvent::MouseButtonRelease || !m_dragging) return false;
    m_lines->viewport()->unsetCursor();
    m_dragging = false;
    const int from = std::exchange(m_dragRow, -1);
    QTreeWidgetItem* first = m_lines->topLevelItem(0);
    if (!first || !m_lines->viewport()->rect().contains(at)) return true;
    const QRect firstRow = m_lines->visualItemRect(first);
    m_form.OnDrop(from, at.y() - firstRow.top(), firstRow.height());
    Refill();
    return true;
}

CLabelBatchPluDlg::CLabelBatchPluDlg(LabelBatchPluForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_plu(new QLineEdit(QString::fromStdString(form.GetPluText()), this)),
      m_quantity(new QLineEdit(QString::fromStdString(form.GetQuantityText()), this)), m_weight(new QLabel(this)),
      m_price(new QLabel(this))
{
    setObjectName("labelBatchPluDialog");
    setWindowTitle("Label Batch PLU");
    m_plu->setObjectName("103");
    m_quantity->setObjectName("1476");
    m_weight->setObjectName("1477");
    m_price->setObjectName("1076");
    auto* select = new QPushButton("Select...", this);
    select->setObjectName("3");
    select->setAutoDefault(false);
    auto* pluRow = new QHBoxLayout;
    pluRow->addWidget(m_plu, 1);
    pluRow->addWidget(select);
    auto* fields = new QFormLayout;
    fields->addRow("PLU No.", pluRow);
    fields->addRow("Quantity", m_quantity);
    fields->addRow("Weight", m_weight);
    fields->addRow("Price", m_price);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
    connect(select, &QPushButton::clicked, this, [this] {
        m_form.SetPluText(m_plu->text().toStdString());
        m_form.OnSelect();
        m_plu->setText(QString::fromStdString(m_form.GetPluText()));
        ShowPlu();
    });
    connect(m_plu, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.SetPluText(text.toStdString());
        ShowPlu();
    });
    ShowPlu();
}

void CLabelBatchPluDlg::ShowPlu()
{
    m_weight->setText(QString::fromStdString(m_form.GetWeightText()));
    m_price->setText(QString::fromStdString(m_form.GetPriceText()));
}

void CLabelBatchPluDlg::accept()
{
    m_form.SetPluText(m_plu->text().toStdString());
    m_form.SetQuantityText(m_quantity->text().toStdString());
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    QLineEdit* focus = m_form.GetRefusedFocus() == LabelBatchPluForm::Focus::Quantity ? m_quantity : m_plu;
    focus->setFocus(Qt::OtherFocusReason);
    focus->selectAll();
}

}  // namespace varnel
