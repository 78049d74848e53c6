// "Scale vs. Database Compare Result" on screen over CompareResultForm: for one scale (the three
// counts) or for a list of scales (a row each, "Synchronize All Scales"); "View Result Log...",
// "Synchronize Scale" and "Close".
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace varnel {

class CompareResultForm;

class CCompareResultDlg final : public QDialog {
    Q_OBJECT
public:
    CCompareResultDlg(CompareResultForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    void Update();
    void AfterAction();

    CompareResultForm& m_form;
    CodePage m_codePage;
    QTreeWidget* m_list = nullptr;
    QLabel* m_title = nullptr;
    std::array<QLabel*, 3> m_counts{};
};

}  // namespace varnel
