// What the main frame's own commands work on: the frame (and its side the document reaches), the document and the windows' side of the
// commands (IFrameCommandUi), which tests replace. File choosers and questions go through the user
// prompt. Every dialog of IFrameCommandUi ends as Cancel by default, so an unattended run changes
// nothing.
#pragma once

#include "platform/UserPrompt.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CMainFrame;
class CMasterScaleList;
class CVrn3Doc;
class IDocumentHost;
class LogViewRangeForm;
class PluRangeProfileForm;

class IFrameCommandUi {
public:
    virtual ~IFrameCommandUi() = default;
    // "Enter Password" on the stored setup password: true when it was entered.
    virtual bool EnterSetupPassword(const std::string& /*password*/) { return false; }
    // "Change Department" making the chosen department current: true when it closed with Select.
    virtual bool ChooseCurrentDepartment(CMasterScaleList& /*departments*/) { return false; }
    // "Edit PLU Range Profile": true when it ended with OK.
    virtual bool EditPluRangeProfile(PluRangeProfileForm& /*form*/) { return false; }
    // "Select Log Data to View": true when it ended with OK.
    virtual bool SelectLogRange(LogViewRangeForm& /*form*/) { return false; }
    // "Specify Scale Data Directory" starting at `start`: the directory chosen.
    virtual std::optional<std::string> ChooseScaleDataDirectory(const std::string& /*start*/) { return std::nullopt; }
    // The main window's title and the active child's, after the database or schedule changed.
    virtual void UpdateTitles() {}
};

struct FrameCommandSite {
    CMainFrame& frame;
    IDocumentHost& host;  // the frame as the document reaches it (the links' state)
    CVrn3Doc& document;
    IFrameCommandUi& ui;
};

// The setup password, when it is in use: true when it is off or was entered.
bool PassPasswordGate(FrameCommandSite& site);

// A chooser of files of one extension ("set"): "*.set" preset, with the filter given.
FileRequest ExtensionChooser(FileRequest::Kind kind, std::string_view extension, std::string_view filter);

}  // namespace varnel
