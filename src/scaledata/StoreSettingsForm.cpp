#include "scaledata/StoreSettingsForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/records/RecordLayout.h"
#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

using namespace store_setup_columns;

constexpr std::uint16_t kPosCodeTypeField = 1043;
constexpr std::uint32_t kHighestStore = 9999;

constexpr StoreSettingChoice kChoices[] = {
    {1129, "Price No.", kPriceId},
    {1130, "Print Flag", kPrintFlag},
    {1131, "Print Store Name on Bottom Label?", kBottomPrintFlag},
    {StoreSettingsForm::kPrinterId, "Printer Selection", kPrinterSel},
    {1135, "POS Flag Source", kPosFlagSel},
    {StoreSettingsForm::kPosCodeTypeId, "POS Code Type", kPosCodeType},
    {1142, "Bottom Label Type", kBottomType},
    {1143, "Top Bar Code", kTopBar},
};

constexpr StoreSettingNumber kNumbers[] = {
    {1132, "Top Label Format", kTopFormat, 0, 99},
    {1133, "Bottom Label Format", kBottomFormat, 0, 99},
    {1136, "NON13 POS Flag", kPosFlagNon13, 0, 99},
    {1137, "NON8 POS Flag", kPosFlagNon8, 0, 9},
    {1138, "PLU13 POS Flag", kPosFlagPlu13, 0, 99},
    {1139, "PLU8 POS Flag", kPosFlagPlu8, 0, 99},
    {1140, "Reg. Code\n(0 = Use PLU Master)", kRegCode, 0, 999},
    {StoreSettingsForm::kPosCodeNumberId, "POS Code Type", kPosCodeType, 0, 255},
};

// The label text editor of a store text: the store settings' own fonts at the width of PLU 1's label.
void OpenEditor(LabelTextEditForm& editor, std::string_view text, const CGeneralSetup& setup)
{
    editor.SetTextKind(LabelTextEditForm::kTableWithoutLineFonts);
    (void)editor.SetTextAndWidth(text, setup.GetLabelWidth(1));
}

// The editor's text as stored, at most 119 bytes.
std::string ReadBack(LabelTextEditForm& editor)
{
    std::vector<char> buffer(StoreSettingsForm::kTextMax + 1);
    bool truncated = false;
    return std::string(buffer.data(), editor.GetTextChecked(buffer, truncated));
}

bool UsesFamily9(const ScaleDataRoles& roles)
{
    return roles.rules.HasEnabledScaleType(9) || roles.Setup().m_defaultScaleFamily == 9;
}

}  // namespace

StoreSettingsForm::StoreSettingsForm(std::uint32_t number, const CStoreSetupRec& values, const ScaleDataRoles& roles,
                                     const ILabelTextMeasure* measure)
    : m_taiwan(roles.Setup().m_market == MarketTaiwan),
      m_template(UsesFamily9(roles) ? 301 : 318),
      m_number(number),
      m_numberText(std::to_string(number)),
      m_values(values),
      m_name(LabelTextSettingsOf(roles.rules), measure),
      m_address(LabelTextSettingsOf(roles.rules), measure)
{
    for (const StoreSettingNumber& entry : kNumbers)
        m_numberTexts.push_back(std::to_string(GetColumnNumber(m_values, entry.column)));
    if (!m_taiwan) {
        if (const CLabProp* definition = FindFieldDef(kPosCodeTypeField, roles.rules.GetFieldDefMap(FieldDefMap::Plu)))
            for (const auto& [key, value] : definition->m_values) m_posCodeValues.push_back({value->m_number, value->m_text});
    }
    OpenEditor(m_name, m_values.Get(kName), roles.Setup());
    OpenEditor(m_address, m_values.Get(kAddress), roles.Setup());
}

std::string StoreSettingsForm::GetTitle() const
{
    return m_template == 301 ? "Store Settings" : "5400-Series Store Settings";
}

std::span<const StoreSettingChoice> StoreSettingsForm::Choices() { return kChoices; }
std::span<const StoreSettingNumber> StoreSettingsForm::Numbers() { return kNumbers; }

