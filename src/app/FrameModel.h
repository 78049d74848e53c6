// What the main window and its child windows show of the main frame, and what they hand back to it.
// The main frame implements it; the windows hold no state of their own that a test of the core needs.
#pragma once

#include "app/CommandLine.h"
#include "app/WindowPlacement.h"

#include <string>
#include <utility>

namespace varnel {

class CUserSetupList;
class IFrameDocument;

class IFrameModel {
public:
    virtual ~IFrameModel() = default;

    virtual RunMode GetRunMode() const = 0;
    // The main tool bar for a screen this wide (normal mode only).
    virtual int GetMainToolBar(int screenWidth) const = 0;
    // Status pane 1, built when the links post that their activity changed.
    virtual std::string GetCommsStatusText() const = 0;
    // The main window's title; `active` is the document of the active child window when that window is
    // not maximised.
    virtual std::string GetFrameTitle(const IFrameDocument* active) const = 0;
    // Where the main window goes when it first shows.
    virtual RestoredPlacement GetRestoredPlacement() const = 0;
    // The main window closes: what is to be kept of it and of the settings is saved.
    virtual void SaveOnClose(const ClosingPlacement& placement) = 0;

    // What the child windows read and store.
    virtual IFrameDocument* GetFrameDocument() const = 0;
    virtual const CUserSetupList* GetUsers() const = 0;
    virtual std::string GetDataSourceName() const = 0;
    virtual std::string GetSchedulePath() const = 0;
    virtual int GetMarket() const = 0;
    virtual std::pair<int, int> GetSearchWindowSize() const = 0;
    virtual void SetSearchWindowSize(int width, int height) = 0;

    // A Data Save file arrived on the file link (a posted message).
    virtual void OnDataSaveReceived() = 0;
};

}  // namespace varnel
