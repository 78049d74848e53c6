#include "scaledata/LabelBatchPluForm.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/site/SiteRules.h"
#include "platform/UserPrompt.h"
#include "settings/OptionsConversions.h"


namespace varnel {
namespace {

constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint16_t kWeightField = 1007;

}  // namespace

std::optional<std::uint32_t> ReadTypedCount(std::string_view text)
{
    const std::optional<int> number = ReadWholeNumber(text);
    if (!number || *number < 0) return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

LabelBatchPluForm::LabelBatchPluForm(const CPluDefTb* plus, const ISiteRules& site, std::uint32_t plu,
                                     std::uint32_t quantity, PluPicker picker)
    : m_plus(plus), m_site(site), m_picker(std::move(picker)), m_pluText(std::to_string(plu)),
      m_quantityText(std::to_string(quantity)), m_plu(plu), m_quantity(quantity)
{
}

std::optional<std::uint32_t> LabelBatchPluForm::TypedPlu() const { return ReadTypedCount(m_pluText); }

const CPluDefRec* LabelBatchPluForm::TypedRow() const
{
    const std::optional<std::uint32_t> plu = TypedPlu();
    return plu && m_plus ? dynamic_cast<const CPluDefRec*>(m_plus->FindRecord(*plu)) : nullptr;
}

std::string LabelBatchPluForm::FormatField(std::uint16_t fieldNo, std::int32_t value) const
{
    const CLabProp* definition = FindFieldDef(fieldNo, m_site.GetFieldDefMap(FieldDefMap::Plu));
    return FormatFixedPoint(definition ? definition->m_decimals : 0, '.', value);
}

std::string LabelBatchPluForm::GetWeightText() const
{
    const CPluDefRec* row = TypedRow();
    return row ? FormatField(kWeightField, row->Get(PluCol::Weight)) : std::string{};
}

std::string LabelBatchPluForm::GetPriceText() const
{
    const CPluDefRec* row = TypedRow();
    return row ? FormatField(kUnitPriceField, row->Get(PluCol::UnitPrice)) : std::string{};
}

void LabelBatchPluForm::OnSelect()
{
    if (!m_picker) return;
    if (const std::optional<std::uint32_t> chosen = m_picker(TypedPlu().value_or(0))) m_pluText = std::to_string(*chosen);
}

bool LabelBatchPluForm::OnOK()
{
    const std::optional<std::uint32_t> plu = TypedPlu();
    const std::optional<std::uint32_t> quantity = ReadTypedCount(m_quantityText);
    if (!plu || !quantity) {
        ShowMessage(kMsgNotNumeric);
        m_refusedFocus = plu ? Focus::Quantity : Focus::Plu;
        return false;
    }
    m_plu = *plu;
    m_quantity = *quantity;
    return true;
}

}  // namespace varnel
