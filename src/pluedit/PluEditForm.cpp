#include "pluedit/PluEditForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceRecord.h"
#include "db/store/ObjDatabase.h"
#include "platform/UserPrompt.h"
#include "platform/TextFormat.h"
#include "settings/DeptCode.h"
#include "settings/PriceZone.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace varnel {

namespace {

constexpr std::uint16_t kSalesMode = 1002;
constexpr std::uint16_t kMarkdownFlag = 1003;
constexpr std::uint16_t kMarkdownPrice = 1004;
constexpr std::uint16_t kUnitPrice = 1005;
constexpr std::uint16_t kDepartment = 1014;
constexpr std::uint16_t kItem = 1016;
constexpr std::uint16_t kExpiryTimeFlag = 1022;
constexpr std::uint16_t kExpiryTime = 1023;
constexpr std::uint16_t kActiveInactive = 1053;
constexpr std::uint16_t kFirstPermission = 1000;
constexpr std::array<std::uint16_t, 3> kExtraMessageTables{4, 29, 30};
constexpr int kDotHundredths = 15;  // a printed dot is 0.15 mm
constexpr std::uint16_t kFamily9 = 9;

std::optional<int> ReadNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

// The table as its class, cast again only when the database holds another table of that number.
template <class Table>
Table* CastOnce(CObjDBTable* table, const CObjDBTable*& seen, Table*& cast)
{
    if (table != seen) {
        seen = table;
        cast = dynamic_cast<Table*>(table);
    }
    return cast;
}

// The definitions the new-PLU defaults come from.
void StoreDefaults(CPluDefRec& row, const CLabPropMap& map)
{
    for (const auto& [key, definition] : map)
        if (definition) (void)SetPluFieldValue(row, *definition, definition->m_default);
}

}  // namespace

PluEditForm::PluEditForm(PluEditSite site, const ILabelTextMeasure* measure)
    : m_site(std::move(site)), m_fields(m_site.rules), m_measure(measure), m_editor(m_site.textSettings, measure)
{
    m_editor.SetTextKind(kDescriptionKind, 0);
    m_editor.SetFormatButtonShown(true);  // the window's form has "Format..." beside the effects
}

CPluDefTb* PluEditForm::Plus() const
{
    return CastOnce(m_site.database.GetTable(CPluDefTb::kTableNo), m_plusSeen, m_plus);
}

// The PLU nearest at or above (or below) a number; null once the database is closed.
const CDBRecord* PluEditForm::PeekPlu(std::uint32_t pluNumber, bool above) const
{
    const CPluDefTb* plus = Plus();
    if (plus == nullptr) return nullptr;
    KeyCursor cursor = pluNumber;
    return above ? plus->PeekNextRecord(cursor) : plus->PeekPrevRecord(cursor);
}

CPluPriceZoneTb* PluEditForm::Zones() const
{
    return CastOnce(m_site.database.GetTable(CPluPriceZoneTb::kTableNo), m_zonesSeen, m_zones);
}

void PluEditForm::Build(const FormUnits& units)
{
    m_pages = BuildPluEditPages(m_site.settings.layoutKind, m_fields.Map(FieldDefMap::Plu),
                                m_fields.Map(FieldDefMap::Plu2));
    std::size_t largest = 0;
    for (const PluEditPage& page : m_pages.pages) largest = std::max(largest, page.fields.size());
    m_areas = ComputePluEditAreas({m_pages.pages.size(), largest, IsZoneHintShown(),
                                   units.Y(PluEditAreas::kFormHeight), m_site.settings.screenLimitPixels});
    const CGeneralSetup& setup = Setup();
    const PluControlRules rules{m_site.settings.deptGroupSearch, false, m_site.settings.layoutKind,
                                setup.m_defaultScaleFamily, setup.m_deptGroupByText != 0};
    m_controls = LayOutPluFields(m_pages, m_areas, units, rules);
    m_shownTexts.assign(m_controls.size(), PluShownText{});
    m_salesMode = FindControl(kSalesMode);
    m_markdownFlag = FindControl(kMarkdownFlag);
    m_expiryTimeFlag = FindControl(kExpiryTimeFlag);
    m_textInputs.clear();
    m_watchedWords = 0;
    for (const PluFieldControl& control : m_controls) {
        m_textInputs.push_back(TextInputs(control));
        m_watchedWords |= m_textInputs.back().rowWords;
    }
    m_shownRow.Forget();
    m_zone = m_site.settings.headOffice ? (m_site.settings.siteZone != 0 ? m_site.settings.siteZone
                                                                        : m_site.document.lastZone)
                                        : setup.GetLocalPriceZone();
}

