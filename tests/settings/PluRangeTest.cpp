// Excluded PLU ranges: adding and merging, the numbers they exclude, the rows, the editor and the
// profile file.
#include "SettingsArchive.h"
#include "db/plu/PluDefRec.h"
#include "platform/ArchiveBytes.h"
#include "settings/PluRangeProfile.h"
#include "settings/PluRangeProfileForm.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Ranges = std::vector<std::tuple<std::uint32_t, std::uint32_t, std::string>>;

CPluRangeList Make(const Ranges& ranges)
{
    CPluRangeList list;
    for (const auto& [from, to, comment] : ranges) list.Append(CPluRange(from, to, comment));
    return list;
}

Ranges Contents(const CPluRangeList& list)
{
    Ranges ranges;
    for (std::size_t i = 0; i < list.GetCount(); ++i)
        ranges.emplace_back(list.GetAt(i).m_from, list.GetAt(i).m_to, list.GetAt(i).m_comment);
    return ranges;
}

TEST(PluRangeTest, AddingMergesOverlapsAndKeepsTheOldComment)
{
    struct Case {
        const char* name;
        Ranges before;
        std::uint32_t from, to;
        Ranges after;
        bool combined;
    };
    const Case cases[] = {
        {"inside", {{1, 100, "old"}}, 50, 60, {{1, 100, "old"}}, true},
        {"around", {{100, 200, "old"}}, 1, 500, {{1, 500, "new"}}, false},
        {"over the end", {{100, 200, "old"}}, 150, 250, {{100, 250, "old"}}, true},
        {"over the start", {{100, 200, "old"}}, 50, 150, {{50, 200, "old"}}, true},
        {"touching stays apart", {{1, 10, "a"}, {20, 30, "c"}}, 11, 19, {{1, 10, "a"}, {11, 19, "new"}, {20, 30, "c"}},
         false},
        {"bridging two", {{1, 10, "a"}, {20, 30, "c"}}, 5, 25, {{1, 30, "a"}}, true},
        {"after all", {{1, 10, "a"}}, 40, 50, {{1, 10, "a"}, {40, 50, "new"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPluRangeList list = Make(c.before);
        EXPECT_EQ(list.AddRange(c.from, c.to, "new").combined, c.combined);
        list.Merge();
        EXPECT_EQ(Contents(list), c.after);
    }
}

TEST(PluRangeTest, TheFrameAllowsNumbersOutsideTheActiveRanges)
{
    TestMainFrame frame;
    frame.m_setup.m_maxPluNo = 9999;
    frame.m_access.m_sitePluRanges = Make({{10, 20, ""}, {21, 30, ""}, {100, 100, ""}});
    frame.m_access.ResetPluRanges();
    struct Case {
        std::uint32_t number;
        bool allowed;
        std::uint32_t next;
    };
    for (const Case c : {Case{0, false, 0}, Case{1, true, 1}, Case{9, true, 9}, Case{10, false, 31},
                         Case{25, false, 31}, Case{31, true, 31}, Case{100, false, 101}, Case{9999, true, 9999},
                         Case{10000, false, 10000}}) {
        EXPECT_EQ(frame.IsPluNumberAllowed(c.number), c.allowed) << c.number;
        EXPECT_EQ(frame.NextAllowedPluNumber(c.number), c.next) << c.number;
        CPluDefRec row;
        row.Set(PluCol::PluNo1, static_cast<std::int32_t>(c.number));
        EXPECT_EQ(frame.IsPluRecordAllowed(row), c.allowed) << c.number;
    }
    CPluRangeList toTheEnd = Make({{5, UINT32_MAX, ""}});
    EXPECT_EQ(toTheEnd.NextNotExcluded(7), 0u);  // none left; 0 is never allowed
}

TEST(PluRangeTest, RowsAreAsWideAsTheLargestPluNumber)
{
    const CPluRange range(12, 345, "A comment that is longer than thirty bytes");
    const CharRule kWestern;
    EXPECT_EQ(PluRangeRowText(range, 999999, kWestern), "000012 000345 A comment that is longer than ");
    EXPECT_EQ(PluRangeRowText(range, 9999, kWestern), "0012   0345  A comment that is longer than ");
    EXPECT_EQ(PluRangeRowText(range, 99, kWestern), "0012   0345  A comment that is longer than ");
    EXPECT_EQ(PluRangeRowText(range, 99999, kWestern), "00012  00345 A comment that is longer than ");
    EXPECT_EQ(PluRangeRowText(range, 99999999, kWestern), "00000012 00000345 A comment that is longer than ");
    EXPECT_EQ(PluNumberEntryDigits(999999), 6u);
    EXPECT_EQ(PluNumberEntryDigits(0xFFFFFFFF), 8u);
    EXPECT_EQ(PluNumberEntryDigits(0), 1u);
}

TEST(PluRangeTest, TheEditorTellsOfCombinedRangesAndKeepsASelection)
{
    RecordingPrompt prompt;
    PluRangeProfileForm form(Make({{1, 100, "a"}, {50, 150, "overlapping"}, {300, 400, "c"}}), 9999, CharRule{});
    EXPECT_EQ(form.GetRows(), (std::vector<std::string>{"0001   0150  a", "0300   0400  c"}));

    form.Add(200, 250, "b");
    EXPECT_EQ(form.GetSelection(), std::optional<std::size_t>(1));
    form.Add(220, 230, "inside");
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61291});
    EXPECT_EQ(form.GetRows(), (std::vector<std::string>{"0001   0150  a", "0200   0250  b", "0300   0400  c"}));

    form.Select(0);
    form.EditSelected(500, 600, "moved");
    EXPECT_EQ(form.GetSelection(), std::optional<std::size_t>(2));
    EXPECT_EQ(form.GetRows().back(), "0500   0600  moved");

    form.DeleteSelected();
    EXPECT_EQ(form.GetSelection(), std::optional<std::size_t>(1));
    form.Select(0);
    form.DeleteSelected();
    EXPECT_EQ(form.GetSelection(), std::optional<std::size_t>(0));
    form.DeleteSelected();
    EXPECT_EQ(form.GetSelection(), std::nullopt);
    EXPECT_EQ(form.GetRanges().GetCount(), 0u);
    form.DeleteSelected();  // nothing selected: nothing happens

    EXPECT_FALSE(ValidatePluRange(20, 10));
    EXPECT_TRUE(ValidatePluRange(10, 10));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61291, 61231}));
}

