// Renders windows offscreen into PNG files, so that anyone can look at every window of the system
// without a display. Each subsystem's windows are added by one function (AddAppScreens ...), listed
// in Screens.cpp.
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace varnel::screens {

class ScreenShots {
public:
    explicit ScreenShots(std::string directory);

    // Shows the window (not modal), lets it lay itself out, and writes "<name>.png".
    void Take(const QString& name, QWidget& window);
    int Count() const { return m_count; }
    bool Failed() const { return m_failed; }

private:
    std::string m_directory;
    int m_count = 0;
    bool m_failed = false;
};

void AddAppScreens(ScreenShots& shots);
void AddCommsScreens(ScreenShots& shots);
// The campaign and nutrition dialogs.
void AddCampaignNutritionScreens(ScreenShots& shots);
void AddSettingsScreens(ScreenShots& shots);
// The site's list editors and the price master dialog.
void AddSiteListScreens(ScreenShots& shots);
void AddDbScreens(ScreenShots& shots);
// Every menu of the command data.
void AddMenuScreens(ScreenShots& shots);
void AddPlueditScreens(ScreenShots& shots);
// The list dialog and the PLU pickers, part of the PLU editing windows.
void AddPluListScreens(ScreenShots& shots);
void AddScaleDataScreens(ScreenShots& shots);
// The PLU edit window.
void AddPluEditorScreens(ScreenShots& shots);
// The Change Prices dialogs.
void AddPriceScreens(ScreenShots& shots);
// The store, store settings, tray, label batch and advertising message dialogs.
void AddStoreScreens(ScreenShots& shots);

}  // namespace varnel::screens
