// CMainFrame: the owner of every settings object and list of the system, and of the setup files that
// keep them. The record store, the links and the editors reach a setting through it (IMainFrame); the
// window around it lives in the GUI. A setup load reads into fresh objects and takes them only when
// the whole file read cleanly, so a damaged file changes nothing.
#pragma once

#include "app/FrameRun.h"
#include "app/SetupFiles.h"
#include "app/SetupFlags.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/lumen/LumenRs232Link.h"
#include "comms/filelink/Qd47ComLink.h"
#include "db/text/DefLineFont.h"
#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/MainFrame.h"
#include "db/text/ScaleFontList.h"
#include "keyboards/Keyboard.h"
#include "keyboards/KeyboardList.h"
#include "keyboards/KeyTypeDef.h"
#include "keyboards/VmKeySetup.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "settings/AccessSettings.h"
#include "settings/AppEventLog.h"
#include "settings/DeptCode.h"
#include "settings/EMailSettings.h"
#include "settings/MasterScaleList.h"
#include "settings/OperatorList.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

struct GeneralSetupContents;
struct SiteSetupContents;

class CMainFrame : public IMainFrame {
public:
    // The setup files and the working directory they live in (ending in "/"; empty for the current one).
    explicit CMainFrame(std::string workingDirectory = {}, IFileSystem& fs = RealFileSystem(),
                        IClock& clock = SystemClock());
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // IMainFrame.
    const CGeneralSetup& GetGeneralSetup() const override { return m_generalSetup; }
    SiteSettingsPtr GetSiteSettings() const override { return m_siteSettings.Get(*this); }
    bool GetSystemDoubleByteFlag() const override { return m_systemCharRule; }
    CUserSetupList* GetUserList() const override { return &m_access.m_users; }
    bool HasTableAccess(std::size_t table, std::uint8_t mask) const override
    {
        return m_access.HasTableAccess(table, mask);
    }
    bool IsPluNumberAllowed(std::uint32_t pluNumber) const override
    {
        return m_access.IsPluNumberAllowed(PinnedSetupOr(m_generalSetup), pluNumber);
    }
    std::uint32_t NextAllowedPluNumber(std::uint32_t pluNumber) const override
    {
        return m_access.NextAllowedPluNumber(pluNumber);
    }
    const CScaleFontList& GetScaleFontList() const override { return m_scaleFonts; }
    const CDefLineFont& GetDefLineFont() const override { return m_lineFonts; }
    IDocument* GetDocument() const override { return m_document; }
    const CLabPropMap& GetFieldDefMap(FieldDefMap which) const override;
    std::uint32_t GetRuxScaleMix() const override;
    void WriteEvent(std::uint16_t kind, std::string_view text) const override { m_eventLog->WriteEvent(kind, text); }
    void SetInvalidRecordFlag(std::uint32_t flag) override { m_invalidRecordFlag = flag; }
    std::uint32_t GetInvalidRecordFlag() const override { return m_invalidRecordFlag; }
    std::string GetScaleDataDirectory() const override { return m_scaleDataDirectory; }
    bool IsPriceZoneDefined(std::uint16_t zone) const override { return m_priceZones.IsDefined(zone); }
    bool HasPriceZones() const override { return !m_priceZones.IsEmpty(); }
    std::span<const std::uint16_t> GetPriceZoneFields() const override { return m_priceZoneFields; }
    std::string GetCurrentDataSaveFile() const override { return m_currentDataSaveFile; }
    void SetCurrentDataSaveFile(const std::string& path) override { m_currentDataSaveFile = path; }
    // How the last Data Save file was opened (the open mode of DataSaveOpenOptionsForm, 0 to 2) and
    // whether records of numbers already held were to be replaced.
    struct DataSaveOpenChoice {
        std::uint16_t mode = 2;
        bool overwrite = false;
    };
    const DataSaveOpenChoice& GetDataSaveOpenChoice() const { return m_dataSaveOpenChoice; }
    void SetDataSaveOpenChoice(const DataSaveOpenChoice& choice) { m_dataSaveOpenChoice = choice; }
    std::vector<const CLinkScaleSettings*> GetLinkScales() const override;

    // The document of the open database; the document sets itself when it opens and clears it.
    void SetDocument(IDocument* document) { m_document = document; }

