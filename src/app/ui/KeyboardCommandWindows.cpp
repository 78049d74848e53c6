// The keyboard commands and their pickers.
#include "app/ui/KeyboardCommandWindows.h"

#include "app/KeyboardCommands.h"
#include "app/MainFrame.h"
#include "app/SelectLinkScaleIdForm.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/SelectLinkScaleIdDlg.h"
#include "settings/PickerForm.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"
#include "settings/ui/PickerDlgs.h"

#include <QMessageBox>
#include <QPushButton>

namespace varnel {
namespace {

constexpr std::uint32_t kKeyboardPresets = 32788;
constexpr std::uint32_t kEditKeyboard = 32968;
constexpr std::uint32_t kPresetScales = 32902;
constexpr std::uint32_t kIndexPresets = 32903;
constexpr std::uint32_t kImages = 32969;
constexpr std::uint32_t kImageReport = 32994;
constexpr int kImageReportType = 34;
constexpr std::uint16_t kKeyboardTable = 12;

struct DefaultKeyboardCommand {
    std::uint32_t command;
    const char* menuText;
    std::uint16_t family;
};
constexpr DefaultKeyboardCommand kDefaultKeyboards[] = {
    {32815, "Default Keyboard - &LumenXT", 6},   {32855, "Default Keyboard - TR-&5400", 8},
    {32997, "Default Keyboard - &KB-7100", 12},  {32819, "Default Keyboard - TR-&5300", 0},
    {32820, "Default Keyboard - TR-&5200", 2},
};

std::vector<ScaleChoiceRow> Rows(const std::vector<CScaleChoice>& choices)
{
    std::vector<ScaleChoiceRow> rows;
    for (const CScaleChoice& choice : choices) rows.push_back({choice.label, false});
    return rows;
}

KeyboardCommandUi MakeUi(CMainFrame& frame, QWidget* parent)
{
    KeyboardCommandUi ui;
    ui.pickScale = [parent](const std::vector<CScaleChoice>& offered) -> std::optional<std::size_t> {
        PickerForm picker = MakeScalePicker(Rows(offered), false);
        if (CSelectScaleDlg(picker, {}, {}, parent).exec() != QDialog::Accepted) return std::nullopt;
        return picker.GetChosenIndex();
    };
    // "&New Scale" adds an HBKU scale whose keyboard is made when the window saves it.
    ui.pickKeyboardScale = [&frame, parent](const std::vector<CScaleChoice>& owners) -> std::optional<CScaleChoice> {
        std::vector<CScaleChoice> offered = owners;
        PickerForm picker = MakeScalePicker(Rows(offered), false);
        const auto addScale = [&frame, &offered, parent]() -> std::optional<std::size_t> {
            SelectLinkScaleIdForm form(frame.Links(), frame.Keyboards(), frame.GetGeneralSetup().m_defaultScaleFamily);
            if (CSelectLinkScaleIdDlg(form, parent).exec() != QDialog::Accepted) return std::nullopt;
            offered.push_back({form.GetLinkNumber(), form.GetScaleNumber(), {}, false});
            return offered.size() - 1;
        };
        if (CSelectScaleDlg(picker, {}, addScale, parent).exec() != QDialog::Accepted) return std::nullopt;
        const std::optional<std::size_t> chosen = picker.GetChosenIndex();
        if (!chosen || *chosen >= offered.size()) return std::nullopt;
        return offered[*chosen];
    };
    ui.chooseKeyboardOrPresets = [parent]() -> std::optional<bool> {
        QMessageBox chooser(QMessageBox::Question, QStringLiteral("Edit keyboard"),
                            QStringLiteral("Which keyboard do you want to edit?"), QMessageBox::Cancel, parent);
        chooser.setObjectName(QStringLiteral("editKeyboardChooser"));
        QPushButton* keyboard = chooser.addButton(QStringLiteral("&Keyboard Presets"), QMessageBox::AcceptRole);
        keyboard->setObjectName(QStringLiteral("keyboardPresets"));
        QPushButton* presets =
            chooser.addButton(QStringLiteral("PZ4/Tarn4/VM-8100b/QF Presets"), QMessageBox::AcceptRole);
        presets->setObjectName(QStringLiteral("presetScales"));
        (void)chooser.exec();
        if (chooser.clickedButton() == keyboard) return true;
        if (chooser.clickedButton() == presets) return false;
        return std::nullopt;
    };
    return ui;
}

CommandState EnabledWhen(bool enabled) { return CommandState{enabled, std::nullopt}; }

}  // namespace

void RegisterKeyboardCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document,
                              IKeyboardWindows* keyboards)
{
    CommandTable& commands = window.Commands();
    const auto available = [keyboards, &document] { return keyboards != nullptr && document.IsDatabaseOpen(); };
    const auto keyboardRule = [&frame, &document, available] {
        return EnabledWhen(available() && frame.HasTableAccess(kKeyboardTable, AccessView) && !frame.Links().GetLinks().empty() &&
                           !document.IsBatchMode());
    };
    const auto run = [&frame, &window, keyboards](auto command) {
        return [&frame, &window, keyboards, command] {
            if (keyboards != nullptr) command(frame, *keyboards, MakeUi(frame, &window));
        };
    };
    commands.Register(kKeyboardPresets, "&Keyboard Presets", run(EditKeyboardPresets), keyboardRule);
    commands.Register(kEditKeyboard, "Edit keyboard", run(EditKeyboard), keyboardRule);
    for (const DefaultKeyboardCommand& entry : kDefaultKeyboards) {
        commands.Register(
            entry.command, entry.menuText,
            [keyboards, &entry] {
                if (keyboards != nullptr) OpenDefaultKeyboard(*keyboards, entry.family);
            },
            [&frame, keyboards, available] {
                return EnabledWhen(available() && !keyboards->IsKeyboardWindowOpen() &&
                                   frame.HasTableAccess(kSetupTable, AccessView));
            });
    }
    // The preset and image lists are the frame's, not the database's.
    const auto listRule = [keyboards] { return EnabledWhen(keyboards != nullptr); };
    const auto list = [keyboards](void (IKeyboardWindows::*edit)()) {
        return [keyboards, edit] {
            if (keyboards != nullptr) (keyboards->*edit)();
        };
    };
    commands.Register(kPresetScales, "PZ4/Tarn4/VM-8100b/QF Presets", list(&IKeyboardWindows::EditPresetScales),
                      listRule);
    commands.Register(kIndexPresets, "Index Presets", list(&IKeyboardWindows::EditIndexPresets), listRule);
    commands.Register(kImages, "VM-8100b/QF Images", list(&IKeyboardWindows::EditImages), listRule);
    commands.Register(
        kImageReport, "VM-8100b/QF Images", [&document] { (void)document.RunReport(kImageReportType); },
        [keyboards, available] { return EnabledWhen(available() && keyboards->HasImages()); });
}

}  // namespace varnel
