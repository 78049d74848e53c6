// The import subsystem for tests: records each call (with its file), answers the list editors as
// told and every import with 0.
#pragma once

#include "app/ImportCommands.h"

#include <string>
#include <vector>

namespace varnel::test {

class RecordingImportExport final : public IImportExport {
public:
    bool EditTextImportDefinitions() override { return Record("edit text imports", m_editAnswer); }
    bool EditTextExportDefinitions() override { return Record("edit text exports", m_editAnswer); }
    bool EditDatabaseImportSettings() override { return Record("edit database imports", m_editAnswer); }
    void ExportNow(CVrn3Doc&) override { m_calls.push_back("export now"); }
    void ImportTextNow(CVrn3Doc&) override { m_calls.push_back("text import now"); }
    void ImportDatabaseNow(CVrn3Doc&) override { m_calls.push_back("database import now"); }
    MessageId ImportTotaraHostFile(const std::string& file) override { return Run("Totara host " + file); }
    MessageId ImportHostFileSet() override { return Run("host file set"); }
    MessageId ImportKauriAucklandHostFile(const std::string& file) override { return Run("Auckland host " + file); }
    MessageId ImportPriceFile(CVrn3Doc&, const std::string& file, PriceTarget target) override
    {
        return Run((target == PriceTarget::Rrp ? "RRPs " : "prices ") + file);
    }
    MessageId ImportTotaraPriceFile(CVrn3Doc&, const std::string& file) override { return Run("Totara prices " + file); }

    std::vector<std::string> m_calls;
    bool m_editAnswer = true;

private:
    bool Record(const std::string& call, bool answer)
    {
        m_calls.push_back(call);
        return answer;
    }
    MessageId Run(const std::string& call)
    {
        m_calls.push_back(call);
        return 0;
    }
};

}  // namespace varnel::test
