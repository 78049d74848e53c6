// The Data Save, QD47FD and compact commands of the document.
#include "app/DataSaveCommands.h"

#include "app/Vrn3Doc.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/filelink/DataSaveFile.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47FdFiles.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "db/site/GeneralSetup.h"
#include "platform/UserPrompt.h"

#include <optional>

namespace varnel {
namespace {

constexpr const char* kDataSaveFilter = "Data Save (*.dsv) |*.dsv|All Files (*.*)|*.*||";


std::optional<std::string> AskDataSaveFile(FileRequest::Kind kind, const std::string& fileName)
{
    FileRequest request;
    request.kind = kind;
    request.defaultExtension = "dsv";
    request.fileName = fileName.empty() ? "*.dsv" : fileName;
    request.filter = kDataSaveFilter;
    return AskFileName(request);
}

// The database's records and the file link of a command, while it lasts.
class DataSaveWork {
public:
    DataSaveWork(CVrn3Doc& document, const DataSaveSite& site)
        : m_store(document.GetDatabase(), site.presets, *site.setup), m_files(m_store, *site.roles, *site.fs),
          m_link(*site.link)
    {
    }

    bool Write(const std::string& target) { return m_files.WriteDataSaveFile(target); }
    bool Receive()
    {
        Qd47ProgressForm progress(Qd47ProgressForm::Shape::DataSave, true);
        return m_files.ReceiveDataSaveFile(m_link, progress);
    }
    bool Send(const std::string& path)
    {
        Qd47ProgressForm progress(Qd47ProgressForm::Shape::DataSave, false);
        return m_files.SendDataSaveFile(m_link, path, progress);
    }
    CDataSaveStore& Store() { return m_store; }

private:
    CDataSaveStore m_store;
    CDataSaveFiles m_files;
    CQd47ComLink& m_link;
};

// "QD47FD Settings" for an import or an export; none when cancelled.
std::optional<Qd47FdSettingsForm> RunQd47FdSettings(const DataSaveSite& site, bool import)
{
    Qd47FdSettingsForm::Site formSite;
    formSite.import = import;
    formSite.qd47ScaleType = site.link->m_scaleType;
    formSite.defaultFamily = site.setup->m_defaultScaleFamily;
    formSite.market = site.setup->m_market;
    formSite.currentDirectory = site.currentDirectory;
    Qd47FdSettingsForm form(formSite);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (dialogs == nullptr || !dialogs->RunQd47FdSettings(form)) return std::nullopt;
    return form;
}

bool TakesItemsAndMessagesOnly(const DataSaveSite& site)
{
    return site.link->m_scaleType == CQd47ComLink::kFileServerMode;
}

// Sets the general setup's overwrite switch while it lives.
class OverwriteSwitch {
public:
    OverwriteSwitch(CGeneralSetup& setup, bool overwrite) : m_setup(setup), m_saved(setup.m_overwriteExisting)
    {
        m_setup.m_overwriteExisting = overwrite ? 1 : 0;
    }
    ~OverwriteSwitch() { m_setup.m_overwriteExisting = m_saved; }
    OverwriteSwitch(const OverwriteSwitch&) = delete;
    OverwriteSwitch& operator=(const OverwriteSwitch&) = delete;

private:
    CGeneralSetup& m_setup;
    std::uint16_t m_saved;
};

}  // namespace

bool SaveDataSave(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    return DataSaveWork(document, site).Write(site.roles->status.GetCurrentDataSaveFile());
}

bool SaveDataSaveAs(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    const std::optional<std::string> target = AskDataSaveFile(FileRequest::Kind::Save, {});
    return target && DataSaveWork(document, site).Write(*target);
}

bool ReceiveDataSave(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    return DataSaveWork(document, site).Receive();
}

bool SendDataSave(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    SpecifyTransmitDataForm form;
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (dialogs == nullptr || !dialogs->RunSpecifyTransmitData(form)) return false;
    DataSaveWork work(document, site);
    ICommsStatus& status = site.roles->status;
    if (form.GetChoice() == SpecifyTransmitDataForm::Choice::DataSaveFile) {
        const std::optional<std::string> chosen =
            AskDataSaveFile(FileRequest::Kind::Open, status.GetCurrentDataSaveFile());
        return chosen && work.Send(*chosen);
    }
    std::string current = status.GetCurrentDataSaveFile();
    if (current.empty() || !site.fs->Exists(current)) {
        (void)ShowMessage(kMsgNoCurrentDataSave, MessageButtons::Ok, MessageIcon::Warning);
        const std::optional<std::string> chosen = AskDataSaveFile(FileRequest::Kind::Save, {});
        status.SetCurrentDataSaveFile(chosen.value_or(std::string()));
        if (!chosen) return false;
        current = *chosen;
    }
    return work.Write(current) && work.Send(current);
}

bool ImportQd47Fd(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    const std::optional<Qd47FdSettingsForm> form = RunQd47FdSettings(site, true);
    if (!form) return false;
    bool imported = false;
    {
        const OverwriteSwitch overwrite(*site.setup, form->useFileData);
        DataSaveWork work(document, site);
        imported = CQd47FdFiles(work.Store(), site.roles->log, *site.fs)
                       .Import(form->GetFileNumber(), form->directory, form->all, form->GetSelection(),
                               TakesItemsAndMessagesOnly(site));
    }
    document.UpdateAllViews();
    return imported;
}

bool ExportQd47Fd(CVrn3Doc& document, const DataSaveSite& site)
{
    if (!document.IsDatabaseOpen()) return false;
    const std::optional<Qd47FdSettingsForm> form = RunQd47FdSettings(site, false);
    if (!form) return false;
    DataSaveWork work(document, site);
    return CQd47FdFiles(work.Store(), site.roles->log, *site.fs)
        .Export(form->GetFileNumber(), form->directory, form->all, form->GetSelection(), TakesItemsAndMessagesOnly(site));
}

bool CompactDatabase(CVrn3Doc& document)
{
    if (document.IsDatabaseOpen() && document.GetDatabase().Compact()) return true;
    (void)ShowMessage(kMsgCannotCompact, MessageButtons::Ok, MessageIcon::Error);
    return false;
}

}  // namespace varnel
