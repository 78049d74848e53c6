// The model of "Change Prices" for the extra price tables (CChangeMultiPriceDlg, template 309 for
// prices, 310 for markdowns): the PLU's own price ("Counter scale price", amount 1057, flag 1058) and
// its prices #1 to #5 from the five price master tables (amounts 1047, 1050, 1053, 1059, 1062; flags
// 1060, 1061, 1063, 1064, 1065), each enabled while its record is in use. When the general setup does
// not keep the counter scale price apart, the counter row is hidden and takes Price #1's value.
// A change writes all six together and is logged as the PLU's own price change.
#pragma once

#include "db/plu/FieldChoices.h"
#include "pluedit/ChangePricesForm.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CLabProp;

class ChangeMultiPriceForm final : public ChangePricesForm {
public:
    static constexpr int kPriceTemplate = 309;
    static constexpr int kMarkdownTemplate = 310;
    static constexpr std::size_t kRows = 6;
    static constexpr std::array<int, kRows> kAmounts{1057, 1047, 1050, 1053, 1059, 1062};
    static constexpr std::array<int, kRows> kFlags{1058, 1060, 1061, 1063, 1064, 1065};
    static constexpr std::array<const char*, kRows> kCaptions{"Counter scale price", "Price #1", "Price #2",
                                                              "Price #3",            "Price #4", "Price #5"};

    ChangeMultiPriceForm(ChangePricesSite site, const CLabProp* flagDefinition, std::uint16_t zone);

    int GetTemplateId() const { return IsMarkdown() ? kMarkdownTemplate : kPriceTemplate; }
    // The counter scale row shows while the setup keeps its price apart from Price #1.
    bool IsCounterRowShown() const { return m_counterApart; }
    std::size_t GetAmountTextLimit() const { return m_field.width; }

    struct Row {
        std::string amount;
        FieldChoices flag;
        bool enabled = false;
    };
    const Row& GetRow(std::size_t row) const { return m_shown.at(row); }
    void SetAmountText(std::size_t row, std::string_view text) { m_shown.at(row).amount = text; }
    void SetFlagSelection(std::size_t row, std::optional<std::size_t> selection)
    {
        m_shown.at(row).flag.selected = selection;
    }
    // An amount left or a flag chosen: every row is read again (61236 once for the first amount
    // that does not read, which shows 0) and shown.
    bool OnRowsChanged();
    bool IsChanged() const { return m_changed; }

protected:
    bool Apply() override;
    void Show(const CPluDefRec* row) override;
    int FirstAmount() const override { return kAmounts[m_counterApart ? 0 : 1]; }

private:
    struct Price {
        std::int32_t value = 0;
        std::uint8_t flag = 0;
        std::uint8_t salesMode = 0;
        bool inUse = false;
    };

    std::uint16_t DecimalsOf(const Price& price) const;
    void Fill();
    bool ReadRows();

    const CLabProp* m_flagDefinition;
    std::uint16_t m_zone;
    AmountField m_field;
    bool m_counterApart;
    std::optional<CPluDefRec> m_view;  // the PLU as seen in the zone, as it was shown
    std::array<Price, kRows> m_prices{};
    std::array<Row, kRows> m_shown{};
    bool m_changed = false;
};

}  // namespace varnel
