// The model of "Label Batch PLU" (CLabelBatchPluDlg, template 270): a line of a label batch, its PLU
// number (edit 103, with "Select..." 3 opening "Select PLU" at the number typed) and quantity (1476),
// with the PLU's weight (1477) and price (1076) shown from the PLU table.
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CPluDefRec;
class CPluDefTb;
class ISiteRules;

class LabelBatchPluForm {
public:
    static constexpr MessageId kMsgNotNumeric = 61236;
    enum class Focus { None, Plu, Quantity };

    // "Select PLU" at a first PLU number; none when cancelled.
    using PluPicker = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;

    // The site gives the decimals the weight and price are shown in.
    LabelBatchPluForm(const CPluDefTb* plus, const ISiteRules& site, std::uint32_t plu, std::uint32_t quantity,
                      PluPicker picker);

    const std::string& GetPluText() const { return m_pluText; }
    void SetPluText(std::string_view text) { m_pluText = text; }
    const std::string& GetQuantityText() const { return m_quantityText; }
    void SetQuantityText(std::string_view text) { m_quantityText = text; }
    // The PLU's weight and unit price, as the PLU of the number typed holds them; empty when it has none.
    std::string GetWeightText() const;
    std::string GetPriceText() const;

    // "Select...": the picker from the number typed; a PLU chosen replaces it.
    void OnSelect();
    // Both fields must be numbers (61236 otherwise, the focus on the field).
    bool OnOK();
    Focus GetRefusedFocus() const { return m_refusedFocus; }
    std::uint32_t GetPlu() const { return m_plu; }
    std::uint32_t GetQuantity() const { return m_quantity; }

private:
    std::optional<std::uint32_t> TypedPlu() const;
    const CPluDefRec* TypedRow() const;
    // The value as the PLU field's definition shows it (its decimals).
    std::string FormatField(std::uint16_t fieldNo, std::int32_t value) const;

    const CPluDefTb* m_plus;
    const ISiteRules& m_site;
    PluPicker m_picker;
    std::string m_pluText;
    std::string m_quantityText;
    std::uint32_t m_plu;
    std::uint32_t m_quantity;
    Focus m_refusedFocus = Focus::None;
};

// A number typed into a field, read as "%d" reads it; none for no number or a negative one.
std::optional<std::uint32_t> ReadTypedCount(std::string_view text);

}  // namespace varnel
