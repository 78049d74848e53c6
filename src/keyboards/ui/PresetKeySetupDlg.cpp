// Preset Key Setup.
#include "keyboards/ui/PresetKeySetupDlg.h"

#include "platform/NumberEntry.h"
#include "platform/UserPrompt.h"
#include "platform/ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CPresetKeySetupDlg::CPresetKeySetupDlg(PresetKeySetupForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("presetKeySetupDialog");
    setWindowTitle("Preset Key Setup");
    auto* rows = new QGridLayout;
    rows->addWidget(new QLabel("Code", this), 0, 1);
    const auto formRows = m_form.GetRows();
    for (std::size_t i = 0; i < formRows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        auto* code = new QLineEdit(QString::number(m_form.GetCode(i)), this);
        code->setObjectName(QString("code%1").arg(formRows[i].meaning));
        code->setValidator(new QIntValidator(0, 999, code));
        code->setMaxLength(3);
        code->setFixedWidth(code->fontMetrics().horizontalAdvance("0000") + 12);
        auto* caption = new QLabel(formRows[i].caption, this);
        caption->setBuddy(code);
        rows->addWidget(caption, row, 0);
        rows->addWidget(code, row, 1);
        m_codes.push_back(code);
    }
    rows->addWidget(new QLabel("(0 = unused)", this), static_cast<int>(formRows.size()) + 1, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(MakeOkCancel(*this));
}

void CPresetKeySetupDlg::accept()
{
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        const std::optional<std::uint32_t> code =
            ReadNumberInRange(m_codes[i]->text().toStdString(), 0, PresetKeySetupForm::kMaxCode);
        if (!code) {
            m_codes[i]->setFocus();
            m_codes[i]->selectAll();
            return;
        }
        m_form.SetCode(i, static_cast<std::uint8_t>(*code));
    }
    if (const MessageId refusal = m_form.Check(); refusal != 0) {
        ShowMessage(refusal, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
