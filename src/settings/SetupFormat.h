// What the objects of a setup file learn about the file being read: its format mark, for the site
// setup its version, and the text rules and comms log size of the site it is read for. The setup loader puts a
// SetupFileContext on the archive; objects read elsewhere see none and take the current format and
// the default rules.
#pragma once

#include "db/site/TextRules.h"
#include "platform/Archive.h"

#include <cstdint>

namespace varnel {

// The format mark of the oldest setup files, whose event log, users and departments carry no version word.
constexpr std::uint32_t kOldestSetupFormat = 200;
// The version those objects take when they carry none.
constexpr std::uint16_t kFirstObjectVersion = 100;
// The version the site setup file is written with.
constexpr std::uint32_t kSiteSetupVersion = 383;

struct SetupFileContext final : ArchiveContext {
    std::uint32_t formatMark = 0;       // the format number of the setup file being read
    bool userChosenSiteSetup = false;   // a ".sit" file that the user chose, not the site's own setup
    std::uint32_t siteSetupVersion = kSiteSetupVersion;  // of the site setup file being read
    TextRules textRules;                // the loading site's, e.g. the font of a name kept without one
    std::uint16_t maxCommsLogSize = 0;  // the loading site's, in kilobytes: a link's trace file is cut to it
};

bool IsOldestSetupFormat(const CArchive& ar);
bool IsUserChosenSiteSetup(const CArchive& ar);
// The version of the site setup being read; the current one outside a setup file.
std::uint32_t GetSiteSetupVersion(const CArchive& ar);
// The text rules of the site the setup is read for; the defaults outside a setup file.
TextRules GetSetupTextRules(const CArchive& ar);
// The largest comms log of the site the setup is read for, in kilobytes; 0 outside a setup file.
std::uint16_t GetSetupCommsLogSize(const CArchive& ar);

// The leading version word of a settings object whose oldest setup format has none: stores `current`;
// loads the stored word, or takes version 100 without reading when the setup is of the oldest format.
std::uint16_t SerializeSetupVersion(CArchive& ar, std::uint16_t current);

}  // namespace varnel
