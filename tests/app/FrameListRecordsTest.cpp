// The frame's lists as links and conversions reach them: operators sent by a job and received from
// a scale come back as they went; a keyboard of a system type starts from that type's template.
#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "comms/idenq/LinkScale.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

namespace varnel {
namespace {

using test::FakeClock;
using test::TempDir;

TEST(FrameListRecords, AnOperatorSentByAJobIsReadBackFromTheScalesRecord)
{
    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 9, 14, 5, 7}};
    CMainFrame sender{dir.Path() + "/", RealFileSystem(), clock};
    MainFrameModel senderModel{sender};
    auto anna = std::make_unique<COperator>();
    anna->m_id = 7;
    anna->m_name = "Anna";
    sender.Operators().SetOperator(std::move(anna));

    CLinkScale scale;
    scale.m_scaleType = 10;
    std::array<std::uint8_t, 512> buffer{};
    ScaleRecordOut out{buffer};
    KeyCursor cursor = 1;
    KeyCursor key = 0;
    ASSERT_TRUE(senderModel.NextListJobRecord(SendOperators, scale, sender, cursor, 10, out, key));
    EXPECT_EQ(key, 7);
    EXPECT_FALSE(senderModel.NextListJobRecord(SendKeyboardKeys, scale, sender, cursor, 10, out, key));

    CMainFrame receiver{dir.Path() + "/", RealFileSystem(), clock};
    MainFrameModel receiverModel{receiver};
    // The scale sends the record back without its 8-byte header.
    const std::span<const std::uint8_t> record(buffer.data() + 8, out.length - 8u);
    EXPECT_FALSE(receiverModel.StoreListRecord(6, scale, record));  // keyboards are not kept yet
    ASSERT_TRUE(receiverModel.StoreListRecord(13, scale, record));
    ASSERT_NE(receiver.Operators().Find(7), nullptr);
    EXPECT_EQ(receiver.Operators().Find(7)->m_name, "Anna");
}

TEST(FrameListRecords, EachSystemTypeTakesItsTemplateKeyboard)
{
    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 9, 14, 5, 7}};
    CMainFrame frame{dir.Path() + "/", RealFileSystem(), clock};
    const struct {
        std::uint16_t sysType;
        std::size_t keyboard;
    } cases[] = {{6, 1}, {8, 2}, {0, 3}, {7, 3}, {2, 4}, {12, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(&frame.GetLayoutKeyboard(c.sysType), &frame.Keyboard(c.keyboard)) << "type " << c.sysType;
}

}  // namespace
}  // namespace varnel
