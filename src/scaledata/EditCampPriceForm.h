// The model of "Edit Campaign Price" (CEditCampPriceDlg, template 148, or 306 in market 14): one line
// of a campaign: the PLU number (edit 103, "Select..." 3), its price or percentage (edit 1076), in
// market 14 the old price (edit 1118), and the sales mode (list 1103, or list 1104 for families 10 and
// above in market 0). The caller copies the line in and, after OK, back out.
#pragma once

#include "pluedit/SelectPluForm.h"
#include "scaledata/CampaignPrice.h"
#include "scaledata/CampaignRecords.h"

#include <string>
#include <string_view>

namespace varnel {

class CPluDefTb;

// The controls a refused OK puts the focus on.
enum class CampPriceControl { Plu = 103, Price = 1076, OldPrice = 1118 };

class EditCampPriceForm {
public:
    static constexpr int kTemplate = 148;
    static constexpr int kSwedishTemplate = 306;
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgOutOfRange = 61237;
    static constexpr MessageId kMsgPriceTooLong = 61250;
    static constexpr MessageId kMsgPluNotRegistered = 61252;

    EditCampPriceForm(const CampaignPriceRules& rules, const CPluDefTb* plus, const CampaignLine& line);

    int GetTemplateId() const { return m_rules.HasOldPrice() ? kSwedishTemplate : kTemplate; }
    const CampaignPriceRules& GetRules() const { return m_rules; }

    const std::string& GetPluText() const { return m_pluText; }
    void SetPluText(std::string_view text) { m_pluText = text; }
    const std::string& GetPriceText() const { return m_priceText; }
    void SetPriceText(std::string_view text) { m_priceText = text; }
    const std::string& GetOldPriceText() const { return m_oldPriceText; }
    void SetOldPriceText(std::string_view text) { m_oldPriceText = text; }
    // The price edits' text limit in the line's mode.
    std::size_t GetPriceTextLimit() const { return m_rules.PriceTextLimit(m_line.salesMode); }
    // The position selected in the list in use (-1 for none).
    int GetSelection() const { return m_rules.SelectionOfMode(m_line.salesMode); }

    // The list's choice: the typed prices are taken back as they read and shown in the new mode's form.
    void OnSalesModeChange(int position);
    // "Select...": the picked PLU's number, mode and unit price (as both prices) are shown.
    void OnSelectPlu(const PluPicker& pick);
    // Checks the typed line in order (61236, 61237, 61250, 61252); false keeps the dialog open with the
    // focus on GetFocus(). True stores it in the line.
    bool OnOK();
    CampPriceControl GetFocus() const { return m_focus; }

    const CampaignLine& GetLine() const { return m_line; }

private:
    void ShowValues();
    bool Refuse(CampPriceControl control, MessageId message);

    CampaignPriceRules m_rules;
    const CPluDefTb* m_plus;
    CampaignLine m_line;
    std::string m_pluText;
    std::string m_priceText;
    std::string m_oldPriceText;
    CampPriceControl m_focus = CampPriceControl::Plu;
};

}  // namespace varnel
