// The file link against a scale played by the test on the master side of a pseudo-terminal, in both
// modes: the replies to each command, the Data Save file received and sent, the served directory and
// the names a scale may not use, time-outs, and the end of a run.
#include "DataSaveFixture.h"
#include "PseudoTerminal.h"

#include "comms/filelink/Qd47ComLink.h"
#include "platform/Archive.h"
#include "support/FakeClock.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>

namespace varnel::test {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kEnd = 1;

// A name as the scale sends it: 8 characters and a 3-character extension, padded with blanks.
Bytes WireName(std::string_view name, std::string_view extension)
{
    Bytes bytes;
    for (std::size_t i = 0; i < 8; ++i) bytes.push_back(i < name.size() ? name[i] : ' ');
    for (std::size_t i = 0; i < 3; ++i) bytes.push_back(i < extension.size() ? extension[i] : ' ');
    return bytes;
}

// A command with a name among its parameters: the bytes before the name, the name, 9 more bytes
// (5 and the DOS date and time for 'A').
Bytes NamedCommand(Bytes head, std::string_view name, std::string_view extension)
{
    const Bytes wire = WireName(name, extension);
    head.insert(head.end(), wire.begin(), wire.end());
    head.resize(head.size() + 9, 0);
    return head;
}

Bytes OpenCommand(std::uint8_t access, std::string_view name, std::string_view extension)
{
    return NamedCommand({'O', access}, name, extension);
}
Bytes ListCommand(std::string_view name, std::string_view extension) { return NamedCommand({'L', 2}, name, extension); }
Bytes DeleteCommand(std::string_view name, std::string_view extension)
{
    return NamedCommand({'D'}, name, extension);
}

// The progress dialog: it starts the run, plays the scale's side and waits for the run's end.
class ScriptedDialog final : public IQd47Dialog {
public:
    // `untilEnd`: the dialog stays open until the run's end; else it closes when the scale's part is done.
    explicit ScriptedDialog(std::function<void()> scale, bool untilEnd = true)
        : m_scale(std::move(scale)), m_untilEnd(untilEnd)
    {
    }

    void Post(std::uint32_t message, std::uintptr_t code, std::intptr_t value) override
    {
        const std::lock_guard lock(m_mutex);
        EXPECT_EQ(message, kQd47Notice);
        m_notices.emplace_back(code, value);
        m_changed.notify_all();
    }
    void RunModal(CQd47ComLink& link) override
    {
        link.StartRun();
        if (m_scale) m_scale();
        if (!m_untilEnd) return link.ClearNotifyWindow();
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 20s, [&] { return Ended(); });
        EXPECT_TRUE(Ended()) << "the run did not end";
    }
    bool Ended() const { return !m_notices.empty() && m_notices.back().first == Qd47RunEnded; }
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> Notices()
    {
        const std::lock_guard lock(m_mutex);
        return m_notices;
    }
    bool WaitEnded(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return Ended(); });
    }

private:
    std::function<void()> m_scale;
    bool m_untilEnd;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> m_notices;
};

class Qd47LinkTest : public DataSaveFixture {
protected:
    void SetUp() override
    {
        DataSaveFixture::SetUp();
        auto pty = PseudoTerminal::Open();
        ASSERT_TRUE(pty.HasValue());
        m_pty = std::move(*pty);
        m_link.m_portName = m_pty.SlaveName();
        m_link.m_traceDirectory = m_dir.Path();
        std::filesystem::create_directory(Served());
    }

    std::string Served() const { return m_dir.File("served"); }

    // The scale's side.
    void Send(const Bytes& bytes) { ASSERT_TRUE(m_pty.Write(bytes).HasValue()); }
    Bytes Expect(std::size_t count)
    {
        Bytes got;
        for (int tries = 0; got.size() < count && tries < 500; ++tries) {
            std::array<std::uint8_t, 512> buffer{};
            const auto read = m_pty.Read(std::span(buffer).first(std::min(buffer.size(), count - got.size())), 20ms);
            if (read) got.insert(got.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*read));
        }
        EXPECT_EQ(got.size(), count);
        return got;
    }
    std::uint8_t Reply() { return Expect(1).at(0); }
    // The 256 bytes of a block the file server sends once its pause is over.
    Bytes PausedBlock()
    {
        for (int tries = 0; tries < 500; ++tries) {
            m_clock.Advance(1s);
            if (m_pty.WaitReadable(5ms).HasValue() && *m_pty.WaitReadable(0ms)) break;
        }
        return Expect(256);
    }
    // Moves time on until the run has ended.
    void RunOutTheClock(ScriptedDialog& dialog)
    {
        for (int tries = 0; tries < 1000 && !dialog.WaitEnded(2ms); ++tries) m_clock.Advance(1s);
    }

    FakeClock m_clock;
    PseudoTerminal m_pty;
    CQd47ComLink m_link{m_clock, RealFileSystem()};
};

