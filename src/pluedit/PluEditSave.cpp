// The PLU edit window's saving: asking before a changed PLU is left, and storing the row under its
// number with its zone values and price masters, queued to the scales and logged.
#include "pluedit/PluEditForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceRecord.h"
#include "db/store/ObjDatabase.h"
#include "db/text/DescText.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluFieldNumbers.h"
#include "settings/AppEventLog.h"

#include <algorithm>
#include <array>

namespace varnel {
namespace {

using namespace plufield;

constexpr MessageId kMsgSaveChanges = 61238;
constexpr MessageId kMsgOverwrite = 61239;
constexpr MessageId kMsgRenumberCodes = 61292;
constexpr MessageId kMsgTooLongWithMessage = 61408;
constexpr MessageId kMsgTooLong = 61409;
constexpr MessageId kMsgDescTooLong = 31519;
constexpr MessageId kMsgHostControlled = 31502;
constexpr MessageId kMsgNotAllowed = 61328;
constexpr MessageId kMsgDatabaseError = 61246;
constexpr MessageId kMsgUserEdit = 20506;
constexpr MessageId kMsgSetActive = 20551;
constexpr MessageId kMsgSetInactive = 20552;
constexpr MessageId kMsgNoFreePlu = 61240;
constexpr MessageId kMsgProhibitedPlu = 61286;
constexpr std::size_t kDescRoom = 2050;
constexpr std::uint32_t kNoDescLimit = 99900;  // hundredths of a millimetre

bool WriteExtraPrice(CObjDBTable& table, std::uint32_t pluNumber, const ExtraPriceRecord& bytes)
{
    if (CDBRecord* stored = table.FindRecord(pluNumber); stored != nullptr && stored->GetDataRoom() >= bytes.size()) {
        if (std::equal(bytes.begin(), bytes.end(), stored->GetData())) return true;
        std::ranges::copy(bytes, stored->GetData());
        return table.UpdateRecord(stored, static_cast<std::uint16_t>(bytes.size()));
    }
    std::unique_ptr<CDBRecord> record = table.CreateRecord(bytes.size());
    if (!record || record->GetDataRoom() < bytes.size()) return false;
    std::ranges::copy(bytes, record->GetData());
    return table.AddRecord(pluNumber, static_cast<std::uint16_t>(bytes.size()), std::move(record));
}

}  // namespace

bool PluEditForm::IsHostControlledRecord() const { return m_row.IsCtrlFlagPairSet(CurrentGeneralSetup()); }

// A changed description or changed price masters count as a change of the PLU.
bool PluEditForm::IsChanged()
{
    if (m_editor.IsModified() || m_editor.GetLabelWidth() != m_row.Get(PluCol::LabelWidth)) m_descriptionChanged = true;
    if (m_descriptionChanged || m_extraPricesChanged) m_site.document.pluChanged = true;
    return m_site.document.pluChanged;
}

void PluEditForm::ClearChanges()
{
    m_site.document.pluChanged = false;
    m_descriptionChanged = false;
    m_extraPricesChanged = false;
    m_editor.ClearModified();
}

bool PluEditForm::SaveModified()
{
    if (m_current == 0 || IsHostControlledRecord() || !m_site.settings.mayUpdatePlus) return true;
    if (!CommitFocused()) return false;
    // Any change asks, a description alone included (the document's own modified flag is not asked).
    if (!IsChanged()) return true;
    switch (ShowMessage(kMsgSaveChanges, MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageAnswer::Yes: return CheckDeptGroup() && SavePlu();
    case MessageAnswer::No: ClearChanges(); return true;
    default: return false;
    }
}

bool PluEditForm::OnSave()
{
    if (!CommitFocused()) return false;
    if (!m_site.settings.mayUpdatePlus) {
        ShowMessage(kMsgNotAllowed);
        return false;
    }
    if (IsHostControlledRecord() || !CheckDeptGroup()) return false;
    return SavePlu();
}

std::string PluEditForm::TakeDescription(bool& truncated)
{
    std::array<char, kDescRoom + 1> buffer{};
    const std::size_t length = m_editor.GetTextChecked(buffer, truncated);
    return std::string(buffer.data(), length);
}

bool PluEditForm::AskPosAndItemCodes()
{
    const std::string code = FormatText("%010.10ld", static_cast<long>(m_current));
    if (m_row.Get(PluCol::PosCode) == code || GetPluFieldValue(m_row, kItem) == static_cast<std::int32_t>(m_current))
        return false;
    if (ShowMessage(kMsgRenumberCodes, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return false;
    m_row.Set(PluCol::PosCode, code);
    (void)SetPluFieldValue(m_row, kItem, static_cast<std::int32_t>(m_current));
    return true;
}

void PluEditForm::WarnDescriptionLength() const
{
    const std::uint16_t descLen = m_row.Get(PluCol::DescLen);
    const std::uint32_t limit = descLen >= 5 && descLen <= 999 ? descLen * 100u : kNoDescLimit;
    const std::uint32_t printed = GetPrintedLength();
    if (printed <= limit) return;
    const bool withMessage = GetPluFieldValue(m_row, kExtraMessage) != 0 &&
                             Setup().m_extraMessagesInLengthCheck[0] != 0 &&
                             !m_site.settings.ausNzNutrition;
    const MessageId id = withMessage ? kMsgTooLongWithMessage : kMsgTooLong;
    ShowFormattedMessage(id, FormatMessage(id, static_cast<int>(printed / 100), static_cast<int>(printed % 100),
                                           static_cast<int>(limit / 100), 0));
}

bool PluEditForm::StoreExtraPrices(const CPluDefRec& row)
{
    if (m_site.settings.layoutKind == 0) return true;
    if (Setup().m_noAutoRuxPriceRecord == 0) RuxPriceRecordFromPlu(m_extraPrices[0], row);
    for (std::size_t index = 0; index < m_extraPrices.size(); ++index) {
        CObjDBTable* table = m_site.database.GetTable(static_cast<std::uint16_t>(kFirstRuxPriceTable + index));
        if (table != nullptr && !WriteExtraPrice(*table, m_current, m_extraPrices[index])) return false;
    }
    return true;
}

bool PluEditForm::SavePlu()
{
    CPluDefTb* plus = Plus();
    if (plus == nullptr) return false;
    bool truncated = false;
    const std::string description = TakeDescription(truncated);
    const std::uint16_t maxLength = m_site.settings.maxDescLength;
    if (truncated || GetDescTextLength(description, Setup().m_defaultScaleFamily) > maxLength) {
        const std::string text = FormatMessage(kMsgDescTooLong, maxLength / 2, static_cast<int>(maxLength));
        if (ShowFormattedMessage(kMsgDescTooLong, text, MessageButtons::YesNo, MessageIcon::Question) !=
            MessageAnswer::Yes)
            return false;
    }
    const auto* stored = dynamic_cast<const CPluDefRec*>(plus->FindRecord(m_current));
    const bool renumbered = m_current != m_loaded;
    if (stored != nullptr) {
        if (stored->IsCtrlFlagPairSet(CurrentGeneralSetup())) {
            ShowMessage(kMsgHostControlled);
            return false;
        }
        if (renumbered && ShowMessage(kMsgOverwrite, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
            return false;
    }
    const bool isNew = stored == nullptr;
    if (renumbered && Setup().m_posCheckNewPlu == 0) (void)AskPosAndItemCodes();
    WarnDescriptionLength();

    // The row as it was (a new one as its defaults make it), for the change lines.
    CPluDefRec before;
    if (stored != nullptr)
        before = *stored;
    else
        plus->InitNewPlu(m_current, before);
    const std::int32_t flagsBefore = before.Get(PluCol::CtrlFlag);
    const std::vector<std::string> changeLines = m_site.settings.logPluChanges ? MakeChangeLines(before, description)
                                                                               : std::vector<std::string>{};

    CPluDefRec row = m_row;
    row.Set(PluCol::LabelWidth, m_editor.GetLabelWidth());
    row.SetDesc(description, m_site.textSettings.chars);
    CPluPriceZoneTb* zones = Zones();
    // A new number's zone rows left from a PLU deleted before are not this PLU's values.
    if (isNew && zones != nullptr && !zones->DeletePlu(m_current)) {
        ShowMessage(kMsgDatabaseError);
        return false;
    }
    if ((m_site.settings.headOffice || m_zone > 0) && zones != nullptr &&
        !zones->WritePlu(m_current, m_pendingZoneValues, &row)) {
        ShowMessage(kMsgDatabaseError);
        return false;
    }
    row.Normalize(plus->GetRoles().Setup(), plus->GetRoles().Fields());
    if (!StoreExtraPrices(row) || !m_site.services.SavePluRecord(row, m_current, isNew)) {
        ShowMessage(kMsgDatabaseError);
        return false;
    }
    m_site.log.WriteToPluUpdateLog(row);

    // Logged once stored, so that a failed save is never written down as made.
    if (isNew)
        plus->LogRecordAdded(m_current, kMsgUserEdit, {}, false);
    else
        plus->LogRecordUpdated(m_current, kMsgUserEdit, {}, false);
    for (const std::string& line : changeLines) m_site.log.WriteEvent(EventContinuation, line);

    if (Setup().m_pluActiveInactive != 0) {
        plus->QueuePluSend(row);
        const bool inactive = (row.Get(PluCol::CtrlFlag) & 1) != 0;
        if (inactive != ((flagsBefore & 1) != 0))
            plus->LogRecordUpdated(m_current, inactive ? kMsgSetInactive : kMsgSetActive, {}, false);
    } else {
        (void)plus->QueueKeySend(m_current, false);
    }

    m_row = row;
    ClearChanges();
    m_loaded = m_current;
    m_isNew = false;
    m_site.document.lastShown = m_current;
    m_pendingZoneValues.clear();
    LoadZoneValues();
    return true;
}

bool PluEditForm::OnNewPlu()
{
    if (!SaveModified()) return false;
    CPluDefTb* plus = Plus();
    if (plus == nullptr) return false;
    const std::uint32_t maxPlu = Setup().m_maxPluNo;
    std::uint32_t offered = std::max<std::uint32_t>(m_current, 1);
    if (!plus->FindFreePluNo(offered, offered, maxPlu)) {
        ShowMessage(kMsgNoFreePlu);
        return false;
    }
    const std::optional<std::uint32_t> chosen = m_site.services.SelectPluNumber(offered);
    if (!chosen) return false;
    if (*chosen < 1 || *chosen > maxPlu) {
        ShowRangeMessage(1, static_cast<std::int32_t>(maxPlu));
        return false;
    }
    if (!m_site.rules.IsPluNumberAllowed(*chosen)) {
        ShowMessage(kMsgProhibitedPlu);
        return false;
    }
    m_site.document.showNext = *chosen;
    const bool shown = OnUpdate();
    if (shown) RequestFocus(kEditor);
    return shown;
}

}  // namespace varnel
