// The PLU edit window in its child frame.
#include "app/ui/PluEditorWindow.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/ChildFrameWindows.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/PluEditorNutrition.h"
#include "app/ui/PriceMasterDialog.h"
#include "app/ui/RecordPickers.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "platform/LocalTime.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluEditForm.h"
#include "pluedit/SelectionListForm.h"
#include "pluedit/ui/Plued1PluVw.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/EditCampaignsForm.h"
#include "scaledata/ExMsgRec.h"
#include "scaledata/MessageRules.h"
#include "scaledata/RuxPriceTb.h"
#include "scaledata/ui/CampaignDlgs.h"
#include "scaledata/ui/ScaleDataListWindows.h"
#include "scaledata/ui/StoreWindows.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

namespace varnel {
namespace {

constexpr MessageId kMsgNoWindow = 61705;
constexpr std::uint16_t kPluTable = 2;
constexpr std::uint8_t kUpdate = 2;
constexpr std::array<std::uint16_t, 3> kExtraMessageTables{4, 29, 30};
constexpr std::uint16_t kIngredientsTable = 78;

// What the PLU edit window takes from the frame, the document and the other subsystems' lists.
class PluEditServices final : public IPluEditServices {
public:
    PluEditServices(CMainFrame& frame, CVrn3Doc& document, QWidget& parent)
        : m_frame(frame), m_document(document),
          m_lists{document.GetDatabase(), frame.GetExtraMessageSetsInUse(), StoreCodePage(frame.GetGeneralSetup()),
                  &parent},
          m_stores{document.GetDatabase(), m_lists.codePage, &parent}
    {
    }

    std::optional<std::uint32_t> PickFieldNumber(std::uint16_t fieldNo, std::uint32_t current) override
    {
        const bool ausNz = m_frame.IsAusNzNutrition();
        switch (fieldNo) {
        case 1018: return PickMessage(MsgExtra, current);
        case 1044: return PickMessage(ausNz ? MsgExtra : MsgExtra2, current);
        case 1045: return PickMessage(ausNz ? MsgExtra : MsgExtra3, current);
        // Where the scales take comments for coupons, the coupon field names a comment.
        case 1019:
            return PickMessage(CommentsAsCoupons(m_frame, m_frame.GetGeneralSetup()) ? MsgComment : MsgCoupon, current);
        case 1057: return PickScaleDataNumber(ScaleDataList::StorageMessages, 80, current, m_lists);
        case 1058: return PickScaleDataNumber(ScaleDataList::StorageMessages, 81, current, m_lists);
        case 1059: return PickScaleDataNumber(ScaleDataList::PopMessages, 79, current, m_lists);
        case 1060:
        case 1061:
        case 1062:
        case 1063:
        case 1064: return PickMessage(MsgFree1 + (fieldNo - 1060u), current);
        case 1065: return RunStoreList(m_stores, SelectionListForm::kPick, current);
        case 1082: return PickMessage(MsgComment, current);
        case 1054: return PickMessage(MsgIngredients, current);
        case 1038: return RunTrayList(m_stores, SelectionListForm::kPick, current);
        case 1017: return PickScaleDataNumber(ScaleDataList::PopMessages, 37, current, m_lists);
        case 1014: return PickScaleDataNumber(ScaleDataList::Categories, 82, current, m_lists);
        case 1015: return PickScaleDataNumber(ScaleDataList::Categories, 83, current, m_lists);
        default: return std::nullopt;
        }
    }

    int GetPluPromotionState(std::uint32_t pluNumber) override
    {
        std::uint32_t campaign = 0;
        return m_document.GetPluPromotionState(pluNumber, campaign);
    }
    // The PLU's campaign, running or to come, in "Edit Campaign".
    void EditPluPromotion(std::uint32_t pluNumber) override
    {
        std::uint32_t campaign = 0;
        const int state = m_document.GetPluPromotionState(pluNumber, campaign);
        auto* campaigns = dynamic_cast<CCampaignTb*>(m_document.GetCachedTable(CCampaignTb::kTableNo));
        if ((state != 2 && state != 4) || campaigns == nullptr) return;
        EditCampaignsForm list(*campaigns, m_document.GetPluTable(),
                               RunEditCampaignDlg(FramePluPicker(m_frame, m_document, m_lists.parent), m_lists.codePage),
                               [] { return ToLocalParts(std::chrono::system_clock::now()); });
        (void)list.EditCampaign(campaign);
    }

    bool EditExtraPrices(std::uint32_t, ExtraPriceRecords& records) override
    {
        return EditPriceMasters(m_frame, m_lists, records);
    }

    void InitExtraPriceRecord(std::span<std::uint8_t> record, std::uint32_t pluNumber) override
    {
        CRuxPriceTb::InitRecord(m_frame.GetFieldDefMap(FieldDefMap::RuxPrice), record, pluNumber);
    }

