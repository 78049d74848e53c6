// What the record store reads of the application's main frame: the general setup and the flags the
// frame derives from it. The application installs its frame here once it exists; before that
// (and in tools without a frame) GetMainFrame() is null and callers fall back to system defaults.
#pragma once

#include "db/GeneralSetup.h"

namespace varnel {

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    virtual const CGeneralSetup& GetGeneralSetup() const = 0;
    // Set for every market but China, Hong Kong and Taiwan each time the scale fonts are chosen.
    virtual bool GetSystemDoubleByteFlag() const = 0;
};

IMainFrame* GetMainFrame();
// Installs the main frame (null removes it) and returns the one it replaces.
IMainFrame* SetMainFrame(IMainFrame* frame);

}  // namespace varnel
