// varnel_screens <directory>: renders every window into <directory>/<name>.png.
#include "ScreenShots.h"

#include "app/ui/ProgramIdentity.h"
#include "support/ui/GuiTest.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    // A desktop-sized screen, so the windows take the sizes a store's desktop gives them.
    const std::string config = std::string(argv[1]) + "/offscreen.json";
    std::ofstream(config) << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                             R"( "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    varnel::test::GuiApplication();
    QApplication::setWindowIcon(varnel::ProgramIcon());
    varnel::screens::ScreenShots shots(argv[1]);
    varnel::screens::AddAppScreens(shots);
    varnel::screens::AddMenuScreens(shots);
    varnel::screens::AddCommsScreens(shots);
    varnel::screens::AddSettingsScreens(shots);
    varnel::screens::AddSiteListScreens(shots);
    varnel::screens::AddDbScreens(shots);
    varnel::screens::AddPlueditScreens(shots);
    varnel::screens::AddScaleDataScreens(shots);
    varnel::screens::AddCampaignNutritionScreens(shots);
    varnel::screens::AddPriceScreens(shots);
    varnel::screens::AddPluEditorScreens(shots);
    varnel::screens::AddStoreScreens(shots);
    std::filesystem::remove(config);
    std::printf("screens: %d windows in %s\n", shots.Count(), argv[1]);
    return shots.Failed() ? 1 : 0;
}
