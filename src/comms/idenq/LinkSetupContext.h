// What the link setup dialogs need of the program around them: the settings they show and check,
// where a stored change is logged, who may change the setup, and the database whose tables the
// filters name. The application fills one from its frame and document; tests fill their own.
#pragma once

#include "db/site/GeneralSetup.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnel {

class CAppEventLog;
class CMasterScaleList;
class CObjDatabase;
class CPriceZoneList;
class IDocument;

// The scale numbers in use on every link: index the scale number, true when a scale has it.
using ScaleNumberMap = std::vector<bool>;

struct LinkSetupContext {
    const CGeneralSetup* setup = nullptr;        // null: a default setup
    const CPriceZoneList* priceZones = nullptr;  // null: zone 0 only
    const CObjDatabase* database = nullptr;      // the filters' data types; null: none
    IDocument* document = nullptr;               // a new link is given it
    CMasterScaleList* departments = nullptr;     // a deleted link or scale leaves them
    const CAppEventLog* eventLog = nullptr;      // setup-change lines; null: not logged
    std::string scaleDataDirectory;              // where a new link's trace file goes
    // The current user may change the setup (refused: told so). Empty: allowed.
    std::function<bool()> allowSetupChange;
    // The current user's right on the setup table (mask 2 update, 4 delete). Empty: allowed.
    std::function<bool(std::uint8_t mask)> hasSetupRight;
    // Whether another link has the address a settings dialog is about to store; such an address keeps
    // the dialog open (31478). Empty: not checked.
    std::function<bool(const std::array<std::uint16_t, 4>& address)> addressInUse;

    const CGeneralSetup& Setup() const;
    bool AllowsSetupChange() const { return !allowSetupChange || allowSetupChange(); }
    bool HasSetupRight(std::uint8_t mask) const { return !hasSetupRight || hasSetupRight(mask); }
    // Writes the setup-change line "<subject> <detail>" when there is a log.
    void LogSetupModified(std::uint32_t subject, const std::string& detail) const;
};

// Marks a scale number used, growing the map as needed.
void MarkScaleNumber(ScaleNumberMap& map, std::uint16_t scaleNo);
// The lowest scale number from 1 that the map leaves free (one past its end when all are used).
std::uint16_t LowestFreeScaleNumber(const ScaleNumberMap& map);

}  // namespace varnel
