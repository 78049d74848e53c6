// "Edit Advertising Messages" on screen: the list of the nine messages (CEditScrollMsgsDlg, dialog 102:
// list box 1005, Edit 1006, Delete 1003, Close 1011) and its two editors, the simple one
// (CEditScrollMsgDlg, dialog 103: edits 1007, 1002, 1016, 1015 and "Scroll message?" 1010) and the
// extended one (CEditScrollMsgExDlg, dialog 171: text 1176, "Consecutive Message?" 1175, "Display
// Mode" 1172, "Display Day" 1173, the hours 1080 and 1084, "Display Text Inverted?" 1177, "Size"
// 1213, "Speed" 1214, "Display" 1215, "No. Times to Flash" 1216).
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varnel {

class EditScrollMsgExForm;
class EditScrollMsgForm;
class EditScrollMsgsForm;

class CEditScrollMsgsDlg final : public QDialog {
    Q_OBJECT
public:
    CEditScrollMsgsDlg(EditScrollMsgsForm& form, CodePage codePage, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill();
    void Edit();

    EditScrollMsgsForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
    QPushButton* m_delete;
};

class CEditScrollMsgDlg final : public QDialog {
    Q_OBJECT
public:
    CEditScrollMsgDlg(EditScrollMsgForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    // Shows the edits of the form's layout with their texts.
    void Layout();
    // Hands the shown edits' texts to the form.
    void ReadBack();

    EditScrollMsgForm& m_form;
    CodePage m_codePage;
    std::array<QLineEdit*, 4> m_edits{};
    QCheckBox* m_scroll;
};

class CEditScrollMsgExDlg final : public QDialog {
    Q_OBJECT
public:
    CEditScrollMsgExDlg(EditScrollMsgExForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void UpdateEnabling();

    EditScrollMsgExForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_text;
    QCheckBox* m_consecutive;
    QComboBox* m_mode;
    QComboBox* m_day;
    QLineEdit* m_start;
    QLineEdit* m_end;
    QCheckBox* m_inverted;
    QComboBox* m_size;
    QComboBox* m_speed;
    QComboBox* m_flash;
    QComboBox* m_flashes;
};

}  // namespace varnel
