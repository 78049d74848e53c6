#include "settings/LogViewRangeForm.h"

#include "settings/AppEventLog.h"
#include "settings/LogLines.h"
#include "settings/LogView.h"

namespace varnel {
namespace {
constexpr double kWeek = 7.0;
}

LogViewRangeForm::LogViewRangeForm(const IClock& clock, std::uint16_t keepDays)
    : m_clock(clock), m_keepDays(keepDays), m_content(LogContentAll)
{
    AllData();
}

void LogViewRangeForm::TodayOnly() { m_from = m_to = LogNow(m_clock); }

void LogViewRangeForm::LastSevenDays()
{
    m_to = LogNow(m_clock);
    m_from = m_to - kWeek;
}

void LogViewRangeForm::AllData()
{
    m_to = LogNow(m_clock);
    m_from = m_to - (m_keepDays + kWeek);
}

double LogViewRangeForm::ViewFrom() const { return DayStart(m_from); }

double LogViewRangeForm::ViewTo() const { return DayEnd(m_to); }

}  // namespace varnel
