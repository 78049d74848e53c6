// The scale-data list editors' entry points.
#include "scaledata/ui/ScaleDataListWindows.h"

#include "db/plu/PluDatabase.h"
#include "scaledata/EditFreeMsgNamesForm.h"
#include "scaledata/ExMsgListForm.h"
#include "scaledata/PopMsgListForm.h"
#include "scaledata/RuxDeptListForm.h"
#include "scaledata/ShortMsgListForm.h"
#include "scaledata/ui/NameDlgs.h"
#include "scaledata/ui/ScaleDataListDlgs.h"

namespace varnel {
namespace {

constexpr std::uint32_t kStoragePickCancelled = 0xFFFFFFFF;

template <class Table>
Table* TableOf(const ScaleDataListSite& site, std::uint16_t table)
{
    return dynamic_cast<Table*>(site.database.GetTable(table));
}

// Runs the list dialog over the form in the mode; the number chosen, none when it was cancelled.
template <class Dialog, class Form>
std::optional<std::uint32_t> RunForm(Form& form, int mode, std::uint32_t current, bool editing,
                                     const ScaleDataListSite& site)
{
    form.SetMode(mode);
    form.SetChosenNumber(current);
    form.SetEditingAllowed(editing);
    Dialog dialog(form, site.codePage, site.parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return form.GetChosenNumber();
}

// The same over the list of a table of that class; none when the database has no such table.
template <class Dialog, class Form, class Table>
std::optional<std::uint32_t> RunTableList(std::uint16_t tableNo, int mode, std::uint32_t current, bool editing,
                                          const ScaleDataListSite& site)
{
    Table* table = TableOf<Table>(site, tableNo);
    if (!table) return std::nullopt;
    Form form(*table);
    return RunForm<Dialog>(form, mode, current, editing, site);
}

std::optional<std::uint32_t> RunList(ScaleDataList list, std::uint16_t table, int mode, std::uint32_t current,
                                     const ScaleDataListSite& site, bool editing)
{
    switch (list) {
    case ScaleDataList::Messages: {
        auto* messages = TableOf<CExMsgTb>(site, table);
        if (!messages) return std::nullopt;
        ExMsgListForm form(site.database, *messages, site.extraSetsInUse);
        return RunForm<CExMsgListDlg>(form, mode, current, editing, site);
    }
    case ScaleDataList::PopMessages:
        return RunTableList<CPopMsgListDlg, PopMsgListForm, CPopMsgTb>(table, mode, current, editing, site);
    case ScaleDataList::StorageMessages:
        return RunTableList<CShortMsgListDlg, ShortMsgListForm, CShortMsgTb>(table, mode, current, editing, site);
    case ScaleDataList::Categories:
        return RunTableList<CRuxDeptListDlg, RuxDeptListForm, CRuxDeptTb>(table, mode, current, editing, site);
    case ScaleDataList::FreeMessageNames: {
        auto* names = TableOf<CFreeMsgNameTb>(site, table);
        if (!names) return std::nullopt;
        CEditFreeMsgNamesForm form(*names);
        CEditFreeMsgNamesDlg dialog(form, site.codePage, site.parent);
        (void)dialog.exec();
        return std::nullopt;
    }
    }
    return std::nullopt;
}

}  // namespace

bool OpenScaleDataList(std::uint32_t command, const ScaleDataListSite& site)
{
    const ScaleDataListCommand* entry = FindScaleDataListCommand(command);
    if (!entry) return false;
    (void)RunList(entry->list, entry->table, SelectionListForm::kCloseOnly, 0, site, true);
    return true;
}

std::optional<std::uint32_t> PickScaleDataNumber(ScaleDataList list, std::uint16_t table, std::uint32_t current,
                                                 const ScaleDataListSite& site, bool editing)
{
    return RunList(list, table, SelectionListForm::kPick, current, site, editing);
}

std::uint32_t SelectMessageNo(const CGeneralSetup& setup, std::uint32_t messageType, std::uint32_t current,
                              const ScaleDataListSite& site)
{
    const std::optional<MessagePickerList> picker = FindMessagePickerList(setup, messageType);
    if (!picker) return current;
    const std::optional<std::uint32_t> chosen = PickScaleDataNumber(picker->list, picker->table, current, site);
    if (chosen) return *chosen;
    return picker->list == ScaleDataList::StorageMessages ? kStoragePickCancelled : current;
}

}  // namespace varnel
