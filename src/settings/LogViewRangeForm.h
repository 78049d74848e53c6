// The choice of what the event log viewer shows ("Select Log Data to View"): a content and a range of
// days. The dialog shows and edits these values; the viewer gets ViewFrom and ViewTo.
#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace varnel {

class LogViewRangeForm {
public:
    // Opens on all events from keep days plus a week ago to now.
    LogViewRangeForm(const IClock& clock, std::uint16_t keepDays);

    int GetContent() const { return m_content; }
    void SetContent(int content) { m_content = content; }
    double GetFrom() const { return m_from; }
    double GetTo() const { return m_to; }
    void SetFrom(double from) { m_from = from; }
    void SetTo(double to) { m_to = to; }

    // The range buttons.
    void TodayOnly();
    void LastSevenDays();
    void AllData();

    // The start of From's day and the last second of To's day.
    double ViewFrom() const;
    double ViewTo() const;

private:
    const IClock& m_clock;
    std::uint16_t m_keepDays;
    int m_content = 0;
    double m_from = 0.0;
    double m_to = 0.0;
};

}  // namespace varnel
