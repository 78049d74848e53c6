// The model of the PLU edit window (CPlued1PluVw): one PLU row at a time in a form that builds itself
// from the field definitions (PluEditLayout.h), beside the PLU number 103, the description in a label
// text editor with its width 1054 and length 1055 combos and printed length 1058, the price-zone
// selector 1393, the active state, the host flags and the sale and campaign indicators. It keeps the
// working row the controls show, reads and writes fields by number in the selected price zone, and
// moves between PLUs with Next and Prev. The view builds its controls once from GetControls() and
// shows what the getters say after every action.
#pragma once

#include "db/plu/FieldChoices.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PriceZoneEntry.h"
#include "db/site/FieldDefSet.h"
#include "db/site/SiteRules.h"
#include "pluedit/LabelTextEditForm.h"
#include "pluedit/PluEditLayout.h"
#include "pluedit/PluEditSite.h"
#include "platform/Messages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CDBRecord;
class CObjDBTable;
class CPluDefTb;
class CPluPriceZoneTb;
class CPriceZoneList;

class PluEditForm {
public:
    static constexpr int kPluNumber = 103;
    static constexpr int kSave = 1115;
    static constexpr int kNext = 1118;
    static constexpr int kPrev = 1117;
    static constexpr int kNewPlu = 1221;
    static constexpr int kNutrition = 1271;
    static constexpr int kIngredients = 1272;
    static constexpr int kEditor = 104;
    static constexpr int kLabelWidth = 1054;
    static constexpr int kDescLength = 1055;
    static constexpr int kPrintedLength = 1058;
    static constexpr int kZone = 1393;
    static constexpr int kZoneLabel = 1399;
    static constexpr int kZoneHint = 1401;
    static constexpr int kActive = 1015;
    static constexpr int kInactive = 1016;
    static constexpr int kActiveCombo = 1259;
    static constexpr int kHostSupported = 1099;
    static constexpr int kHostControlled = 1100;
    static constexpr int kSale = 1097;
    static constexpr int kCampaign = 1098;
    static constexpr int kTabs = 116;
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgLength = 17549;  // "Len = %d.%02.2dmm"
    static constexpr MessageId kMsgPicker = 17542;  // "..."
    static constexpr std::uint16_t kDescriptionKind = 2;

    explicit PluEditForm(PluEditSite site, const ILabelTextMeasure* measure = nullptr);
    PluEditForm(const PluEditForm&) = delete;
    PluEditForm& operator=(const PluEditForm&) = delete;

    // Builds the pages and lays out their fields (once, as the window is first shown).
    void Build(const FormUnits& units);
    const PluEditAreas& GetAreas() const { return m_areas; }
    const PluEditPages& GetPages() const { return m_pages; }
    std::size_t GetPageCount() const { return m_pages.pages.size(); }
    bool HasTabs() const { return m_pages.pages.size() > 1; }
    const std::vector<PluFieldControl>& GetControls() const { return m_controls; }
    std::size_t GetCurrentPage() const { return m_page; }
    // A page index outside the pages changes nothing.
    void SelectPage(std::size_t page);

    // The field's label ("*" before a zone field in head-office mode without a site zone) and
    // whether the user's field permissions let it be edited.
    std::string GetLabelText(const PluFieldControl& control) const;
    bool IsFieldEnabled(std::uint16_t fieldNo) const;

    // Loads the document's PLU to show, when there is one, and refreshes. False when none was loaded.
    bool OnUpdate();
    // Shows that PLU next (the window's own moves and the document's requests).
    bool ShowPlu(std::uint32_t pluNumber);
    bool OnNext();
    bool OnPrev();
    bool CanNext() const;
    bool CanPrev() const;
    // Asks whether the PLU shown may be left: a changed PLU asks 61238 (Yes saves, No drops the
    // changes, Cancel stays). False means stay.
    bool SaveModified();

