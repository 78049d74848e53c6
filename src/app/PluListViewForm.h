// The PLU list window's model: the commands of the "PLU" menu over the list panel's current PLU and
// the tables of the open database. It decides which commands the current user may run, and runs the
// new, edit, delete (one or a range), copy, cut, paste, price-change, delete-nutrition and
// active-switch sequences; what needs a window (the PLU edit window, the pickers, the Paste PLU
// dialog, the price dialogs, the clipboard) it asks of its host.
//
// Nutrition and ingredients open the dialogs the site's switches choose on the current PLU.
//
// A change of one PLU is refused (61259) while the PLU edit window shows that PLU, and (31502) when
// the PLU is host-controlled; a paste checks its target the same way, whichever way it was chosen.
#pragma once

#include "platform/Messages.h"
#include "pluedit/PluEditSite.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace varnel {

class CDBComTb;
class CNutritionTb;
class CPluDatabase;
class CPluDefRec;
class CPluDefTb;
class CPluPriceZoneTb;
class ISiteRules;
class PluListPanelForm;

namespace PluCommand {
inline constexpr std::uint32_t kNewPlu = 32773;
inline constexpr std::uint32_t kNewPluButton = 122;
inline constexpr std::uint32_t kEditPlu = 32779;
inline constexpr std::uint32_t kEditButton = 1006;
inline constexpr std::uint32_t kDeleteRange = 32780;
inline constexpr std::uint32_t kDeleteButton = 1003;
inline constexpr std::uint32_t kDeletePlu = 32960;
inline constexpr std::uint32_t kPriceChanges = 32781;
inline constexpr std::uint32_t kMarkdownChanges = 32782;
inline constexpr std::uint32_t kCopy = 57634;
inline constexpr std::uint32_t kCut = 57635;
inline constexpr std::uint32_t kPaste = 57637;
inline constexpr std::uint32_t kNutrition = 3001;
inline constexpr std::uint32_t kDeleteNutrition = 32845;
inline constexpr std::uint32_t kIngredients = 32867;
inline constexpr std::uint32_t kDeleteIngredients = 32868;
inline constexpr std::uint32_t kMarkActive = 32951;
}  // namespace PluCommand

// What the list reads of the site's settings, as its host makes them.
struct PluListViewSettings {
    bool nutritionPerPlu = true;     // one nutrition record per PLU, keyed by its number (else shared)
    bool standardNutrition = false;  // standard nutrition records are in use
    bool customNutrition = false;    // custom nutrition records are in use
    bool canEditNutrition = false;   // the standard nutrition dialogs may be opened
    bool canEditCustomNutrition = false;
    bool ausNzNutrition = false;     // the Australian/New Zealand layout, with ingredients in table 8
    bool headOffice = false;         // price zones in head-office mode
    std::uint16_t localZone = 0;     // the store's own price zone
    std::uint32_t scaleMix = 0;      // the main frame's scale mix (2 and 4: family 9 alone or with 10 to 12)
};

// What "Select PLUs" chose to delete.
struct PluDeleteRange {
    bool all = false;
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

// Where the Paste PLU dialog puts the PLU of the clipboard.
enum class PasteTarget { SelectedPlu = 1, TypedPlu = 2, UnusedPlu = 3 };
struct PasteChoice {
    PasteTarget target = PasteTarget::SelectedPlu;
    std::uint32_t typedPlu = 0;  // for TypedPlu
};

class IPluListViewHost {
public:
    virtual ~IPluListViewHost() = default;
    // The PLU the PLU edit window shows; none while it is closed.
    virtual std::optional<std::uint32_t> GetPluInEditor() const = 0;
    // Opens the PLU edit window on the PLU (or shows it there), stored or to be made.
    virtual void EditPlu(std::uint32_t pluNumber) = 0;
    virtual void UpdateAllViews() = 0;
    // "Select PLU" opened on `initial`; none when cancelled.
    virtual std::optional<std::uint32_t> PickPlu(std::uint32_t initial) = 0;
    // "Select PLUs" for a delete; none when cancelled or no range was chosen.
    virtual std::optional<PluDeleteRange> PickDeleteRange() = 0;
    // The Paste PLU dialog; none when cancelled.
    virtual std::optional<PasteChoice> AskPasteTarget(std::uint32_t clipboardPlu, bool pluSelected) = 0;
    // Runs price dialog `dialog` (145, 274, 275, 309 or 310) for the command on the PLU.
    virtual void RunPriceDialog(int dialog, std::uint32_t command, std::uint32_t pluNumber) = 0;
    // The nutrition dialog on the PLU's row, stored after OK (a host-controlled PLU's panel is not).
    virtual void EditNutrition(NutritionDialog dialog, std::uint32_t pluNumber, bool hostControlled) = 0;
    // "Edit Message" on the PLU's ingredients in table 8, an empty text at `labelWidth` for none.
    virtual void EditIngredients(std::uint32_t pluNumber, std::uint16_t labelWidth) = 0;
    // The clipboard's block in the PLU format; none when it holds none.
    virtual void PutPluBlock(const std::vector<std::uint8_t>& block) = 0;
    virtual std::optional<std::vector<std::uint8_t>> GetPluBlock() const = 0;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

class PluListViewForm {
public:
    static constexpr MessageId kMsgBeingEdited = 61259;
    static constexpr MessageId kMsgHostControlled = 31502;
    static constexpr MessageId kMsgDeletePlu = 61233;
    static constexpr MessageId kMsgNoFreePlu = 61240;
    static constexpr MessageId kMsgOutOfRange = 61237;
    static constexpr MessageId kMsgProhibited = 61286;
    static constexpr MessageId kMsgNoMarkdownFlag = 61249;
    static constexpr MessageId kMsgDeleteNutrition = 61281;
    static constexpr MessageId kMsgSetActive = 20551;
    static constexpr MessageId kMsgSetInactive = 20552;
    static constexpr MessageId kMsgUserEdit = 20506;
    static constexpr std::uint16_t kPriceChangeTable = 14;
    static constexpr std::uint16_t kIngredientsTable = 8;

