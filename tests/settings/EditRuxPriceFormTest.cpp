// The price master dialog's model: the fields in display order and their layout, which controls are
// on, decimals by sales mode and markdown flag, values taken from edits and combos (the same value
// leaves the records unmodified), the range message, copying between masters and the pickers.
#include "db/plu/PluFieldAccess.h"
#include "settings/EditRuxPriceForm.h"
#include "support/RecordingPrompt.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Record = EditRuxPriceForm::Record;

class EditRuxPriceFormTest : public ::testing::Test {
protected:
    EditRuxPriceFormTest()
    {
        Define(1205, "Tare", 3, 0, 9999);
        Define(1200, "Unit Price", 2, 0, 999999);
        Define(1201, "Markdown Price", 2, 0, 999999);
        Define(1218, "", 0, 0, 0);
        Define(1206, "POP Message", 0, 0, 999);
        CLabProp& salesMode = Define(1211, "Sales Mode", 0, 0, 1);
        salesMode.AddValue(std::make_unique<CPropValue>("Weighed", 0));
        salesMode.AddValue(std::make_unique<CPropValue>("Fixed", 1));
        CLabProp& flag = Define(1212, "Markdown flag", 0, 0, 6);
        for (std::uint16_t value = 0; value <= 6; ++value)
            flag.AddValue(std::make_unique<CPropValue>("Flag " + std::to_string(value), value));
        Define(1223, "Serving Height", 0, 0, 255);
        Define(1213, "Unit", 0, 0, 9).m_display = 0;
        m_records[0][0] = 1;
    }

    CLabProp& Define(std::uint16_t fieldNo, std::string name, std::uint16_t decimals, std::int32_t min, std::int32_t max)
    {
        CLabProp& field = m_frame.AddFieldDef(FieldDefMap::RuxPrice, fieldNo);
        field.m_name = std::move(name);
        field.m_decimals = decimals;
        field.m_min = min;
        field.m_max = max;
        field.m_width = 6;
        return field;
    }
    const CLabPropMap& Definitions() const { return m_frame.m_fieldDefs[static_cast<std::size_t>(FieldDefMap::RuxPrice)]; }
    static const CLabProp& Field(const EditRuxPriceForm& form, std::uint16_t fieldNo)
    {
        for (const CLabProp& field : form.GetFields())
            if (field.m_fieldNo == fieldNo) return field;
        throw std::logic_error("no field");
    }
    std::int32_t Stored(const EditRuxPriceForm& form, std::size_t master, std::uint16_t fieldNo) const
    {
        return GetRuxPriceFieldValue(form.GetRecords()[master], Field(form, fieldNo));
    }

    TestMainFrame m_frame;
    RecordingPrompt m_prompt;
    EditRuxPriceForm::Records m_records{};
    RuxPriceDialogSite m_site{Definitions(), false, false, CharRule{}};
};

TEST_F(EditRuxPriceFormTest, DisplayedFieldsRunInTheFixedOrderAndFillTwoColumns)
{
    const EditRuxPriceForm form(m_records, m_site);
    std::vector<std::uint16_t> order;
    for (const CLabProp& field : form.GetFields()) order.push_back(field.m_fieldNo);
    EXPECT_EQ(order, (std::vector<std::uint16_t>{1211, 1200, 1205, 1201, 1212, 1206, 1218, 1223}));
    EXPECT_EQ(EditRuxPriceForm::DisplayOrder(1211), 0u);
    EXPECT_EQ(EditRuxPriceForm::DisplayOrder(1223), 9999u);
    EXPECT_EQ(EditRuxPriceForm::DisplayOrder(1500), 999999u);
    EXPECT_EQ(EditRuxPriceForm::GetLabel(Field(form, 1218)), std::string(GetMessageText(1218)));

    const EditRuxPriceForm::Layout layout = form.ComputeLayout(220);
    EXPECT_EQ(layout.rows, 4u);
    EXPECT_EQ(layout.pitch, 22);  // fewer than 10 rows: a tenth of the frame
    EXPECT_EQ(layout.controlHeight, 20);
    EXPECT_EQ(layout.places[3].column, 0u);
    EXPECT_EQ(layout.places[4].column, 1u);
    EXPECT_EQ(layout.places[4].row, 0u);
}