    std::uint32_t GetCurrentPlu() const { return m_current; }
    std::uint32_t GetLoadedPlu() const { return m_loaded; }
    bool IsNewPlu() const { return m_isNew; }
    std::string GetPluNumberText() const { return std::to_string(m_current); }
    const CPluDefRec& GetWorkingRow() const { return m_row; }
    bool IsPluChanged() const { return m_site.document.pluChanged; }

    // Field access in the selected zone.
    std::int32_t GetFieldValue(const CLabProp& definition) const;
    void SetFieldValue(const CLabProp& definition, std::int32_t value);
    std::uint16_t GetFieldDecimals(const CLabProp& definition) const;
    bool IsTimeField(const CLabProp& definition) const;
    // What an edit shows and accepts. The text stays until the field's text is asked for again.
    const std::string& GetFieldText(const PluFieldControl& control) const;
    // Every edit's text as GetFieldText gives it, by the control's index: what the window shows
    // after a load, a zone change or an entry.
    const std::vector<PluShownText>& GetFieldTexts() const;
    char GetSeparator(const PluFieldControl& control) const;
    std::size_t GetTextLimit(const PluFieldControl& control) const;
    // What a combo lists and selects (value lists, department and group).
    FieldChoices GetChoices(const PluFieldControl& control) const;
    // The department or group combo's selection: a different one is stored in the working row (a new
    // department refills the group combo); true when it changed.
    bool OnDeptSelected(std::optional<std::size_t> selection);
    bool OnGroupSelected(std::optional<std::size_t> selection);

    // The description.
    LabelTextEditForm& Editor() { return m_editor; }
    const LabelTextEditForm& Editor() const { return m_editor; }
    FieldChoices GetLabelWidthChoices() const;
    FieldChoices GetDescLengthChoices() const;
    void OnDescLengthSelected(std::string_view text);
    // Leaving the length combo: a text that is no number shows 61236 and keeps the focus (false).
    bool OnDescLengthKillFocus(std::string_view text);
    std::string GetDescLengthText() const { return std::to_string(m_row.Get(PluCol::DescLen)); }
    // Control 1058.
    const std::string& GetLengthText() const;
    // The printed length of the description and the extra messages in hundredths of a millimetre.
    std::uint32_t GetPrintedLength() const;

    // The price-zone selector (head-office mode only).
    bool IsZoneSelectorShown() const { return m_site.settings.headOffice; }
    bool IsZoneSelectorEnabled() const { return m_site.settings.siteZone == 0; }
    bool IsZoneHintShown() const { return m_site.settings.headOffice && m_site.settings.siteZone == 0; }
    FieldChoices GetZoneChoices() const;
    std::uint16_t GetSelectedZone() const { return m_zone; }
    void OnZoneSelected(std::optional<std::size_t> row);

    enum class ActiveMode { Hidden, Radios, Combo };
    ActiveMode GetActiveMode() const;
    bool IsActive() const { return (m_row.Get(PluCol::CtrlFlag) & 1) == 0; }
    bool AreActiveRadiosEnabled() const { return m_site.settings.mayUpdatePlus; }
    FieldChoices GetActiveChoices() const;

    bool AreHostFlagsShown() const;
    bool IsHostSupported() const { return (m_row.Get(PluCol::CtrlFlag) & 2) != 0; }
    bool IsHostControlled() const { return (m_row.Get(PluCol::CtrlFlag) & 4) != 0; }

    int GetPromotionState() const { return m_promotion; }
    bool IsSaleShown() const { return m_promotion == 1 || m_promotion == 2; }
    bool IsCampaignShown() const { return m_promotion == 3 || m_promotion == 4; }
    void OnPromotion();

    bool IsSaveEnabled() const { return !IsHostControlledRecord() && m_site.settings.mayUpdatePlus; }
    bool IsNewEnabled() const { return m_site.settings.mayUpdatePlus; }
    bool IsNutritionShown() const
    {
        return m_site.settings.canEditNutrition || m_site.settings.canEditCustomNutrition;
    }
    bool IsIngredientsShown() const { return m_site.settings.ausNzNutrition; }

