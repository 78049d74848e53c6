// Showing a text file to the user: the desktop's text viewer ("xdg-open"), or the program that the
// environment variable VARNEL_VIEWER names. Tests install a viewer of their own.
#pragma once

#include "platform/Result.h"

#include <string>

namespace varnel {

class ITextViewer {
public:
    virtual ~ITextViewer() = default;
    // Starts showing `path` and returns without waiting for the viewer to close.
    virtual Result<void> Show(const std::string& path) = 0;
};

// Installs the process's viewer (null puts back the desktop's) and returns the one it replaces.
ITextViewer* SetTextViewer(ITextViewer* viewer);

// Shows `path` in the installed viewer, by default the desktop's.
Result<void> OpenInTextViewer(const std::string& path);

}  // namespace varnel
