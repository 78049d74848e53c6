// What the link manager writes of its links: the setup report, the event-log lines of off-line scales,
// link status and results, the compare report, and the PLU lines of jobs not delivered.
#include "comms/manager/IdEnqLinkList.h"

#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgScaleOffline = 20598;  // "Scale [%s] offline"

}  // namespace

void CIdEnqLinkList::WriteSetupReport(std::string& out, const CGeneralSetup& setup) const
{
    if (m_links.empty()) return;
    out += "Scale Comms Setup:\r\n";
    for (const auto& link : m_links) link->WriteSetupDump(out, setup);
    out += "\r\n\r\n";
}

void CIdEnqLinkList::LogOfflineScales(const ScaleDefs* scales)
{
    for (const auto& link : m_links) link->ResetJob();
    const IEventLog& events = Roles().log;
    for (const auto& link : m_links) {
        if (!link->m_enabled || !link->IsLinkSelected(scales)) continue;
        for (const auto& scale : link->m_scales)
            if (scale->m_enabled && link->IsScaleSelected(*scale, scales) && !scale->IsOnline())
                events.WriteEvent(EventGeneral, FormatMessage(kMsgScaleOffline, scale->m_name.c_str()));
    }
}

void CIdEnqLinkList::LogLinkStatus(const CAppEventLog& log) const
{
    log.StartScaleStatusLog();
    int offline = 0;
    int disabled = 0;
    for (const auto& link : m_links) {
        link->LogScaleStatus(log);
        if (!link->m_enabled)
            ++disabled;
        else if (!link->IsAnyScaleOnline())
            ++offline;
    }
    log.LogScaleStatusTotals(static_cast<int>(m_links.size()), offline, disabled);
}

void CIdEnqLinkList::LogUnsentPlus(const CAppEventLog& log)
{
    for (const auto& link : m_links) link->LogUnsentPlus(log);
}

void CIdEnqLinkList::LogCommsResults(const IEventLog& log) const
{
    for (const auto& link : m_links)
        if (link->m_enabled) link->LogCommsResults(log);
}

void CIdEnqLinkList::WriteCommsLog(std::string& out, std::string_view a, std::string_view b, std::uint32_t value,
                                   std::uint32_t count) const
{
    for (const auto& link : m_links)
        if (link->m_enabled) link->WriteCommsLog(out, a, b, value, count);
}

void CIdEnqLinkList::WritePluLogLines(const CAppEventLog& log, std::string& out, const PluLogImport& import) const
{
    for (const auto& link : m_links)
        if (link->m_enabled) link->WritePluLogLines(log, out, import);
}

void CIdEnqLinkList::WriteCompareResultFiles(const ScaleDefs* scales, const CGeneralSetup& setup,
                                             std::string_view directory)
{
    const bool severalScalesPerLink = setup.m_daisyChainedComms != 0;
    for (const auto& link : m_links) {
        if (!link->m_enabled) continue;
        for (const auto& scale : link->m_scales) {
            if (!link->IsScaleSelected(*scale, scales)) {
                scale->ClearCompareLists();
                continue;
            }
            const std::string title = severalScalesPerLink
                                          ? FormatText("%s - %s", link->m_name.c_str(), scale->m_name.c_str())
                                          : link->m_name;
            scale->StartCompareResults(title, directory, m_fs, m_clock);
        }
    }
}

std::vector<const CLinkScale*> CIdEnqLinkList::ComparedScales(const ScaleDefs* scales) const
{
    std::vector<const CLinkScale*> compared;
    for (const auto& link : m_links)
        for (const auto& scale : link->m_scales)
            if (scale->m_enabled && scale->IsOnline() && link->IsScaleSelected(*scale, scales))
                compared.push_back(scale.get());
    return compared;
}

void CIdEnqLinkList::WriteCompareReport(const ScaleDefs* scales, std::string_view directory,
                                        const CAppEventLog& log) const
{
    if (m_links.empty()) return;
    log.WriteEvent(EventGeneral, "Scale vs. Database Compare Results");
    log.WriteEvent(EventContinuation, "Scale                : Not in DB  Not on Scale  Different");
    const std::vector<const CLinkScale*> compared = ComparedScales(scales);
    for (const CLinkScale* scale : compared)
        log.WriteEvent(EventContinuation,
                       FormatText("%-20s : %9d     %9d  %9d", scale->m_name.c_str(),
                                  static_cast<int>(scale->m_notInDatabase.size()),
                                  static_cast<int>(scale->m_notOnScale.size()),
                                  static_cast<int>(scale->m_different.size())));
    for (const CLinkScale* scale : compared)
        if (scale->HasCompareDifferences()) log.AppendFile(scale->GetCompareResultFileName(directory));
}

bool CIdEnqLinkList::ReportCompareResults(const ScaleDefs* scales, std::string_view directory,
                                          const CAppEventLog& log) const
{
    WriteCompareReport(scales, directory, log);
    return std::ranges::any_of(ComparedScales(scales),
                               [](const CLinkScale* scale) { return scale->HasCompareDifferences(); });
}

}  // namespace varnel