TEST_F(EditRuxPriceFormTest, ManyFieldsShareTheFrameAndTheControlsShrinkWithThePitch)
{
    for (std::uint16_t fieldNo = 1214; fieldNo <= 1237; ++fieldNo) Define(fieldNo, "F", 0, 0, 9);
    const EditRuxPriceForm form(m_records, m_site);
    const EditRuxPriceForm::Layout layout = form.ComputeLayout(220);
    EXPECT_EQ(form.GetFields().size(), 32u);  // 1223 once, 1213 not displayed
    EXPECT_EQ(layout.rows, 16u);
    EXPECT_EQ(layout.pitch, 13);
    EXPECT_EQ(layout.controlHeight, 13);
}

TEST_F(EditRuxPriceFormTest, WithOnlyMasterOneInUseItCannotBeSwitchedOffAndNothingCanBeCopied)
{
    EditRuxPriceForm form(m_records, m_site);
    for (std::size_t tab = 0; tab < EditRuxPriceForm::kMasters; ++tab) {
        SCOPED_TRACE(tab);
        form.SetTab(tab);
        EXPECT_EQ(form.IsUsePriceEnabled(), tab != 0);
        EXPECT_EQ(form.AreFieldsEnabled(), tab == 0);
        EXPECT_FALSE(form.IsCopyEnabled());
    }
    form.SetTab(0);
    form.SetUsePrice(false);
    EXPECT_TRUE(form.GetUsePrice());
    EXPECT_FALSE(form.IsModified());
}

TEST_F(EditRuxPriceFormTest, WithMastersOneAndThreeInUseTheCopyOnTabOneTakesMasterThreeAfterTheQuestion)
{
    m_records[2][0] = 1;
    m_records[2][32] = 0x39;  // unit price 57
    EditRuxPriceForm form(m_records, m_site);
    ASSERT_TRUE(form.IsCopyEnabled());
    EXPECT_EQ(form.GetCopySources(), std::vector<std::size_t>{2});
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(form.CopyFrom(2));
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(form.CopyFrom(2));
    EXPECT_EQ(m_prompt.m_texts.back(),
              "This will overwrite the current page with the data from price master #3.\nOK to proceed?");
    EXPECT_EQ(form.GetRecords()[0], m_records[2]);
    EXPECT_TRUE(form.IsModified());
    form.SetTab(1);
    EXPECT_FALSE(form.IsCopyEnabled());  // master 2 is not in use
    form.SetUsePrice(true);
    EXPECT_EQ(form.GetCopySources(), (std::vector<std::size_t>{0, 2}));
}

TEST_F(EditRuxPriceFormTest, TheSameValueAgainLeavesTheRecordsUnmodifiedAndANewOneIsStored)
{
    EditRuxPriceForm form(m_records, m_site);
    const CLabProp& price = Field(form, 1200);
    EXPECT_EQ(form.GetText(price), "0.00");
    EXPECT_TRUE(form.UpdateFromEdit(price, "0.00"));
    EXPECT_TRUE(form.UpdateFromEdit(Field(form, 1218), ""));
    EXPECT_TRUE(form.UpdateFromCombo(Field(form, 1211), 0));
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(form.UpdateFromEdit(price, "12.5"));
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(Stored(form, 0, 1200), 1250);
    EXPECT_EQ(form.GetText(price), "12.50");
}

TEST_F(EditRuxPriceFormTest, AValueOutsideItsRangeIsRefusedWithTheRangeAndTheOldValueKept)
{
    EditRuxPriceForm form(m_records, m_site);
    const CLabProp& tare = Field(form, 1205);
    for (const char* typed : {"10.5", "x", ""}) {
        SCOPED_TRACE(typed);
        EXPECT_FALSE(form.UpdateFromEdit(tare, typed));
        EXPECT_EQ(m_prompt.m_texts.back(), "The specified value is outside the allowed range. (Min = 0, Max = 9999)");
    }
    EXPECT_EQ(Stored(form, 0, 1205), 0);
    EXPECT_FALSE(form.IsModified());
}

TEST_F(EditRuxPriceFormTest, AStoredValueAboveTheMaximumIsShownAsTheMaximum)
{
    m_records[0][56] = 0x10;
    m_records[0][57] = 0x27;  // tare 10000
    const EditRuxPriceForm form(m_records, m_site);
    EXPECT_EQ(form.GetText(Field(form, 1205)), "9.999");
}

