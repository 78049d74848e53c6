// The scale-data dialog tests' fixture: the list editors' database, document and prompt, the offscreen
// application, and the few steps every such test takes on a dialog's widgets.
#pragma once

#include "../MessageListFixture.h"
#include "support/ui/GuiTest.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace varnel::test {

class ScaleDataDlgFixture : public MessageListFixture {
protected:
    ScaleDataDlgFixture() { GuiApplication(); }
    ~ScaleDataDlgFixture() override
    {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        ProcessEvents();
    }

    static void Show(QDialog& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        ProcessEvents();
    }
    static void Click(const QWidget& dialog, const char* id)
    {
        QTest::mouseClick(Child<QPushButton>(dialog, id), Qt::LeftButton);
    }
    static void SetText(const QWidget& dialog, const char* id, const QString& text)
    {
        auto* edit = Child<QLineEdit>(dialog, id);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

}  // namespace varnel::test
