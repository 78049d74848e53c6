// The message edit dialogs.
#include "scaledata/ui/MessageTextEditDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "pluedit/ui/LabelTextEdit.h"
#include "pluedit/ui/LabelTextStrip.h"
#include "scaledata/EditExMsgForm.h"
#include "scaledata/EditPopMsgForm.h"
#include "scaledata/EditShortMsgForm.h"
#include "pluedit/ui/SunkenFrame.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {
namespace {

QLineEdit* MakeEdit(QWidget& parent, const char* objectName, const QString& text, int maxLength)
{
    auto* edit = new QLineEdit(text, &parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace

CMessageTextEditDlg::CMessageTextEditDlg(MessageTextEditForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_number(MakeEdit(*this, "1177", QString::fromStdString(form.GetNumberText()),
                        static_cast<int>(form.GetNumberLimit()))),
      m_editor(new CLabelTextEdit(form.Editor(), codePage, this)), m_strip(new CLabelTextStrip(*m_editor, this)),
      m_length(new QLabel(this))
{
    setWindowTitle(ToDisplayText(form.GetTitle(), codePage));
    m_number->setEnabled(form.IsNumberEnabled());
    auto* caption = new QLabel(ToDisplayText(form.GetCaption(), codePage), this);
    caption->setObjectName("1057");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel("Number", this));
    fields->addWidget(m_number);
    if (form.HasName()) {
        m_name = MakeEdit(*this, "1047", ToDisplayText(form.GetName(), codePage),
                          static_cast<int>(MessageTextEditForm::kNameMax));
        fields->addWidget(new QLabel("Name", this));
        fields->addWidget(m_name, 1);
        QWidget::setTabOrder(m_number, m_name);
        QWidget::setTabOrder(m_name, m_editor);
    } else {
        fields->addStretch(1);
    }
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance('0') * 10 + 12);

    m_strip->SetOfferedWidths(form.GetLabelWidths());
    m_length->setObjectName("1058");
    m_editor->setMinimumSize(560, 220);
    connect(m_editor, &CLabelTextEdit::linesRecounted, this, &CMessageTextEditDlg::ShowLength);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_length, 1);
    bottom->addWidget(MakeOkCancel(*this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(fields);
    layout->addWidget(m_strip);
    layout->addWidget(new SunkenFrame(*m_editor, this), 1);
    layout->addLayout(bottom);
    ShowLength();
}

void CMessageTextEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_editor->setFocus(Qt::OtherFocusReason);
}

void CMessageTextEditDlg::ShowLength() { m_length->setText(QString::fromStdString(m_form.GetLengthText())); }

void CMessageTextEditDlg::accept()
{
    m_form.SetNumberText(m_number->text().toStdString());
    if (m_name) m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    switch (m_form.GetRefusedFocus()) {
    case MessageTextEditForm::Focus::Number:
        m_number->setFocus(Qt::OtherFocusReason);
        m_number->selectAll();
        break;
    case MessageTextEditForm::Focus::Editor: m_editor->setFocus(Qt::OtherFocusReason); break;
    case MessageTextEditForm::Focus::None: break;
    }
}

CEditExMsg::CEditExMsg(EditExMsgForm& form, CodePage codePage, QWidget* parent)
    : CMessageTextEditDlg(form, codePage, parent)
{
    setObjectName("editMessageDialog");
    connect(&Editor(), &CLabelTextEdit::escapePressed, this, &QDialog::reject);
}

CEditPopMsgDlg::CEditPopMsgDlg(EditPopMsgForm& form, CodePage codePage, QWidget* parent)
    : CMessageTextEditDlg(form, codePage, parent)
{
    setObjectName("editPopMessageDialog");
}

CEditShortMsgDlg::CEditShortMsgDlg(EditShortMsgForm& form, CodePage codePage, QWidget* parent)
    : CMessageTextEditDlg(form, codePage, parent)
{
    setObjectName("editShortMessageDialog");
}

}  // namespace varnel
