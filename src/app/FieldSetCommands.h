// The field-set commands of the main frame: each edits one of the frame's five field-definition maps
// in "Field Setup" over its range of field numbers.
//
//   setup password on and not entered -> nothing
//   dialog cancelled                  -> nothing
//   the user may not update the setup -> 61328, nothing
//   otherwise the set takes the dialog's definitions (those it dropped go, those it kept are copied
//   over, new ones come), the PLU sets get their two rules below, the change is logged ("Setup
//   modified" with the set's name; the production report set logs nothing) and "GENSETUP.DEF" saved.
#pragma once

#include "app/SetupCommands.h"
#include "db/site/FieldSetupForm.h"
#include "db/site/SiteRules.h"
#include "platform/Messages.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace varnel {

class CMainFrame;

struct FieldSetCommand {
    std::uint32_t command;
    const char* menuText;
    FieldDefMap set;
    FieldRange range;
    MessageId logSubject;  // 0: not logged
};

inline constexpr FieldSetCommand kFieldSetCommands[] = {
    {32803, "&PLU Fields", FieldDefMap::Plu, kPluFieldRange, 20519},
    {32980, "PLU Fields (Page 1)", FieldDefMap::Plu, kPluFieldRange, 20519},
    {32884, "&PLU Fields (RUX/PZ4/Tarn4)", FieldDefMap::Plu2, kPluFieldRange, 20581},
    {32943, "PLU Fields (Page 2)", FieldDefMap::Plu2, kPluFieldRange, 20581},
    {32885, "&Price Fields (RUX/PZ4/Tarn4)", FieldDefMap::RuxPrice, {1200, 1238}, 20582},
    {32914, "&Nutrition Fields", FieldDefMap::Nutrition, {1400, 1414}, 20541},
    {32783, "&Prod. Report Fields", FieldDefMap::Production, {1600, 1620}, 0},
};

// `runDialog` answers whether "Field Setup" ended with OK; it works on a copy of the whole set. True when
// the set was changed.
bool EditFieldSet(CMainFrame& frame, const FieldSetCommand& command, const EnterSetupPassword& enterPassword,
                  const std::function<bool(FieldSetupForm&)>& runDialog);

// The set takes `edited`: a definition whose key `edited` lacks goes, one in both is copied over in
// place, a new one is added.
void TakeFieldSet(CLabPropMap& set, const CLabPropMap& edited);

// A bar code holds department, group and item code in at most 8 digits (scales below the RUX family).
// None while the three widths fit; else the item code's new width, 0 when department and group leave
// it no room (the item code is then neither displayed nor printed).
std::optional<std::uint16_t> FittedItemCodeWidth(std::uint16_t dept, std::uint16_t group, std::uint16_t item);
// 31474 and the item code field's width reset when department, group and item code of the PLU set do
// not fit.
void FitItemCodeWidth(CLabPropMap& pluSet);

// With both PLU sets in use (scale mix 1), a field is displayed by one of them only: what `edited`
// displays, `other` hides. "PLU Code" is every set's key and stays as it is.
void HideFieldsShownIn(const CLabPropMap& edited, CLabPropMap& other);

}  // namespace varnel