void PluEditForm::SelectPage(std::size_t page)
{
    if (page < m_pages.pages.size()) m_page = page;
}

std::string PluEditForm::GetLabelText(const PluFieldControl& control) const
{
    const CLabProp& definition = *control.definition;
    if (IsZoneHintShown() && IsPriceZoneField(m_fields, definition.m_fieldNo))
        return "*" + definition.m_name;
    return definition.m_name;
}

bool PluEditForm::IsFieldEnabled(std::uint16_t fieldNo) const
{
    const std::vector<std::uint16_t>& permissions = m_site.settings.fieldPermissions;
    const std::size_t index = fieldNo >= kFirstPermission ? fieldNo - kFirstPermission : permissions.size();
    return index >= permissions.size() || permissions[index] != 0;
}

const PluFieldControl* PluEditForm::FindControl(std::uint16_t fieldNo) const
{
    const auto found = std::ranges::find_if(
        m_controls, [fieldNo](const PluFieldControl& control) { return control.definition->m_fieldNo == fieldNo; });
    return found == m_controls.end() ? nullptr : &*found;
}

// Moves.

bool PluEditForm::OnUpdate()
{
    const std::uint32_t requested = m_site.document.showNext;
    if (requested == 0) return false;
    if (m_current != 0 && !SaveModified()) {
        m_site.document.showNext = 0;
        m_site.document.lastShown = m_current;
        return false;
    }
    m_site.document.showNext = 0;
    LoadPlu(requested);
    Refresh();
    return true;
}

bool PluEditForm::ShowPlu(std::uint32_t pluNumber)
{
    m_site.document.showNext = pluNumber;
    return OnUpdate();
}

bool PluEditForm::CanNext() const { return m_current != UINT32_MAX && PeekPlu(m_current + 1, true) != nullptr; }

bool PluEditForm::CanPrev() const { return m_current != 0 && PeekPlu(m_current - 1, false) != nullptr; }

bool PluEditForm::OnNext()
{
    const CDBRecord* next = m_current != UINT32_MAX ? PeekPlu(m_current + 1, true) : nullptr;
    return next != nullptr && ShowPlu(next->GetKey());
}

bool PluEditForm::OnPrev()
{
    const CDBRecord* previous = m_current != 0 ? PeekPlu(m_current - 1, false) : nullptr;
    return previous != nullptr && ShowPlu(previous->GetKey());
}

// Loading.

void PluEditForm::LoadPlu(std::uint32_t pluNumber)
{
    m_pendingZoneValues.clear();
    m_storedZoneValues.clear();
    m_site.document.lastShown = pluNumber;
    const CPluDefTb* plus = Plus();
    const auto* stored = plus ? dynamic_cast<const CPluDefRec*>(plus->FindRecord(pluNumber)) : nullptr;
    if (stored != nullptr) {
        m_current = m_loaded = pluNumber;
        m_isNew = false;
        m_row = *stored;
        (void)m_editor.SetTextAndWidth(stored->GetDesc(), stored->Get(PluCol::LabelWidth));
        m_site.document.pluChanged = false;
        LoadZoneValues();
    } else {
        PrepareNewPlu(pluNumber);
    }
    m_descriptionChanged = false;
    LoadExtraPrices();
}

void PluEditForm::PrepareNewPlu(std::uint32_t pluNumber)
{
    m_current = pluNumber;
    m_isNew = true;
    m_row = CPluDefRec();
    InitPluDataDefaults(pluNumber, m_row, CurrentGeneralSetup(), CurrentFieldDefs());
    m_row.Set(PluCol::RegCode, std::string("0000"));
    // The second map's defaults count wherever its family's scales may be.
    if (m_site.settings.family9Scale && Setup().m_defaultScaleFamily != kFamily9)
        StoreDefaults(m_row, m_fields.Map(FieldDefMap::Plu2));
    (void)SetPluFieldValue(m_row, kItem, static_cast<std::int32_t>(pluNumber));
    m_editor.Clear();
    m_editor.SetLabelWidth(m_row.Get(PluCol::LabelWidth));
    m_site.document.pluChanged = true;
    const std::uint32_t kind = m_site.settings.layoutKind;
    if (kind == 2 || kind == 4) {
        ExtraPriceRecord scratch{};
        m_site.services.InitExtraPriceRecord(scratch, pluNumber);
        PluFromRuxPriceRecord(m_row, scratch);
    }
}

