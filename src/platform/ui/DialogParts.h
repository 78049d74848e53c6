// Small pieces every settings dialog is built from, so each names its widgets the same way for the
// tests: the OK/Cancel box ("ok", "cancel") and labelled check boxes.
#pragma once

#include <QString>

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace varnel {

// OK (the default button) and Cancel, wired to the dialog's accept() and reject().
QDialogButtonBox* MakeOkCancel(QDialog& dialog, Qt::Orientation orientation = Qt::Horizontal);

// A push button that is never the default.
QPushButton* MakeButton(QWidget& parent, const QString& text, const char* objectName);

QCheckBox* MakeCheckBox(QWidget& parent, const QString& text, const char* objectName, bool checked);

}  // namespace varnel
