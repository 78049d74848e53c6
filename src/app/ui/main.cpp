// vrn3: the program. See CVrn3App for what it does with its command line.
#include "app/ui/ProgramIdentity.h"
#include "app/ui/Vrn3App.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"

#include <QApplication>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    // The automation server shows no window and needs no display: without one it runs offscreen,
    // wherever the bus starts it (with one, a client may ask for message boxes).
    if (std::find(argv + 1, argv + argc, std::string_view("--automation")) != argv + argc &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(varnel::kProgramTitle);
    QApplication::setWindowIcon(varnel::ProgramIcon());
    // The words as the shell split them; Qt has taken its own options out of argv.
    std::vector<std::string> words;
    for (const QString& word : QApplication::arguments().mid(1)) words.push_back(word.toStdString());
    varnel::CProfile profile(varnel::RealFileSystem(), varnel::DefaultProfilePath());
    varnel::CVrn3App app(std::move(words), profile);
    return app.Run();
}
