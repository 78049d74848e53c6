// The general setup file ("GENSETUP.DEF", ".set"):
//
//   CString version ("324"), then
//   field definitions 1000, the 482-byte record, price zones, the word list, text imports, text
//   exports, the QD47 link, field definitions 1400, database imports, department codes, field
//   definitions 1600, the Lumen link, key types and line fonts (versions above 305), e-mail settings
//   (323 and 324), RUX and extra price field definitions (above 310), the VM key setup (324), the
//   database path (written ""), the backup directory.
//
// Accepted: 305, 310, 319, 320, 322, 323, 324 in that layout, and the old files 100 (field
// definitions 1000 and a 236-byte record), 200 (the same with a 370-byte record), 210 and 220 (then
// the site's objects of their time, read in the oldest form, and the database path).
#include "app/MainFrame.h"

#include "app/DefaultFieldDefs.h"
#include "app/SetupContents.h"
#include "app/SetupFiles.h"
#include "platform/ArchiveCollections.h"
#include "platform/ArchiveFile.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/LogFile.h"
#include "settings/SetupFormat.h"

#include <algorithm>
#include <filesystem>

namespace varnel {
namespace {

constexpr std::uint32_t kCurrentLayoutVersions[] = {305, 310, 319, 320, 322, 323, 324};
constexpr std::uint32_t kOldVersions[] = {100, 200, 210, 220};
constexpr std::size_t kOldRecordSize100 = 236;
constexpr std::size_t kOldRecordSize = 370;

bool IsOldVersion(std::uint32_t version) { return std::ranges::find(kOldVersions, version) != std::end(kOldVersions); }
bool IsAccepted(std::uint32_t version)
{
    return IsOldVersion(version) || std::ranges::find(kCurrentLayoutVersions, version) != std::end(kCurrentLayoutVersions);
}

std::size_t MapIndex(FieldDefMap which) { return static_cast<std::size_t>(which); }

void SerializeFieldDefs(CArchive& ar, CLabPropMap& defs)
{
    SerializeMapWordToOb(ar, defs);
    if (ar.IsLoading()) std::erase_if(defs, [](const auto& entry) { return entry.second == nullptr; });
}

// What the current layout stores; one list for writing and reading.
struct GeneralSetupParts {
    std::array<CLabPropMap*, 5> fieldDefs;
    CGeneralSetup* setup;
    CPriceZoneList* priceZones;
    std::vector<std::uint16_t>* wordList;
    CQd47ComLink* qd47Link;
    CDeptCodeList* deptCodes;
    CLumenRs232Link* lumenLink;
    CKeyTypeDef* keyTypes;
    CDefLineFont* lineFonts;
    CEMailSettings* eMailSettings;
    CVmKeySetup* vmKeySetup;
    std::string* databasePath;
    std::string* backupDirectory;
};

void SerializeRecord(CArchive& ar, CGeneralSetup& setup)
{
    if (ar.IsStoring()) {
        ar.Write(setup.ToRecord());
        return;
    }
    CGeneralSetup::Record record{};
    ar.Read(record);
    setup.FromRecord(record);
}

void SerializeCurrentLayout(CArchive& ar, const GeneralSetupParts& parts, std::uint32_t version)
{
    SerializeFieldDefs(ar, *parts.fieldDefs[MapIndex(FieldDefMap::Plu)]);
    SerializeRecord(ar, *parts.setup);
    parts.priceZones->Serialize(ar);
    SerializeWordArray(ar, *parts.wordList);
    SerializeUnbuiltCollection(ar, "text import definitions");
    SerializeUnbuiltCollection(ar, "text export definitions");
    parts.qd47Link->Serialize(ar);
    SerializeFieldDefs(ar, *parts.fieldDefs[MapIndex(FieldDefMap::Nutrition)]);
    SerializeUnbuiltCollection(ar, "database import definitions");
    parts.deptCodes->Serialize(ar);
    SerializeFieldDefs(ar, *parts.fieldDefs[MapIndex(FieldDefMap::Production)]);
    parts.lumenLink->Serialize(ar);
    if (version > 305) {
        parts.keyTypes->Serialize(ar);
        parts.lineFonts->Serialize(ar);
    }
    if (version >= 323) parts.eMailSettings->Serialize(ar);
    if (version > 310) {
        SerializeFieldDefs(ar, *parts.fieldDefs[MapIndex(FieldDefMap::Plu2)]);
        SerializeFieldDefs(ar, *parts.fieldDefs[MapIndex(FieldDefMap::RuxPrice)]);
    }
    if (version == kGeneralSetupVersion) parts.vmKeySetup->Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::string_view{};
    } else {
        ar >> *parts.databasePath;
    }
    if (ar.IsStoring())
        ar << *parts.backupDirectory;
    else
        ar >> *parts.backupDirectory;
}

// Versions 100 to 220 after their version text.
void LoadOldLayout(CArchive& ar, GeneralSetupContents& c, std::uint32_t version, IClock& clock,
                   IFileSystem& fs)
{
    CLabPropMap& pluDefs = c.fieldDefs[MapIndex(FieldDefMap::Plu)];
    SerializeFieldDefs(ar, pluDefs);
    if (version != 100) MoveOldFieldDefs(pluDefs, c.fieldDefs[MapIndex(FieldDefMap::Production)]);
    std::vector<std::uint8_t> oldRecord(version == 100 ? kOldRecordSize100 : kOldRecordSize);
    ar.Read(oldRecord);
    c.setup.FromRecord(CGeneralSetup::ConvertOldRecord(oldRecord));
    c.site = std::make_unique<SiteSetupContents>(clock, fs);
    if (version < 210) return;
    SiteSetupContents& site = *c.site;
    site.links->Serialize(ar);
    site.operators->Serialize(ar);
    c.priceZones.Serialize(ar);
    SerializeWordArray(ar, c.wordList);
    site.departments->Serialize(ar);
    site.users.Serialize(ar);
    SerializeUnbuiltCollection(ar, "text import definitions");
    SerializeUnbuiltCollection(ar, "text export definitions");
    site.eventLog->Serialize(ar);
    c.qd47Link = std::make_unique<CQd47ComLink>(clock, fs);
    c.qd47Link->Serialize(ar);
    SerializeFieldDefs(ar, c.fieldDefs[MapIndex(FieldDefMap::Nutrition)]);
    SerializeUnbuiltCollection(ar, "database import definitions");
    if (version == 220) c.deptCodes.Serialize(ar);
    ar >> c.databasePath;
}

// The key types of files up to version 305 lived in the record: three tables of 26 codes, for the
// other types, type 2 and type 6.
void MoveOldKeyTypes(CGeneralSetup& setup, CKeyTypeDef& keyTypes)
{
    constexpr std::size_t kOldTableSize = 26;
    const auto* area = setup.m_recordBytes.data() + CGeneralSetup::kOldKeyTypeOffset;
    for (std::size_t table = 0; table < 3; ++table) {
        keyTypes.m_tables[table].fill(0);
        std::copy_n(area + table * kOldTableSize, kOldTableSize, keyTypes.m_tables[table].begin());
    }
}

// What every general setup load does to what it read before the frame takes it.
void CompleteGeneralSetup(GeneralSetupContents& c, std::uint32_t version)
{
    CGeneralSetup& setup = c.setup;
    if (!IsOldVersion(version) && c.fieldDefs[MapIndex(FieldDefMap::RuxPrice)].empty())
        AddExtraPriceFieldDefs(c.fieldDefs[MapIndex(FieldDefMap::RuxPrice)]);
    setup.Normalise();
    if (version != kGeneralSetupVersion)
        AddStandardFieldDefs(c.fieldDefs[MapIndex(FieldDefMap::Plu)], c.fieldDefs[MapIndex(FieldDefMap::Production)]);
    if (version <= 305) MoveOldKeyTypes(setup, c.keyTypes);
    std::fill_n(setup.m_recordBytes.begin() + CGeneralSetup::kOldKeyTypeOffset, CGeneralSetup::kOldKeyTypeSize, 0);
    if (version <= 305 && setup.m_market == MarketThailand) c.lineFonts.m_perLine.fill(0);
    FillRuxFieldDefs(c.fieldDefs[MapIndex(FieldDefMap::Plu2)], c.fieldDefs[MapIndex(FieldDefMap::Plu)]);
    const bool ausNzNutrition =
        (setup.m_market == MarketNewZealand || setup.m_market == MarketAustralia) && setup.m_nutritionInUse != 0;
    if (version <= 319) setup.m_posUpdateFileOutput = setup.m_kauriAucklandHostImport;
    if (version <= 320) setup.m_kauriSouthIslandHostImport = ausNzNutrition && setup.m_kauriAucklandHostImport == 0;
}

}  // namespace

