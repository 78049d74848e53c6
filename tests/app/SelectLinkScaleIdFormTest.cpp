#include "app/SelectLinkScaleIdForm.h"

#include "MemoryLink.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "keyboards/KeyboardList.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class SelectLinkScaleIdFormTest : public ::testing::Test {
protected:
    SelectLinkScaleIdFormTest()
    {
        // Links 1 to 3 whose first scales are of families 0, 1 and 3.
        std::uint16_t id = 1;
        for (const auto& [name, family] : {std::pair{"Counter", 0}, std::pair{"Deli HBKU", 1}, std::pair{"Meat HBKU", 3}}) {
            auto link = std::make_unique<test::MemoryLink>();
            link->m_linkId = id++;
            link->m_name = name;
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleType = static_cast<std::uint16_t>(family);
            link->m_scales.push_back(std::move(scale));
            m_links.Add(std::move(link));
        }
    }

    test::RecordingPrompt m_prompt;
    CIdEnqLinkList m_links;
    CKeyboardList m_keyboards;
};

TEST_F(SelectLinkScaleIdFormTest, OffersTheHbkuLinksAndChecksTheScaleNumberByTheirFamily)
{
    using enum SelectLinkScaleIdForm::Outcome;
    SelectLinkScaleIdForm form(m_links, m_keyboards, 0);
    EXPECT_EQ(form.GetLinkNames(), (std::vector<std::string>{"Deli HBKU", "Meat HBKU"}));
    struct Case {
        std::size_t link;
        const char* text;
        SelectLinkScaleIdForm::Outcome outcome;
        const char* message;  // null: none
    };
    const Case cases[] = {
        {0, "1", StayOpen, "The scales ID must be in the range 2 to 31."},
        {0, "32", StayOpen, "The scales ID must be in the range 2 to 31."},
        {0, "abc", StayOpen, "The scales ID must be in the range 2 to 31."},
        {1, "1", Chosen, nullptr},
        {1, "32", StayOpen, "The scales ID must be in the range 1 to 31."},
        {0, " 31", Chosen, nullptr},
    };
    for (const Case& c : cases) {
        m_prompt.m_texts.clear();
        m_prompt.m_ids.clear();
        form.SelectLink(c.link);
        EXPECT_EQ(form.Submit(c.text), c.outcome) << c.text;
        EXPECT_EQ(m_prompt.m_texts, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(m_prompt.m_ids, c.message ? std::vector<MessageId>{61253} : std::vector<MessageId>{});
    }
    EXPECT_EQ(form.GetLinkNumber(), 2);
    EXPECT_EQ(form.GetScaleNumber(), 31);
    form.SelectLink(std::nullopt);
    EXPECT_EQ(form.Submit("5"), Cancelled);
}

TEST_F(SelectLinkScaleIdFormTest, ARegisteredKeyboardIsOverwrittenOnlyAfterYes)
{
    m_keyboards.SetKeyboard(3 * 100 + 5 - 100, std::make_unique<CKeyboard>());
    SelectLinkScaleIdForm form(m_links, m_keyboards, 0);
    form.SelectLink(1);
    m_prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_EQ(form.Submit("5"), SelectLinkScaleIdForm::Outcome::StayOpen);
    EXPECT_EQ(form.Submit("5"), SelectLinkScaleIdForm::Outcome::Chosen);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61257, 61257}));
    EXPECT_EQ(form.GetScaleNumber(), 5);
}

TEST_F(SelectLinkScaleIdFormTest, AScaleLeftAtTheDefaultIsOfTheSetupsDefaultFamily)
{
    auto link = std::make_unique<test::MemoryLink>();
    link->m_linkId = 4;
    link->m_name = "Default";
    link->m_scales.push_back(std::make_unique<CLinkScale>());
    m_links.Add(std::move(link));
    EXPECT_EQ(SelectLinkScaleIdForm(m_links, m_keyboards, 0).GetLinkNames().size(), 2u);
    SelectLinkScaleIdForm form(m_links, m_keyboards, 3);
    EXPECT_EQ(form.GetLinkNames(), (std::vector<std::string>{"Deli HBKU", "Meat HBKU", "Default"}));
    form.SelectLink(2);
    EXPECT_EQ(form.Submit("1"), SelectLinkScaleIdForm::Outcome::Chosen);  // family 3 takes scale 1
}

}  // namespace
}  // namespace varnel
