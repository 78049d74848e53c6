#include "scaledata/EditScrollMsgsForm.h"

#include "db/text/DbcsString.h"
#include "platform/UserPrompt.h"
#include "scaledata/FullWidthCheck.h"
#include "scaledata/UserEdits.h"

namespace varnel {
namespace {

using namespace scroll_columns;

ScrollSettings SettingsOf(const CScrollMsgRec* row)
{
    if (!row) return {};
    return {row->Get(kDispMode),        row->Get(kDispDate),          row->Get(kDispTime),
            row->Get(kConseqMsg) != 0,  row->Get(kIntervalMode) != 0, row->Get(kSize),
            row->Get(kSpeed),           row->Get(kFlash),             row->Get(kFlashSpeed)};
}

}  // namespace

EditScrollMsgsForm::EditScrollMsgsForm(CScrollMsgTb& table, SimpleEditor simple, ExtendedEditor extended)
    : m_table(table), m_simple(std::move(simple)), m_extended(std::move(extended)),
      m_entries(CScrollMsgTb::kMessages)
{
    for (std::uint32_t number = 1; number <= CScrollMsgTb::kMessages; ++number) FillEntry(number);
}

void EditScrollMsgsForm::SetSelection(int index)
{
    if (index >= 0 && index < static_cast<int>(m_entries.size())) m_selection = index;
}

bool EditScrollMsgsForm::IsDeleteEnabled() const { return m_table.CheckUserRights(CDBComTb::kRightDelete, false); }

bool EditScrollMsgsForm::UsesExtendedEditor() const
{
    const CGeneralSetup& setup = m_table.GetRoles().Setup();
    const std::uint16_t family = setup.m_defaultScaleFamily;
    if (family >= 8 && family <= 12) return true;
    return setup.m_market == MarketUsa && (family == 0 || family == 4 || family == 5);
}

void EditScrollMsgsForm::FillEntry(std::uint32_t number)
{
    std::string& entry = m_entries[number - 1];
    const CScrollMsgRec* row = m_table.FindMessage(number);
    if (!row) {
        entry = GetMessageText(kMsgSpare);
        return;
    }
    const std::string_view text = row->GetText();
    entry = DbcsLeft(text, kEntryText, m_table.GetRoles().Text().chars);
    if (entry.size() < text.size()) entry += "...";
}

template <class Form, class Editor>
bool EditScrollMsgsForm::RunUntilFullWidth(Form& form, const Editor& editor)
{
    while (true) {
        if (!editor || !editor(form)) return false;
        const std::optional<std::string> converted = FullWidthConversion(form.GetText(), m_table.GetRoles().Text());
        if (!converted) return true;
        ShowMessage(kMsgFullWidthConverted);
        form.SetText(*converted);
    }
}

void EditScrollMsgsForm::OnEdit()
{
    const auto number = static_cast<std::uint32_t>(m_selection + 1);
    const CScrollMsgRec* row = m_table.FindMessage(number);
    const std::string text(row ? row->GetText() : std::string_view{});
    if (UsesExtendedEditor()) {
        EditScrollMsgExForm form(text, SettingsOf(row), m_table.GetRoles());
        if (!RunUntilFullWidth(form, m_extended)) return;
        const ScrollSettings s = form.GetSettings();
        Store(number, form.GetText(), [&s](CScrollMsgRec& message) {
            message.Set(kConseqMsg, s.consecutive ? 1 : 0);
            message.Set(kDispMode, s.mode);
            message.Set(kDispDate, s.day);
            message.Set(kDispTime, s.time);
            message.Set(kIntervalMode, s.inverted ? 1 : 0);
            message.Set(kSize, s.size);
            message.Set(kSpeed, s.speed);
            message.Set(kFlash, s.flash);
            message.Set(kFlashSpeed, s.flashes);
        });
        return;
    }
    EditScrollMsgForm form(m_table.GetRoles().Setup().m_defaultScaleFamily, text, row && row->Get(kIsScroll) != 0);
    if (!RunUntilFullWidth(form, m_simple)) return;
    const bool scroll = form.GetIsScroll();
    Store(number, form.GetText(), [scroll](CScrollMsgRec& message) {
        message.Set(kIsScroll, scroll ? 1 : 0);
        for (const ShortColumn cleared : {kDispMode, kDispDate, kDispTime, kConseqMsg}) message.Set(cleared, 0);
    });
}

void EditScrollMsgsForm::Store(std::uint32_t number, const std::string& text,
                               const std::function<void(CScrollMsgRec&)>& settings)
{
    if (!m_table.CheckUserRights(CDBComTb::kRightUpdate, true)) return;
    bool created = false;
    const std::string stored(DbcsLeft(text, CScrollMsgRec::kTextMax, m_table.GetRoles().Text().chars));
    const bool done = StoreUserEdit<CScrollMsgRec>(
        m_table, number, CScrollMsgRec::kSize,
        [&](CScrollMsgRec& message) -> std::uint16_t {
            message.SetText(stored);
            settings(message);
            return CScrollMsgRec::kSize;
        },
        created);
    if (done) FillEntry(number);
}

void EditScrollMsgsForm::OnDelete()
{
    const auto number = static_cast<std::uint32_t>(m_selection + 1);
    if (!IsDeleteEnabled() || !m_table.FindMessage(number)) return;
    if (ShowMessage(kMsgDelete, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return;
    if (DeleteUserEdit(m_table, number)) FillEntry(number);
}

}  // namespace varnel
