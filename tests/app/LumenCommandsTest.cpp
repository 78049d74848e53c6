// The Lumen commands over a link that cannot open and a scripted transfer window: which scales the
// picker offers, what "Select Send Data" starts with and sends in which order, keyboards without a
// Lumen scale, and the questions and cancels before a transfer.
#include "DocumentFixture.h"
#include "MemoryLumenLink.h"
#include "ScriptedCommsDialogs.h"
#include "SimulatedSite.h"
#include "app/LumenCommands.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/idenq/LinkScale.h"
#include "comms/lumen/LumenTransferUi.h"

#include <array>
#include <set>

namespace varnel::test {
namespace {

using Box = SelectSendDataForm::Box;

// Answers the transfer's questions by script and records what it was asked.
class ScriptedLumenUi final : public ILumenTransferUi {
public:
    std::optional<bool> AskAddMode(bool) override
    {
        ++addModeQuestions;
        return true;
    }
    bool ShowStartInstructions(std::uint16_t scaleType) override
    {
        instructedType = scaleType;
        return false;  // the user cancels before the scale starts
    }
    bool RunProgress(LumenProgressForm&) override { return false; }

    int addModeQuestions = 0;
    std::optional<std::uint16_t> instructedType;
};

class LumenCommands : public DocumentTest {
protected:
    LumenCommands()
    {
        frame.m_setup.m_defaultScaleFamily = 6;
        dialogs.selectSendData = [this](SelectSendDataForm& form) {
            for (std::size_t box = 0; box < SelectSendDataForm::kBoxCount; ++box)
                form.SetChecked(static_cast<Box>(box), ticked.contains(static_cast<Box>(box)));
            return true;
        };
    }

    // Link `linkId` with one scale of each family given, numbered from `firstScale`.
    void AddLink(std::uint16_t linkId, std::uint16_t firstScale, std::initializer_list<std::uint16_t> families)
    {
        auto idEnq = std::make_unique<CIdEnqSocketLink>(clock, RealFileSystem(), pinger);
        idEnq->m_linkId = linkId;
        idEnq->m_name = "Link " + std::to_string(linkId);
        std::uint16_t scaleNo = firstScale;
        for (const std::uint16_t family : families) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = scaleNo++;
            scale->m_scaleType = family;
            idEnq->m_scales.push_back(std::move(scale));
        }
        host.GetLinks().Add(std::move(idEnq));
    }

    LumenCommandSite Site()
    {
        LumenCommandSite site;
        site.link = &link;
        site.ui = &ui;
        site.links = &host.GetLinks();
        site.lumenScales = LumenScaleChoices(host.GetLinks(), std::nullopt, frame.m_setup);
        site.pick = [this](const std::vector<CScaleChoice>& offered) -> std::optional<std::size_t> {
            offeredToPick = offered.size();
            return pickIndex;
        };
        site.canEditNutrition = true;
        return site;
    }

    // The first record the document hands the link, by its command index.
    std::uint32_t FirstSentKind()
    {
        std::array<std::uint8_t, 2048> buffer{};
        std::uint32_t kind = 0;
        std::uint32_t length = 0;
        EXPECT_TRUE(doc->GetNextLumenRecord(kind, buffer, length));
        return kind;
    }

    ScriptedPinger pinger;
    MemoryLumenLink link;  // without a line: it never opens
    ScriptedLumenUi ui;
    ScriptedCommsDialogs dialogs;
    std::set<Box> ticked;
    std::optional<std::size_t> pickIndex = 0;
    std::size_t offeredToPick = 0;
};

TEST_F(LumenCommands, ThePickerOffersScalesOfFamiliesSixAndEightInLinkAndScaleOrder)
{
    AddLink(2, 1, {8, 7});
    AddLink(1, 5, {0, CLinkScaleSettings::kDefaultFamily, 6});  // the second follows the default family 6
    std::vector<std::pair<std::uint16_t, std::uint16_t>> offered;
    for (const CScaleChoice& choice : LumenScaleChoices(host.GetLinks(), std::nullopt, frame.m_setup))
        offered.emplace_back(choice.linkId, choice.scaleId);
    EXPECT_EQ(offered, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 6}, {1, 7}, {2, 1}}));
    EXPECT_TRUE(LumenScaleChoices(host.GetLinks(), ScaleDefs{CScaleDef(2, 2)}, frame.m_setup).empty());
}

