#include "app/ChildFrames.h"

#include "app/FrameDocument.h"
#include "settings/UserSetupList.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class StubDocument final : public IFrameDocument {
public:
    std::string GetTitle() const override { return "Shop.pld"; }
    bool IsBatchMode() const override { return m_batchMode; }
    std::string GetBatchFilePath() const override { return "/data/batches/Monday.bch"; }
    int GetReportKind() const override { return 0; }
    bool SaveModified() override
    {
        ++m_saveQuestions;
        return m_agreesToClose;
    }
    void CloseEditorWindows() override { ++m_editorsClosed; }

    bool m_batchMode = false;
    bool m_agreesToClose = true;
    int m_saveQuestions = 0;
    int m_editorsClosed = 0;
};

constexpr DialogUnits kUnits{8, 16};  // 2 pixels a unit both ways

TEST(ChildFramePlacementTest, PluListGrowsToTheSavedSizeOnly)
{
    const ScreenMetrics screen{1280, 1024, 16, 1, 27};
    const PlacementRect form = ChildFramePlacement(ChildFrameKind::PluList, screen, kUnits).rect;
    EXPECT_EQ(form, (PlacementRect{0, 0, 684 + 22, 532 + 70 + 31}));
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::PluList, screen, kUnits, std::pair{300, 200}).rect, form);
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::PluList, screen, kUnits, std::pair{900, 700}).rect,
              (PlacementRect{0, 0, 900, 700}));
    // Never taller than the screen less 20 pixels; maximised on a screen below 810 pixels.
    const ChildPlacement small = ChildFramePlacement(ChildFrameKind::PluList, {800, 600, 16, 1, 27}, kUnits);
    EXPECT_EQ(small.rect.bottom, 580);
    EXPECT_EQ(small.show, ShowCommand::Maximized);
}

TEST(ChildFramePlacementTest, FixedAndFormSizedKinds)
{
    const ScreenMetrics wide{1280, 1024, 16, 1, 27};
    const ScreenMetrics narrow{800, 600, 16, 1, 27};
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::Keyboard, wide, kUnits).rect, (PlacementRect{0, 0, 1000, 500}));
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::Keyboard, narrow, kUnits).rect, (PlacementRect{0, 0, 800, 500}));
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::Report, wide, kUnits).rect, (PlacementRect{0, 0, 800, 360}));
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::Scheduler, wide, kUnits).rect,
              (PlacementRect{0, 0, 774 + 22, 426 + 31}));
    EXPECT_EQ(ChildFramePlacement(ChildFrameKind::PluEditor, wide, kUnits).rect,
              (PlacementRect{17, 17, 832 + 55, 572 + 27 + 17 + 4}));
    const ChildPlacement editor = ChildFramePlacement(ChildFrameKind::PluEditor, narrow, kUnits);
    EXPECT_EQ(editor.rect, (PlacementRect{0, 0, 780, 560}));
    EXPECT_EQ(editor.show, ShowCommand::Maximized);
    EXPECT_TRUE(editor.restoreToMaximized);
}

TEST(ChildFrameTitleTest, TitlesAndReportBars)
{
    EXPECT_EQ(PluListTitle("Shop"), "PLU Search - Shop");
    EXPECT_EQ(PluEditorTitle("Shop"), "PLU Edit - Shop");
    EXPECT_EQ(SchedulerTitle("/home/u/My Schedules/day.sch"), "Scheduler - day.sch");
    EXPECT_EQ(KeyboardTitle(), "Edit Keyboard");
    const std::tuple<int, int, const char*, int> reports[] = {
        {0, 0, "PLU Report", 154},          {7, 0, "Production Report - Rewrap", 218},
        {9, 0, "Production Report - Next Day", 154}, {13, 0, "Coupon Report", 154},
        {18, 0, "COMMENT LIST", 154},        {18, 2, "LOT MESSAGE REPORT", 154},
        {23, 0, "FREE MESSAGE #1 LIST", 154}, {29, 0, "GROUP LIST", 154},
        {31, 0, "Production Report - Batch Prod.", 218}, {33, 0, "Production Report", 218},
        {34, 0, "IMAGE LIST", 154},          {35, 0, "MEAT CUT TEST LIST", 218},
    };
    for (const auto& [kind, market, title, bar] : reports) {
        EXPECT_EQ(ReportTitle(kind, market), title) << kind;
        EXPECT_EQ(ReportDialogBar(kind), bar) << kind;
    }
}

TEST(ChildFrameTitleTest, MainFrameTitle)
{
    StubDocument document;
    EXPECT_EQ(MainFrameTitle({"Varnel", "", nullptr}), "Varnel");
    EXPECT_EQ(MainFrameTitle({"Varnel", "ann", &document}), "Varnel - ann - Shop.pld");
    document.m_batchMode = true;
    EXPECT_EQ(MainFrameTitle({"Varnel", "", &document}), "Varnel [Batch Mode] - Monday.bch");
}

TEST(MayClosePluListTest, BatchModeRightsQuestionAndSave)
{
    test::RecordingPrompt prompt;
    StubDocument document;
    document.m_batchMode = true;
    EXPECT_FALSE(MayClosePluList(document, nullptr));
    EXPECT_TRUE(prompt.m_ids.empty());

    document.m_batchMode = false;
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(MayClosePluList(document, nullptr));
    EXPECT_EQ(document.m_saveQuestions, 0);

    document.m_agreesToClose = false;
    EXPECT_FALSE(MayClosePluList(document, nullptr));
    EXPECT_EQ(document.m_editorsClosed, 0);

    document.m_agreesToClose = true;
    EXPECT_TRUE(MayClosePluList(document, nullptr));
    EXPECT_EQ(document.m_editorsClosed, 1);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61260, 61260, 61260}));
}

class StubWork final : public IUnsavedWork {
public:
    bool HasUnsavedChanges() const override { return m_unsaved; }
    bool SaveChanges() override
    {
        ++m_saves;
        return m_saveWorks;
    }
    void DiscardChanges() override { m_unsaved = false; }

    bool m_unsaved = true;
    bool m_saveWorks = true;
    int m_saves = 0;
};

TEST(MayCloseWithUnsavedWorkTest, YesSavesNoDiscardsCancelStays)
{
    test::RecordingPrompt prompt;
    StubWork work;
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(MayCloseWithUnsavedWork(61364, work));
    work.m_saveWorks = false;
    prompt.QueueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(MayCloseWithUnsavedWork(61364, work));  // a failed save keeps the window
    work.m_saveWorks = true;
    prompt.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(MayCloseWithUnsavedWork(61364, work));
    EXPECT_EQ(work.m_saves, 2);
    prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(MayCloseWithUnsavedWork(61414, work));
    EXPECT_FALSE(work.m_unsaved);
    EXPECT_TRUE(MayCloseWithUnsavedWork(61414, work));  // nothing unsaved: no question
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61364, 61364, 61364, 61414}));
}

}  // namespace
}  // namespace varnel
