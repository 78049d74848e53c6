#include "comms/ui/CommsViewParts.h"

#include "platform/ui/CodePageText.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace varnel {

QComboBox* MakeCombo(QWidget& parent, const char* objectName, const std::vector<std::string>& items, CodePage codePage)
{
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(objectName);
    for (const std::string& item : items) combo->addItem(ToDisplayText(item, codePage));
    return combo;
}

QLineEdit* MakeLineEdit(QWidget& parent, const char* objectName, const QString& text, int widthChars)
{
    auto* edit = new QLineEdit(text, &parent);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * widthChars);
    return edit;
}

QHBoxLayout* MakeAddressRow(QWidget& parent, const std::array<const char*, 4>& objectNames,
                            const std::array<std::uint16_t, 4>& address, std::array<QLineEdit*, 4>& edits)
{
    constexpr int kOctetChars = 6;  // three digits and the box's margins
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        edits[i] = MakeLineEdit(parent, objectNames[i], QString::number(address[i]), kOctetChars);
        edits[i]->setMaxLength(3);
        edits[i]->setMaximumWidth(edits[i]->minimumWidth());
        row->addWidget(edits[i]);
        if (i + 1 < edits.size()) row->addWidget(new QLabel(".", &parent));
    }
    row->addStretch(1);
    return row;
}

QTreeWidget* MakeReportList(QWidget& parent, const char* objectName, const std::vector<QString>& headers,
                            std::span<const int> percents, int widthUnits)
{
    auto* list = new QTreeWidget(&parent);
    list->setObjectName(objectName);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->setHeaderLabels(QStringList(headers.begin(), headers.end()));
    list->header()->setStretchLastSection(true);
    // A dialog unit across is a quarter of the font's average character.
    const int unit = list->fontMetrics().averageCharWidth();
    int total = 0;
    for (std::size_t i = 0; i < percents.size(); ++i) {
        // At least the heading's own width, so no heading is cut.
        const int width = std::max(percents[i] * widthUnits * unit / 400,
                                   list->fontMetrics().horizontalAdvance(headers[i]) + unit * 3);
        list->setColumnWidth(static_cast<int>(i), width);
        total += width;
    }
    list->setMinimumWidth(total + 4);
    return list;
}

void FillReportList(QTreeWidget& list, const std::vector<std::vector<std::string>>& rows,
                    std::optional<std::size_t> selection, CodePage codePage)
{
    const QSignalBlocker quiet(list);
    list.clear();
    for (const auto& row : rows) {
        QStringList cells;
        for (const std::string& cell : row) cells << ToDisplayText(cell, codePage);
        list.addTopLevelItem(new QTreeWidgetItem(cells));
    }
    if (selection && *selection < rows.size()) list.setCurrentItem(list.topLevelItem(static_cast<int>(*selection)));
}

void FillList(QListWidget& list, const std::vector<std::string>& rows, std::optional<std::size_t> selection,
              CodePage codePage)
{
    const QSignalBlocker quiet(list);
    list.clear();
    for (const std::string& row : rows) list.addItem(ToDisplayText(row, codePage));
    if (selection && *selection < rows.size()) list.setCurrentRow(static_cast<int>(*selection));
}

std::optional<std::size_t> SelectedRow(const QTreeWidget& list)
{
    QTreeWidgetItem* item = list.currentItem();
    if (!item) return std::nullopt;
    const int row = list.indexOfTopLevelItem(item);
    return row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
}

std::optional<std::size_t> SelectedRow(const QListWidget& list)
{
    const int row = list.currentRow();
    return row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
}

std::function<void()> QueuedWake(QObject* receiver, std::function<void()> handle)
{
    return [receiver, handle = std::move(handle)] { QMetaObject::invokeMethod(receiver, handle, Qt::QueuedConnection); };
}

void MinimizeWithMainWindow(QDialog& dialog)
{
    const QWidget* main = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    if (main && main->isMinimized()) dialog.setWindowState(dialog.windowState() | Qt::WindowMinimized);
}

}  // namespace varnel
