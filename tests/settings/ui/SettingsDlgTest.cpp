#include "settings/EMailSettings.h"
#include "settings/HostInterfaceForm.h"
#include "settings/ui/EMailSettingsDlg.h"
#include "settings/ui/HostInterfaceDlg.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class SettingsDlgTest : public test::GuiTest {
protected:
    static void Click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(test::Child<QAbstractButton>(dialog, button), Qt::LeftButton);
    }
    test::RecordingPrompt m_prompt;
};

TEST_F(SettingsDlgTest, HostInterfaceTakesTheBoxesAndTheChosenFileOnOk)
{
    HostInterfaceForm form({true, false, false, false, "/srv/pos.txt"}, CharRule{});
    CHostInterfaceDlg dialog(form);
    dialog.show();
    EXPECT_EQ(test::Child<QLabel>(dialog, "posUpdateFile")->text(), "/srv/pos.txt");
    Click(dialog, "kauriAuckland");
    Click(dialog, "totara");
    Click(dialog, "posUpdateOutput");
    m_prompt.QueueSaveName("/srv/pos/a/long/way/down/the/tree/of/the/store/update.txt");
    Click(dialog, "select");
    EXPECT_EQ(test::Child<QLabel>(dialog, "posUpdateFile")->text().toStdString(), "/srv/pos/a/long/way/down/t.../update.txt");
    // The boxes reach the form only with OK.
    EXPECT_TRUE(form.Settings().kauriAucklandImport);
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.Settings(), (HostInterfaceSettings{false, false, true, true,
                                                      "/srv/pos/a/long/way/down/the/tree/of/the/store/update.txt"}));
}

TEST_F(SettingsDlgTest, EMailSettingsEditTheTenTextsInTheStoreCodePage)
{
    CEMailSettings settings;
    settings.m_storeId = "Caf\xE9 12";  // Windows-1252
    settings.m_bodyText2 = "line one\r\nline two";
    settings.m_reserved = "kept";
    CEMailSettingsDlg dialog(settings, CodePage::Western);
    dialog.show();
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "storeId")->text(), QString::fromUtf16(u"Café 12"));
    const std::pair<const char*, const char*> typed[] = {
        {"smtpServer", "smtp.shop"}, {"smtpUserName", "ann"}, {"smtpPassword", "pw"},
        {"from", "ann@shop"},        {"to", "head@office"},   {"cc", "boss@shop"}};
    for (const auto& [name, text] : typed) QTest::keyClicks(test::Child<QLineEdit>(dialog, name), text);
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "smtpPassword")->echoMode(), QLineEdit::Normal);
    test::Child<QPlainTextEdit>(dialog, "bodyText1")->setPlainText(QString::fromUtf16(u"Grüße"));
    Click(dialog, "ok");
    EXPECT_EQ(settings.m_storeId, "Caf\xE9 12");
    EXPECT_EQ(settings.m_smtpServer, "smtp.shop");
    EXPECT_EQ(settings.m_smtpUserName, "ann");
    EXPECT_EQ(settings.m_smtpPassword, "pw");
    EXPECT_EQ(settings.m_from, "ann@shop");
    EXPECT_EQ(settings.m_to, "head@office");
    EXPECT_EQ(settings.m_cc, "boss@shop");
    EXPECT_EQ(settings.m_bodyText1, "Gr\xFC\xDF" "e");
    EXPECT_EQ(settings.m_reserved, "kept");
}

TEST_F(SettingsDlgTest, EMailSettingsCancelledChangeNothing)
{
    CEMailSettings settings;
    settings.m_to = "head@office";
    CEMailSettingsDlg dialog(settings, CodePage::Western);
    dialog.show();
    QTest::keyClicks(test::Child<QLineEdit>(dialog, "to"), ", more@office");
    Click(dialog, "cancel");
    EXPECT_EQ(settings.m_to, "head@office");
}

}  // namespace
}  // namespace varnel
