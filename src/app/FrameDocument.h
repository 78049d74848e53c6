// What the main frame and its child frames ask of the open document: its title and batch mode for
// the window titles, the report it shows, and whether it lets the database close. The application's
// document implements it; the frame holds none while no database is open.
#pragma once

#include <string>

namespace varnel {

class IFrameDocument {
public:
    virtual ~IFrameDocument() = default;
    virtual std::string GetTitle() const = 0;
    virtual bool IsBatchMode() const = 0;
    virtual std::string GetBatchFilePath() const = 0;
    // The kind of report the report window shows (0 the PLU report ...).
    virtual int GetReportKind() const = 0;
    // Lets the user save or drop unsaved changes; false when they chose to keep the database open.
    virtual bool SaveModified() = 0;
    // Closes the PLU editor, report and keyboard windows before the database closes.
    virtual void CloseEditorWindows() = 0;
};

}  // namespace varnel