// Only the layouts with price masters (kinds above 0) show or store them.
void PluEditForm::LoadExtraPrices()
{
    m_extraPricesChanged = false;
    if (m_site.settings.layoutKind == 0) return;
    const bool keptApart = Setup().m_noAutoRuxPriceRecord != 0;
    std::optional<ExtraPriceRecord> defaults;  // the same for every table without a row
    bool anyRow = false;
    for (std::size_t table = 0; table < m_extraPrices.size(); ++table) {
        ExtraPriceRecord& record = m_extraPrices[table];
        CObjDBTable* prices = m_site.database.GetTable(static_cast<std::uint16_t>(kFirstRuxPriceTable + table));
        const CDBRecord* stored = prices ? prices->FindRecord(m_current) : nullptr;
        if (stored != nullptr && stored->GetDataRoom() >= record.size()) {
            std::copy_n(const_cast<CDBRecord*>(stored)->GetData(), record.size(), record.begin());
            anyRow = true;
            continue;
        }
        if (!defaults) {
            defaults.emplace();
            if (keptApart) {
                m_site.services.InitExtraPriceRecord(*defaults, m_current);
            } else {
                defaults->fill(0);
                RuxPriceRecordFromPlu(*defaults, m_row);
            }
        }
        record = *defaults;
    }
    if (!anyRow) m_extraPrices[0][0] = 1;  // the first record's in-use word
}

void PluEditForm::LoadZoneValues()
{
    m_storedZoneValues.clear();
    if (CPluPriceZoneTb* zones = Zones(); zones != nullptr && m_zone != 0 && m_loaded != 0 && !m_isNew)
        (void)zones->LoadZoneEntries(m_loaded, m_zone, m_storedZoneValues);
}

void PluEditForm::Refresh()
{
    m_extraMessages.fill(UINT32_MAX);  // the printed length is measured again
    m_promotion = m_site.services.GetPluPromotionState(m_current);
}

// Field access.

bool PluEditForm::HasZoneValues() const
{
    return m_zone != 0 && !(m_pendingZoneValues.empty() && m_storedZoneValues.empty());
}

std::optional<std::int32_t> PluEditForm::ZoneValue(std::uint16_t fieldNo) const
{
    if (!HasZoneValues()) return std::nullopt;
    for (const PriceZoneEntry& entry : m_pendingZoneValues)
        if (entry.zone == m_zone && entry.fieldNo == fieldNo) return entry.value;
    for (const PriceZoneEntry& entry : m_storedZoneValues)
        if (entry.fieldNo == fieldNo) return entry.value;
    return std::nullopt;
}

std::int32_t PluEditForm::GetFieldValue(const CLabProp& definition) const
{
    if (const std::optional<std::int32_t> zone = ZoneValue(definition.m_fieldNo)) return *zone;
    return GetPluFieldValue(m_row, definition);
}

// The same through the column the control found when it was made.
std::int32_t PluEditForm::GetShownValue(const PluFieldControl& control) const
{
    if (const std::optional<std::int32_t> zone = ZoneValue(control.show.fieldNo)) return *zone;
    return control.show.ReadValue(m_row.Bytes());
}

void PluEditForm::SetFieldValue(const CLabProp& definition, std::int32_t value)
{
    if (m_zone != 0 && IsPriceZoneField(m_fields, definition.m_fieldNo))
        SetZoneEntry(definition.m_fieldNo, m_zone, value, m_pendingZoneValues);
    else
        (void)SetPluFieldValue(m_row, definition, value);
}

std::optional<std::int32_t> PluEditForm::ShownValue(const PluFieldControl* shown) const
{
    if (shown == nullptr) return std::nullopt;
    return GetShownValue(*shown);
}

std::uint16_t PluEditForm::GetFieldDecimals(const CLabProp& definition) const
{
    const std::uint16_t fieldNo = definition.m_fieldNo;
    if (fieldNo != kMarkdownPrice && fieldNo != kUnitPrice && fieldNo != kExpiryTime) return definition.m_decimals;
    const auto byte = [this](const PluFieldControl* shown) -> std::optional<std::uint8_t> {
        const std::optional<std::int32_t> value = ShownValue(shown);
        return value ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*value)) : std::nullopt;
    };
    // Each of the three follows one other field only.
    PluDecimalDeps deps;
    if (fieldNo == kUnitPrice) deps.salesMode = byte(m_salesMode);
    if (fieldNo == kMarkdownPrice) deps.markdownFlag = byte(m_markdownFlag);
    if (fieldNo == kExpiryTime) deps.expiryTimeFlag = byte(m_expiryTimeFlag);
    return GetPluFieldDecimals(definition, deps);
}

