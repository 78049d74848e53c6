// The list boxes of the store, label batch and advertising message dialogs: their rows put in again
// from the form, the form's selection kept, without telling the form of the change.
#pragma once

#include "platform/CodePage.h"
#include "platform/ui/CodePageText.h"

#include <QListWidget>
#include <QSignalBlocker>

#include <string>
#include <vector>

namespace varnel {

inline void FillListBox(QListWidget& list, const std::vector<std::string>& rows, int selection, CodePage codePage)
{
    const QSignalBlocker quiet(&list);
    list.clear();
    for (const std::string& row : rows) list.addItem(ToDisplayText(row, codePage));
    list.setCurrentRow(selection);
}

}  // namespace varnel