    PluListViewForm(CPluDatabase& database, PluListPanelForm& panel, const ISiteRules& site, IPluListViewHost& host,
                    PluListViewSettings settings);

    // The site's settings as they are now (they change while the window is open).
    void SetSettings(const PluListViewSettings& settings) { m_settings = settings; }
    // Whether the command may run now; false for a command that is not the list's.
    bool IsEnabled(std::uint32_t command) const;
    // "Make Active" or "Make Inactive", as the current PLU is.
    MessageId GetActiveCommandText() const;
    // Runs the command when it is enabled; false when it is not the list's or is not enabled.
    bool RunCommand(std::uint32_t command);

    void NewPlu();
    void EditSelectedPlu();
    // Each true when it changed the database.
    bool DeleteSelectedPlu();
    bool DeletePluRange();
    bool CopySelectedPlu();
    bool CutSelectedPlu();
    bool PastePlu();
    bool DeleteSelectedNutrition();
    // The nutrition dialog the site's switches choose; false when none opened.
    bool EditSelectedNutrition();
    bool EditSelectedIngredients();
    bool DeleteSelectedIngredients();
    bool SwitchSelectedActive();
    // The price dialog for 32781 or 32782 on the current PLU.
    void ChangePrices(std::uint32_t command);
    // The dialog the command opens: 274/275 per zone, 309/310 multi-price, 145 single; 0 when a field
    // definition it needs is missing (61249 shown for the markdown flag's).
    int ChoosePriceDialog(std::uint32_t command) const;
    // The dialog "Nutrition" opens: none when the site edits no nutrition.
    std::optional<NutritionDialog> ChooseNutritionDialog() const;

private:
    bool HasPluRight(std::uint8_t mask) const;
    std::optional<std::uint32_t> Selected() const;
    // The stored row of a PLU the user may change now (61259, 31502 otherwise); null when refused or
    // not stored.
    CPluDefRec* RowToChange(std::uint32_t pluNumber) const;
    // The first free PLU number from the current PLU's (or 1); none after 61240.
    std::optional<std::uint32_t> FirstFreePlu() const;
    // 61237 or 61286 for a number the user may not give a PLU.
    bool CheckNewPluNumber(std::uint32_t pluNumber) const;
    // The nutrition record the PLU's row uses.
    std::uint32_t NutritionKey(const CPluDefRec& row) const;
    void DeleteKeyedRecord(CDBComTb* table, std::uint32_t key, bool queue) const;
    // Deletes the shared nutrition records among `numbers` that no PLU uses any longer.
    void ReleaseSharedNutrition(std::vector<std::uint32_t> numbers) const;
    void DeleteExtraPrices(std::uint32_t pluNumber) const;
    void Refresh();

    // The open database's tables, looked up at each use (null when the database lacks one).
    CPluDefTb* Plus() const;
    CPluPriceZoneTb* Zones() const;
    CNutritionTb* Nutrition() const;
    CDBComTb* Ingredients() const;       // table 8
    CDBComTb* AusNzIngredients() const;  // table 8, with Australian/New Zealand nutrition only

    CPluDatabase& m_database;
    PluListPanelForm& m_panel;
    const ISiteRules& m_site;
    IPluListViewHost& m_host;
    PluListViewSettings m_settings;
};

}  // namespace varnel
