// The PLU list window's view.
#include "app/ui/Vrn3View.h"

#include "app/MainFrame.h"
#include "app/PastePluForm.h"
#include "app/Vrn3Doc.h"
#include "app/ui/PastePluDlg.h"
#include "app/ui/PluEditorNutrition.h"
#include "app/ui/PluPriceDialogs.h"
#include "app/ui/RecordPickers.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "platform/ui/DialogParts.h"
#include "platform/Messages.h"
#include "pluedit/SelectPluRangeForm.h"
#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/PluSearchControls.h"
#include "pluedit/ui/SelectPluRangeDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

constexpr MessageId kMsgDeleteRangeQuestion = 16390;

PluListSettings ListSettings(const CMainFrame& frame)
{
    return PluListSettings::Of(frame.GetGeneralSetup(), FieldDefSet(frame), frame.UseDeptGroupSearch(),
                               frame.GetCurrentPriceZone(), frame.GetTextRules().chars);
}

PluListViewSettings ViewSettings(const CMainFrame& frame)
{
    PluListViewSettings settings;
    settings.nutritionPerPlu = frame.GetGeneralSetup().m_oneToManyNutrition == 0;
    settings.standardNutrition = frame.UsesStandardNutrition();
    settings.customNutrition = frame.UsesCustomNutrition();
    settings.canEditNutrition = frame.CanEditNutrition();
    settings.canEditCustomNutrition = frame.CanEditCustomNutrition();
    settings.ausNzNutrition = frame.IsAusNzNutrition();
    settings.headOffice = frame.IsHeadOfficeMode();
    settings.localZone = frame.GetCurrentPriceZone();
    settings.scaleMix = frame.GetRuxScaleMix();
    return settings;
}

}  // namespace

CVrn3View::CVrn3View(CMainFrame& frame, CVrn3Doc& document, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_document(document),
      m_panelForm(std::make_unique<PluListPanelForm>(document.GetPluTable(), frame.DeptCodes(), ListSettings(frame))),
      m_form(std::make_unique<PluListViewForm>(document.GetDatabase(), *m_panelForm, frame,
                                               static_cast<IPluListViewHost&>(*this), ViewSettings(frame))),
      m_panel(new CPluListPanel(*m_panelForm, StoreCodePage(frame.GetGeneralSetup()), this))
{
    setObjectName("vrn3View");
    m_panel->setObjectName("pluListPanel");
    const PluSearchControls controls = MakePluSearchControls(*m_panel, this);
    auto* buttons = new QVBoxLayout;
    for (const auto& [text, command] : {std::pair{"&New", PluCommand::kNewPluButton},
                                        std::pair{"&Edit", PluCommand::kEditButton},
                                        std::pair{"&Delete", PluCommand::kDeleteButton}}) {
        QPushButton* button = MakeButton(*this, text, QByteArray::number(command).constData());
        connect(button, &QPushButton::clicked, this, [this, command = command] { RunCommand(command); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    connect(m_panel, &CPluListPanel::listDoubleClicked, this, [this] { RunCommand(PluCommand::kEditPlu); });

    LayOutPluListHost(*this, controls, buttons, *m_panel);

    // The database the window shows is the newest of File's recent files from now on.
    m_frame.GetRun().recentFiles.Add(document.GetPathName());
    m_panel->Create();
    m_panel->Sync();
    controls.sort->setCurrentIndex(0);
    controls.pluNo->clear();
    controls.pluNo->setFocus(Qt::OtherFocusReason);
}

CVrn3View::~CVrn3View() = default;

bool CVrn3View::IsEnabled(std::uint32_t command) const
{
    return m_form->IsEnabled(command);
}

bool CVrn3View::RunCommand(std::uint32_t command)
{
    m_form->SetSettings(ViewSettings(m_frame));
    const bool ran = m_form->RunCommand(command);
    m_panel->Sync();
    return ran;
}

void CVrn3View::OnUpdate()
{
    m_panelForm->Refresh();
    m_panel->Sync();
}

std::optional<std::uint32_t> CVrn3View::GetPluInEditor() const
{
    if (!m_document.IsPluEditorOpen()) return std::nullopt;
    return m_document.GetPluEditState().lastShown;
}

void CVrn3View::EditPlu(std::uint32_t pluNumber)
{
    m_document.ShowPluEditor(pluNumber);
}

void CVrn3View::UpdateAllViews()
{
    m_document.UpdateAllViews();
    m_panel->Sync();
}

std::optional<std::uint32_t> CVrn3View::PickPlu(std::uint32_t initial)
{
    return FramePluPicker(m_frame, m_document, this)(initial);
}

std::optional<PluDeleteRange> CVrn3View::PickDeleteRange()
{
    const std::uint32_t selected = m_panelForm->GetSelectedPluNumber().value_or(1);
    SelectPluRangeForm form(selected, selected, m_frame.GetGeneralSetup().m_maxPluNo,
                            std::string(GetMessageText(kMsgDeleteRangeQuestion)), "");
    CSelectPluRangeDlg dialog(form, FramePluPicker(m_frame, m_document, this), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (form.IsDeleteAll()) return PluDeleteRange{true, 0, 0};
    if (!form.HasRange()) return std::nullopt;
    return PluDeleteRange{false, form.GetFrom(), form.GetTo()};
}

std::optional<PasteChoice> CVrn3View::AskPasteTarget(std::uint32_t clipboardPlu, bool pluSelected)
{
    PastePluForm form(clipboardPlu, pluSelected, m_frame.GetGeneralSetup().m_maxPluNo, m_frame);
    CPastePluDlg dialog(form, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return form.GetChoice();
}

void CVrn3View::RunPriceDialog(int dialog, std::uint32_t command, std::uint32_t pluNumber)
{
    RunPluPriceDialog(m_frame, m_document, dialog, command, pluNumber, this);
}

void CVrn3View::EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled)
{
    (void)RunPluNutrition(m_frame, m_document, this, dialog, pluNumber, hostControlled);
}

void CVrn3View::EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth)
{
    (void)RunPluIngredients(m_frame, m_document, this, PluListViewForm::kIngredientsTable, pluNumber, labelWidth);
}

void CVrn3View::PutPluBlock(const std::vector<std::uint8_t>& block)
{
    auto* mime = new QMimeData;
    mime->setData(kPluClipboardMimeType,
                  QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    QApplication::clipboard()->setMimeData(mime);
}

std::optional<std::vector<std::uint8_t>> CVrn3View::GetPluBlock() const
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (mime == nullptr || !mime->hasFormat(kPluClipboardMimeType)) return std::nullopt;
    const QByteArray bytes = mime->data(kPluClipboardMimeType);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void CVrn3View::BeginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CVrn3View::EndWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

}  // namespace varnel
