// The pages of "Edit User" over one EditUserForm, each showing the form anew with Refresh():
//
//   CUserGeneralPage  "General": "name", "password", "restricted", "priceChanges", "tiedToDatabase"
//                     with "selectDatabase" and its text "databaseText", "useProfile" with
//                     "selectProfile" and "profileText", "fieldSwitches", "priceZone", "copyProfile",
//                     and the permission grid
//   CUserReportsPage  "Reports and Data Import/Export": one box per right ("right0", "right2", ...)
//   CUserRuxPage      "User Settings - TR-5400/RUX Settings": two permission grids
// A grid's boxes are "view<table>", "delete<table>" and "update<table>".
#pragma once

#include "platform/CodePage.h"
#include "settings/EditUserForm.h"

#include <QWidget>

#include <span>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varnel {

// The boxes of a permission grid, kept in step with the form.
class PermissionGrid {
public:
    PermissionGrid(EditUserForm& form, std::span<const PermissionRow> rows, const QString& title, QWidget& parent);
    QGroupBox* Box() const { return m_box; }
    void Refresh();

private:
    struct Cell {
        QCheckBox* box;
        std::size_t table;
        std::uint8_t bit;
    };
    EditUserForm& m_form;
    QGroupBox* m_box;
    std::vector<Cell> m_cells;
};

class CUserGeneralPage final : public QWidget {
    Q_OBJECT
public:
    CUserGeneralPage(EditUserForm& form, CodePage codePage, QWidget* parent);
    void Refresh();
    // Takes the edits' texts into the form.
    void TakeTexts();

signals:
    // The settings of a profile were copied in: every page shows the form anew.
    void Copied();

private:
    void OnSelectDatabase();
    void OnCopyProfile();

    EditUserForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QCheckBox* m_restricted;
    QCheckBox* m_priceChanges;
    QCheckBox* m_tied;
    QPushButton* m_selectDatabase;
    QLabel* m_databaseText;
    QCheckBox* m_useProfile;
    QPushButton* m_selectProfile;
    QLabel* m_profileText;
    QComboBox* m_priceZone;
    PermissionGrid m_grid;
};

class CUserReportsPage final : public QWidget {
    Q_OBJECT
public:
    CUserReportsPage(EditUserForm& form, QWidget* parent);
    void Refresh();

private:
    EditUserForm& m_form;
    std::vector<std::pair<QCheckBox*, UserRight>> m_boxes;
};

class CUserRuxPage final : public QWidget {
    Q_OBJECT
public:
    CUserRuxPage(EditUserForm& form, QWidget* parent);
    void Refresh();

private:
    PermissionGrid m_data;
    PermissionGrid m_settings;
};

}  // namespace varnel
