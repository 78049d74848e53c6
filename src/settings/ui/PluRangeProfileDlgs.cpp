// The PLU range profile dialogs.
#include "settings/ui/PluRangeProfileDlgs.h"

#include "platform/ui/DialogParts.h"
#include "settings/PluRangeProfileForm.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace varnel {
namespace {

constexpr int kCommentLength = 80;

QLineEdit* NumberEntry(QWidget& parent, std::uint32_t value, std::size_t digits, const char* objectName)
{
    auto* entry = new QLineEdit(QString::number(value), &parent);
    entry->setObjectName(objectName);
    entry->setMaxLength(static_cast<int>(digits));
    entry->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), entry));
    return entry;
}

// "From", "To" and "Comment" over the columns of the rows.
QString Headings(const PluRangeProfileForm& form)
{
    const std::string row = form.RowText(CPluRange(0, 0, ""));
    const std::size_t firstEnd = row.find(' ');
    const std::size_t secondStart = row.find_first_not_of(' ', firstEnd);
    return QString("From").leftJustified(static_cast<int>(secondStart)) +
           QString("To").leftJustified(static_cast<int>(row.size() - secondStart)) + "Comment";
}

}  // namespace

CSetPluRangeDlg::CSetPluRangeDlg(std::uint32_t from, std::uint32_t to, const std::string& comment, std::size_t digits,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName("setPluRangeDialog");
    setWindowTitle("Set PLU Range");
    m_from = NumberEntry(*this, from, digits, "from");
    m_to = NumberEntry(*this, to, digits, "to");
    m_comment = new QLineEdit(QString::fromStdString(comment), this);
    m_comment->setObjectName("comment");
    m_comment->setMaxLength(kCommentLength);
    auto* fields = new QFormLayout;
    fields->addRow("From PLU No.", m_from);
    fields->addRow("To PLU No.", m_to);
    fields->addRow("Comment", m_comment);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

std::uint32_t CSetPluRangeDlg::GetFrom() const { return m_from->text().toUInt(); }
std::uint32_t CSetPluRangeDlg::GetTo() const { return m_to->text().toUInt(); }
std::string CSetPluRangeDlg::GetComment() const { return m_comment->text().toStdString(); }

void CSetPluRangeDlg::accept()
{
    if (!ValidatePluRange(GetFrom(), GetTo())) {
        m_from->setFocus();
        return;
    }
    QDialog::accept();
}

CEditPluRangeProfileDlg::CEditPluRangeProfileDlg(PluRangeProfileForm& form, std::size_t digits, QWidget* parent)
    : QDialog(parent), m_form(form), m_digits(digits)
{
    setObjectName("editPluRangeProfileDialog");
    setWindowTitle("Edit PLU Range Profile");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* headings = new QLabel(Headings(form), this);
    headings->setFont(fixed);
    m_list = new QListWidget(this);
    m_list->setObjectName("ranges");
    m_list->setFont(fixed);
    m_list->setMinimumWidth(m_list->fontMetrics().averageCharWidth() * 50);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) m_form.Select(static_cast<std::size_t>(row));
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditPluRangeProfileDlg::OnEdit);

    auto* buttons = new QVBoxLayout;
    const auto add = [&](const char* text, const char* name, void (CEditPluRangeProfileDlg::*slot)()) {
        QPushButton* button = MakeButton(*this, text, name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    add("&Add", "add", &CEditPluRangeProfileDlg::OnAdd);
    add("&Edit", "edit", &CEditPluRangeProfileDlg::OnEdit);
    add("&Delete", "delete", &CEditPluRangeProfileDlg::OnDelete);
    buttons->addStretch();
    buttons->addWidget(MakeOkCancel(*this, Qt::Vertical));

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(headings);
    listColumn->addWidget(m_list, 1);
    auto* note = new QLabel("* PLU ranges are inclusive (i.e. the \"from\" and \"to\" PLU No.s are also excluded).", this);
    note->setWordWrap(true);
    listColumn->addWidget(note);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);
    Refill();
}

void CEditPluRangeProfileDlg::Refill()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const std::string& row : m_form.GetRows()) m_list->addItem(QString::fromStdString(row));
    if (const auto selected = m_form.GetSelection()) m_list->setCurrentRow(static_cast<int>(*selected));
}

void CEditPluRangeProfileDlg::OnAdd()
{
    CSetPluRangeDlg entry(1, 1, "", m_digits, this);
    if (entry.exec() != QDialog::Accepted) return;
    m_form.Add(entry.GetFrom(), entry.GetTo(), entry.GetComment());
    Refill();
}

void CEditPluRangeProfileDlg::OnEdit()
{
    const auto selected = m_form.GetSelection();
    if (!selected) return;
    const CPluRange& range = m_form.GetRanges().GetAt(*selected);
    CSetPluRangeDlg entry(range.m_from, range.m_to, range.m_comment, m_digits, this);
    if (entry.exec() != QDialog::Accepted) return;
    m_form.EditSelected(entry.GetFrom(), entry.GetTo(), entry.GetComment());
    Refill();
}

void CEditPluRangeProfileDlg::OnDelete()
{
    if (!m_form.GetSelection()) return;
    m_form.DeleteSelected();
    Refill();
}

}  // namespace varnel
