// A report maker for tests: it records the report types it was asked for, and every report fails to
// prepare, so no report window opens.
#pragma once

#include "app/Reports.h"

#include <memory>
#include <vector>

namespace varnel::test {

class CountingReportMaker final : public IReportMaker {
public:
    class Report final : public IReport {
    public:
        explicit Report(std::vector<int>& types) : m_types(types) {}
        bool Prepare(int type) override
        {
            m_types.push_back(type);
            return false;
        }

    private:
        std::vector<int>& m_types;
    };
    std::unique_ptr<IReport> MakeReport(ReportObject, CVrn3Doc&) override { return std::make_unique<Report>(m_types); }
    std::vector<int> m_types;
};

}  // namespace varnel::test
