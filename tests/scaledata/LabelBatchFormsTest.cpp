// "Edit Batch Label Sets", "Edit Batch Label Set" and "Label Batch PLU" without windows: numbering,
// the overwrite question, fixed-price PLUs only, reordering and quantities in place, deletion that
// sends nothing, and printing through the document's printer.
#include "MessageListFixture.h"

#include "scaledata/EditLabelBatchesForm.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

class LabelBatchFormsTest : public MessageListFixture {
protected:
    CLabelBatchTb& Batches() { return TableOf<CLabelBatchTb>(CLabelBatchTb::kTableNo); }
    void AddBatch(std::uint32_t number, std::string_view name, const std::vector<BatchLine>& lines = {})
    {
        auto* batch = dynamic_cast<CLabelBatchRec*>(Batches().GetOrAddRecord(number, CLabelBatchRec::kSize));
        ASSERT_NE(batch, nullptr);
        batch->SetName(name);
        batch->SetLines(lines);
    }
    void AddPlu(std::uint32_t number, std::string_view name, std::uint8_t salesMode, std::int32_t price = 250)
    {
        auto* plu = dynamic_cast<CPluDefRec*>(m_database.GetPluTable()->GetOrAddRecord(number, 264));
        ASSERT_NE(plu, nullptr);
        plu->Set(PluCol::Name, name);
        plu->Set(PluCol::SalesMode, salesMode);
        plu->Set(PluCol::UnitPrice, price);
    }
    EditLabelBatchForm BatchForm(std::vector<BatchLine> lines, LabelBatchPluForm::PluPicker picker,
                                 EditLabelBatchForm::LineDialog lineDialog)
    {
        return EditLabelBatchForm(m_database.GetPluTable(), Batches().GetRoles(), 1, "Set", std::move(lines),
                                  std::move(picker), std::move(lineDialog));
    }
};

TEST_F(LabelBatchFormsTest, AddNumbersTheBatchAfterTheLastAndSavesItWithoutSending)
{
    AddBatch(2, "Weekend");
    AddBatch(5, "Deli");
    std::vector<std::string> opened;
    EditLabelBatchesForm form(
        Batches(),
        [&opened](EditLabelBatchForm& dialog) {
            opened.push_back(dialog.GetNumberText() + " " + dialog.GetName());
            dialog.SetName("Bakery");
            return dialog.OnEnd(BatchEditEnd::Save) ? dialog.GetEnd() : BatchEditEnd::Cancel;
        },
        {}, {}, {});
    EXPECT_EQ(form.GetNames(), (std::vector<std::string>{"Weekend", "Deli"}));
    form.OnAdd();
    EXPECT_EQ(opened, std::vector<std::string>{"6 Batch Label Print Set 6"});
    ASSERT_NE(Batches().FindBatch(6), nullptr);
    EXPECT_EQ(Batches().FindBatch(6)->GetName(), "Bakery");
    EXPECT_EQ(Batches().FindBatch(6)->GetLength(), 32);
    EXPECT_EQ(form.GetNames(), (std::vector<std::string>{"Weekend", "Deli", "Bakery"}));
    EXPECT_EQ(form.GetSelection(), 2);
    EXPECT_TRUE(m_document.m_sends.empty());
    EXPECT_TRUE(TakeEvents().empty());

    // An empty table starts at 1; a cancelled dialog adds nothing.
    ASSERT_TRUE(Batches().DeleteKey(2));
    ASSERT_TRUE(Batches().DeleteKey(5));
    ASSERT_TRUE(Batches().DeleteKey(6));
    EditLabelBatchesForm empty(Batches(), [&opened](EditLabelBatchForm& dialog) {
        opened.push_back(dialog.GetNumberText());
        return BatchEditEnd::Cancel;
    }, {}, {}, {});
    empty.OnAdd();
    EXPECT_EQ(opened.back(), "1");
    EXPECT_EQ(Batches().GetRecordCount(), 0u);
}

