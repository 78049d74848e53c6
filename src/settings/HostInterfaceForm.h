// "Edit Host Interface Settings": the host import switches, the POS update file output switch and the
// POS update file. The Host Interface command fills it from the settings and stores it back after OK
// only when the current user may update the setup.
#pragma once

#include "db/site/TextRules.h"

#include <string>

namespace varnel {

class CAppEventLog;
struct CGeneralSetup;

struct HostInterfaceSettings {
    bool kauriAucklandImport = false;
    bool kauriSouthIslandImport = false;
    bool totaraImport = false;
    bool posUpdateOutput = false;
    std::string posUpdateFile;

    bool operator==(const HostInterfaceSettings&) const = default;
};

HostInterfaceSettings ReadHostInterface(const CGeneralSetup& setup, const CAppEventLog& eventLog);
// Stores the settings when the current user may update the setup; otherwise 61328 is shown, nothing
// changes and the answer is false. The PLU table writes to the file the general setup names, so both
// places take the path.
bool StoreHostInterface(const HostInterfaceSettings& settings, CGeneralSetup& setup, CAppEventLog& eventLog);

class HostInterfaceForm {
public:
    // The character rule is the site's, for shortening the path.
    HostInterfaceForm(HostInterfaceSettings settings, const CharRule& chars)
        : m_settings(std::move(settings)), m_chars(chars)
    {
    }

    HostInterfaceSettings& Settings() { return m_settings; }
    const HostInterfaceSettings& Settings() const { return m_settings; }
    // The "POS Update File" text: the path shortened to 40 bytes.
    std::string GetFileText() const;
    // "Select...": the save-as chooser on the current file; true when a file was chosen.
    bool SelectFile();

private:
    HostInterfaceSettings m_settings;
    CharRule m_chars;
};

}  // namespace varnel