bool CMainFrame::SaveGeneralSetup(const std::string& path)
{
    std::string databasePath;
    GeneralSetupParts parts{
        {&m_fieldDefs[0], &m_fieldDefs[1], &m_fieldDefs[2], &m_fieldDefs[3], &m_fieldDefs[4]},
        &m_generalSetup, &m_priceZones, &m_priceZoneFields, m_qd47Link.get(), &m_deptCodes, &m_lumenLink,
        &m_keyTypes, &m_lineFonts, &m_eMailSettings, &m_vmKeySetup, &databasePath, &m_backupDirectory};
    const auto saved = SaveSetupFile(m_fs, m_clock, path, [&](CArchive& ar) {
        ar << std::to_string(kGeneralSetupVersion);
        SerializeCurrentLayout(ar, parts, kGeneralSetupVersion);
    });
    if (!saved) ShowMessage(kErrorSavingSetup);
    return static_cast<bool>(saved);
}

bool CMainFrame::LoadGeneralSetup(const std::string& path)
{
    auto opened = OpenSetupFile(m_fs, m_clock, path, FileAccess::Read);
    if (!opened) {
        const std::string text = FormatMessage(kErrorLoadingSetup, path.c_str());
        ShowMessageText(text);
        WriteEvent(EventGeneral, text);
        return false;
    }

    GeneralSetupContents c;
    c.lumenLink = m_lumenLink;
    c.keyTypes = m_keyTypes;
    c.lineFonts = m_lineFonts;
    c.eMailSettings = m_eMailSettings;
    c.vmKeySetup = m_vmKeySetup;
    std::uint32_t version = 0;
    SetupFileContext context;
    // The old layouts' operators are read under the settings in force, not the file's.
    context.textRules = GetTextRules();
    context.maxCommsLogSize = GetGeneralSetup().m_maxCommsLogSize;
    const auto read = LoadArchiveFromFile(**opened, path, [&](CArchive& ar) {
        std::string versionText;
        ar >> versionText;
        version = VersionNumber(versionText);
        if (!ar.Ok() || !IsAccepted(version)) {
            ar.Fail(Errc::Unsupported, "general setup version \"" + versionText + "\" is not supported");
            return;
        }
        // The old files' objects carry no version words.
        context.formatMark = version >= 210 && version <= 220 ? kOldestSetupFormat : version;
        context.siteSetupVersion = 300;
        ar.SetContext(&context);
        if (IsOldVersion(version)) {
            LoadOldLayout(ar, c, version, m_clock, m_fs);
            return;
        }
        c.qd47Link = std::make_unique<CQd47ComLink>(m_clock, m_fs);
        std::string backupDirectory;
        GeneralSetupParts parts{
            {&c.fieldDefs[0], &c.fieldDefs[1], &c.fieldDefs[2], &c.fieldDefs[3], &c.fieldDefs[4]},
            &c.setup, &c.priceZones, &c.wordList, c.qd47Link.get(), &c.deptCodes, &c.lumenLink, &c.keyTypes,
            &c.lineFonts, &c.eMailSettings, &c.vmKeySetup, &c.databasePath, &backupDirectory};
        SerializeCurrentLayout(ar, parts, version);
        c.backupDirectory = std::move(backupDirectory);
    });
    opened->reset();

    if (version >= 100 && version <= 210 && IsAccepted(version)) ShowMessage(kOlderSetup);
    if (!read) {
        ShowMessage(kInvalidSetup);
        WriteEvent(EventGeneral, GetMessageText(kInvalidSetup));
        return false;
    }
    CompleteGeneralSetup(c, version);
    TakeGeneralSetup(std::move(c), version);
    // The Lumen link's trace starts empty with every load of its settings; a name without a directory
    // is a file of the working directory.
    if (!m_lumenLink.m_logFile.empty()) {
        const std::filesystem::path trace(m_lumenLink.m_logFile);
        const std::filesystem::path tracePath = trace.is_absolute() ? trace : m_workingDirectory / trace;
        (void)LogFile::Open(m_fs, tracePath.string(), LogFile::Mode::CreateEmpty);
    }
    return true;
}