TEST_F(LabelBatchFormsTest, ANumberAnotherBatchHoldsIsAskedAboutAndCancelReturnsToTheDialog)
{
    AddBatch(1, "One", {{10, 1}});
    AddBatch(2, "Two", {{20, 2}});
    int runs = 0;
    EditLabelBatchesForm form(
        Batches(),
        [&runs](EditLabelBatchForm& dialog) {
            ++runs;
            dialog.SetNumberText("2");
            return dialog.OnEnd(BatchEditEnd::Save) ? dialog.GetEnd() : BatchEditEnd::Cancel;
        },
        {}, {}, {});
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    form.OnEdit();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61454, 61454}));
    EXPECT_EQ(Batches().FindBatch(2)->GetLines(), (std::vector<BatchLine>{{10, 1}}));
    EXPECT_EQ(Batches().FindBatch(2)->GetName(), "One");
    EXPECT_NE(Batches().FindBatch(1), nullptr);

    // Its own number is no question.
    m_prompt.m_ids.clear();
    EditLabelBatchesForm again(Batches(), [](EditLabelBatchForm& dialog) {
        return dialog.OnEnd(BatchEditEnd::Save) ? dialog.GetEnd() : BatchEditEnd::Cancel;
    }, {}, {}, {});
    again.OnEdit();
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(LabelBatchFormsTest, SendAndPrintGoToThePrinterAndDeleteSendsNothing)
{
    AddBatch(3, "Three", {{10, 1}});
    std::vector<std::string> printed;
    EditLabelBatchesForm form(
        Batches(),
        [](EditLabelBatchForm& dialog) { return dialog.OnEnd(BatchEditEnd::Send) ? dialog.GetEnd() : BatchEditEnd::Cancel; },
        [&printed](const SendRequests& jobs) {
            for (const CSendDataLog& job : jobs)
                printed.push_back(std::to_string(job.m_kind) + " " + std::to_string(job.m_tableId) + " " +
                                  std::to_string(job.m_rangeStart) + "-" + std::to_string(job.m_rangeEnd));
        },
        {}, {});
    form.OnEdit();
    form.OnPrint();
    EXPECT_EQ(printed, (std::vector<std::string>{"0 34 3-3", "0 34 3-3"}));
    EXPECT_TRUE(m_document.m_sends.empty());  // nothing queued besides

    printed.clear();
    form.OnDelete();
    EXPECT_EQ(Batches().FindBatch(3), nullptr);
    EXPECT_TRUE(form.GetNames().empty());
    form.OnPrint();
    EXPECT_TRUE(printed.empty());
    EXPECT_TRUE(m_document.m_sends.empty());
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(LabelBatchFormsTest, OnlyFixedPricePlusOnFileJoinTheBatch)
{
    AddPlu(123, "Bread", 1);
    AddPlu(456, "Cheese", 0);
    std::vector<std::uint32_t> picks;
    std::optional<std::uint32_t> pick = 123;
    std::function<void(LabelBatchPluForm&)> enter;
    auto dialog = BatchForm(
        {},
        [&](std::uint32_t initial) {
            picks.push_back(initial);
            return pick;
        },
        [&](LabelBatchPluForm& line) {
            if (enter) enter(line);
            return line.OnOK();
        });
    dialog.OnAdd();
    ASSERT_EQ(dialog.GetLines(), (std::vector<BatchLine>{{123, 1}}));
    EXPECT_EQ(dialog.GetRowTexts(0), (std::vector<std::string>{"123", "Bread", "1", "250"}));
    EXPECT_EQ(picks, std::vector<std::uint32_t>{0});

    pick = 456;
    dialog.OnAdd();
    enter = [](LabelBatchPluForm& line) { line.SetPluText("789"); };
    pick = 123;
    dialog.OnAdd();
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{31463, 31463}));
    EXPECT_EQ(dialog.GetLines().size(), 1u);
    pick = std::nullopt;  // Select PLU cancelled
    dialog.OnAdd();
    EXPECT_EQ(dialog.GetLines().size(), 1u);

    // Edit changes the selected line through the same check.
    enter = [](LabelBatchPluForm& line) { line.SetQuantityText("12"); };
    dialog.OnEdit();
    EXPECT_EQ(dialog.GetLines(), (std::vector<BatchLine>{{123, 12}}));

    // A line of a PLU no longer on file says so.
    auto stale = BatchForm({{999, 1}}, {}, {});
    EXPECT_EQ(stale.GetRowTexts(0).at(1), "<PLU not on file>");
}

TEST_F(LabelBatchFormsTest, LinesMoveByDragAndTakeQuantitiesTypedInPlace)
{
    auto dialog = BatchForm({{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {}, {});
    dialog.OnDrop(0, 45, 20);  // released over the third row
    EXPECT_EQ(dialog.GetLines(), (std::vector<BatchLine>{{2, 2}, {3, 3}, {1, 1}, {4, 4}}));
    EXPECT_EQ(dialog.GetSelection(), 2);
    dialog.OnDrop(3, 500, 20);  // below the last row: the last row
    dialog.OnDrop(1, -30, 20);  // above the first: the first
    EXPECT_EQ(dialog.GetLines(), (std::vector<BatchLine>{{3, 3}, {2, 2}, {1, 1}, {4, 4}}));

    dialog.SetQuantityText(0, "12");
    dialog.SetQuantityText(1, "x5");
    dialog.SetQuantityText(2, "12345");
    EXPECT_EQ(dialog.GetLines(), (std::vector<BatchLine>{{3, 12}, {2, 2}, {1, 1}, {4, 4}}));

    dialog.SetSelection(1);
    dialog.OnDelete();
    EXPECT_EQ(dialog.GetLines().size(), 3u);
    EXPECT_EQ(dialog.GetSelection(), 1);
    dialog.SetNumberText("0");
    EXPECT_FALSE(dialog.OnEnd(BatchEditEnd::Save));

    std::vector<BatchLine> full(99, BatchLine{1, 1});
    EXPECT_FALSE(BatchForm(full, {}, {}).CanAdd());
}

TEST_F(LabelBatchFormsTest, LabelBatchPluTakesNumbersOnlyAndShowsThePlusWeightAndPrice)
{
    AddPlu(123, "Bread", 1, 399);
    LabelBatchPluForm line(m_database.GetPluTable(), Batches().GetRoles().rules, 7, 1, [](std::uint32_t initial) {
        EXPECT_EQ(initial, 12u);
        return std::optional<std::uint32_t>(123);
    });
    EXPECT_EQ(line.GetPriceText(), "");
    line.SetPluText("12");
    line.OnSelect();
    EXPECT_EQ(line.GetPluText(), "123");
    EXPECT_EQ(line.GetPriceText(), "399");
    line.SetQuantityText("two");
    EXPECT_FALSE(line.OnOK());
    EXPECT_EQ(line.GetRefusedFocus(), LabelBatchPluForm::Focus::Quantity);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61236});
    line.SetQuantityText(" 3 ");
    EXPECT_TRUE(line.OnOK());
    EXPECT_EQ(line.GetPlu(), 123u);
    EXPECT_EQ(line.GetQuantity(), 3u);
}

}  // namespace
}  // namespace varnel::test
