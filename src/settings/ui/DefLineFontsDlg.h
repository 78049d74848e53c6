// "Default Line Fonts" over DefLineFontsForm: a tab per font set, "Use Default Line Fonts" and a font
// combo for each of the ten lines, listing the scale fonts of the current family.
#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTabBar;

namespace varnel {

class DefLineFontsForm;

class CDefLineFontsDlg final : public QDialog {
    Q_OBJECT
public:
    CDefLineFontsDlg(DefLineFontsForm& form, const std::vector<std::string>& fontNames, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowSet();
    void TakeSet();

    DefLineFontsForm& m_form;
    QTabBar* m_tabs;
    QCheckBox* m_useDefault;
    std::array<QLabel*, 10> m_labels{};
    std::array<QComboBox*, 10> m_lines{};
};

}  // namespace varnel