std::vector<std::string> StoreSettingsForm::EntriesOf(const StoreSettingChoice& choice) const
{
    switch (choice.id) {
    case 1129: {
        std::vector<std::string> entries;
        for (int master = 1; master <= 5; ++master) entries.push_back(FormatText("Price Master #%d", master));
        return entries;
    }
    case 1130: return {"Do Not Print", "Store Name", "Processor's Name"};
    case 1131: return {"Do Not Print", "Print"};
    case kPrinterId:
        if (m_taiwan) return {"Do Not Print", "Printer #1", "Printer #2", "Printer #1 and #2"};
        return {"Do Not Print", "Printer #1", "Printer #2"};
    case 1135: return {"PLU Master", "Store Master"};
    case kPosCodeTypeId: {
        if (m_taiwan) return {"Use System Setting", "STD", "CP6", "FG6", "PRI5", "CD6"};
        std::vector<std::string> entries;
        for (const PosCodeValue& value : m_posCodeValues) entries.push_back(value.text);
        return entries;
    }
    case 1142:
        return {"None", "Lower Bar", "Ingredients", "Ingredients Bar", "Batch", "Batch + Bar", "Batch Import",
                "Batch Import + Bar"};
    default: return {"None", "Print", "Use System Setting"};
    }
}

int StoreSettingsForm::GetChoice(const StoreSettingChoice& choice) const
{
    const std::int64_t value = GetColumnNumber(m_values, choice.column);
    if (choice.id == kPosCodeTypeId && !m_taiwan) {
        const auto found = std::ranges::find(m_posCodeValues, value, &PosCodeValue::number);
        return found == m_posCodeValues.end() ? -1 : static_cast<int>(found - m_posCodeValues.begin());
    }
    return value < static_cast<std::int64_t>(EntriesOf(choice).size()) ? static_cast<int>(value) : -1;
}

void StoreSettingsForm::SetChoice(const StoreSettingChoice& choice, int index)
{
    if (index < 0 || index >= static_cast<int>(EntriesOf(choice).size())) return;
    const bool byValue = choice.id == kPosCodeTypeId && !m_taiwan;
    SetColumnNumber(m_values, choice.column, byValue ? m_posCodeValues[static_cast<std::size_t>(index)].number : index);
}

const std::string& StoreSettingsForm::GetNumberText(const StoreSettingNumber& number) const
{
    return m_numberTexts.at(static_cast<std::size_t>(&number - kNumbers));
}

void StoreSettingsForm::SetNumberText(const StoreSettingNumber& number, std::string_view text)
{
    m_numberTexts.at(static_cast<std::size_t>(&number - kNumbers)) = text;
}

bool StoreSettingsForm::IsEnabled(int id) const
{
    if (id == 1140 || id == 1142 || id == 1143) return m_taiwan;
    return IsShown(id);
}

bool StoreSettingsForm::IsShown(int id) const
{
    if (id == kPosCodeTypeId) return PosCodeAsList();
    if (id == kPosCodeNumberId) return !PosCodeAsList();
    return true;
}

bool StoreSettingsForm::AcceptText(const std::string& text, Focus focus, bool& closeNow)
{
    if (text.size() < kLongText) return true;
    const std::string question = FormatMessage(kMsgTextTooLong, kAsianChars, kEnglishChars);
    if (ShowFormattedMessage(kMsgTextTooLong, question, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes) {
        m_refusedFocus = focus;
        return false;
    }
    closeNow = true;
    return true;
}

bool StoreSettingsForm::OnOK()
{
    m_refusedFocus = Focus::None;
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_numberText, 1, kHighestStore);
    if (!number) {
        m_refusedFocus = Focus::Number;
        return false;
    }
    CStoreSetupRec values = m_values;
    for (const StoreSettingNumber& entry : kNumbers) {
        if (!IsEnabled(entry.id)) continue;
        const std::optional<std::uint32_t> value = ReadNumberInRange(GetNumberText(entry), entry.lowest, entry.highest);
        if (!value) return false;
        SetColumnNumber(values, entry.column, *value);
    }
    m_nameText = ReadBack(m_name);
    m_addressText = ReadBack(m_address);
    bool closeNow = false;
    if (!AcceptText(m_nameText, Focus::Name, closeNow)) return false;
    if (!closeNow && !AcceptText(m_addressText, Focus::Address, closeNow)) return false;
    m_number = *number;
    m_values = values;
    return true;
}

}  // namespace varnel
