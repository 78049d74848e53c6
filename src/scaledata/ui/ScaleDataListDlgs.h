// The list dialogs of the scale-data texts, each the list dialog (CSelectionListDlg) over its form,
// running its edit dialog for Add and Edit:
//   CExMsgListDlg     "Select Extra Message" (template 317): the tabs 1000 above the list and the
//                     sort combo 1276 ("Msg. No.", "Description")
//   CPopMsgListDlg    pop-up and origin messages
//   CShortMsgListDlg  storage temperatures and instructions
//   CRuxDeptListDlg   department and group names
#pragma once

#include "pluedit/ui/ScreenFont.h"
#include "pluedit/ui/SelectionListDlg.h"

class QComboBox;
class QTabBar;

namespace varnel {

class ExMsgListForm;
class PopMsgListForm;
class RuxDeptListForm;
class ShortMsgListForm;

class CExMsgListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CExMsgListDlg(ExMsgListForm& form, CodePage codePage, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    ExMsgListForm& m_form;
    CodePage m_codePage;
    QtLabelTextMeasure m_measure;
    QTabBar* m_tabs;
    QComboBox* m_sort;
};

class CPopMsgListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CPopMsgListDlg(PopMsgListForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    QtLabelTextMeasure m_measure;
};

class CShortMsgListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CShortMsgListDlg(ShortMsgListForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    QtLabelTextMeasure m_measure;
};

class CRuxDeptListDlg final : public CSelectionListDlg {
    Q_OBJECT
public:
    CRuxDeptListDlg(RuxDeptListForm& form, CodePage codePage, QWidget* parent = nullptr);
};

}  // namespace varnel
