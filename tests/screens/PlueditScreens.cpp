// The label text editor with its strip of controls, holding a styled two-line description, and the
// "Font - Detailed Settings" dialog.
#include "ScreenShots.h"

#include "db/text/ScaleFontSets.h"
#include "pluedit/LabelTextEditForm.h"
#include "pluedit/ui/FontDetailDlg.h"
#include "pluedit/ui/LabelTextEdit.h"
#include "pluedit/ui/LabelTextStrip.h"

#include <QVBoxLayout>

namespace varnel::screens {
namespace {

LabelTextSettings StoreSettings()
{
    CGeneralSetup setup;
    setup.m_defaultScaleFamily = 9;
    return LabelTextSettings::Of(setup, true, CScaleFontList(MakeScaleFontSet(setup, 6, 0)), CDefLineFont());
}

std::string Esc(char letter, char operand) { return std::string{'\x1B', letter, operand}; }

}  // namespace

void AddPlueditScreens(ScreenShots& shots)
{
    LabelTextEditForm form(StoreSettings());
    form.SetFormatButtonShown(true);
    form.SetTextAndWidth(Esc('C', '2') + "Smoked " + Esc('D', '1') + "Ham" + Esc('D', '1') + Esc('C', '4') + "sliced " +
                             Esc('D', '3') + "off the bone" + Esc('D', '3') + ", " + Esc('D', '4') + "500 g" + Esc('D', '4'),
                         60);
    QWidget host;
    host.setObjectName("labelTextHost");
    host.setWindowTitle("Label text");
    auto* layout = new QVBoxLayout(&host);
    auto* editor = new CLabelTextEdit(form, CodePage::Western, &host);
    auto* strip = new CLabelTextStrip(*editor, &host);
    layout->addWidget(strip);
    layout->addWidget(editor, 1);
    host.resize(640, 220);
    editor->setFocus();
    // "Ham" selected, the caret after it.
    form.OnSinkKeyDown(kVkRight, 7, 0);
    form.OnSinkKeyDown(kVkRight, 3, kKeyShift);
    editor->Refresh();
    shots.Take("control-label-text-editor", host);

    LabelTextFormat format;
    format.font = 6;
    format.effects[Bold] = true;
    format.colours[BackgroundColour] = LabelColour::Red;
    FontDetailForm detail(format, form.GetAllowedFonts());
    CFontDetailDlg dialog(detail);
    shots.Take("dialog-font-detailed-settings", dialog);

    AddPluListScreens(shots);
}

}  // namespace varnel::screens
