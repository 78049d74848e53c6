// The tray list with "Edit Tray" and the store list with "Store Settings" without windows: rows,
// defaults, choices stored as the table keeps them, checks, the tray picture, and what is stored,
// queued and logged.
#include "MessageListFixture.h"

#include "db/site/LabProp.h"
#include "scaledata/StoreListForm.h"
#include "scaledata/TrayListForm.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class TrayStoreListFormsTest : public MessageListFixture {
protected:
    CTrayTb& Trays() { return TableOf<CTrayTb>(CTrayTb::kTableNo); }
    CStoreSetupTb& Stores() { return TableOf<CStoreSetupTb>(CStoreSetupTb::kTableNo); }

    void AddTray(std::uint32_t number, std::string_view name)
    {
        auto* tray = dynamic_cast<CTrayRec*>(Trays().GetOrAddRecord(number, CTrayRec::kSize));
        ASSERT_NE(tray, nullptr);
        tray->SetEditorDefaults();
        tray->Set(tray_columns::kName, name);
    }
    static const TrayChoice& Choice(int id)
    {
        for (const TrayChoice& choice : EditTrayForm::Choices())
            if (choice.id == id) return choice;
        throw std::logic_error("no such choice");
    }
    static const TrayMeasure& Measure(int id)
    {
        for (const TrayMeasure& measure : EditTrayForm::Measures())
            if (measure.id == id) return measure;
        throw std::logic_error("no such measure");
    }
    static const StoreSettingChoice& Setting(int id)
    {
        for (const StoreSettingChoice& choice : StoreSettingsForm::Choices())
            if (choice.id == id) return choice;
        throw std::logic_error("no such choice");
    }
    static const StoreSettingNumber& SettingNumber(int id)
    {
        for (const StoreSettingNumber& number : StoreSettingsForm::Numbers())
            if (number.id == id) return number;
        throw std::logic_error("no such number");
    }
};

TEST_F(TrayStoreListFormsTest, TheTrayListShowsNumberNameAndSizeAndAddsANewTrayWithTheDefaults)
{
    AddTray(1, "Small");
    AddTray(3, "Deep");
    TrayListForm form(Trays(), [](EditTrayForm& dialog) {
        EXPECT_EQ(dialog.GetNumberText(), "2");
        EXPECT_EQ(dialog.GetMeasureText(Measure(1160)), "200");
        EXPECT_EQ(dialog.GetMeasureText(Measure(1161)), "130");
        EXPECT_EQ(dialog.GetChoice(Choice(1158)), 0);  // TrayShape 1: the first entry
        EXPECT_EQ(dialog.GetChoice(Choice(1159)), 1);  // AutoDetect 2
        EXPECT_EQ(dialog.GetChoice(Choice(1174)), 5);  // pattern 6
        EXPECT_EQ(dialog.GetChoice(Choice(1171)), 0);  // TraySearch 0: the first entry
        dialog.SetName("Wide");
        dialog.SetChoice(Choice(1171), 1);
        dialog.SetChoice(Choice(1170), 2);
        dialog.SetMeasureText(Measure(1161), "250");
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Trays");
    EXPECT_EQ(m_list.titles, (std::vector<std::string>{"No.", "Name", "Size"}));
    EXPECT_EQ(m_list.rows.at(1), (std::vector<std::string>{"0003", "Deep", "200(L) x 130(W) x 30(H)"}));
    form.OnAdd();
    const CTrayRec* tray = Trays().FindTray(2);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->Get(tray_columns::kName), "Wide");
    EXPECT_EQ(tray->Get(tray_columns::kTraySearch), 1);
    EXPECT_EQ(tray->Get(tray_columns::kWrapSpeed), 3);
    EXPECT_EQ(tray->Get(tray_columns::kTrayType), 1);
    EXPECT_EQ(tray->Get(tray_columns::kWidth), 250);
    EXPECT_EQ(tray->GetKey(), 2u);
    EXPECT_EQ(m_list.rows.at(1), (std::vector<std::string>{"0002", "Wide", "200(L) x 250(W) x 30(H)"}));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 53 2-2"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Trays No. 2"});
}