TEST_F(Qd47LinkTest, DiskInformationIsThatOfADisketteAndTheEndByteEndsTheRunWell)
{
    ScriptedDialog dialog([&] {
        Send({'I'});
        EXPECT_EQ(Expect(9), (Bytes{0x00, 0x1F, 0x0B, 0x1F, 0x0B, 0x00, 0x02, 0x01, 0x00}));
        Send({kEnd});
    });
    EXPECT_TRUE(m_link.RunSerialComms(Served(), dialog));
    EXPECT_EQ(m_link.GetStatus(), Qd47Done);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61220});
    EXPECT_NE(ReadWholeFile(m_dir.File("QD47Dump.txt")).find("Received command I (49)"), std::string::npos);
}

TEST_F(Qd47LinkTest, AReadBeforeAnyOpenIsRefusedAndEndsTheRunWithAnError)
{
    const std::string file = Write("send.dsv", DataSaveBytes({{"ITEM", "x"}}));
    for (const bool fileServer : {false, true}) {
        m_prompt.m_ids.clear();
        ScriptedDialog dialog([&] {
            Send({'R'});
            EXPECT_EQ(Reply(), 0x02);
        });
        EXPECT_FALSE(fileServer ? m_link.RunSerialComms(Served(), dialog) : m_link.TransferFile(false, file, dialog));
        EXPECT_EQ(m_link.GetStatus(), Qd47Error);
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31491});
    }
}

TEST_F(Qd47LinkTest, AReceivedDataSaveFileHoldsTheScalesFilesAndTheirIndex)
{
    const Bytes block(256, 0xA5);
    const std::string path = m_dir.File("received.dsv");
    ScriptedDialog dialog([&] {
        for (const auto& [name, extension] : {std::pair{"ITEM", "001"}, std::pair{"FOMT", ""}}) {
            Send(OpenCommand(0, name, extension));
            EXPECT_EQ(Reply(), 0x00);
            Bytes write{'W'};
            write.insert(write.end(), block.begin(), block.end());
            Send(write);
            EXPECT_EQ(Reply(), 0x00);
            Send({'C'});
            EXPECT_EQ(Reply(), 0x00);
        }
        Send({kEnd});
    });
    ASSERT_TRUE(m_link.TransferFile(true, path, dialog));
    EXPECT_TRUE(m_link.HasImportableData());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61220});
    const std::string bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 512u + 2 * kDataSaveEntrySize + 2);
    ASSERT_TRUE(m_files.LoadDataSaveFile(path));
    const auto notices = dialog.Notices();
    EXPECT_NE(std::ranges::find(notices, std::pair<std::uintptr_t, std::intptr_t>{Qd47BlockReceived, 512}),
              notices.end());
}

TEST_F(Qd47LinkTest, AFileReceivedForTheDatabaseTakesTheChosenNameAndIsOpenedWhenTheUserWantsIt)
{
    m_frame.m_scaleDataDirectory = m_dir.Path();
    const auto scale = [&] {
        Send(OpenCommand(0, "ITEM", ""));
        EXPECT_EQ(Reply(), 0x00);
        Send({'C'});
        EXPECT_EQ(Reply(), 0x00);
        Send({kEnd});
    };
    const std::string chosen = m_dir.File("shop.dsv");
    WriteWholeFile(chosen, "an older file of that name");
    m_prompt.QueueSaveName(chosen);
    ScriptedDialog dialog(scale);
    ASSERT_TRUE(m_files.ReceiveDataSaveFile(m_link, dialog));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61220, 61245}));
    EXPECT_EQ(m_frame.m_currentDataSaveFile, chosen);
    EXPECT_EQ(m_frame.m_openDataSaveRequests, 1);
    EXPECT_EQ(ReadWholeFile(chosen).size(), kDataSaveEntrySize + 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 3)
        << "the served directory, the trace and the file: nothing left beside it";

    ScriptedDialog again(scale);
    EXPECT_FALSE(m_files.ReceiveDataSaveFile(m_link, again)) << "the save dialog is cancelled";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 3);
}

TEST_F(Qd47LinkTest, AReceivedFileOfLabelFormatsCouponsAndOtherFilesHasNothingToImport)
{
    ScriptedDialog dialog([&] {
        for (const char* name : {"FOMT", "COUP", "LOGO"}) {
            Send(OpenCommand(0, name, ""));
            EXPECT_EQ(Reply(), 0x00);
            Send({'C'});
            EXPECT_EQ(Reply(), 0x00);
        }
        Send({kEnd});
    });
    EXPECT_FALSE(m_link.TransferFile(true, m_dir.File("received.dsv"), dialog));
    EXPECT_FALSE(m_link.HasImportableData());
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61226});
}

