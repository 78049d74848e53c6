// The import and export commands with the import subsystem recorded: which import the host-format
// switches choose, the file asked for and its filter, nothing imported after a cancelled choice, the
// views refreshed after an import, and the definition lists behind the setup password with the
// general setup saved only after OK.
#include "app/ImportCommands.h"

#include "DocumentFixture.h"
#include "RecordingImportExport.h"
#include "app/MainFrame.h"

#include <filesystem>

namespace varnel::test {
namespace {

class CountingViews final : public IDocumentUi {
public:
    void UpdateAllViews() override { ++m_updates; }
    int m_updates = 0;
};

class ImportCommandsTest : public DocumentTest {
protected:
    ImportCommandsTest() { doc->SetUi(&views); }

    // The filters of the file requests, in order.
    std::vector<std::string> Filters() const
    {
        std::vector<std::string> filters;
        for (const FileRequest& request : prompt.m_fileRequests) filters.push_back(request.filter);
        return filters;
    }

    RecordingImportExport imports;
    CountingViews views;
};

constexpr const char* kHostFilter = "Host Data Files (*.plu) |*.plu|All Files (*.*)|*.*||";
constexpr const char* kCsvFilter = "Host Data Files (*.csv) |*.csv|All Files (*.*)|*.*||";
constexpr const char* kF25Filter = "Price Data Files (*.f25) |*.f25|All Files (*.*)|*.*||";

TEST_F(ImportCommandsTest, TheHostFormatSwitchesChooseTheHostImport)
{
    struct Case {
        std::uint8_t totara;
        std::uint8_t auckland;
        const char* call;
        const char* filter;  // none: no file is asked for
    };
    const Case cases[] = {
        {1, 0, "Totara host /in/a.plu", kHostFilter},
        {1, 1, "Totara host /in/a.plu", kHostFilter},
        {0, 1, "Auckland host /in/a.plu", kHostFilter},
        {0, 0, "host file set", nullptr},
    };
    for (const Case& c : cases) {
        imports.m_calls.clear();
        prompt.m_fileRequests.clear();
        frame.m_setup.m_totaraHostImport = c.totara;
        frame.m_setup.m_kauriAucklandHostImport = c.auckland;
        if (c.filter) prompt.QueueSaveName("/in/a.plu");
        EXPECT_TRUE(ImportHostData(frame.m_setup, *doc, imports));
        EXPECT_EQ(imports.m_calls, std::vector<std::string>{c.call});
        EXPECT_EQ(Filters(), c.filter ? std::vector<std::string>{c.filter} : std::vector<std::string>{}) << c.call;
    }
    EXPECT_EQ(views.m_updates, 4);
}

TEST_F(ImportCommandsTest, PriceFilesGoByTheSwitchesAndACancelledChoiceImportsNothing)
{
    using Target = IImportExport::PriceTarget;
    frame.m_setup.m_kauriAucklandHostImport = 1;
    prompt.QueueSaveName("/in/rrp.csv");
    prompt.QueueSaveName("/in/now.csv");
    EXPECT_TRUE(ImportPriceFile(frame.m_setup, *doc, imports, Target::Rrp));
    EXPECT_TRUE(ImportPriceFile(frame.m_setup, *doc, imports, Target::UnitPrice));

    frame.m_setup.m_kauriAucklandHostImport = 0;
    frame.m_setup.m_totaraHostImport = 1;
    prompt.QueueSaveName("/in/now.f25");
    EXPECT_TRUE(ImportPriceFile(frame.m_setup, *doc, imports, Target::UnitPrice));
    EXPECT_FALSE(ImportPriceFile(frame.m_setup, *doc, imports, Target::Rrp));  // no RRPs in these files
    EXPECT_FALSE(ImportPriceFile(frame.m_setup, *doc, imports, Target::UnitPrice));  // the choice cancelled

    frame.m_setup.m_totaraHostImport = 0;
    EXPECT_FALSE(ImportPriceFile(frame.m_setup, *doc, imports, Target::UnitPrice));
    EXPECT_EQ(imports.m_calls,
              (std::vector<std::string>{"RRPs /in/rrp.csv", "prices /in/now.csv", "Totara prices /in/now.f25"}));
    EXPECT_EQ(Filters(), (std::vector<std::string>{kCsvFilter, kCsvFilter, kF25Filter, kF25Filter}));
    EXPECT_EQ(views.m_updates, 3);
}

TEST(ImportDefinitions, TheListsAskTheSetupPasswordAndSaveTheGeneralSetupAfterOk)
{
    TempDir dir;
    RecordingPrompt prompt;
    CMainFrame frame(dir.Path() + "/");
    RecordingImportExport imports;
    std::vector<std::string> asked;
    const auto refuse = [&asked](const std::string& password) {
        asked.push_back(password);
        return false;
    };
    const auto accept = [](const std::string&) { return true; };

    frame.GeneralSetup().m_setupPasswordInUse = 1;
    frame.GeneralSetup().m_setupPassword = {'S', 'E', 'C', 'R', 'E', 'T', 0, 0, 0};
    EXPECT_FALSE(EditImportDefinitions(frame, imports, ImportDefinitionList::TextImport, refuse));
    EXPECT_EQ(asked, std::vector<std::string>{"SECRET"});
    EXPECT_TRUE(imports.m_calls.empty());
    EXPECT_FALSE(std::filesystem::exists(frame.GetGeneralSetupPath()));

    imports.m_editAnswer = false;
    EXPECT_FALSE(EditImportDefinitions(frame, imports, ImportDefinitionList::TextExport, accept));
    EXPECT_FALSE(std::filesystem::exists(frame.GetGeneralSetupPath()));

    imports.m_editAnswer = true;
    EXPECT_TRUE(EditImportDefinitions(frame, imports, ImportDefinitionList::DatabaseImport, accept));
    EXPECT_TRUE(std::filesystem::exists(frame.GetGeneralSetupPath()));
    EXPECT_EQ(imports.m_calls, (std::vector<std::string>{"edit text exports", "edit database imports"}));
}

}  // namespace
}  // namespace varnel::test
