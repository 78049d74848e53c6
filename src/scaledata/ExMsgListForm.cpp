// The message list.
#include "scaledata/ExMsgListForm.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluListOrder.h"
#include "scaledata/FreeMsgNameTb.h"
#include "scaledata/MessageRules.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgTitleCoupons = 16395;
constexpr MessageId kMsgTitleFree = 17613;
constexpr MessageId kMsgTitleIngredients = 17612;
constexpr MessageId kMsgTitleComments = 17611;
constexpr MessageId kMsgTitleLot = 17642;
constexpr std::uint32_t kHostControlFlags = 0x6;  // control-flag bits 1 and 2
constexpr std::uint16_t kCouponLabelWidth = 20;

bool IsExtraKind(std::uint32_t kind) { return kind >= MsgExtra && kind <= MsgExtra3; }
bool IsFreeKind(std::uint32_t kind) { return kind >= MsgFree1 && kind <= MsgFree5; }

// The number column is as wide as the table's highest number.
std::string NumberText(std::uint32_t number, std::uint32_t highest)
{
    const char* format = highest < 100 ? "%02.2ld " : highest < 10000 ? "%04.4ld" : highest < 1000000 ? "%06.6ld" : "%08.8ld";
    return FormatText(format, static_cast<long>(number));
}

}  // namespace

ExMsgListForm::ExMsgListForm(CPluDatabase& database, CExMsgTb& table, std::array<bool, 3> extraSetsInUse,
                             EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_database(database), m_messages(&table)
{
    AddColumn(kColumnNo, 20);
    AddColumn(kColumnName, 79);
    BuildTabs(extraSetsInUse);
}

void ExMsgListForm::BuildTabs(std::array<bool, 3> extraSetsInUse)
{
    const std::uint32_t kind = m_messages->GetKind();
    if (IsExtraKind(kind)) {
        for (std::uint32_t set = 0; set < extraSetsInUse.size(); ++set) {
            if (!extraSetsInUse[set]) continue;
            m_tabLabels.emplace_back(GetMessageText(kMsgExtraTab + set));
            m_tabTables.push_back(MsgKindToTableId(MsgExtra + set));
        }
        if (m_tabLabels.size() < 2) {
            m_tabLabels.clear();
            m_tabTables.clear();
        }
    } else if (IsFreeKind(kind)) {
        const auto* names = dynamic_cast<const CFreeMsgNameTb*>(m_database.GetTable(CFreeMsgNameTb::kTableNo));
        for (std::uint32_t set = 1; set <= MsgFree5 - MsgFree1 + 1; ++set) {
            const CFreeMsgNameRec* row = names ? names->FindName(set) : nullptr;
            const std::string_view name = row ? CFreeMsgNameTb::GetFreeMsgName(*row) : std::string_view{};
            m_tabLabels.push_back(name.empty() ? FormatMessage(kMsgFreeTab, static_cast<int>(set)) : std::string(name));
            m_tabTables.push_back(MsgKindToTableId(MsgFree1 + set - 1));
        }
    }
}

void ExMsgListForm::InitList(int& selIndex)
{
    // Tabs only while the list is edited, not while a message is picked.
    if (GetMode() != kCloseOnly) {
        m_tabLabels.clear();
        m_tabTables.clear();
    }
    ShowTabOfTable();
    m_sortMode = kByNumber;
    selIndex = FirstSelection();
    switch (m_messages->GetKind()) {
    case MsgCoupon: Surface().SetTitle(GetMessageText(kMsgTitleCoupons)); break;
    case MsgIngredients: Surface().SetTitle(GetMessageText(kMsgTitleIngredients)); break;
    case MsgComment:
        Surface().SetTitle(GetMessageText(m_messages->GetRoles().Setup().m_market == MarketAustralia ? kMsgTitleLot
                                                                                                      : kMsgTitleComments));
        break;
    default:
        // Extra messages keep the dialog's own title.
        if (IsFreeKind(m_messages->GetKind())) Surface().SetTitle(GetMessageText(kMsgTitleFree));
        break;
    }
    ShowButtonsByRights();
}

void ExMsgListForm::ShowTabOfTable()
{
    if (m_tabTables.empty()) return;
    const auto shown = std::ranges::find(m_tabTables, m_messages->GetTableNo());
    if (shown != m_tabTables.end()) {
        m_currentTab = static_cast<int>(shown - m_tabTables.begin());
        return;
    }
    // A set that no scale carries opens on the first set in use.
    if (auto* first = dynamic_cast<CExMsgTb*>(m_database.GetTable(m_tabTables.front()))) {
        m_currentTab = 0;
        m_messages = first;
        SetTable(*first);
    }
}

bool ExMsgListForm::PositionOfRow(int index, std::size_t& position) const
{
    if (m_sortMode == kByNumber) return ScaleDataListForm::PositionOfRow(index, position);
    if (index < 0 || static_cast<std::size_t>(index) >= m_nameOrder.size()) return false;
    position = m_nameOrder[static_cast<std::size_t>(index)];
    return true;
}

int ExMsgListForm::RowOfNumber(std::uint32_t number) const
{
    const int row = ScaleDataListForm::RowOfNumber(number);
    if (m_sortMode == kByNumber || row < 0) return row;
    const auto found = std::ranges::find(m_nameOrder, static_cast<std::size_t>(row));
    return found == m_nameOrder.end() ? -1 : static_cast<int>(found - m_nameOrder.begin());
}

bool ExMsgListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    const CExMsgRec* row = m_messages->FindMessage(NumberOfRow(index));
    if (!row) return false;
    texts.push_back(NumberText(row->GetKey(), m_messages->GetMaxKey()));
    texts.emplace_back(row->GetName());
    return true;
}

