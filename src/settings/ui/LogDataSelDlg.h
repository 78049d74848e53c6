// "Select Log Data to View" (259) over LogViewRangeForm: the content ("All events", "User edit
// operations only", "Price changes only", "Text import only") and the days From and To, which "Today
// Only", "Last 7 Days" and "All Data" set at once.
#pragma once

#include <QDialog>

class QButtonGroup;
class QDateEdit;

namespace varnel {

class LogViewRangeForm;

class CLogDataSelDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CLogDataSelDlg(LogViewRangeForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowRange();

    LogViewRangeForm& m_form;
    QButtonGroup* m_content;
    QDateEdit* m_from;
    QDateEdit* m_to;
};

}  // namespace varnel
