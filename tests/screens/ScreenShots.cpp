// Rendering a window into a file.
#include "ScreenShots.h"

#include "support/ui/GuiTest.h"

#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace varnel::screens {

ScreenShots::ScreenShots(std::string directory) : m_directory(std::move(directory)) {}

void ScreenShots::Take(const QString& name, QWidget& window)
{
    window.show();
    test::ProcessEvents();
    const QString path = QString::fromStdString(m_directory) + "/" + name + ".png";
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "screens: cannot write %s\n", path.toLocal8Bit().constData());
        m_failed = true;
    }
    ++m_count;
    window.close();
    test::ProcessEvents();
}

}  // namespace varnel::screens