TEST_F(TrayStoreListFormsTest, EditTrayKeepsWhatItHasNoControlForAndChecksItsNumbers)
{
    AddTray(4, "Four");
    Trays().FindTray(4)->Set(tray_columns::kDetectLength, 77);
    Trays().FindTray(4)->Set(tray_columns::kTrayType, 3);
    std::vector<int> refused;
    TrayListForm form(Trays(), [&refused](EditTrayForm& dialog) {
        dialog.SetMeasureText(Measure(1168), "100");  // the recycle number goes to 99
        if (!dialog.OnOK()) refused.push_back(dialog.GetRefusedFocus());
        dialog.SetMeasureText(Measure(1168), "42");
        dialog.SetNumberText("0");
        if (!dialog.OnOK()) refused.push_back(dialog.GetRefusedFocus());
        dialog.SetNumberText("5");
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    form.OnEdit();
    EXPECT_EQ(refused, (std::vector<int>{1168, 1156}));
    EXPECT_EQ(m_prompt.m_texts, (std::vector<std::string>{"Please enter an integer between 0 and 99.",
                                                          "Please enter an integer between 1 and 9999."}));
    const CTrayRec* tray = Trays().FindTray(5);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->Get(tray_columns::kDetectLength), 77);
    EXPECT_EQ(tray->Get(tray_columns::kTrayType), 3);
    EXPECT_EQ(tray->Get(tray_columns::kContainer), 42);
    EXPECT_NE(Trays().FindTray(4), nullptr);  // a changed number adds a tray, the old one stays

    // Delete asks its own question, and keeps a tray the scales cannot be told of.
    m_list.Select(0);
    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids.back(), 61224);
    EXPECT_EQ(m_prompt.m_ids.at(m_prompt.m_ids.size() - 2), 61303);
    EXPECT_NE(Trays().FindTray(4), nullptr);
    m_document.m_sendDataResult = true;
    form.OnDelete();
    EXPECT_EQ(Trays().FindTray(4), nullptr);
}

TEST_F(TrayStoreListFormsTest, TheTrayShapeEntriesFollowTheTemplateAndThePictureTheSizes)
{
    CTrayRec values;
    values.SetEditorDefaults();
    const EditTrayForm usa(1, values, Trays().GetRoles());
    EXPECT_EQ(usa.GetTemplate(), 333);
    EXPECT_EQ(usa.EntriesOf(Choice(1158)).back(), "Fan-Shaped");
    m_frame.m_setup.m_market = MarketNewZealand;
    const EditTrayForm newZealand(1, values, Trays().GetRoles());
    EXPECT_EQ(newZealand.GetTemplate(), 311);
    EXPECT_EQ(newZealand.EntriesOf(Choice(1158)).back(), "Quarter Sector");

    values.Set(tray_columns::kBottomLength, 160);
    EditTrayForm dialog(1, values, Trays().GetRoles());
    const TrayPicture& picture = dialog.GetPicture();
    ASSERT_EQ(picture.lines.size(), 9u);
    // The front's top edge is the length at 700 mm across; its height 30 mm of the 200 down.
    const TrayPicture::Line top = picture.lines[0];
    EXPECT_NEAR((top.x2 - top.x1) * 700, 200, 1e-9);
    const TrayPicture::Line foot = picture.lines[1];
    EXPECT_NEAR((foot.x2 - foot.x1) * 700, 160, 1e-9);
    EXPECT_NEAR((foot.y1 - top.y1) * 200, 30, 1e-9);
    EXPECT_EQ(picture.labels.at(0).text, "200 mm");
    EXPECT_EQ(picture.labels.at(1).text, "30 mm");
    EXPECT_EQ(picture.labels.at(2).text, "130 mm");
    // A size edit that was left redraws; one that does not read keeps the size drawn.
    dialog.SetMeasureText(Measure(1160), "350");
    dialog.SetMeasureText(Measure(1162), "x");
    EXPECT_EQ(dialog.GetPicture().labels.at(0).text, "200 mm");
    dialog.OnMeasureLeft();
    EXPECT_EQ(dialog.GetPicture().labels.at(0).text, "350 mm");
    EXPECT_EQ(dialog.GetPicture().labels.at(1).text, "30 mm");
}

TEST_F(TrayStoreListFormsTest, ANewStoreStartsWithPriceMaster2AndTheDefaultSettings)
{
    StoreListForm form(Stores(), [](StoreSettingsForm& dialog) {
        EXPECT_EQ(dialog.GetNumberText(), "1");
        EXPECT_EQ(dialog.GetTitle(), "5400-Series Store Settings");
        EXPECT_EQ(dialog.EntriesOf(Setting(1129)).at(static_cast<std::size_t>(dialog.GetChoice(Setting(1129)))),
                  "Price Master #2");
        EXPECT_EQ(dialog.GetChoice(Setting(1130)), 1);
        EXPECT_EQ(dialog.GetChoice(Setting(1134)), 1);
        EXPECT_EQ(dialog.GetChoice(Setting(1142)), 1);
        EXPECT_EQ(dialog.GetChoice(Setting(1143)), 2);
        EXPECT_EQ(dialog.GetNumberText(SettingNumber(1138)), "49");
        dialog.NameEditor().SetText("\x1B" "C3NORTH");
        dialog.AddressEditor().SetText("\x1B" "C3QUAY 1" "\x1B" "C3PIER");
        dialog.SetChoice(Setting(1129), 4);
        return dialog.OnOK();
    });
    form.OnInitDialog(m_list);
    EXPECT_EQ(m_list.title, "Store (5400-series/RUX/VM/QF)");
    EXPECT_EQ(m_list.titles, (std::vector<std::string>{"No.", "Name", "Address"}));
    form.OnAdd();
    const CStoreSetupRec* store = Stores().FindStore(1);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->Get(store_setup_columns::kName), "\x1B" "C3NORTH");
    EXPECT_EQ(store->Get(store_setup_columns::kPriceId), 4);
    EXPECT_EQ(store->Get(store_setup_columns::kPosFlagPlu8), 49);
    EXPECT_EQ(m_list.rows.at(0), (std::vector<std::string>{"0001", "NORTH", "QUAY 1 PIER"}));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 71 1-1"});
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{" Op: <User edit> : Added Store (5400-series/RUX/VM/QF) No. 1"});

    // A store the scales cannot be told of stays (61224) after the store question (61243).
    m_list.Select(0);
    m_document.m_sendDataResult = false;
    form.OnDelete();
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61243, 61224}));
    EXPECT_NE(Stores().FindStore(1), nullptr);
}