bool PluEditForm::IsTimeField(const CLabProp& definition) const
{
    if (!varnel::IsTimeField(definition)) return false;
    if (definition.m_fieldNo != kExpiryTime) return true;
    const std::optional<std::int32_t> flag = ShownValue(m_expiryTimeFlag);
    return !flag || IsExpTimeFlagMode2(static_cast<std::uint8_t>(*flag));
}

char PluEditForm::GetSeparator(const PluFieldControl& control) const { return control.separator; }

std::size_t PluEditForm::GetTextLimit(const PluFieldControl& control) const
{
    return control.definition->m_width + (control.definition->m_decimals != 0 ? 1u : 0u);
}

const std::string& PluEditForm::GetFieldText(const PluFieldControl& asked) const
{
    // A copy of a control shows as the form's own control of its field.
    const bool ours = asked.index < m_controls.size() && &m_controls[asked.index] == &asked;
    const PluFieldControl* found = ours ? &asked : FindControl(asked.show.fieldNo);
    if (found == nullptr) return m_noText;
    m_shownRow.Forget();  // this text may now follow another row than the others
    return ShowFieldText(*found, HasZoneValues());
}

PluEditForm::FieldTextInputs PluEditForm::TextInputs(const PluFieldControl& control) const
{
    const PluFieldControl* followed = nullptr;
    switch (control.show.kind) {
    case PluFieldShow::Kind::UnitPrice: followed = m_salesMode; break;
    case PluFieldShow::Kind::MarkdownPrice: followed = m_markdownFlag; break;
    case PluFieldShow::Kind::ExpiryTime: followed = m_expiryTimeFlag; break;
    default: break;
    }
    if (followed == nullptr) return {control.show.rowWords, 0, false};
    return {control.show.rowWords | followed->show.rowWords, followed->show.fieldNo, false};
}

bool PluEditForm::IsShownFromZone(const PluFieldControl& control) const
{
    const std::uint16_t followed = m_textInputs[control.index].followed;
    return ZoneValue(control.show.fieldNo) || (followed != 0 && ZoneValue(followed));
}

const std::vector<PluShownText>& PluEditForm::GetFieldTexts() const
{
    const bool zoneValues = HasZoneValues();
    const std::span<const std::uint8_t> row = m_row.Bytes();
    const std::uint64_t changed = m_shownRow.TakeChanged(row, CurrentPriceDecimalRules(), m_watchedWords);
    for (const PluFieldControl& control : m_controls) {
        if (control.kind != PluControlKind::NumEdit) continue;
        FieldTextInputs& inputs = m_textInputs[control.index];
        const bool fromZone = zoneValues && IsShownFromZone(control);
        const bool wasFromZone = std::exchange(inputs.fromZone, fromZone);
        if ((inputs.rowWords & changed) == 0 && !fromZone && !wasFromZone) continue;
        const PluFieldShow& show = control.show;
        // Most fields in place: a number of the row shown as its definition says.
        if (!zoneValues && show.ShowsAsDefined())
            (void)m_shownTexts[control.index].ShowNumber(show.Clamp(show.ReadValue(row)), show.decimals, show.IsTime(),
                                                         show.point);
        else
            (void)ShowFieldText(control, zoneValues);
    }
    return m_shownTexts;
}

// `zoneValues`: whether the selected zone has values of its own, which are then looked up first.
const std::string& PluEditForm::ShowFieldText(const PluFieldControl& control, bool zoneValues) const
{
    const PluFieldShow& show = control.show;
    PluShownText& last = m_shownTexts[control.index];
    if (show.IsText()) return last.Show(ShownText(show));
    const std::int32_t value = show.Clamp(zoneValues ? GetShownValue(control) : show.ReadValue(m_row.Bytes()));
    if (show.ShowsAsDefined()) return last.ShowNumber(value, show.decimals, show.IsTime(), show.point);
    return ShowFollowingField(control, value, last);
}