TEST(PluRangeTest, AProfileFileHoldsItsVersionAndTheList)
{
    TempDir dir;
    const std::string path = dir.File("ann.prf");
    const CPluRangeList ranges = Make({{1, 10, "one"}, {20, 30, "two"}});
    ASSERT_TRUE(SavePluRangeProfile(RealFileSystem(), path, ranges));
    const std::vector<std::uint8_t> expected = ArchiveBytes()
                                                   .U32(330)
                                                   .U16(2)
                                                   .NewClass("CPluRange")
                                                   .U32(1)
                                                   .U32(10)
                                                   .Short("one")
                                                   .U16(0x8001)
                                                   .U32(20)
                                                   .U32(30)
                                                   .Short("two");
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);

    CPluRangeList loaded = Make({{5, 6, "replaced"}});
    ASSERT_TRUE(LoadPluRangeProfile(RealFileSystem(), path, loaded));
    EXPECT_EQ(loaded, ranges);
}

TEST(PluRangeTest, ABadProfileChangesNothingAndAFailedSaveSaysSo)
{
    TempDir dir;
    RecordingPrompt prompt;
    const std::string path = dir.File("bad.prf");
    WriteWholeFile(path, std::string("\x4a\x01\x00\x00\x02\x00", 6));  // two ranges announced, none there
    CPluRangeList loaded = Make({{5, 6, "kept"}});
    EXPECT_FALSE(LoadPluRangeProfile(RealFileSystem(), path, loaded));
    EXPECT_FALSE(LoadPluRangeProfile(RealFileSystem(), dir.File("missing.prf"), loaded));
    EXPECT_EQ(Contents(loaded), (Ranges{{5, 6, "kept"}}));

    EXPECT_FALSE(SavePluRangeProfile(RealFileSystem(), dir.File("no/such/dir.prf"), loaded));
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{61265});
}

TEST(PluRangeTest, ListsCopyTheirRanges)
{
    const CPluRangeList site = Make({{1, 2, "x"}});
    CPluRangeList active = site;
    CPluRangeList archived;
    ASSERT_TRUE(Load(archived, Store(active)));
    EXPECT_EQ(archived, site);
    active.RemoveAll();
    EXPECT_EQ(site.GetCount(), 1u);
}

}  // namespace
}  // namespace varnel::test