TEST_F(TrayStoreListFormsTest, StoreSettingsChecksItsNumbersAndAsksAboutLongTexts)
{
    CStoreSetupRec values;
    StoreSettingsForm dialog(12, values, Stores().GetRoles());
    dialog.SetNumberText(SettingNumber(1137), "10");  // NON8 goes to 9
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(m_prompt.m_texts.back(), "Please enter an integer between 0 and 9.");
    dialog.SetNumberText(SettingNumber(1137), "9");
    // Reg. Code takes no input outside market 10, so nothing it holds is read.
    EXPECT_FALSE(dialog.IsEnabled(1140));
    dialog.SetNumberText(SettingNumber(1140), "5000");
    const std::string line = "\x1B" "C3" + std::string(30, 'N');
    const std::string longText = line + line + line;
    dialog.NameEditor().SetText(longText);
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(dialog.GetRefusedFocus(), StoreSettingsForm::Focus::Name);
    EXPECT_EQ(m_prompt.m_ids.back(), 31519);
    EXPECT_NE(m_prompt.m_texts.back().find("48 Asian or 96 English"), std::string::npos);
    EXPECT_TRUE(dialog.OnOK());  // Yes keeps it
    EXPECT_EQ(dialog.GetNameText(), longText);
    EXPECT_EQ(dialog.GetValues().Get(store_setup_columns::kPosFlagNon8), 9);
    EXPECT_EQ(dialog.GetValues().Get(store_setup_columns::kRegCode), 0);
    dialog.SetNumberText("10000");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(dialog.GetRefusedFocus(), StoreSettingsForm::Focus::Number);
}

TEST_F(TrayStoreListFormsTest, ThePosCodeTypeComesFromThePluFieldOutsideTaiwanAndTheTitleFromFamily9)
{
    auto definition = std::make_unique<CLabProp>();
    definition->m_fieldNo = 1043;
    definition->AddValue(std::make_unique<CPropValue>("Standard", 0));
    definition->AddValue(std::make_unique<CPropValue>("Custom", 7));
    m_frame.m_fieldDefs[0].emplace(1043, std::move(definition));
    AddLinkScale(9);
    CStoreSetupRec values;
    values.Set(store_setup_columns::kPosCodeType, 7);
    StoreSettingsForm dialog(1, values, Stores().GetRoles());
    EXPECT_EQ(dialog.GetTitle(), "Store Settings");
    EXPECT_EQ(dialog.EntriesOf(Setting(1141)), (std::vector<std::string>{"Standard", "Custom"}));
    EXPECT_EQ(dialog.GetChoice(Setting(1141)), 1);
    EXPECT_TRUE(dialog.IsShown(1141));
    EXPECT_FALSE(dialog.IsShown(1144));
    dialog.SetChoice(Setting(1141), 0);
    EXPECT_EQ(dialog.GetValues().Get(store_setup_columns::kPosCodeType), 0);

    m_frame.m_setup.m_market = MarketTaiwan;
    StoreSettingsForm taiwan(1, values, Stores().GetRoles());
    EXPECT_EQ(taiwan.EntriesOf(Setting(1141)).size(), 6u);
    EXPECT_EQ(taiwan.EntriesOf(Setting(1134)).back(), "Printer #1 and #2");
    EXPECT_TRUE(taiwan.IsEnabled(1140));
    EXPECT_EQ(taiwan.GetChoice(Setting(1141)), -1);  // 7 is no entry of the fixed list

    // Without values for the field the type is a number.
    m_frame.m_setup.m_market = MarketUsa;
    m_frame.m_fieldDefs[0].clear();
    StoreSettingsForm plain(1, values, Stores().GetRoles());
    EXPECT_FALSE(plain.IsShown(1141));
    EXPECT_TRUE(plain.IsShown(1144));
    EXPECT_EQ(plain.GetNumberText(SettingNumber(1144)), "7");
}

}  // namespace
}  // namespace varnel::test
