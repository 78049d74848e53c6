// "e-Mail Settings": the ten texts of the store's e-mail settings, free text without checks. The
// dialog edits the copy it is given; the e-Mail Settings command takes the copy back after OK.
#pragma once

#include "platform/CodePage.h"
#include "settings/EMailSettings.h"

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QLineEdit;
class QPlainTextEdit;

namespace varnel {

class CEMailSettingsDlg final : public QDialog {
    Q_OBJECT
public:
    CEMailSettingsDlg(CEMailSettings& settings, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    CEMailSettings& m_settings;
    CodePage m_codePage;
    std::vector<std::pair<QLineEdit*, std::string CEMailSettings::*>> m_lines;
    std::vector<std::pair<QPlainTextEdit*, std::string CEMailSettings::*>> m_bodies;
};

}  // namespace varnel
