// The frame's and document's commands that open the communication windows, and what those windows
// take from the frame and the document:
//   "&Transmit/Receive Scale Data..."  the Communication Center (OpenCommCenter)
//   "&Comms (On-Line)"                 the links' setup (EditCommsLinks): after the setup password,
//                                      waits for busy links (Cancel skips the editing), stops the links
//                                      keeping their unsent data, runs "Communication Links"; a change
//                                      saves the site setup and recomputes the derived flags; the links
//                                      start again while on-line comms is on, also after a Cancel
//   "Co&mms (Data Save)"               the file link's settings (EditDataSaveComms)
//   "Comms (&Lumen - RS232C)"          the Lumen serial link's settings (EditLumenComms); both after the
//                                      setup password, the general setup saved when they changed
#pragma once

#include "app/SetupCommands.h"
#include "comms/center/CommCenterForm.h"
#include "comms/idenq/LinkSetupContext.h"

#include <functional>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IDocumentHost;

// The Communication Center's view of the frame and the document.
class CommCenterHost final : public ICommCenterHost {
public:
    CommCenterHost(CMainFrame& frame, CVrn3Doc& document) : m_frame(frame), m_document(document) {}

    const CGeneralSetup& GetGeneralSetup() const override;
    std::string GetScaleDataDirectory() const override;
    KindsInUse GetKindsInUse() const override;
    bool SendsNutritionWithPlus() const override;
    bool HasEnabledScaleType(std::uint16_t family) const override;
    bool IsRestrictedAccess() const override;
    bool MayTransmit() const override;
    bool MayLoad() const override;
    bool HasTableAccess(std::uint16_t table, std::uint8_t mask) const override;
    const CMasterScale* GetCurrentDepartment() const override;
    IDocument* GetDocument() const override;
    const CAppEventLog* GetEventLog() const override;
    void WriteEvent(std::uint16_t kind, const std::string& text) override;
    void PrepareSend(const SendRequests& jobs) override;
    bool TakeImportErrorFlag() override;
    void ClearImportErrorFlag() override;
    std::optional<std::uint32_t> PickRecord(std::uint16_t kind, std::uint32_t current) override;

    // The pickers of the kinds that have one, by data kind; none until their windows are built.
    std::function<std::optional<std::uint32_t>(std::uint16_t kind, std::uint32_t current)> pickRecord;

private:
    CMainFrame& m_frame;
    CVrn3Doc& m_document;
};

// The kinds in use by the frame's derived flags (SetupFlags.h).
KindsInUse KindsInUseOf(const CMainFrame& frame);

// The Communication Center through the comms dialogs; in continue mode for `department`, true when
// "&Continue" (or every scale answering) closed it.
bool OpenCommCenter(CMainFrame& frame, CVrn3Doc& document, const CMasterScale* continueFor = nullptr,
                    const std::function<std::optional<std::uint32_t>(std::uint16_t, std::uint32_t)>& pickRecord = {});

// What the link setup dialogs take from the frame and the document.
LinkSetupContext MakeLinkSetupContext(CMainFrame& frame, CVrn3Doc& document);

// "&Comms (On-Line)": true when a link was added, changed or deleted.
bool EditCommsLinks(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document, const EnterSetupPassword& enterPassword);
// "Co&mms (Data Save)" and "Comms (&Lumen - RS232C)": true when the link's settings changed.
bool EditDataSaveComms(CMainFrame& frame, const EnterSetupPassword& enterPassword);
bool EditLumenComms(CMainFrame& frame, const EnterSetupPassword& enterPassword);

}  // namespace varnel