TEST_F(Qd47LinkTest, ASectionIsSentInBlocksZeroFilledPastItsEnd)
{
    const std::string items(300, 'i');
    // 345 bytes: the sections, two index entries and the count.
    const std::string path = Write("send.dsv", DataSaveBytes({{"ITEM", items}, {"COUP", "coupons"}}));
    ScriptedDialog dialog([&] {
        Send(OpenCommand(1, "ITEM", "001"));
        EXPECT_EQ(Reply(), 0x00);
        Send({'R'});
        EXPECT_EQ(Expect(257), [] {
            Bytes b{0x00};
            b.resize(257, 'i');
            return b;
        }());
        Send({'R'});
        Bytes second = Expect(257);
        EXPECT_EQ(second[0], 0x00);
        EXPECT_TRUE(std::all_of(second.begin() + 1, second.begin() + 45, [](std::uint8_t c) { return c == 'i'; }));
        EXPECT_TRUE(std::all_of(second.begin() + 45, second.end(), [](std::uint8_t c) { return c == 0; }))
            << "the next section's bytes never go out with this one";
        Send({'R'});
        EXPECT_EQ(Expect(257), Bytes(257, 0x00));
        Send({'C'});
        EXPECT_EQ(Reply(), 0x00);
        Send(OpenCommand(1, "MESG", ""));
        EXPECT_EQ(Reply(), 0x20);
        Send({kEnd});
    });
    EXPECT_TRUE(m_link.TransferFile(false, path, dialog));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61220});
    const auto notices = dialog.Notices();
    EXPECT_NE(std::ranges::find(notices, std::pair<std::uintptr_t, std::intptr_t>{Qd47BlockSent, 256 * 100 / 345}),
              notices.end());
}

TEST_F(Qd47LinkTest, TheFileServerServesOnlyStrictNamesOfItsDirectory)
{
    WriteWholeFile(m_dir.File("secret.txt"), "outside");
    WriteWholeFile(Served() + "/ITEM.001", std::string(300, 'x'));
    WriteWholeFile(Served() + "/LONGERNAME.TXT", "long");
    WriteWholeFile(Served() + "/two words.txt", "blank");
    const Bytes write = [] {
        Bytes w{'W'};
        w.resize(257, 'n');
        return w;
    }();
    ScriptedDialog dialog([&] {
        Send(ListCommand("????????", "???"));
        EXPECT_EQ(Reply(), 0x00);
        const Bytes entry = Expect(21);
        EXPECT_EQ(std::string(entry.begin() + 1, entry.begin() + 12), "ITEM    001");
        EXPECT_EQ(LoadLe32(entry.data() + 17), 300u);
        Send({'L', 1});
        EXPECT_EQ(Reply(), 0x20);
        EXPECT_EQ(Expect(21).at(0), 1) << "the request comes back";

        Send(OpenCommand(1, "item", "001"));
        EXPECT_EQ(Reply(), 0x00) << "names compare without case";
        Send({'R'});
        EXPECT_EQ(Reply(), 0x00);
        EXPECT_EQ(PausedBlock(), Bytes(256, 'x'));
        Send({'C'});
        EXPECT_EQ(Reply(), 0x00);

        Send(OpenCommand(0, "NEW", "DAT"));
        EXPECT_EQ(Reply(), 0x00);
        Send(write);
        EXPECT_EQ(Reply(), 0x00);
        Send({'C'});
        EXPECT_EQ(Reply(), 0x00);

        for (const auto& [name, extension] : {std::pair{"..", ""}, std::pair{"SECRET", "TXT"}, std::pair{"A/B", "C"}}) {
            Send(OpenCommand(1, name, extension));
            EXPECT_EQ(Reply(), 0x20) << name;
        }
        Send(OpenCommand(0, "..", "DAT"));
        EXPECT_EQ(Reply(), 0x02);
        Send(OpenCommand(0, "A B", ""));
        EXPECT_EQ(Reply(), 0x02);

        Send(DeleteCommand("ITEM", "001"));
        EXPECT_EQ(Reply(), 0x00);
        Send(DeleteCommand("..", ""));
        EXPECT_EQ(Reply(), 0x20);
        Send({kEnd});
    });
    EXPECT_TRUE(m_link.RunSerialComms(Served(), dialog));
    EXPECT_EQ(ReadWholeFile(Served() + "/NEW.DAT"), std::string(256, 'n'));
    EXPECT_FALSE(std::filesystem::exists(Served() + "/ITEM.001"));
    EXPECT_EQ(ReadWholeFile(m_dir.File("secret.txt")), "outside");
    EXPECT_TRUE(m_link.HasImportableData() == false) << "NEW.DAT is of no importable kind";
}

