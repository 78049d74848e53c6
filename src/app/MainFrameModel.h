// The main frame as its windows see it (IFrameModel), as its shutdown saves it (ISetupFiles) and as
// the document reaches it (IDocumentHost): one adapter over CMainFrame and its run, so the frame
// itself stays the owner of the settings only.
#pragma once

#include "app/DocumentHost.h"
#include "app/FrameModel.h"
#include "app/FrameTeardown.h"

#include <functional>

namespace varnel {

class CMainFrame;
class CVrn3Doc;

class MainFrameModel final : public IFrameModel, public ISetupFiles, public IDocumentHost {
public:
    explicit MainFrameModel(CMainFrame& frame);

    // IFrameModel.
    RunMode GetRunMode() const override;
    int GetMainToolBar(int screenWidth) const override;
    std::string GetCommsStatusText() const override;
    std::string GetFrameTitle(const IFrameDocument* active) const override;
    RestoredPlacement GetRestoredPlacement() const override;
    void SaveOnClose(const ClosingPlacement& placement) override;
    IFrameDocument* GetFrameDocument() const override;
    const CUserSetupList* GetUsers() const override;
    std::string GetDataSourceName() const override;
    std::string GetSchedulePath() const override;
    int GetMarket() const override;
    std::pair<int, int> GetSearchWindowSize() const override;
    void SetSearchWindowSize(int width, int height) override;
    void OnDataSaveReceived() override;

    // ISetupFiles.
    bool IsGeneralSetupLoaded() const override;
    bool IsSiteSetupLoaded() const override;
    bool SaveGeneralSetup() override;
    bool SaveSiteSetup() override;

    // IDocumentHost.
    DocumentSwitches GetDocumentSwitches() const override;
    void RegisterDocument(CVrn3Doc* document) override;
    std::string GetLastDatabasePath() const override;
    void SetLastDatabasePath(const std::string& path) override;
    CMasterScale* GetCurrentDepartment() const override;
    std::string GetBackupDirectory() const override;
    CIdEnqLinkList& GetLinks() override;
    LinkRoles GetLinkRoles() override { return LinkRoles::Of(m_frame); }
    void SetLinksStarted(bool started) override;
    std::string GetDatabaseFilter() const override;
    std::string GetDatabaseExtension() const override;
    bool NextListJobRecord(std::uint32_t kind, const CLinkScaleSettings& scale, IEventLog& log, KeyCursor& cursor,
                           std::uint32_t last, ScaleRecordOut& out, KeyCursor& key) override;
    bool StoreListRecord(std::uint16_t dataKind, CLinkScale& scale, std::span<const std::uint8_t> record) override;
    CKeyboardList* GetKeyboardList() override;
    const CKeyboard* GetLayoutKeyboard(std::uint16_t sysType) const override;

    // Set when OnDataSaveReceived may open the received file (the Data Save commands' issue fills it).
    void SetDataSaveOpener(std::function<void()> opener) { m_openDataSave = std::move(opener); }

private:
    CMainFrame& m_frame;
    CVrn3Doc* m_document = nullptr;
    std::function<void()> m_openDataSave;
};

}  // namespace varnel