// The prices and the expiry time: their decimals and form follow another field.
const std::string& PluEditForm::ShowFollowingField(const PluFieldControl& control, std::int32_t value,
                                                   PluShownText& last) const
{
    const std::uint16_t decimals = GetFieldDecimals(*control.definition);
    bool time = false;
    if (control.show.kind == PluFieldShow::Kind::ExpiryTime) {
        time = IsTimeField(*control.definition);
    } else if (control.show.kind == PluFieldShow::Kind::MarkdownPrice) {
        const std::optional<std::int32_t> flag = ShownValue(m_markdownFlag);
        if (flag && IsPercentMarkdown(static_cast<std::uint8_t>(*flag)) && (value < 0 || value > (decimals != 0 ? 999 : 99)))
            value = 0;
    }
    return last.ShowNumber(value, decimals, time, control.show.point);
}

// Reg. Code its first characters up to the field's width, POS Code its last, Pack Type its first three.
std::string_view PluEditForm::ShownText(const PluFieldShow& show) const
{
    using Kind = PluFieldShow::Kind;
    switch (show.kind) {
    case Kind::RegCode: return m_row.Get(PluCol::RegCode).substr(0, std::min<std::size_t>(show.width, 4));
    case Kind::PosCode: {
        const std::string_view code = m_row.Get(PluCol::PosCode);
        return code.substr(code.size() - std::min({std::size_t{show.width}, std::size_t{13}, code.size()}));
    }
    case Kind::PackType: return m_row.Get(PluCol::PackType).substr(0, 3);
    default: return {};
    }
}

FieldChoices PluEditForm::GetChoices(const PluFieldControl& control) const
{
    const std::uint16_t fieldNo = control.definition->m_fieldNo;
    if (control.kind == PluControlKind::DeptCombo) {
        const std::uint16_t department = m_row.Get(PluCol::Dept);
        const DeptCodeDisplay& display = m_site.settings.deptCodeDisplay;
        if (fieldNo == kDepartment) return m_site.deptCodes.FillDeptCombo(display, false, department);
        return m_site.deptCodes.FillGroupCombo(display, false, department, m_row.Get(PluCol::Group));
    }
    const std::uint16_t kind = control.storage;
    const bool numeric = kind == FieldByte || kind == FieldWord || kind == FieldLong;
    FieldChoices choices = PropValueChoices(*control.definition,
                                            static_cast<std::uint16_t>(GetFieldValue(*control.definition)),
                                            m_editor.GetSettings().chars);
    if (!numeric) choices.selected.reset();
    return choices;
}

bool PluEditForm::OnDeptSelected(std::optional<std::size_t> selection)
{
    std::uint16_t department = 0;
    if (!m_site.deptCodes.GetSelectedDept(selection, false, department) || department == m_row.Get(PluCol::Dept))
        return false;
    m_row.Set(PluCol::Dept, department);
    m_site.document.pluChanged = true;
    return true;
}

bool PluEditForm::OnGroupSelected(std::optional<std::size_t> selection)
{
    std::uint16_t group = 0;
    if (!m_site.deptCodes.GetSelectedGroup(selection, false, m_row.Get(PluCol::Dept), group) ||
        group == m_row.Get(PluCol::Group))
        return false;
    m_row.Set(PluCol::Group, group);
    m_site.document.pluChanged = true;
    return true;
}

// The description.

void PluEditForm::OnDescLengthSelected(std::string_view text)
{
    if (const std::optional<int> length = ReadNumber(text)) {
        m_row.Set(PluCol::DescLen, static_cast<std::uint16_t>(*length));
        m_site.document.pluChanged = true;
    }
}

bool PluEditForm::OnDescLengthKillFocus(std::string_view text)
{
    const std::optional<int> length = ReadNumber(text);
    if (!length) {
        ShowMessage(kMsgNotNumeric);
        return false;
    }
    if (*length != m_row.Get(PluCol::DescLen)) {
        m_row.Set(PluCol::DescLen, static_cast<std::uint16_t>(*length));
        m_site.document.pluChanged = true;
    }
    return true;
}

std::uint32_t PluEditForm::ExtraMessageLength(int set, std::uint32_t number) const
{
    const std::optional<std::string> text = m_site.services.GetExtraMessageText(set, number);
    if (!text) return 0;
    LabelTextEditForm scratch(m_site.textSettings, m_measure);
    scratch.SetTextKind(kExtraMessageTables[static_cast<std::size_t>(set - 1)], 2);
    (void)scratch.SetText(*text);
    return scratch.GetPrintLength();
}

