// The model of "Edit Campaign" (CEditCampaignDlg): one campaign's name (edit 1004), start and end
// (date and time pickers, template 138; with "Campaign includes day of week" template 253: the times
// and the day of week 1425) and its PLU lines (list 1091), each edited in "Edit Campaign Price"
// through "&Add" (122), "&Edit" (1006) and "&Delete" (1003).
//
// OK stores the campaign: the row, then the lines as the difference between the lines stored and
// those of the dialog (each written to the event log as a line of "Campaign PLU"), and then the
// campaign is queued for the scales. A line whose place in the dialog names a key that a kept line
// holds takes the campaign's first free place instead, so that no line is ever left out.
#pragma once

#include "db/site/TableRoles.h"
#include "platform/OleDate.h"
#include "scaledata/CampaignPrice.h"
#include "scaledata/CampaignRecords.h"
#include "scaledata/EditCampPriceForm.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CCampaignTb;
class CCampDataRec;
class CPluDefTb;

class EditCampaignForm {
public:
    static constexpr int kTemplate = 138;
    static constexpr int kDayOfWeekTemplate = 253;
    static constexpr MessageId kMsgNewName = 16393;        // "Campaign No. %ld"
    static constexpr MessageId kMsgDuplicatePlu = 61361;
    static constexpr MessageId kMsgSaveFailed = 61293;
    static constexpr MessageId kMsgLineChange = 20563;     // "Price %d -> %d Sales Mode %d -> %d"
    static constexpr std::uint32_t kHighestEditable = 255;
    static constexpr std::size_t kNameChars = 36;
    static constexpr std::size_t kLineLimit = 100;
    static constexpr std::size_t kFamily11LineLimit = 200;
    static constexpr const char* kLineCaption = "Campaign PLU";

    // Runs "Edit Campaign Price" over the form; true for OK.
    using PriceDialog = std::function<bool(EditCampPriceForm&)>;

    // Campaign `number` as stored, or a new one named "Campaign No. <n>" that starts and ends `now`;
    // the price rules are the campaign table's site's unless given.
    EditCampaignForm(CCampaignTb& campaigns, const CPluDefTb* plus, std::uint32_t number, const DateTimeParts& now);
    EditCampaignForm(CCampaignTb& campaigns, const CPluDefTb* plus, std::uint32_t number, const DateTimeParts& now,
                     const CampaignPriceRules& rules);

    // Numbers above 255 open nothing: a line key holds the campaign in 8 bits.
    static bool CanEdit(std::uint32_t number) { return number >= 1 && number <= kHighestEditable; }
    // 200 lines when every scale on the links is of family 11, else 100.
    static std::size_t LineLimitOf(const TableRoles& roles);

    std::uint32_t GetNumber() const { return m_number; }
    bool UsesDayOfWeek() const { return m_dayOfWeekTemplate; }
    int GetTemplateId() const { return m_dayOfWeekTemplate ? kDayOfWeekTemplate : kTemplate; }
    const CampaignPriceRules& GetRules() const { return m_rules; }

    const std::string& GetName() const { return m_name; }
    void SetName(std::string_view name);
    const DateTimeParts& GetStart() const { return m_start; }
    void SetStart(const DateTimeParts& start) { m_start = start; }
    const DateTimeParts& GetEnd() const { return m_end; }
    void SetEnd(const DateTimeParts& end) { m_end = end; }
    std::uint16_t GetDayOfWeek() const { return m_dayOfWeek; }
    void SetDayOfWeek(std::uint16_t day) { m_dayOfWeek = day; }
    static std::vector<std::string> GetDayOfWeekItems();

    // The lines and how the list shows them: PLU, price and sales mode (and the old price in market 14).
    const std::vector<CampaignLine>& GetLines() const { return m_lines; }
    std::vector<std::string> GetLineTexts(std::size_t index) const;
    // The digits of "Max. PLU No.", the width of the PLU column.
    std::size_t GetPluDigits() const;
    std::size_t GetLineLimit() const { return m_lineLimit; }
    void SetLineLimit(std::size_t limit) { m_lineLimit = limit; }
    // The selected line; -1 for none.
    int GetSelected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }
    bool CanAdd() const { return m_lines.size() < m_lineLimit; }

    // Add, Edit and Delete of a line; true when the lines changed.
    bool OnAdd(const PriceDialog& priceDialog);
    bool OnEdit(const PriceDialog& priceDialog);
    bool OnDelete();

    // Stores the campaign (update right, 61293 on a failed write); false keeps the dialog open.
    bool OnOK();

private:
    // Runs the price dialog until its PLU is one no other line holds (61361 in between); false when
    // it was cancelled.
    bool RunPriceDialog(const PriceDialog& priceDialog, EditCampPriceForm& form, int editing) const;
    bool HoldsPlu(std::uint32_t plu, int except) const;
    bool StoreRow();
    bool StoreLines();
    // A stored line matched by a dialog line: kept when equal, else rewritten and logged.
    bool UpdateLine(CCampDataRec& stored, const CampaignLine& line);
    bool AddLine(std::size_t place, const CampaignLine& line);

    CCampaignTb& m_campaigns;
    const CPluDefTb* m_plus;
    CampaignPriceRules m_rules;
    std::uint32_t m_number;
    bool m_dayOfWeekTemplate;
    std::string m_name;
    DateTimeParts m_start;
    DateTimeParts m_end;
    std::uint16_t m_dayOfWeek = 0;
    std::vector<CampaignLine> m_lines;
    std::size_t m_lineLimit;
    int m_selected = -1;
};

}  // namespace varnel
