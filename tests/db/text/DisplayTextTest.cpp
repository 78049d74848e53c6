#include "db/text/DisplayText.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(FlagTexts, NameBothStates)
{
    EXPECT_EQ(GetEnabledText(true), "Enabled");
    EXPECT_EQ(GetEnabledText(false), "Disabled");
    EXPECT_EQ(GetYesNoText(true), "Yes");
    EXPECT_EQ(GetYesNoText(false), "No");
}

TEST(GetDataTypeName, PrefersTheCaptionThenTheTableName)
{
    int lookups = 0;
    const TableNameLookup tableName = [&lookups](std::uint16_t tableNo) {
        ++lookups;
        return tableNo == 200 ? std::string("Shelf Tags") : std::string();
    };
    EXPECT_EQ(GetDataTypeName(2, tableName), "PLU");
    EXPECT_EQ(GetDataTypeName(1, tableName), "Setup");
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(GetDataTypeName(200, tableName), "Shelf Tags");
    EXPECT_EQ(GetDataTypeName(201, tableName), "");
    EXPECT_EQ(GetDataTypeName(200), "");
}

}  // namespace
}  // namespace varnel