    // A "..." button: the field's picker with its current number; true when a number was chosen and
    // stored (the view then shows the field and the printed length again).
    bool OnPicker(int button);
    const ExtraPriceRecords& GetExtraPrices() const { return m_extraPrices; }
    bool AreExtraPricesChanged() const { return m_extraPricesChanged; }

    // Checking entries as their controls are left (PluEditCommit.cpp). A refused entry keeps the
    // stored value, shows its message and asks for the focus back (TakeFocusRequest).
    // Whether the value may be stored; it may be corrected (an odd tare) or clamped (then false).
    bool CheckFieldValue(const CLabProp& definition, std::int32_t& value) const;
    void ShowRangeMessage(const CLabProp& definition) const;
    // What a commit did: whether the entry was taken, and the fields whose controls show their
    // values again (the field itself and the fields whose decimals or values followed it).
    struct FieldCommit {
        bool accepted = true;
        std::vector<std::uint16_t> shownAgain;
    };
    FieldCommit CommitEdit(const PluFieldControl& control, std::string_view text);
    FieldCommit CommitCombo(const PluFieldControl& control, std::optional<std::size_t> selection);
    // The PLU number typed into control 103; a refused one is shown again with the focus back.
    bool CommitPluNumber(std::string_view text);
    // The Active/Inactive radios (when the form uses them).
    void CommitActiveState(bool activeSelected);
    // Before any save: the group must belong to the department (61405).
    bool CheckDeptGroup();
    // The control the last action wants the focus on: a field number, kPluNumber or kEditor.
    std::optional<int> TakeFocusRequest();
    // The view's commit of its focused control, run before a save and before the PLU is left.
    void SetFocusedControlCommit(std::function<bool()> commit) { m_commitFocused = std::move(commit); }

    // Saving (PluEditSave.cpp). Save (32824, 1115): false when nothing was saved.
    bool OnSave();
    bool SavePlu();
    // New PLU (32849, 1221): a free number offered in Select PLU; true when a new PLU is shown.
    bool OnNewPlu();
    bool IsHostControlledRecord() const;
    // Nutrition (1271) and Ingredients (1272): the dialog the site's switches choose; true when
    // something was stored.
    bool OnNutrition();
    bool OnIngredients();

    // A field's values in every price zone (the popup of a right click, PluEditZoneValues.cpp): only
    // in head-office mode without a site zone, for a price-zone field.
    bool CanEditZoneValues(std::uint16_t fieldNo) const;
    const CPriceZoneList& GetZoneList() const { return m_site.zones; }
    // The stored values of the field in every zone of the PLU shown.
    PriceZoneEntries LoadFieldZoneValues(std::uint16_t fieldNo) const;
    // Zone z's value: the pending one, else the stored one, else the PLU's own (zone 0).
    std::int32_t GetZoneValue(const CLabProp& definition, std::uint16_t zone, const PriceZoneEntries& stored) const;
    // Zone 0 is the PLU's own value, any other zone a pending value; the PLU counts as changed.
    void SetZoneValue(const CLabProp& definition, std::uint16_t zone, std::int32_t value);

private:
    struct FieldTextInputs {
        std::uint64_t rowWords = 0;  // its field's and those of the field its decimals or form follow
        std::uint16_t followed = 0;  // that field; 0 for none
        bool fromZone = false;       // the text last made was shown from a zone value
    };

