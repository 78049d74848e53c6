// The model of "Change Prices" per price zone (CChangeZonePriceDlg, template 274 for markdowns, 275
// for prices), for head-office mode: the PLU's own value as the Default row (amount 1057, flag 1058)
// and its value in each price zone, six zones at a time (labels 1046 ..., amounts 1047 ..., flags
// 1048 ...) under the scroll bar 1049. A zone without a value of its own shows the Default. The
// values typed are kept as the PLU's new zone values and written together when the PLU is left,
// each changed zone logged on a line of its own.
#pragma once

#include "db/plu/FieldChoices.h"
#include "db/plu/PriceZoneEntry.h"
#include "pluedit/ChangePricesForm.h"
#include "pluedit/ScrollRows.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CLabProp;
class CPriceZoneList;

class ChangeZonePriceForm final : public ChangePricesForm {
public:
    static constexpr int kMarkdownTemplate = 274;
    static constexpr int kPriceTemplate = 275;
    static constexpr int kDefaultAmount = 1057;
    static constexpr int kDefaultFlag = 1058;
    static constexpr std::size_t kVisibleRows = 6;
    static constexpr std::array<int, kVisibleRows> kLabels{1046, 1052, 1055, 1061, 1064, 1067};
    static constexpr std::array<int, kVisibleRows> kAmounts{1047, 1050, 1053, 1059, 1062, 1065};
    static constexpr std::array<int, kVisibleRows> kFlags{1048, 1051, 1054, 1060, 1063, 1066};
    static constexpr MessageId kMsgDefault = 16429;
    static constexpr MessageId kMsgMarkdownChange = 20560;
    static constexpr MessageId kMsgPriceChange = 20561;
    static constexpr MessageId kMsgZoneChange = 20537;
    // The Default row, where an index of a zone row is expected.
    static constexpr int kDefaultRow = -1;

    // `sitePriceZone` (0: none) limits the editing to that zone's row.
    ChangeZonePriceForm(ChangePricesSite site, const CPriceZoneList& zones, std::uint16_t sitePriceZone);

    int GetTemplateId() const { return IsMarkdown() ? kMarkdownTemplate : kPriceTemplate; }
    std::size_t GetAmountTextLimit() const { return m_field.width + 1u; }

    // A row as shown: the Default row or one of the six zone rows.
    struct Row {
        std::string label;
        std::string amount;
        FieldChoices flag;
        bool enabled = false;
        bool flagEnabled = false;
    };
    const Row& GetRow(int row) const { return row == kDefaultRow ? m_default : m_rows.at(static_cast<std::size_t>(row)); }

    // The scroll bar: with more than six zones, positions 0 .. zones - 6.
    bool IsScrollEnabled() const { return m_zones.size() > kVisibleRows; }
    int GetScrollLast() const;
    int GetFirstVisible() const { return m_first; }
    void OnScroll(ScrollAction action, int thumb = 0);

    // An amount left with this text: read with its zone's decimals (61236), a percentage checked
    // (61248); a refusal shows the old value again and keeps the focus there (false). A new Default
    // shows in every zone without a value of its own.
    bool OnAmountKillFocus(int row, std::string_view text);
    void OnFlagChange(int row, std::optional<std::size_t> selection);
    bool IsChanged() const { return m_changed; }

protected:
    bool Apply() override;
    void Show(const CPluDefRec* row) override;
    int FirstAmount() const override;

private:
    struct Zone {
        std::uint16_t id;
        std::string name;
    };

    std::uint16_t EditedField() const;
    // The zone a row stands for; none past the zones.
    std::optional<std::uint16_t> ZoneOfRow(int row) const;
    // A value of the field in the zone: new, else stored, else the PLU's own (`plu`'s).
    std::int32_t ValueIn(const CPluDefRec& plu, std::uint16_t fieldNo, std::uint16_t zone,
                         const PriceZoneEntries* pending) const;
    std::uint16_t DecimalsIn(std::uint16_t zone) const;
    void Fill();
    void LogChange(const CPluDefRec& original) const;

    std::vector<Zone> m_zones;
    std::uint16_t m_sitePriceZone;
    const CLabProp* m_flagDefinition;
    AmountField m_field;
    std::optional<CPluDefRec> m_plu;       // the PLU's row as edited (the Default row's values)
    std::optional<CPluDefRec> m_original;  // as it was shown
    PriceZoneEntries m_stored;             // the zone values stored for the field, the flag, Sales Mode
    PriceZoneEntries m_newValues;
    PriceZoneEntries m_newFlags;
    bool m_changed = false;
    int m_first = 0;
    Row m_default;
    std::array<Row, kVisibleRows> m_rows;
};

}  // namespace varnel
