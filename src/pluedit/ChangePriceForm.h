// The model of "Change Prices" for one price (CChangePriceDlg, template 145): the PLU's unit price or
// markdown price as seen in the store's price zone (amount 1076), in markdown mode with its markdown
// flag (combo 1078, label 1079, when there is a flag definition), and "Go To PLU" (1077, "Go To" 1071)
// besides the moves every Change Prices dialog has. A change is written with the PLU table's price
// change, logged as a price change (kind 5) and queued for the scales when the caller says so.
#pragma once

#include "db/plu/FieldChoices.h"
#include "pluedit/ChangePricesForm.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CLabProp;

class ChangePriceForm final : public ChangePricesForm {
public:
    static constexpr int kTemplate = 145;
    static constexpr int kAmount = 1076;
    static constexpr int kFlag = 1078;
    static constexpr int kGoToPlu = 1077;
    static constexpr MessageId kMsgFlagNone = 61247;

    // `flagDefinition` is the Markdown flag's (1003), dropped in market 14; `zone` the store's own.
    ChangePriceForm(ChangePricesSite site, const CLabProp* flagDefinition, std::uint16_t zone);

    bool IsFlagShown() const { return IsMarkdown() && m_flagDefinition != nullptr; }
    std::size_t GetAmountTextLimit() const { return m_field.width + 1u; }
    const std::string& GetAmountText() const { return m_amountText; }
    void SetAmountText(std::string_view text) { m_amountText = text; }
    const FieldChoices& GetFlagChoices() const { return m_flagChoices; }
    // The amount typed is shown again with the decimals of the flag chosen.
    void OnFlagChange(std::optional<std::size_t> selection);
    const std::string& GetGoToText() const { return m_goToText; }
    void SetGoToText(std::string_view text) { m_goToText = text; }
    // Applies, then shows the first PLU at or above the number typed, else the last below it.
    bool OnGoTo();

protected:
    bool Apply() override;
    void Show(const CPluDefRec* row) override;
    int FirstAmount() const override { return kAmount; }

private:
    // The flag the dialog stands for: the one chosen, else the PLU's; without a flag definition 1 for
    // a PLU sold by count, 2 for a weighed one.
    std::uint8_t ChosenFlag(const CPluDefRec& view) const;
    std::uint16_t DecimalsOf(const CPluDefRec& view, std::uint8_t flag) const;
    std::string FormatAmount(const CPluDefRec& view) const;
    bool ApplyPrice(const CPluDefRec& view, std::int32_t amount);
    bool ApplyMarkdown(const CPluDefRec& view, std::int32_t amount, std::uint8_t flag, std::uint16_t decimals);

    const CLabProp* m_flagDefinition;
    std::uint16_t m_zone;
    AmountField m_field;
    std::string m_amountText;
    FieldChoices m_flagChoices;
    std::string m_goToText;
};

}  // namespace varnel
