// "Communication Links" on screen over CommLinksForm, and "Specify New Scale" over NewScaleForm.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varnel {

class CommLinksForm;
class NewScaleForm;

class CCommLinksDlg final : public QDialog {
    Q_OBJECT
public:
    CCommLinksDlg(CommLinksForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    void Act(bool (CommLinksForm::*operation)());
    void Update();

    CommLinksForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
    QPushButton* m_close;
};

class CNewScaleDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CNewScaleDlg(NewScaleForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void Update();

    NewScaleForm& m_form;
    std::array<QRadioButton*, 4> m_kinds{};
    std::array<std::array<QLineEdit*, 4>, 2> m_addresses{};
    std::array<QComboBox*, 2> m_ports{};
};

}  // namespace varnel
