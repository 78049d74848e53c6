// "Select PLUs" on screen.
#include "pluedit/ui/SelectPluRangeDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

namespace {

QPushButton* Button(QWidget* parent, const char* text, const char* id)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(id);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CSelectPluRangeDlg::CSelectPluRangeDlg(SelectPluRangeForm& form, PluPicker pickPlu, QWidget* parent)
    : QDialog(parent), m_form(form), m_pickPlu(std::move(pickPlu)), m_from(new QLineEdit(this)),
      m_to(new QLineEdit(this))
{
    setObjectName("selectPluRangeDialog");
    setWindowTitle("Select PLUs");
    auto* heading = new QLabel(form.GetHeading().empty() ? QString("Select PLUs to delete")
                                                         : QString::fromStdString(form.GetHeading()),
                               this);
    heading->setObjectName("1064");
    m_from->setObjectName("1060");
    m_to->setObjectName("1061");
    m_from->setText(QString::fromStdString(form.GetFromText()));
    m_to->setText(QString::fromStdString(form.GetToText()));
    QPushButton* selectFrom = Button(this, "Select...", "1062");
    QPushButton* selectTo = Button(this, "Select...", "1063");
    QPushButton* deleteAll = Button(this, "Delete &All", "1270");
    QPushButton* ok = Button(this, "OK", "1");
    ok->setDefault(true);
    QPushButton* cancel = Button(this, "Cancel", "2");
    connect(selectFrom, &QPushButton::clicked, this, [this] { Pick(m_from); });
    connect(selectTo, &QPushButton::clicked, this, [this] { Pick(m_to); });
    connect(deleteAll, &QPushButton::clicked, this, [this] {
        if (m_form.OnDeleteAll()) QDialog::accept();
    });
    connect(ok, &QPushButton::clicked, this, &CSelectPluRangeDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* range = new QGridLayout;
    range->addWidget(heading, 0, 0, 1, 3);
    range->addWidget(new QLabel("From PLU No.", this), 1, 0);
    range->addWidget(m_from, 1, 1);
    range->addWidget(selectFrom, 1, 2);
    range->addWidget(new QLabel("To PLU No.", this), 2, 0);
    range->addWidget(m_to, 2, 1);
    range->addWidget(selectTo, 2, 2);
    range->setRowStretch(3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(fontMetrics().height());
    buttons->addWidget(deleteAll);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(range, 1);
    layout->addLayout(buttons);
}

void CSelectPluRangeDlg::Pick(QLineEdit* edit)
{
    if (!m_form.ReadEdits(m_from->text().toStdString(), m_to->text().toStdString())) return;
    const std::optional<std::uint32_t> picked = m_pickPlu(edit == m_from ? m_form.GetFrom() : m_form.GetTo());
    if (picked) edit->setText(QString::number(*picked));
}

void CSelectPluRangeDlg::accept()
{
    if (m_form.OnOK(m_from->text().toStdString(), m_to->text().toStdString())) QDialog::accept();
}

}  // namespace varnel
