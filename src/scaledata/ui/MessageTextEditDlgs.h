// The edit dialogs of messages (CEditExMsg, "Edit Message"), pop-up and origin messages
// (CEditPopMsgDlg, "Edit POP Message") and storage texts (CEditShortMsgDlg, "Edit Short Message").
// They share one host of the label text editor: its strip of controls (font combo 1049, the style
// buttons, "Format..." 1124, the width combo 1054 offering the configured label widths), a sunken frame
// round the editor, the caption 1057 and the printed length 1058; and the number edit 1177 with, where
// the dialog has one, the name edit 1047. OK runs the form's checks; a refusal puts the focus back.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace varnel {

class CLabelTextEdit;
class CLabelTextStrip;
class EditExMsgForm;
class EditPopMsgForm;
class EditShortMsgForm;
class MessageTextEditForm;

class CMessageTextEditDlg : public QDialog {
    Q_OBJECT
public:
    CMessageTextEditDlg(MessageTextEditForm& form, CodePage codePage, QWidget* parent);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    CLabelTextEdit& Editor() const { return *m_editor; }

private:
    void ShowLength();

    MessageTextEditForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_number;
    QLineEdit* m_name = nullptr;
    CLabelTextEdit* m_editor;
    CLabelTextStrip* m_strip;
    QLabel* m_length;
};

// Escape in its editor cancels it, as it does nowhere else.
class CEditExMsg final : public CMessageTextEditDlg {
    Q_OBJECT
public:
    CEditExMsg(EditExMsgForm& form, CodePage codePage, QWidget* parent = nullptr);
};

class CEditPopMsgDlg final : public CMessageTextEditDlg {
    Q_OBJECT
public:
    CEditPopMsgDlg(EditPopMsgForm& form, CodePage codePage, QWidget* parent = nullptr);
};

class CEditShortMsgDlg final : public CMessageTextEditDlg {
    Q_OBJECT
public:
    CEditShortMsgDlg(EditShortMsgForm& form, CodePage codePage, QWidget* parent = nullptr);
};

}  // namespace varnel