TEST_F(EditRuxPriceFormTest, SalesModeDecidesTheUnitPricesDecimalsWithTheSeparateDecimalPointOn)
{
    m_site.unitFixedPriceDecimal = true;
    EditRuxPriceForm form(m_records, m_site);
    const CLabProp& price = Field(form, 1200);
    EXPECT_EQ(form.GetDecimals(price), 3);
    ASSERT_TRUE(form.UpdateFromCombo(Field(form, 1211), 1));
    EXPECT_EQ(form.GetDecimals(price), 2);
    EXPECT_EQ(EditRuxPriceForm::FieldsShownAfterChange(1211), (std::vector<std::uint16_t>{1211, 1200}));
    EXPECT_EQ(EditRuxPriceForm::FieldsShownAfterChange(1212), (std::vector<std::uint16_t>{1212, 1201}));
    m_site.unitFixedPriceDecimal = false;
    EXPECT_EQ(EditRuxPriceForm(m_records, m_site).GetDecimals(price), 2);
}

TEST_F(EditRuxPriceFormTest, APercentageMarkdownHasItsOwnDecimalsAndRangeText)
{
    struct Case {
        bool percentDecimal;
        std::uint16_t decimals;
        const char* typed;
        std::int32_t stored;
        const char* suffix;
    };
    for (const Case& c : {Case{true, 1, "12.5", 125, " (Min = 0, Max = 99.9)"}, Case{false, 0, "12", 12, " (Min = 0, Max = 99)"}}) {
        SCOPED_TRACE(c.percentDecimal);
        m_site.percentMarkdownDecimal = c.percentDecimal;
        EditRuxPriceForm form(m_records, m_site);
        ASSERT_TRUE(form.UpdateFromCombo(Field(form, 1212), 3));
        const CLabProp& markdown = Field(form, 1201);
        EXPECT_EQ(form.GetDecimals(markdown), c.decimals);
        ASSERT_TRUE(form.UpdateFromEdit(markdown, c.typed));
        EXPECT_EQ(Stored(form, 0, 1201), c.stored);
        EXPECT_FALSE(form.UpdateFromEdit(markdown, "99999999"));
        EXPECT_EQ(m_prompt.m_texts.back(), std::string("The specified value is outside the allowed range.") + c.suffix);
    }
    m_site.unitFixedPriceDecimal = true;
    EditRuxPriceForm form(m_records, m_site);
    ASSERT_TRUE(form.UpdateFromCombo(Field(form, 1212), 4));
    EXPECT_EQ(form.GetDecimals(Field(form, 1201)), 3);  // an extra decimal
}

TEST_F(EditRuxPriceFormTest, ATextFieldKeepsAtMostItsLengthAndItsTerminator)
{
    EditRuxPriceForm form(m_records, m_site);
    const CLabProp& code = Field(form, 1218);
    EXPECT_EQ(EditRuxPriceForm::GetTextLimit(code), 10u);
    EXPECT_TRUE(form.UpdateFromEdit(code, "123456789012"));
    EXPECT_EQ(form.GetText(code), "1234567890");
    EXPECT_EQ(form.GetRecords()[0][12], 0);
    EXPECT_TRUE(form.UpdateFromEdit(code, "77"));
    EXPECT_EQ(form.GetText(code), "77");
    EXPECT_EQ(form.GetRecords()[0][5], 0);
    EXPECT_EQ(EditRuxPriceForm::GetSeparator(1220), '/');
}

TEST_F(EditRuxPriceFormTest, APickerButtonStoresThePickedNumberAndWithoutAListNothingChanges)
{
    struct Trays final : IRuxPricePickers {
        std::optional<std::uint32_t> PickPopMessage(std::uint32_t current) override
        {
            seen = current;
            return 42;
        }
        std::uint32_t seen = 99;
    } pickers;
    struct None final : IRuxPricePickers {
    } none;
    EditRuxPriceForm form(m_records, m_site);
    EXPECT_EQ(EditRuxPriceForm::PickerButton(1206), 130);
    EXPECT_EQ(EditRuxPriceForm::PickerButton(1207), 126);
    EXPECT_EQ(EditRuxPriceForm::PickerButton(1210), 129);
    EXPECT_FALSE(EditRuxPriceForm::PickerButton(1205));
    EXPECT_FALSE(form.Pick(1206, none));
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(form.Pick(1206, pickers));
    EXPECT_EQ(pickers.seen, 0u);
    EXPECT_EQ(Stored(form, 0, 1206), 42);
    EXPECT_TRUE(form.IsModified());
}

}  // namespace
}  // namespace varnel::test