std::uint32_t PluEditForm::GetPrintedLength() const
{
    if (!m_site.settings.ausNzNutrition) {
        const std::array<std::uint32_t, 3> numbers{static_cast<std::uint32_t>(m_row.Get(PluCol::Message7)),
                                                   static_cast<std::uint32_t>(m_row.Get(PluCol::ExMessage2)),
                                                   static_cast<std::uint32_t>(m_row.Get(PluCol::ExMessage3))};
        if (numbers != m_extraMessages) {
            m_extraMessages = numbers;
            m_extraMessageLength = 0;
            const CGeneralSetup& setup = Setup();
            for (std::size_t n = 0; n < numbers.size(); ++n)
                if (numbers[n] != 0 && setup.m_extraMessagesInLengthCheck[n] != 0)
                    m_extraMessageLength += ExtraMessageLength(static_cast<int>(n + 1), numbers[n]);
        }
    }
    const std::uint32_t extra = m_site.settings.ausNzNutrition ? 0 : m_extraMessageLength;
    return (m_editor.GetPrintLength() + extra) * kDotHundredths;
}

const std::string& PluEditForm::GetLengthText() const
{
    const std::uint32_t length = GetPrintedLength();
    if (m_lengthShown != length) {
        m_lengthText = FormatMessage(kMsgLength, static_cast<int>(length / 100), static_cast<int>(length % 100));
        m_lengthShown = length;
    }
    return m_lengthText;
}

// The zone, the active state, host flags and promotions.

FieldChoices PluEditForm::GetZoneChoices() const { return m_site.zones.FillCombo(m_zone, true); }

void PluEditForm::OnZoneSelected(std::optional<std::size_t> row)
{
    if (!row) return;
    std::uint16_t zone = 0;
    if (*row > 0) {
        const std::vector<const CPriceZone*> sorted = m_site.zones.SortById();
        if (*row > sorted.size()) return;
        zone = sorted[*row - 1]->m_id;
    }
    m_zone = zone;
    m_site.document.lastZone = zone;
    LoadZoneValues();
}

PluEditForm::ActiveMode PluEditForm::GetActiveMode() const
{
    if (Setup().m_pluActiveInactive == 0) return ActiveMode::Hidden;
    return m_pages.activeInactive && IsPriceZoneField(m_fields, kActiveInactive) ? ActiveMode::Combo
                                                                                   : ActiveMode::Radios;
}

FieldChoices PluEditForm::GetActiveChoices() const
{
    if (!m_pages.activeInactive) return {};
    return PropValueChoices(*m_pages.activeInactive, static_cast<std::uint16_t>(m_row.Get(PluCol::CtrlFlag) & 1),
                            m_editor.GetSettings().chars);
}

FieldChoices PluEditForm::GetLabelWidthChoices() const
{
    return LabelWidthChoices(m_editor.GetLabelWidth(), Setup());
}

FieldChoices PluEditForm::GetDescLengthChoices() const
{
    return DescLengthChoices(m_row.Get(PluCol::DescLen), Setup());
}

bool PluEditForm::AreHostFlagsShown() const { return Setup().m_ctrlFlagPair != 0; }

void PluEditForm::OnPromotion() { m_site.services.EditPluPromotion(m_current); }

// Pickers.

bool PluEditForm::OnPicker(int button)
{
    const std::uint16_t fieldNo = PluPickerField(button);
    const PluFieldControl* control = FindControl(fieldNo);
    if (control == nullptr || control->button != button) return false;
    if (button == 1125) return PickExtraPrices();
    const CLabProp& definition = *control->definition;
    const std::optional<std::uint32_t> chosen =
        m_site.services.PickFieldNumber(fieldNo, static_cast<std::uint32_t>(GetFieldValue(definition)));
    if (!chosen) return false;
    SetFieldValue(definition, static_cast<std::int32_t>(*chosen));
    m_site.document.pluChanged = true;
    return true;
}

bool PluEditForm::PickExtraPrices()
{
    const bool keptApart = Setup().m_noAutoRuxPriceRecord != 0;
    ExtraPriceRecords copy = m_extraPrices;
    if (!keptApart) RuxPriceRecordFromPlu(copy[0], m_row);
    if (!m_site.services.EditExtraPrices(m_current, copy)) return false;
    m_extraPrices = copy;
    m_extraPricesChanged = true;
    m_site.document.pluChanged = true;
    if (!keptApart) PluFromRuxPriceRecord(m_row, m_extraPrices[0]);
    return true;
}

}  // namespace varnel
