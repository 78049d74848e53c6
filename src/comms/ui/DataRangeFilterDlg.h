// "Data Range Filter" on screen over DataRangeFilterForm: the data type, From and To (with the note on
// department and group codes), OK (enabled once a type is chosen) and Cancel.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class DataRangeFilterForm;

class CDataRangeFilterDlg final : public QDialog {
    Q_OBJECT
public:
    CDataRangeFilterDlg(DataRangeFilterForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void Update();

    DataRangeFilterForm& m_form;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QWidget* m_note;
    QWidget* m_ok = nullptr;
};

}  // namespace varnel