    const CGeneralSetup& Setup() const { return m_site.rules.GetGeneralSetup(); }
    CPluDefTb* Plus() const;
    const CDBRecord* PeekPlu(std::uint32_t pluNumber, bool above) const;
    CPluPriceZoneTb* Zones() const;
    const PluFieldControl* FindControl(std::uint16_t fieldNo) const;
    // Whether the selected zone has pending or stored values.
    bool HasZoneValues() const;
    // The selected zone's pending or stored value of the field; none outside zones or without one.
    std::optional<std::int32_t> ZoneValue(std::uint16_t fieldNo) const;
    std::int32_t GetShownValue(const PluFieldControl& control) const;
    // What a text field shows of its text.
    std::string_view ShownText(const PluFieldShow& show) const;
    const std::string& ShowFieldText(const PluFieldControl& control, bool zoneValues) const;
    const std::string& ShowFollowingField(const PluFieldControl& control, std::int32_t value, PluShownText& last) const;
    // The value of a field the form shows; none for a field it does not.
    std::optional<std::int32_t> ShownValue(const PluFieldControl* shown) const;
    FieldTextInputs TextInputs(const PluFieldControl& control) const;
    // Whether the control's field, or the field it follows, has a value in the selected zone.
    bool IsShownFromZone(const PluFieldControl& control) const;
    void LoadPlu(std::uint32_t pluNumber);
    void PrepareNewPlu(std::uint32_t pluNumber);
    void LoadExtraPrices();
    void LoadZoneValues();
    void Refresh();
    std::uint32_t ExtraMessageLength(int set, std::uint32_t number) const;
    bool PickExtraPrices();
    void RequestFocus(int control) { m_focusRequest = control; }
    FieldCommit RefuseEntry(const CLabProp& definition, MessageId message);
    void ShowRangeMessage(std::int32_t min, std::int32_t max) const;
    void AskSalesMode(const CLabProp& definition, std::int32_t value, FieldCommit& commit);
    bool CommitFocused() { return !m_commitFocused || m_commitFocused(); }
    bool IsChanged();
    void ClearChanges();
    std::string TakeDescription(bool& truncated);
    bool AskPosAndItemCodes();
    void WarnDescriptionLength() const;
    bool StoreExtraPrices(const CPluDefRec& row);
    // The event-log lines of what the save changes against the row as it was (PluEditChangeLog.cpp).
    std::vector<std::string> MakeChangeLines(const CPluDefRec& before, std::string_view description);

    PluEditSite m_site;
    const FieldDefSet m_fields;  // the site's, as they stand
    mutable const CObjDBTable* m_plusSeen = nullptr;
    mutable CPluDefTb* m_plus = nullptr;
    mutable const CObjDBTable* m_zonesSeen = nullptr;
    mutable CPluPriceZoneTb* m_zones = nullptr;
    const ILabelTextMeasure* m_measure;
    PluEditPages m_pages;
    PluEditAreas m_areas;
    std::vector<PluFieldControl> m_controls;
    std::size_t m_page = 0;
    // The fields other fields' decimals depend on, when the form shows them.
    const PluFieldControl* m_salesMode = nullptr;
    const PluFieldControl* m_markdownFlag = nullptr;
    const PluFieldControl* m_expiryTimeFlag = nullptr;
    // Each control's text as last shown; the text of a field the form has no control for.
    mutable std::vector<PluShownText> m_shownTexts;
    const std::string m_noText;
    // What each control's text is made from besides its definition, by the control's index: moving
    // to the next PLU makes again only the texts whose row bytes or zone values changed.
    mutable std::vector<FieldTextInputs> m_textInputs;
    std::uint64_t m_watchedWords = 0;
    mutable PluShownRow m_shownRow;

    CPluDefRec m_row;
    std::uint32_t m_current = 0;
    std::uint32_t m_loaded = 0;
    bool m_isNew = false;
    ExtraPriceRecords m_extraPrices{};
    bool m_extraPricesChanged = false;
    LabelTextEditForm m_editor;
    bool m_descriptionChanged = false;

    std::uint16_t m_zone = 0;
    PriceZoneEntries m_pendingZoneValues;
    PriceZoneEntries m_storedZoneValues;

    // The extra messages whose printed length is summed, kept until their numbers change.
    mutable std::array<std::uint32_t, 3> m_extraMessages{};
    mutable std::uint32_t m_extraMessageLength = 0;
    // The length text last made and the length it shows: most PLUs print as long as the one before.
    mutable std::optional<std::uint32_t> m_lengthShown;
    mutable std::string m_lengthText;
    int m_promotion = 0;
    std::optional<int> m_focusRequest;
    std::function<bool()> m_commitFocused;
};

}  // namespace varnel
