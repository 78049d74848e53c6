// A document over a test host: a frame, a prompt that answers from a script, a temporary directory,
// the link manager on a test clock, and helpers that write database files at any version.
#pragma once

#include "app/Vrn3Doc.h"
#include "comms/manager/IdEnqLinkList.h"
#include "keyboards/KeyboardList.h"
#include "settings/MasterScale.h"
#include "support/FakeClock.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace varnel::test {

class TestDocumentHost final : public IDocumentHost {
public:
    TestDocumentHost(TestMainFrame& frame, IClock& clock) : m_frame(frame), m_links(clock, RealFileSystem()) {}

    RunMode GetRunMode() const override { return m_runMode; }
    DocumentSwitches GetDocumentSwitches() const override { return m_switches; }
    void RegisterDocument(CVrn3Doc* document) override { m_frame.m_document = document; }
    std::string GetLastDatabasePath() const override { return m_lastPath; }
    void SetLastDatabasePath(const std::string& path) override { m_lastPath = path; }
    CMasterScale* GetCurrentDepartment() const override { return m_department.get(); }
    std::string GetBackupDirectory() const override { return m_backupDirectory; }
    CIdEnqLinkList& GetLinks() override { return m_links; }
    LinkRoles GetLinkRoles() override { return LinkRoles::Of(m_frame); }
    void SetLinksStarted(bool started) override { m_linksStarted = started; }
    std::string GetDatabaseFilter() const override { return "Varnel database (*.pld) |*.pld||"; }
    std::string GetDatabaseExtension() const override { return "pld"; }
    CKeyboardList* GetKeyboardList() override { return &m_keyboards; }
    const CKeyboard* GetLayoutKeyboard(std::uint16_t sysType) const override
    {
        const auto found = m_layouts.find(sysType);
        return found == m_layouts.end() ? nullptr : &found->second;
    }
    bool NextLumenKeyboardRecord(const CLinkScaleSettings&, std::size_t& position, std::span<std::uint8_t> buffer,
                                 std::uint32_t& length) override
    {
        if (position >= m_lumenKeyboards.size()) return false;
        const std::string& record = m_lumenKeyboards[position++];
        std::copy(record.begin(), record.end(), reinterpret_cast<char*>(buffer.data()));
        length = static_cast<std::uint32_t>(record.size());
        return true;
    }
    bool StoreLumenListRecord(std::uint32_t kind, const CLinkScaleSettings& scale,
                              std::span<const std::uint8_t>) override
    {
        m_lumenListKinds.emplace_back(kind, scale.m_scaleNo);
        return true;
    }
    bool StoreListRecord(std::uint16_t dataKind, CLinkScale&, std::span<const std::uint8_t>) override
    {
        m_listKinds.push_back(dataKind);
        return true;
    }

    RunMode m_runMode = RunMode::Normal;
    DocumentSwitches m_switches;
    std::string m_lastPath;
    std::unique_ptr<CMasterScale> m_department;
    std::string m_backupDirectory;
    bool m_linksStarted = false;
    std::vector<std::uint16_t> m_listKinds;
    CKeyboardList m_keyboards;
    std::vector<std::string> m_lumenKeyboards;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> m_lumenListKinds;  // command index, scale
    std::map<std::uint16_t, CKeyboard> m_layouts;

private:
    TestMainFrame& m_frame;
    CIdEnqLinkList m_links;
};

// One record of a database fixture: table, key and data bytes.
struct FixtureRow {
    std::uint16_t table;
    std::uint32_t key;
    std::string data;
};

// A ".pld" file of `version`, its records in the 10-byte-header layout for the versions that use it.
std::string PldImage(std::uint16_t version, const std::vector<FixtureRow>& rows);
// An ".mdb" file stamped with `version`, written by the record store at that version.
void WriteMdb(const std::string& path, std::uint16_t version, const std::vector<FixtureRow>& rows);
// A data block of `size` bytes with `bytes` placed at their offsets.
std::string DataBlock(std::size_t size, const std::map<std::size_t, std::string>& bytes);
std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);
// The data bytes of a record of the database file at `path`, read by a fresh store; empty when absent.
std::string StoredData(const std::string& path, std::uint16_t table, std::uint32_t key);
std::uint16_t StoredVersion(const std::string& path);
// `size` bytes of `data` from `offset`; "<short>" when the data ends before.
std::string Slice(const std::string& data, std::size_t offset, std::size_t size);

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest()
    {
        frame.m_setup.m_onlineComms = 0;
        frame.m_scaleDataDirectory = dir.Path();
    }
    ~DocumentTest() override { doc.reset(); }

    // The prompt's messages by number (0 for texts outside the table).
    const std::vector<MessageId>& Shown() const { return prompt.m_ids; }

    TestMainFrame frame;
    RecordingPrompt prompt;
    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 9, 10, 0, 0}};
    TestDocumentHost host{frame, clock};
    std::unique_ptr<CVrn3Doc> doc = std::make_unique<CVrn3Doc>(host, RealFileSystem(), clock);
};

}  // namespace varnel::test