    std::optional<std::string> GetExtraMessageText(int set, std::uint32_t number) override
    {
        if (set < 1 || set > 3) return std::nullopt;
        CObjDBTable* table = m_document.GetDatabase().GetTable(kExtraMessageTables[static_cast<std::size_t>(set - 1)]);
        const auto* message = table ? dynamic_cast<const CExMsgRec*>(table->FindRecord(number)) : nullptr;
        if (message == nullptr) return std::nullopt;
        return std::string(message->GetText());
    }

    bool SavePluRecord(CPluDefRec& row, std::uint32_t pluNumber, bool isNew) override
    {
        if (!m_document.SavePluRecord(row, pluNumber, isNew)) return false;
        m_document.UpdateAllViews();
        return true;
    }

    std::optional<std::uint32_t> SelectPluNumber(std::uint32_t offered) override
    {
        return FramePluPicker(m_frame, m_document, m_lists.parent)(offered);
    }

    std::optional<std::uint32_t> EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber,
                                               bool hostControlled) override
    {
        return RunPluNutrition(m_frame, m_document, m_lists.parent, dialog, pluNumber, hostControlled);
    }

    bool EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth) override
    {
        return RunPluIngredients(m_frame, m_document, m_lists.parent, kIngredientsTable, pluNumber, labelWidth);
    }

private:
    // The document's message picker; a cancelled pick of these kinds gives the current number back.
    std::optional<std::uint32_t> PickMessage(std::uint32_t kind, std::uint32_t current)
    {
        const std::uint32_t chosen = SelectMessageNo(m_frame.GetGeneralSetup(), kind, current, m_lists);
        return chosen == current ? std::nullopt : std::optional<std::uint32_t>(chosen);
    }

    CMainFrame& m_frame;
    CVrn3Doc& m_document;
    ScaleDataListSite m_lists;
    StoreWindowSite m_stores;
};

PluEditSettings SettingsOf(const CMainFrame& frame, const MainFrameWindow& window)
{
    PluEditSettings settings;
    settings.layoutKind = frame.GetRuxScaleMix();
    settings.headOffice = frame.IsHeadOfficeMode();
    settings.siteZone = settings.headOffice ? frame.GetCurrentPriceZone() : 0;
    settings.deptGroupSearch = frame.UseDeptGroupSearch();
    settings.deptCodeDisplay = DeptCodeDisplay::Of(frame.GetGeneralSetup(), FieldDefSet(frame));
    settings.canEditNutrition = frame.CanEditNutrition();
    settings.canEditCustomNutrition = frame.CanEditCustomNutrition();
    settings.ausNzNutrition = frame.IsAusNzNutrition();
    settings.mayUpdatePlus = frame.HasTableAccess(kPluTable, kUpdate);
    settings.family9Scale = frame.HasScaleType(9, false);
    settings.logPluChanges = frame.EventLog().LoggingOn != 0 && frame.EventLog().LogPluDetails != 0;
    settings.maxDescLength = frame.Links().GetMaxDescLength();
    if (const CUserSetupList* users = frame.GetUserList())
        if (const std::vector<std::uint16_t>* fields = users->GetFieldList()) settings.fieldPermissions = *fields;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        settings.screenLimitPixels =
            screen->availableGeometry().height() - 3 * window.menuBar()->sizeHint().height();
    return settings;
}

// The view with what it works on, which lives as long as the view.
class PluEditorPane final : public QWidget {
public:
    PluEditorPane(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
        : m_services(frame, document, window),
          m_form(PluEditSite{document.GetDatabase(), frame.PriceZones(), frame.DeptCodes(), SettingsOf(frame, window),
                             LabelTextSettings::Of(frame.GetGeneralSetup(), frame.GetSystemDoubleByteFlag(),
                                                   frame.GetScaleFontList(), frame.GetDefLineFont()),
                             document.GetPluEditState(), m_services, frame, frame}),
          m_view(std::make_unique<CPlued1PluVw>(m_form, StoreCodePage(frame.GetGeneralSetup()), this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view.get());
    }

    CPlued1PluVw& View() { return *m_view; }

private:
    PluEditServices m_services;
    PluEditForm m_form;
    std::unique_ptr<CPlued1PluVw> m_view;  // goes first, before the form it shows
};

}  // namespace

CPlued1PluVw* OpenPluEditorWindow(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document)
{
    if (!document.IsDatabaseOpen()) {
        ShowMessage(kMsgNoWindow);
        return nullptr;
    }
    auto* pane = new PluEditorPane(frame, window, document);
    CPlued1PluVw& view = pane->View();
    auto* child = new CPluChildWnd(model, pane, [&view] { return view.SaveModified(); });
    QObject::connect(&view, &CPlued1PluVw::closeRequested, child, &QWidget::close, Qt::QueuedConnection);
    QObject::connect(child, &QObject::destroyed, [&document] { document.OnPluEditorClosed(); });
    // The view shows its PLU before the frame is placed and shown: placing moves the focus, and the
    // PLU number edit takes its text as the user's when the focus leaves it.
    view.OnUpdate();
    window.AddChildFrame(child);
    return &view;
}

void ClosePluEditorWindow(CPlued1PluVw& view)
{
    for (QWidget* widget = view.parentWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(widget)) {
            frame->close();
            return;
        }
    }
}

}  // namespace varnel
