#include "app/ui/RecordPickers.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/SiteListWindows.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "pluedit/SelectionListForm.h"
#include "pluedit/ui/SelectPluDlg.h"
#include "scaledata/ScaleDataListCommands.h"
#include "scaledata/ui/ScaleDataListWindows.h"
#include "scaledata/ui/StoreWindows.h"

#include <limits>

namespace varnel {
namespace {

constexpr std::uint16_t kOperatorKind = 61;

ScaleDataListSite ListSite(CMainFrame& frame, CVrn3Doc& document, QWidget* parent)
{
    return {document.GetDatabase(), frame.GetExtraMessageSetsInUse(), StoreCodePage(frame.GetGeneralSetup()), parent};
}

std::optional<std::uint32_t> PickOperatorNo(CMainFrame& frame, std::uint32_t current, QWidget* parent)
{
    constexpr std::uint32_t kHighest = std::numeric_limits<std::uint16_t>::max();
    const std::optional<std::uint16_t> chosen =
        PickOperator(frame, static_cast<std::uint16_t>(std::min(current, kHighest)), parent);
    return chosen ? std::optional<std::uint32_t>(*chosen) : std::nullopt;
}

std::optional<std::uint32_t> PickRecord(CMainFrame& frame, CVrn3Doc& document, QWidget* parent, std::uint16_t kind,
                                        std::uint32_t current)
{
    if (kind == kOperatorKind) return PickOperatorNo(frame, current, parent);
    if (!document.IsDatabaseOpen()) return std::nullopt;
    const ScaleDataListSite site = ListSite(frame, document, parent);
    const StoreWindowSite storeSite{site.database, site.codePage, parent};
    switch (kind) {
    case 2:
    case 9: return FramePluPicker(frame, document, parent)(current);
    case 37:
    case 79: return PickScaleDataNumber(ScaleDataList::PopMessages, kind, current, site);
    case 53: return RunTrayList(storeSite, SelectionListForm::kPick, current);
    case 71: return RunStoreList(storeSite, SelectionListForm::kPick, current);
    case 80:
    case 81: return PickScaleDataNumber(ScaleDataList::StorageMessages, kind, current, site);
    case 82:
    case 83: return PickScaleDataNumber(ScaleDataList::Categories, kind, current, site);
    default: return std::nullopt;
    }
}

}  // namespace

PluPicker FramePluPicker(CMainFrame& frame, CVrn3Doc& document, QWidget* parent)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    const PluListSettings settings = PluListSettings::Of(setup, FieldDefSet(frame), false, frame.GetCurrentPriceZone(),
                                                         CharRuleOf(setup, frame.GetSystemDoubleByteFlag()));
    return MakePluPicker(document.GetPluTable(), frame.DeptCodes(), settings, parent);
}

std::optional<std::uint32_t> PickMessageNo(CMainFrame& frame, CVrn3Doc& document, QWidget* parent,
                                           std::uint32_t messageKind, std::uint32_t current)
{
    if (!document.IsDatabaseOpen()) return std::nullopt;
    const std::optional<MessagePickerList> list = FindMessagePickerList(frame.GetGeneralSetup(), messageKind);
    if (!list) return std::nullopt;
    return PickScaleDataNumber(list->list, list->table, current, ListSite(frame, document, parent));
}

RecordPicker MakeCommCenterPicker(CMainFrame& frame, CVrn3Doc& document, QWidget* parent)
{
    return [&frame, &document, parent](std::uint16_t kind, std::uint32_t current) {
        return PickRecord(frame, document, parent, kind, current);
    };
}

}  // namespace varnel
