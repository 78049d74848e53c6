// The e-mail settings dialog.
#include "settings/ui/EMailSettingsDlg.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace varnel {
namespace {

struct TextField {
    const char* label;
    const char* objectName;
    std::string CEMailSettings::*member;
};

constexpr TextField kLines[] = {
    {"Store ID", "storeId", &CEMailSettings::m_storeId},
    {"SMTP Server", "smtpServer", &CEMailSettings::m_smtpServer},
    {"SMTP User Name", "smtpUserName", &CEMailSettings::m_smtpUserName},
    {"SMTP Password", "smtpPassword", &CEMailSettings::m_smtpPassword},  // shown as typed
    {"From:", "from", &CEMailSettings::m_from},
    {"To:", "to", &CEMailSettings::m_to},
    {"Cc:", "cc", &CEMailSettings::m_cc},
};

constexpr TextField kBodies[] = {
    {"Body Text 1", "bodyText1", &CEMailSettings::m_bodyText1},
    {"Body Text 2", "bodyText2", &CEMailSettings::m_bodyText2},
    {"Body Text 3", "bodyText3", &CEMailSettings::m_bodyText3},
};

}  // namespace

CEMailSettingsDlg::CEMailSettingsDlg(CEMailSettings& settings, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_codePage(codePage)
{
    setObjectName("eMailSettingsDialog");
    setWindowTitle("e-Mail Settings");
    auto* fields = new QFormLayout;
    for (const TextField& field : kLines) {
        auto* edit = new QLineEdit(ToDisplayText(settings.*field.member, codePage), this);
        edit->setObjectName(field.objectName);
        fields->addRow(field.label, edit);
        m_lines.emplace_back(edit, field.member);
    }
    for (const TextField& field : kBodies) {
        auto* edit = new QPlainTextEdit(ToDisplayText(settings.*field.member, codePage), this);
        edit->setObjectName(field.objectName);
        edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
        fields->addRow(field.label, edit);
        m_bodies.emplace_back(edit, field.member);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
    setMinimumWidth(480);
}

void CEMailSettingsDlg::accept()
{
    for (const auto& [edit, member] : m_lines) m_settings.*member = FromDisplayText(edit->text(), m_codePage);
    for (const auto& [edit, member] : m_bodies) m_settings.*member = FromDisplayText(edit->toPlainText(), m_codePage);
    QDialog::accept();
}

}  // namespace varnel
