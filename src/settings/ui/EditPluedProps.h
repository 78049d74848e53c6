// "Properties": the Options sheet, its pages as tabs over one OptionsValues. Changing tabs takes the
// page left (a refusal keeps it); OK takes every page and ends the sheet only when all of them agree.
#pragma once

#include "settings/ui/OptionsPages.h"

#include <QDialog>

#include <vector>

class QTabWidget;

namespace varnel {

class CEditPluedProps final : public QDialog {
    Q_OBJECT
public:
    CEditPluedProps(OptionsValues& values, const OptionsSheetContext& context, QWidget* parent = nullptr);

    void accept() override;
    QTabWidget* Tabs() const { return m_tabs; }

private:
    void OnTabChanged(int index);

    QTabWidget* m_tabs;
    std::vector<COptionsPage*> m_pages;
    int m_current = 0;
    bool m_reverting = false;
};

}  // namespace varnel