void ExMsgListForm::BuildNameOrder()
{
    const CharRule chars = m_messages->GetRoles().Text().chars;
    std::vector<std::pair<std::string, std::size_t>> keyed;
    std::uint32_t number = 0;
    for (std::size_t position = 0; position < m_messages->GetRecordCount(); ++position) {
        const auto* row = dynamic_cast<const CExMsgRec*>(m_messages->GetRecordAt(position, number));
        keyed.emplace_back(row ? UpperCaseText(row->GetName(), chars) : std::string(), position);
    }
    std::ranges::stable_sort(keyed, {}, &std::pair<std::string, std::size_t>::first);
    m_nameOrder.clear();
    for (const auto& entry : keyed) m_nameOrder.push_back(entry.second);
}

void ExMsgListForm::OnTabChange(int tab)
{
    if (tab < 0 || static_cast<std::size_t>(tab) >= m_tabTables.size() || tab == m_currentTab) return;
    auto* table = dynamic_cast<CExMsgTb*>(m_database.GetTable(m_tabTables[static_cast<std::size_t>(tab)]));
    if (!table) return;
    const int selected = GetSelectedIndex();
    m_currentTab = tab;
    m_messages = table;
    SetTable(*table);
    if (m_sortMode == kByName) BuildNameOrder();
    FillList(selected);
    ShowButtonsByRights();
}

void ExMsgListForm::OnSortChange(int mode)
{
    const int selected = GetSelectedIndex();
    m_sortMode = mode == kByName ? kByName : kByNumber;
    if (m_sortMode == kByName) BuildNameOrder();
    FillList(selected);
}

bool ExMsgListForm::IsHostControlled(const CPluDatabase& database, std::uint32_t kind, std::uint32_t number)
{
    if (kind != MsgCoupon && !IsExtraKind(kind)) return false;
    const CPluDefTb* plus = database.GetPluTable();
    if (!plus) return false;
    const BuildLock lock = plus->LockRecordBuild();
    std::uint32_t key = 0;
    for (std::size_t position = 0; position < plus->GetRecordCount(); ++position) {
        const auto* plu = dynamic_cast<const CPluDefRec*>(plus->GetRecordAt(position, key));
        if (!plu || !plu->TestCtrlFlag(kHostControlFlags)) continue;
        const std::int32_t named = plu->Get(kind == MsgCoupon ? PluCol::Coupon : PluCol::Message7);
        if (static_cast<std::uint32_t>(named) == number) return true;
    }
    return false;
}

bool ExMsgListForm::IsHostControlled(std::uint32_t number) const
{
    return IsHostControlled(m_database, m_messages->GetKind(), number);
}

std::uint16_t ExMsgListForm::NewLabelWidth() const
{
    const CGeneralSetup& setup = m_messages->GetRoles().Setup();
    if (m_messages->GetKind() == MsgCoupon && setup.m_market != MarketHongKong) return kCouponLabelWidth;
    return setup.GetLabelWidth(1);
}

bool ExMsgListForm::Store(const EditExMsgForm& dialog, int& index, bool& inserted)
{
    const std::uint32_t number = dialog.GetNumber();
    if (IsHostControlled(dialog.GetOpeningNumber()) || IsHostControlled(number)) {
        ShowMessage(kMsgHostControlled);
        return false;
    }
    const auto fill = [&dialog](CExMsgRec& row) { return FillMessageRow(dialog, row); };
    if (m_sortMode == kByNumber) return StoreAndShow<CExMsgRec>(number, CExMsgRec::kMaxSize, fill, index, inserted);
    // A new or renamed message takes its place by name: the list is filled again.
    bool created = false;
    if (!StoreRow<CExMsgRec>(number, CExMsgRec::kMaxSize, fill, created)) return false;
    BuildNameOrder();
    FillList(RowOfNumber(number));
    return false;
}

bool ExMsgListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(1);
    if (!number) return false;
    EditExMsgForm dialog(*m_messages, *number, Measure());
    dialog.SetName(FormatMessage(MessageTextEditForm::kMsgDefaultName, static_cast<long>(*number)));
    dialog.SetText({}, NewLabelWidth());
    if (!RunEditDialog(dialog)) return false;
    return Store(dialog, index, inserted);
}

bool ExMsgListForm::EditItem(int& index, bool& inserted)
{
    const std::uint32_t number = NumberOfRow(index);
    const CExMsgRec* row = m_messages->FindMessage(number);
    if (!row) return false;
    if (IsHostControlled(number)) ShowMessage(kMsgHostControlled);
    EditExMsgForm dialog(*m_messages, number, Measure());
    dialog.SetName(row->GetName());
    dialog.SetText(row->GetText(), row->GetLabelWidth());
    return RunEditDialog(dialog) && m_messages->CheckUserRights(CDBComTb::kRightUpdate, true) &&
           Store(dialog, index, inserted);
}

bool ExMsgListForm::DeleteItem(int index)
{
    if (IsHostControlled(NumberOfRow(index))) {
        ShowMessage(kMsgHostControlled);
        return false;
    }
    if (!ScaleDataListForm::DeleteItem(index)) return false;
    if (m_sortMode == kByName) BuildNameOrder();
    return true;
}

}  // namespace varnel