    // Settings and queries derived from the general setup and the links.
    void RecalcSetupFlags();
    const SetupFlags& GetSetupFlags() const { return m_setupFlags; }
    bool GetSetupFlag(std::size_t flag) const { return flag < kSetupFlagCount && m_setupFlags[flag]; }
    // Chooses the font set for the market and default family, rebuilds the font list and sets the
    // system character rule.
    void SetupScaleFonts();
    bool HasScaleType(std::uint16_t family, bool all) const;
    bool HasEnabledScaleType(std::uint16_t family) const override;
    bool UsesStandardNutrition() const override;
    bool UsesCustomNutrition() const override;
    // The definitions of the PLU fields for the scales on the links (the RUX family's win where both
    // define a field).
    CLabPropMap GetPluFieldDefs() const;
    struct DatabaseFileFilter {
        std::string extension;  // ".pld" or ".mdb", the default format's
        std::string pattern;    // "*.pld" or "*.mdb"
        std::string filter;     // both kinds, the default format's first
    };
    DatabaseFileFilter GetDatabaseFileFilter() const;
    // The current department's name, else the document's title, else "".
    std::string GetDataSourceName() const;
    std::uint16_t GetLocalPriceZone() const { return m_generalSetup.GetLocalPriceZone(); }
    // In head-office mode the logged-in user's zone when it is not 0; otherwise the local zone.
    std::uint16_t GetCurrentPriceZone() const;
    bool IsHeadOfficeMode() const { return m_generalSetup.IsHeadOfficeMode(); }
    // On-line comms set and at least one enabled scale on an enabled link.
    bool IsOnlineCommsActive() const;
    // Whether an editor may go on while the links are not running: at once when on-line comms is not
    // in use or the links run, else when the user answers 31460 with OK.
    bool ConfirmOfflineEdit() const;
    // Which of the three extra-message sets the site's scales carry (derived flags 6 to 8).
    std::array<bool, 3> GetExtraMessageSetsInUse() const;
    bool CanEditNutrition() const;
    bool CanEditCustomNutrition() const;
    bool IsAusNzNutrition() const;
    bool UsesUsaCouponNumbers() const;
    bool UseDeptGroupSearch() const;
    // The active excluded PLU ranges become copies of the site's.
    void ResetPluRanges() { m_access.ResetPluRanges(); }

    // The settings lists.
    CGeneralSetup& GeneralSetup() { return m_generalSetup; }
    CLabPropMap& FieldDefs(FieldDefMap which) { return m_fieldDefs[static_cast<std::size_t>(which)]; }
    CIdEnqLinkList& Links() { return *m_links; }
    const CIdEnqLinkList& Links() const { return *m_links; }
    CQd47ComLink& Qd47Link() { return *m_qd47Link; }
    COperatorList& Operators() { return *m_operators; }
    const COperatorList& Operators() const { return *m_operators; }
    CPriceZoneList& PriceZones() { return m_priceZones; }
    const CPriceZoneList& PriceZones() const { return m_priceZones; }
    std::vector<std::uint16_t>& PriceZoneFields() { return m_priceZoneFields; }
    CMasterScaleList& Departments() { return *m_departments; }
    const CMasterScaleList& Departments() const { return *m_departments; }
    AccessSettings& Access() { return m_access; }
    const AccessSettings& Access() const { return m_access; }
    CUserSetupList& UserProfiles() { return m_userProfiles; }
    CAppEventLog& EventLog() { return *m_eventLog; }
    const CAppEventLog& EventLog() const { return *m_eventLog; }
    CDeptCodeList& DeptCodes() { return m_deptCodes; }
    const CDeptCodeList& DeptCodes() const { return m_deptCodes; }
    CKeyboardList& Keyboards() { return *m_keyboardList; }
    // Keyboards 1 to 5.
    CKeyboard& Keyboard(std::size_t number) { return m_keyboards.at(number - 1); }
    // The one of keyboards 1 to 5 that holds the default layout of system type 6, 8, 2 or 12; the
    // third serves every other type.
    const CKeyboard& GetLayoutKeyboard(std::uint16_t sysType) const;
    CLumenRs232Link& LumenLink() { return m_lumenLink; }
    CKeyTypeDef& KeyTypes() { return m_keyTypes; }
    CDefLineFont& LineFonts() { return m_lineFonts; }
    CEMailSettings& EMailSettings() { return m_eMailSettings; }
    const CEMailSettings& EMailSettings() const { return m_eMailSettings; }
    CVmKeySetup& VmKeySetup() { return m_vmKeySetup; }

