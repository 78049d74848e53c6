// Pieces the communication windows are built from (besides the entry fields' buttons): combos and report lists filled
// from the models' texts (bytes in the store's code page), and the model's wake as a queued call.
#pragma once

#include "platform/CodePage.h"
#include "settings/ui/EntryFields.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QObject;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace varnel {

QComboBox* MakeCombo(QWidget& parent, const char* objectName, const std::vector<std::string>& items,
                     CodePage codePage = CodePage::Western);
QLineEdit* MakeLineEdit(QWidget& parent, const char* objectName, const QString& text, int widthChars);
// The four boxes of an IP address (three digits each, dots between them) at the left of a row; the
// boxes go into `edits`.
QHBoxLayout* MakeAddressRow(QWidget& parent, const std::array<const char*, 4>& objectNames,
                            const std::array<std::uint16_t, 4>& address, std::array<QLineEdit*, 4>& edits);
// A report list of full rows, its columns `percents` per cent of `widthUnits` dialog units wide.
QTreeWidget* MakeReportList(QWidget& parent, const char* objectName, const std::vector<QString>& headers,
                            std::span<const int> percents, int widthUnits);
// Rows of texts; the selection as given.
void FillReportList(QTreeWidget& list, const std::vector<std::vector<std::string>>& rows,
                    std::optional<std::size_t> selection, CodePage codePage);
void FillList(QListWidget& list, const std::vector<std::string>& rows, std::optional<std::size_t> selection,
              CodePage codePage);
std::optional<std::size_t> SelectedRow(const QTreeWidget& list);
std::optional<std::size_t> SelectedRow(const QListWidget& list);
// The model's wake: a call of `handle` queued onto `receiver`'s thread, dropped when it is gone.
std::function<void()> QueuedWake(QObject* receiver, std::function<void()> handle);
// A modal dialog shows itself minimized while the main window is (its first showing).
void MinimizeWithMainWindow(QDialog& dialog);

}  // namespace varnel
