// The log range dialog.
#include "settings/ui/LogDataSelDlg.h"

#include "platform/OleDate.h"
#include "platform/ui/DialogParts.h"
#include "settings/LogViewRangeForm.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace varnel {
namespace {

QDate ToQDate(double oleDate)
{
    const auto parts = OleDateToParts(oleDate);
    return parts ? QDate(parts->year, parts->month, parts->day) : QDate::currentDate();
}

// The day's start; the form takes the start of From's day and the end of To's.
double ToOleDate(const QDate& date)
{
    return PartsToOleDate({date.year(), date.month(), date.day(), 0, 0, 0}).value_or(0.0);
}

QDateEdit* DateEntry(QWidget& parent, const char* objectName)
{
    auto* entry = new QDateEdit(&parent);
    entry->setObjectName(objectName);
    entry->setCalendarPopup(true);
    entry->setDisplayFormat("MM/dd/yyyy");
    return entry;
}

}  // namespace

CLogDataSelDlg::CLogDataSelDlg(LogViewRangeForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("logDataSelDialog");
    setWindowTitle("Select Log Data to View");
    auto* contentGroup = new QGroupBox("Log Content", this);
    auto* contentLayout = new QVBoxLayout(contentGroup);
    m_content = new QButtonGroup(this);
    const struct {
        const char* text;
        const char* name;
        int content;
    } contents[] = {{"All events", "allEvents", 0},
                    {"User edit operations only", "userEdits", 2},
                    {"Price changes only", "priceChanges", 4},
                    {"Text import only", "textImport", 3}};
    for (const auto& c : contents) {
        auto* button = new QRadioButton(c.text, contentGroup);
        button->setObjectName(c.name);
        button->setChecked(c.content == form.GetContent());
        m_content->addButton(button, c.content);
        contentLayout->addWidget(button);
    }

    auto* rangeGroup = new QGroupBox("Log Range", this);
    m_from = DateEntry(*rangeGroup, "from");
    m_to = DateEntry(*rangeGroup, "to");
    auto* dates = new QFormLayout;
    dates->addRow("From", m_from);
    dates->addRow("To", m_to);
    auto* presets = new QVBoxLayout;
    const auto preset = [&](const char* text, const char* name, std::function<void()> set) {
        QPushButton* button = MakeButton(*rangeGroup, text, name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, set = std::move(set)] {
            set();
            ShowRange();
        });
        presets->addWidget(button);
    };
    preset("Today Only", "todayOnly", [this] { m_form.TodayOnly(); });
    preset("Last 7 Days", "lastSevenDays", [this] { m_form.LastSevenDays(); });
    preset("All Data", "allData", [this] { m_form.AllData(); });
    auto* rangeLayout = new QHBoxLayout(rangeGroup);
    rangeLayout->addLayout(dates);
    rangeLayout->addLayout(presets);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(contentGroup);
    layout->addWidget(rangeGroup);
    layout->addWidget(MakeOkCancel(*this));
    ShowRange();
}

void CLogDataSelDlg::ShowRange()
{
    m_from->setDate(ToQDate(m_form.GetFrom()));
    m_to->setDate(ToQDate(m_form.GetTo()));
}

void CLogDataSelDlg::accept()
{
    m_form.SetContent(m_content->checkedId());
    m_form.SetFrom(ToOleDate(m_from->date()));
    m_form.SetTo(ToOleDate(m_to->date()));
    QDialog::accept();
}

}  // namespace varnel
