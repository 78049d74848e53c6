// E-mail settings: the round trip and the record without Cc.
#include "SettingsArchive.h"
#include "platform/ArchiveBytes.h"
#include "settings/EMailSettings.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

CEMailSettings Filled()
{
    CEMailSettings mail;
    mail.m_from = "store@example.org";
    mail.m_smtpServer = "smtp.example.org";
    mail.m_smtpUserName = "user";
    mail.m_smtpPassword = "secret";
    mail.m_reserved = "r";
    mail.m_bodyText1 = "one";
    mail.m_bodyText2 = "two";
    mail.m_bodyText3 = "three";
    mail.m_to = "hq@example.org";
    mail.m_storeId = "17";
    mail.m_cc = "cc@example.org";
    return mail;
}

TEST(EMailSettingsTest, StoredSettingsLoadBackEqual)
{
    CEMailSettings mail = Filled();
    CEMailSettings loaded;
    ASSERT_TRUE(Load(loaded, Store(mail)));
    EXPECT_EQ(loaded, mail);
}

TEST(EMailSettingsTest, TheStoredOrderIsFixed)
{
    CEMailSettings mail = Filled();
    const std::vector<std::uint8_t> expected = ArchiveBytes()
                                                   .U16(101)
                                                   .Short("store@example.org")
                                                   .Short("smtp.example.org")
                                                   .Short("r")
                                                   .Short("one")
                                                   .Short("two")
                                                   .Short("three")
                                                   .Short("hq@example.org")
                                                   .Short("17")
                                                   .Short("secret")
                                                   .Short("user")
                                                   .Short("cc@example.org");
    EXPECT_EQ(Store(mail), expected);
}

TEST(EMailSettingsTest, AVersion100RecordHasNoCc)
{
    ArchiveBytes bytes;
    bytes.U16(100);
    for (const char* text : {"f", "s", "r", "b1", "b2", "b3", "t", "id", "pw", "u"}) bytes.Short(text);
    CEMailSettings loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.m_from, "f");
    EXPECT_EQ(loaded.m_smtpUserName, "u");
    EXPECT_EQ(loaded.m_smtpPassword, "pw");
    EXPECT_EQ(loaded.m_cc, "");

    bytes.Short("trailing");  // a version-100 record never reads further
    CEMailSettings again;
    ASSERT_TRUE(Load(again, bytes));
    EXPECT_EQ(again, loaded);
}

TEST(EMailSettingsTest, ATruncatedRecordIsAnError)
{
    CEMailSettings mail = Filled();
    std::vector<std::uint8_t> bytes = Store(mail);
    bytes.resize(bytes.size() - 3);
    CEMailSettings loaded;
    EXPECT_FALSE(Load(loaded, bytes));
}

}  // namespace
}  // namespace varnel::test