TEST_F(Qd47LinkTest, AListingStartedWhileOneIsOpenIsRefusedAndClosesIt)
{
    for (const char* name : {"A.1", "B.1"}) WriteWholeFile(Served() + "/" + name, "a");
    ScriptedDialog dialog([&] {
        Send(ListCommand("*", "*"));
        EXPECT_EQ(Reply(), 0x00);
        EXPECT_EQ(Expect(21).at(1), 'A');
        Send(ListCommand("*", "*"));
        EXPECT_EQ(Reply(), 0x02);
        Send({'L', 1});
        EXPECT_EQ(Reply(), 0x02) << "no listing is open any more";
        Send({kEnd});
    });
    EXPECT_TRUE(m_link.RunSerialComms(Served(), dialog));
}

TEST_F(Qd47LinkTest, AScaleThatFallsSilentWithAFileOpenEndsTheRunWithATimeOut)
{
    ScriptedDialog dialog([&] {
        Send(OpenCommand(0, "ITEM", ""));
        EXPECT_EQ(Reply(), 0x00);
    });
    std::thread clock([&] { RunOutTheClock(dialog); });
    EXPECT_FALSE(m_link.TransferFile(true, m_dir.File("received.dsv"), dialog));
    clock.join();
    EXPECT_EQ(m_link.GetStatus(), Qd47Timeout);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61219});
}

TEST_F(Qd47LinkTest, APortThatCannotBeOpenedEndsTheRunAtOnce)
{
    m_link.m_portName = m_dir.File("no-such-port");
    ScriptedDialog dialog(nullptr);
    EXPECT_FALSE(m_link.RunSerialComms(Served(), dialog));
    EXPECT_EQ(m_link.GetStatus(), Qd47PortNotOpened);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61217});
}

TEST_F(Qd47LinkTest, AFailedReceiveLeavesTheFileItWasToReplaceAsItWasAndNoTemporaryFileBesideIt)
{
    const std::string path = m_dir.File("kept.dsv");
    const std::string before(5000, 'k');
    struct Case {
        const char* name;
        bool portOpens;
        Qd47Status status;
    };
    for (const Case& c : {Case{"the port cannot be opened", false, Qd47PortNotOpened},
                          Case{"the scale falls silent after a block", true, Qd47Timeout}}) {
        WriteWholeFile(path, before);
        m_link.m_portName = c.portOpens ? m_pty.SlaveName() : m_dir.File("no-such-port");
        ScriptedDialog dialog([&] {
            if (!c.portOpens) return;
            Send(OpenCommand(0, "ITEM", ""));
            EXPECT_EQ(Reply(), 0x00);
            Bytes write{'W'};
            write.resize(257, 0x5A);
            Send(write);
            EXPECT_EQ(Reply(), 0x00);
        });
        std::thread clock([&] { RunOutTheClock(dialog); });
        EXPECT_FALSE(m_link.TransferFile(true, path, dialog)) << c.name;
        clock.join();
        EXPECT_EQ(m_link.GetStatus(), c.status) << c.name;
        EXPECT_EQ(ReadWholeFile(path), before) << c.name;
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            if (entry.path().filename().string().starts_with("kept.dsv.")) left.push_back(entry.path().filename());
        EXPECT_TRUE(left.empty()) << c.name << ": " << (left.empty() ? "" : left.front());
    }
}

TEST_F(Qd47LinkTest, ClosingTheLinkStopsAFileServerRunAndItsSettingsAreArchived)
{
    ScriptedDialog dialog(
        [&] {
            Send({'I'});
            Expect(9);
            // The worker's reads of the port end only as the clock moves.
            std::atomic<bool> closed = false;
            std::thread ticker([&] {
                while (!closed) {
                    m_clock.Advance(1s);
                    (void)m_pty.WaitReadable(1ms);
                }
            });
            EXPECT_TRUE(m_link.Close()) << "the port was open";
            closed = true;
            ticker.join();
        },
        false);
    EXPECT_FALSE(m_link.RunSerialComms(Served(), dialog));
    EXPECT_EQ(m_link.GetStatus(), Qd47PortOpen);
    EXPECT_TRUE(m_prompt.m_ids.empty());
    EXPECT_FALSE(m_link.Close());

    m_link.m_baudRate = "19200";
    m_link.m_scaleType = CQd47ComLink::kFileServerMode;
    CArchive out = CArchive::Storing();
    m_link.Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBytes();
    CArchive in = CArchive::Loading(bytes);
    CQd47ComLink loaded;
    loaded.Serialize(in);
    ASSERT_TRUE(in.Ok());
    EXPECT_EQ(loaded.m_baudRate, "19200");
    EXPECT_EQ(loaded.m_portName, m_pty.SlaveName());
    EXPECT_EQ(loaded.m_scaleType, CQd47ComLink::kFileServerMode);
}

}  // namespace
}  // namespace varnel::test
