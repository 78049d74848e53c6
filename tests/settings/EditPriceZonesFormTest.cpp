// The price zone list and entry: rows, adding, editing (with and without a new number), deleting,
// the refusals that show the entry again, and the event log.
#include "SettingsListSite.h"
#include "settings/EditPriceZonesForm.h"
#include "settings/PriceZone.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class EditPriceZonesFormTest : public ::testing::Test, public IEditPriceZonesUi, public SettingsListSite {
protected:
    EditPriceZonesFormTest() { m_form.SetUi(*this); }
    static CPriceZoneList TwoZones()
    {
        CPriceZoneList zones;
        zones.SetZone(7, "Harbour");
        zones.SetZone(3, "City");
        return zones;
    }
    bool RunPriceZoneEntry(EditPriceZoneForm& entry) override { return m_entries.Run(entry); }

    static ScriptedEntries<EditPriceZoneForm>::Step Type(std::string id, std::string name)
    {
        return [=](EditPriceZoneForm& entry) {
            entry.m_id = id;
            entry.m_name = name;
            return entry.Accept();
        };
    }

    CPriceZoneList m_zones = TwoZones();
    EditPriceZonesForm m_form{m_zones, m_log, CharRule{}};
    ScriptedEntries<EditPriceZoneForm> m_entries;
};

TEST_F(EditPriceZonesFormTest, ZonesAreListedByNumberAndAnAddedOneIsSelected)
{
    EXPECT_EQ(m_form.GetRows(), (std::vector<std::string>{"0003  City", "0007  Harbour"}));
    EXPECT_EQ(m_form.GetSelection(), 0u);
    m_entries.Queue(Type("5", "Mall"));
    m_form.Add();
    EXPECT_EQ(m_form.GetRows(), (std::vector<std::string>{"0003  City", "0005  Mall", "0007  Harbour"}));
    EXPECT_EQ(m_form.GetSelection(), 1u);
    EXPECT_EQ(m_zones.GetName(5), "Mall");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Price Zone :  ID=5 : Mall"});
}

TEST_F(EditPriceZonesFormTest, RefusalsShowTheEntryAgainAndChangeNothing)
{
    m_entries.Queue(Type("5", ""));
    m_entries.Queue(Type("7", "Other"));
    m_entries.Queue(Type("0", "Zero"));  // out of range: the dialog stays, cancelled next
    m_form.Add();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditPriceZonesForm::kMsgNoName, EditPriceZonesForm::kMsgAddIdInUse, 0}));
    EXPECT_EQ(m_zones.GetCount(), 2u);
    EXPECT_EQ(m_zones.GetName(7), "Harbour");
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(EditPriceZonesFormTest, EditingZoneThreeWithoutANewNumberKeepsTheRowFormat)
{
    m_form.Select(0);
    m_entries.Queue([](EditPriceZoneForm& entry) {
        EXPECT_EQ(entry.m_id, "3");
        EXPECT_EQ(entry.m_name, "City");
        return Type("3", "Centre")(entry);
    });
    m_form.Edit();
    EXPECT_EQ(m_form.GetRows(), (std::vector<std::string>{"0003  Centre", "0007  Harbour"}));
    EXPECT_EQ(m_form.GetSelection(), 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Price Zone :  ID=3 : Centre"});
}

TEST_F(EditPriceZonesFormTest, ANewNumberReKeysTheZoneUnlessAnotherHasIt)
{
    m_form.Select(0);
    m_entries.Queue(Type("7", "City"));
    m_entries.Queue(Type("9", "City"));
    m_form.Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditPriceZonesForm::kMsgEditIdInUse});
    EXPECT_FALSE(m_zones.IsDefined(3));
    EXPECT_EQ(m_zones.GetName(9), "City");
    EXPECT_EQ(m_form.GetRows(), (std::vector<std::string>{"0007  Harbour", "0009  City"}));
    EXPECT_EQ(m_form.GetSelection(), 1u);
}

TEST_F(EditPriceZonesFormTest, DeleteAsksFirstAndLogs)
{
    m_form.Select(1);
    m_prompt.QueueAnswer(MessageAnswer::No);
    m_form.Delete();
    EXPECT_TRUE(m_zones.IsDefined(7));
    m_form.Delete();
    EXPECT_FALSE(m_zones.IsDefined(7));
    EXPECT_EQ(m_form.GetRows(), std::vector<std::string>{"0003  City"});
    EXPECT_EQ(m_form.GetSelection(), 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup deleted - Price Zone :  ID=7 : Harbour"});
}

TEST_F(EditPriceZonesFormTest, AUserWhoMayNotUpdateTheSetupCannotAddOrStoreAnEdit)
{
    LogInWithSetupRights(AccessView | AccessDelete);
    EditPriceZonesForm form(m_zones, m_log, CharRule{});
    form.SetUi(*this);
    EXPECT_FALSE(form.IsAddEnabled());
    EXPECT_TRUE(form.IsDeleteEnabled());
    m_entries.Queue(Type("3", "Centre"));
    form.Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{61328});
    EXPECT_EQ(m_zones.GetName(3), "City");
}

}  // namespace
}  // namespace varnel::test
