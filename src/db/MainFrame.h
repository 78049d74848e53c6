// What the record store reads of the application's main frame: the general setup and the flags the
// frame derives from it. The application installs its frame here once it exists; before that
// (and in tools without a frame) GetMainFrame() is null and callers fall back to system defaults.
#pragma once

#include "db/GeneralSetup.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

class CUserSetupList;
class CDefLineFont;
class CScaleFontList;

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    virtual const CGeneralSetup& GetGeneralSetup() const = 0;
    // Set for every market but China, Hong Kong and Taiwan each time the scale fonts are chosen.
    virtual bool GetSystemDoubleByteFlag() const = 0;
    // The users and the one logged in; null in a frame that keeps none.
    virtual CUserSetupList* GetUserList() const = 0;
    // The logged-in user's right on a table (mask 1 view, 2 update, 4 delete); all while nobody is logged in.
    virtual bool HasTableAccess(std::size_t table, std::uint8_t mask) const = 0;
    // Not 0, not above "Max. PLU No." and in no active excluded PLU range.
    virtual bool IsPluNumberAllowed(std::uint32_t pluNumber) const = 0;
    // The first number at or after `pluNumber` in no active excluded PLU range ("Max. PLU No." not tested).
    virtual std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const = 0;
    // The fonts of the current settings, rebuilt whenever the general setup changes.
    virtual const CScaleFontList& GetScaleFontList() const = 0;
    // Which font each line of a new text gets.
    virtual const CDefLineFont& GetDefLineFont() const = 0;
};

IMainFrame* GetMainFrame();
// Installs the main frame (null removes it) and returns the one it replaces.
IMainFrame* SetMainFrame(IMainFrame* frame);

// The main frame's general setup; a default one while there is no frame.
const CGeneralSetup& CurrentGeneralSetup();

}  // namespace varnel
