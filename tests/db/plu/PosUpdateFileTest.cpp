// The POS update file: the line of a changed PLU, lines kept pending while the file is locked or a
// write fails, and the price changes that write them.
#include "PriceZoneDatabase.h"
#include "db/plu/PosUpdateFile.h"
#include "support/FaultInjectingFileSystem.h"

#include <gtest/gtest.h>

#include <map>

namespace varnel::test {
namespace {

// A clock whose waits pass at once, counting the time they would have taken.
class SkippingClock final : public IClock {
public:
    std::chrono::system_clock::time_point WallNow() const override { return {}; }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return m_now; }
    bool WaitUntil(std::condition_variable&, std::unique_lock<std::mutex>&,
                   std::chrono::steady_clock::time_point deadline, const std::function<bool()>& ready) const override
    {
        m_now = std::max(m_now, deadline);
        return ready();
    }
    std::chrono::steady_clock::duration Waited() const { return m_now - std::chrono::steady_clock::time_point{}; }

private:
    mutable std::chrono::steady_clock::time_point m_now{};
};

CPluDefRec MakeRow(std::uint32_t number, std::string_view name, std::int32_t price, std::uint16_t group)
{
    CPluDefRec row;
    InitPluDataDefaults(number, row, CGeneralSetup{}, FieldDefSet{});
    row.SetKey(number);
    row.Set(PluCol::Name, name);
    row.Set(PluCol::UnitPrice, price);
    row.Set(PluCol::Group, group);
    return row;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(PosUpdateLineTest, FieldsAreCutOrPaddedToTheirWidths)
{
    struct Case {
        std::uint32_t number;
        const char* name;
        std::int32_t price;
        std::uint16_t group;
        char kind;
        std::string expected;
    };
    const Case cases[] = {
        {5, "Sirloin", 123, 7, 'C', "5     Sirloin           " + Blanks(12) + "000123007C" + Blanks(34) + "\r\n"},
        {1234567, "Aged rump steak on the bone", 99999, 123, 'D',
         "123456Aged rump steak on" + Blanks(12) + "099999123D" + Blanks(34) + "\r\n"},
    };
    for (const Case& c : cases) {
        const std::string line =
            CPosUpdateFile::FormatLine(MakeRow(c.number, c.name, c.price, c.group), c.kind, TextRules{}.chars);
        EXPECT_EQ(line, c.expected);
        EXPECT_EQ(line.size(), 82u);
    }
}

class PosUpdateFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::uint32_t number : {1u, 2u, 3u}) m_rows[number] = MakeRow(number, "Item", 100 * number, 1);
        m_file.Use(m_fs, m_clock);
    }
    const CPluDefRec* Find(std::uint32_t number) const
    {
        const auto found = m_rows.find(number);
        return found == m_rows.end() ? nullptr : &found->second;
    }
    void Write(const CPluDefRec* row, bool noQueue = false)
    {
        m_file.Write(Path(), TextRules{}.chars, row, 'C', noQueue,
                     [this](std::uint32_t number) { return Find(number); });
    }
    std::string Line(std::uint32_t number) const
    {
        return CPosUpdateFile::FormatLine(m_rows.at(number), 'C', TextRules{}.chars);
    }
    std::string Path() const { return m_dir.File("posupdate.txt"); }
    std::string Contents() const { return m_fs.Exists(Path()) ? ReadWholeFile(Path()) : ""; }
    // Holds the file as a point-of-sale program reading it would.
    std::unique_ptr<IFile> Lock()
    {
        auto locked = RealFileSystem().Open(Path(), FileAccess::OpenAlways, FileShare::DenyWrite);
        EXPECT_TRUE(locked);
        return locked ? std::move(*locked) : nullptr;
    }

    TempDir m_dir;
    FaultInjectingFileSystem m_fs;
    SkippingClock m_clock;
    std::map<std::uint32_t, CPluDefRec> m_rows;
    CPosUpdateFile m_file;
};

TEST_F(PosUpdateFileTest, ALineThatFindsTheFileLockedIsWrittenBeforeTheNextOne)
{
    Write(Find(1));
    {
        const auto lock = Lock();
        Write(Find(2));
        EXPECT_EQ(m_clock.Waited(), std::chrono::steady_clock::duration{});  // queued at once
    }
    EXPECT_EQ(Contents(), Line(1));
    EXPECT_EQ(m_file.GetPending(), (std::vector<CPosUpdateFile::Pending>{{2, 'C'}}));
    Write(Find(3));
    EXPECT_EQ(Contents(), Line(1) + Line(2) + Line(3));
    EXPECT_TRUE(m_file.GetPending().empty());
}

TEST_F(PosUpdateFileTest, WithoutARowOrWithNoQueueTheFileIsTriedThreeTimesAndNothingIsLost)
{
    {
        const auto lock = Lock();
        Write(Find(1));
        Write(nullptr);
        EXPECT_EQ(m_clock.Waited(), std::chrono::milliseconds(1200));
        Write(Find(2), true);
        EXPECT_EQ(m_clock.Waited(), std::chrono::milliseconds(2400));
    }
    m_rows.erase(1);  // a pending PLU that is gone is left out
    Write(nullptr);
    EXPECT_EQ(Contents(), Line(2));
    EXPECT_TRUE(m_file.GetPending().empty());
    Write(nullptr);
    EXPECT_EQ(m_clock.Waited(), std::chrono::milliseconds(2400));  // nothing pending: the file is not opened
}

TEST_F(PosUpdateFileTest, AFailedFileCallKeepsEveryLineNotWrittenPendingAndWholeLinesOnly)
{
    const std::string all = Line(1) + Line(2) + Line(3);
    for (std::uint64_t n = 1;; ++n) {
        SCOPED_TRACE(n);
        (void)RealFileSystem().Remove(Path());
        m_file = CPosUpdateFile();
        m_file.Use(m_fs, m_clock);
        m_file.AddPending(1, 'C');
        m_file.AddPending(2, 'C');
        m_fs.FailAt(n);
        Write(Find(3));
        const bool fired = m_fs.Fired();
        m_fs.FailAt(0);
        const std::string written = Contents();
        ASSERT_EQ(all.compare(0, written.size(), written), 0);
        ASSERT_EQ(written.size() % 82, 0u);
        EXPECT_EQ(written.size() / 82 + m_file.GetPending().size(), 3u);
        Write(nullptr);
        EXPECT_EQ(Contents(), all);
        if (!fired) break;
    }
}

class PriceChangePosLineTest : public PriceZoneDatabase {};

TEST_F(PriceChangePosLineTest, APriceChangeWritesTheLineWhileTheOptionIsOn)
{
    const std::string path = m_dir.File("pos.txt");
    m_frame.m_setup.m_posUpdateFilePath = path;
    AddPlu(5, 100).Set(PluCol::Group, 7);
    ASSERT_TRUE(Plus().ChangePrice(5, 123, 0, false, true));
    EXPECT_FALSE(RealFileSystem().Exists(path));

    m_frame.m_setup.m_posUpdateFileOutput = 1;
    ASSERT_TRUE(Plus().ChangePrice(5, 124, 0, false, true));
    ASSERT_TRUE(Plus().ChangeMarkdownPrice(5, 50, 0, 1, false, true));  // markdowns write none
    EXPECT_EQ(ReadWholeFile(path), "5     Sirloin           " + Blanks(12) + "000124007C" + Blanks(34) + "\r\n");
}

}  // namespace
}  // namespace varnel::test
