// What the document needs of the program around it. The main frame fills IDocumentHost (run mode,
// switches of the general setup, paths, departments, links); the windows fill IDocumentUi (wait
// cursor, splash window, views, the Communication Center, the message lists). Without a window every IDocumentUi call
// does nothing. ("Scale Comms" runs through the comms dialogs, unseen when none are installed.)
#pragma once

#include "app/CommandLine.h"
#include "db/site/LinkRoles.h"
#include "db/site/ScaleDef.h"
#include "db/plu/SendDataLog.h"
#include "db/store/ObjDBTable.h"
#include "platform/Messages.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace varnel {

class CIdEnqLinkList;
class CKeyboard;
class CKeyboardList;
class CLinkScale;
class CMasterScale;
class CVrn3Doc;
struct CLinkScaleSettings;
struct ScaleRecordOut;

// The general setup's switches that the document reads.
struct DocumentSwitches {
    bool multiUser = false;               // databases are opened shared
    bool loadLastDatabase = true;         // the last database opens at start
    bool autoBackup = false;              // dated backups at start
    bool openCommsCenterAtStart = false;
    bool ausNzNutrition = false;          // the standard Australian/New Zealand nutrition layout
    bool otherMakerSends = false;         // changed PLUs are sent to the outside maker's scales at exit
    std::array<std::uint32_t, 5> retentionDays{};  // the five production retention periods
    std::uint16_t defaultFamily = 0;      // the default scale family
};

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;

    virtual RunMode GetRunMode() const = 0;
    virtual DocumentSwitches GetDocumentSwitches() const = 0;
    // The frame's document pointer: set when the document registers, null when it closes.
    virtual void RegisterDocument(CVrn3Doc* document) = 0;
    virtual std::string GetLastDatabasePath() const = 0;
    virtual void SetLastDatabasePath(const std::string& path) = 0;
    // The current department; null when none is chosen.
    virtual CMasterScale* GetCurrentDepartment() const = 0;
    // The "Backup" directory of dated database copies.
    virtual std::string GetBackupDirectory() const = 0;
    virtual CIdEnqLinkList& GetLinks() = 0;
    // What the links report to as the document starts them: the main frame's roles.
    virtual LinkRoles GetLinkRoles() = 0;
    virtual void SetLinksStarted(bool started) = 0;
    // The database file filter ("Name (*.ext) |*.ext|...||") and default extension of save dialogs.
    virtual std::string GetDatabaseFilter() const = 0;
    virtual std::string GetDatabaseExtension() const = 0;
    // The frame's layout keyboards, and the template keyboard whose layout a new keyboard of a system
    // type starts from; none when the frame keeps no keyboards.
    virtual CKeyboardList* GetKeyboardList() { return nullptr; }
    virtual const CKeyboard* GetLayoutKeyboard(std::uint16_t /*sysType*/) const { return nullptr; }
    // The next record of a job of the frame's lists (operators: job kinds 6 and 7; keyboards: 9 and
    // 10), as IDocument::NextJobRecord; false for a kind the frame does not build.
    virtual bool NextListJobRecord(std::uint32_t /*kind*/, const CLinkScaleSettings& /*scale*/, IEventLog& /*log*/,
                                   KeyCursor& /*cursor*/, std::uint32_t /*last*/, ScaleRecordOut& /*out*/,
                                   KeyCursor& /*key*/)
    {
        return false;
    }
    // The frame's lists in a Lumen transfer with `scale`: the next keyboard record to send from
    // `position` (moved past it), and a received keyboard (command index 3) or operator (11) record.
    virtual bool NextLumenKeyboardRecord(const CLinkScaleSettings& /*scale*/, std::size_t& /*position*/,
                                         std::span<std::uint8_t> /*buffer*/, std::uint32_t& /*length*/)
    {
        return false;
    }
    virtual bool StoreLumenListRecord(std::uint32_t /*kind*/, const CLinkScaleSettings& /*scale*/,
                                      std::span<const std::uint8_t> /*record*/)
    {
        return false;
    }
    // Records of the lists the frame keeps (data kinds 6 and 36 keyboards, 37 index keyboards,
    // 13 operators, 40 images); false for a kind the frame does not keep.
    virtual bool StoreListRecord(std::uint16_t /*dataKind*/, CLinkScale& /*scale*/,
                                 std::span<const std::uint8_t> /*record*/)
    {
        return false;
    }
};

class IDocumentUi {
public:
    virtual ~IDocumentUi() = default;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
    virtual void HideSplash() {}
    virtual void UpdateAllViews() {}
    virtual void OpenCommsCenter() {}
    // The message list of a message kind in pick mode (IDocument::SelectMessageNo).
    virtual std::optional<std::uint32_t> SelectMessageNo(std::uint32_t /*kind*/, std::uint32_t /*current*/)
    {
        return std::nullopt;
    }
    // The store list in pick mode (CVrn3Doc::SelectStoreNo).
    virtual std::optional<std::uint32_t> SelectStoreNo(std::uint32_t /*current*/) { return std::nullopt; }
    // The PLU edit window of the open database: opened in a child frame (false when it could not
    // be), or its frame closed.
    virtual bool OpenPluEditorWindow() { return false; }
    virtual void ClosePluEditorWindows() {}
    // The report window over the document's pending report: false (after 61705) when none opens.
    virtual bool OpenReportWindow() { return false; }
    // The PLU list window of the open database: opened once a database has opened, and taken away
    // before the database closes (its rows go with it).
    virtual void OpenListWindow() {}
    virtual void DiscardListWindow() {}
};

}  // namespace varnel