void CMainFrame::TakeGeneralSetup(GeneralSetupContents&& c, std::uint32_t version)
{
    m_setupVersion = version;
    m_generalSetup = std::move(c.setup);
    m_fieldDefs = std::move(c.fieldDefs);
    m_priceZones = c.priceZones;
    m_priceZoneFields = std::move(c.wordList);
    if (c.qd47Link) m_qd47Link = std::move(c.qd47Link);
    m_deptCodes = c.deptCodes;
    m_lumenLink = c.lumenLink;
    m_keyTypes = c.keyTypes;
    m_lineFonts = std::move(c.lineFonts);
    m_eMailSettings = c.eMailSettings;
    m_vmKeySetup = c.vmKeySetup;
    if (c.backupDirectory) m_backupDirectory = std::move(*c.backupDirectory);
    if (m_lastDatabasePath.empty()) m_lastDatabasePath = std::move(c.databasePath);
    if (c.site) {
        // The old files held the site's links, operators, departments and users, and from 210 on its
        // event log; their keyboards and PLU ranges stay.
        m_links = std::move(c.site->links);
        m_operators = std::move(c.site->operators);
        m_departments = std::move(c.site->departments);
        m_access.m_users = c.site->users;
        m_userProfiles = CUserSetupList();
        if (version >= 210) {
            m_eventLog = std::move(c.site->eventLog);
            m_eventLog->NameUsersOf(&m_access.m_users);
        }
    }
    m_generalSetupLoaded = true;
    SetupScaleFonts();
    RecalcSetupFlags();
}

}  // namespace varnel