    // Setup files (GeneralSetupFile.cpp, SiteSetupFile.cpp, ScheduleFile.cpp, PluProfileFile.cpp).
    // Each shows its own messages and answers whether it succeeded; a load that fails changes nothing.
    bool SaveGeneralSetup(const std::string& path);
    bool LoadGeneralSetup(const std::string& path);
    // `userChosen`: a ".sit" file the user picked, whose old send queues are dropped, not queued.
    bool SaveSiteSetup(const std::string& path);
    bool LoadSiteSetup(const std::string& path, bool userChosen = false);
    bool SavePluRangeProfile(const std::string& path);
    bool LoadPluRangeProfile(const std::string& path);
    // 0, or 61387 (the file is held by another program: `inUse` set) or 61365 (missing or invalid),
    // shown when `showMessages`. The file stays open and locked until the next load or save.
    MessageId LoadSchedule(const std::string& path, bool& inUse, bool showMessages);
    bool SaveSchedule(const std::string& path);
    void CloseScheduleFile() { m_scheduleFile.reset(); }
    bool IsScheduleFileOpen() const { return m_scheduleFile != nullptr; }
    // When "SETUP.DEF" is in the working directory: asks whether to use it, renames it "SETUP.DEF.OLD"
    // and gives that path when the user said yes; none otherwise.
    std::optional<std::string> CheckOldSetupFile();
    // The version of the general setup last loaded (the current one before any load).
    std::uint32_t GetSetupVersion() const { return m_setupVersion; }
    // The schedule file's version text, as last read.
    const std::string& GetScheduleVersion() const { return m_scheduleVersion; }
    // The sale list file is loaded with every site setup; until the sale wizard exists, through this.
    void SetSaleListLoader(std::function<void(const std::string& path)> loader) { m_loadSaleList = std::move(loader); }

    // Paths.
    const std::string& GetWorkingDirectory() const { return m_workingDirectory; }
    const std::string& GetGeneralSetupPath() const { return m_generalSetupPath; }
    const std::string& GetSiteSetupPath() const { return m_siteSetupPath; }
    const std::string& GetLastDatabasePath() const { return m_lastDatabasePath; }
    void SetLastDatabasePath(std::string path) { m_lastDatabasePath = std::move(path); }
    const std::string& GetBackupDirectory() const { return m_backupDirectory; }
    void SetBackupDirectory(std::string path) { m_backupDirectory = std::move(path); }
    bool IsGeneralSetupLoaded() const { return m_generalSetupLoaded; }
    bool IsSiteSetupLoaded() const { return m_siteSetupLoaded; }

    IFileSystem& FileSystem() const { return m_fs; }
    IClock& Clock() const { return m_clock; }

    // The program's run around the frame: start options, profile, activity counters, the window the
    // counters post to (FrameRun.h, MainFrameComms.cpp, MainFrameStart.h).
    FrameRun& GetRun() { return m_run; }
    const FrameRun& GetRun() const { return m_run; }
    void IncCommsState(std::uint32_t state) override;
    void DecCommsState(std::uint32_t state) override;

private:
    void TakeGeneralSetup(GeneralSetupContents&& contents, std::uint32_t version);
    void TakeSiteSetup(SiteSetupContents&& contents);

    IFileSystem& m_fs;
    IClock& m_clock;

    // The members in the order the frame keeps them. The lists a load replaces whole but cannot move
    // are held by pointer.
    CGeneralSetup m_generalSetup;
    SiteSettingsSource m_siteSettings;  // what the link workers read of it
    std::array<CLabPropMap, 5> m_fieldDefs;  // by FieldDefMap
    std::unique_ptr<CIdEnqLinkList> m_links;
    std::unique_ptr<CQd47ComLink> m_qd47Link;
    std::unique_ptr<COperatorList> m_operators;
    CPriceZoneList m_priceZones;
    std::vector<std::uint16_t> m_priceZoneFields;  // the word list: PLU fields that may differ by zone
    std::unique_ptr<CMasterScaleList> m_departments;
    mutable AccessSettings m_access;  // the users and both excluded PLU range lists
    CUserSetupList m_userProfiles;
    std::unique_ptr<CAppEventLog> m_eventLog;
    CDeptCodeList m_deptCodes;
    std::unique_ptr<CKeyboardList> m_keyboardList;
    std::array<CKeyboard, 5> m_keyboards;
    CLumenRs232Link m_lumenLink;
    CScaleFontList m_scaleFonts;
    CKeyTypeDef m_keyTypes;
    CDefLineFont m_lineFonts;
    CEMailSettings m_eMailSettings;
    CVmKeySetup m_vmKeySetup;
    bool m_systemCharRule = true;  // the system's multi-byte rules; false: lead bytes 160 to 254
    SetupFlags m_setupFlags;
    std::uint32_t m_invalidRecordFlag = 0;
    std::string m_lastDatabasePath;
    std::string m_workingDirectory;
    std::string m_generalSetupPath;
    std::string m_siteSetupPath;
    std::string m_backupDirectory;
    std::string m_scaleDataDirectory;
    std::string m_currentDataSaveFile;
    DataSaveOpenChoice m_dataSaveOpenChoice;
    bool m_generalSetupLoaded = false;
    bool m_siteSetupLoaded = false;
    IDocument* m_document = nullptr;
    std::uint32_t m_setupVersion;
    std::unique_ptr<IFile> m_scheduleFile;  // kept open, and locked, between schedule loads and saves
    std::string m_scheduleVersion;
    std::function<void(const std::string& path)> m_loadSaleList;
    FrameRun m_run;
};

}  // namespace varnel