TEST_F(LumenCommands, SelectSendDataStartsByFamilyAndSendsInItsOrder)
{
    struct Case {
        std::uint16_t family;
        std::uint16_t market;
        bool ausNz;
        std::vector<std::uint16_t> tables;
    };
    const Case cases[] = {
        {6, 0, false, {2, 7, 4, 9, 12, 29, 30, 8}},
        {8, 0, false, {2, 7, 4, 9, 12, 29, 30, 8}},
        {7, 0, false, {2, 7, 4, 9, 12}},  // #2, #3 and coupons are not for the Lumen
        {7, 1, true, {2, 7, 4, 9, 12, 8}},
        {7, 3, true, {2, 7, 4, 9, 12}},   // coupons enabled, but ticked only in markets 1 and 2
    };
    for (const Case& c : cases) {
        SelectSendDataForm form(c.family, c.ausNz, true);
        PresetLumenSendData(form, c.family, c.market, c.ausNz);
        EXPECT_EQ(LumenSendTables(form), c.tables) << c.family << "/" << c.market;
    }
    SelectSendDataForm withoutNutrition(6, false, false);
    PresetLumenSendData(withoutNutrition, 6, 0, false);
    EXPECT_FALSE(withoutNutrition.IsChecked(Box::Nutrition));
}

TEST_F(LumenCommands, KeyboardsAloneWithoutALumenScaleSendNothing)
{
    AddLink(1, 1, {7});
    ticked = {Box::KeyboardPresets};
    EXPECT_EQ(SendToLumen(*doc, 7, Site()), kMsgNoLumenScales);
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgNoLumenScales});
    EXPECT_EQ(ui.addModeQuestions, 0);

    // With more ticked the keyboards are dropped and the rest goes.
    ticked = {Box::KeyboardPresets, Box::Plus};
    EXPECT_EQ(SendToLumen(*doc, 7, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(ui.instructedType, 7);
    host.m_lumenKeyboards = {"K1"};
    EXPECT_EQ(FirstSentKind(), IDocument::kLumenEnd);
}

TEST_F(LumenCommands, KeyboardsGoForTheChosenLumenScale)
{
    AddLink(1, 1, {6, 8});
    ticked = {Box::KeyboardPresets};
    host.m_lumenKeyboards = {"K1"};
    pickIndex.reset();
    EXPECT_EQ(SendToLumen(*doc, 6, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(offeredToPick, 2u);
    EXPECT_EQ(ui.addModeQuestions, 0);  // cancelled at the picker

    pickIndex = 1;
    EXPECT_EQ(SendToLumen(*doc, 6, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(ui.addModeQuestions, 1);
    EXPECT_EQ(FirstSentKind(), 3u);  // the keyboard record
}

TEST_F(LumenCommands, NothingTickedOrTheDialogCancelledSendsNothing)
{
    EXPECT_EQ(SendToLumen(*doc, 6, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(Shown(), std::vector<MessageId>{CVrn3Doc::kMsgCommsCancelled});
    dialogs.selectSendData = nullptr;
    EXPECT_EQ(SendToLumen(*doc, 6, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(ui.addModeQuestions, 0);
}

TEST_F(LumenCommands, ReceiveAsksFirstThenUsesTheLinkForTheFamily)
{
    AddLink(1, 1, {6, 8});
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(ReceiveFromLumen(*doc, 7, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(link.m_scaleType, 7);
    EXPECT_EQ(offeredToPick, 0u);

    pickIndex.reset();
    EXPECT_EQ(ReceiveFromLumen(*doc, 6, Site()), CVrn3Doc::kMsgCommsCancelled);
    EXPECT_EQ(offeredToPick, 2u);

    pickIndex = 0;
    EXPECT_EQ(ReceiveFromLumen(*doc, 6, Site()), CLumenLink::kMsgCannotOpen);
    EXPECT_EQ(Shown(), (std::vector<MessageId>{kMsgAskLumenReceive, kMsgAskLumenReceive, CVrn3Doc::kMsgCommsCancelled,
                                               kMsgAskLumenReceive, CLumenLink::kMsgCannotOpen}));
}

}  // namespace
}  // namespace varnel::test
