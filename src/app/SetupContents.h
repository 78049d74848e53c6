// The objects one setup file holds, read fresh so that the frame takes them only when the whole file
// read cleanly (the frame's own members stay as they were after any failure).
#pragma once

#include "comms/manager/IdEnqLinkList.h"
#include "comms/lumen/LumenRs232Link.h"
#include "comms/filelink/Qd47ComLink.h"
#include "db/text/DefLineFont.h"
#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "keyboards/Keyboard.h"
#include "keyboards/KeyboardList.h"
#include "keyboards/KeyTypeDef.h"
#include "keyboards/VmKeySetup.h"
#include "settings/AppEventLog.h"
#include "settings/DeptCode.h"
#include "settings/EMailSettings.h"
#include "settings/MasterScaleList.h"
#include "settings/OperatorList.h"
#include "settings/PluRange.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// The site's objects: all of the site setup file, and what the old general setup files held of them.
struct SiteSetupContents {
    SiteSetupContents(IClock& clock, IFileSystem& fs)
        : links(std::make_unique<CIdEnqLinkList>(clock, fs)),
          operators(std::make_unique<COperatorList>()),
          departments(std::make_unique<CMasterScaleList>()),
          eventLog(std::make_unique<CAppEventLog>(clock, fs)),
          keyboardList(std::make_unique<CKeyboardList>())
    {
    }

    std::unique_ptr<CIdEnqLinkList> links;
    std::unique_ptr<COperatorList> operators;
    std::unique_ptr<CMasterScaleList> departments;
    CUserSetupList users;
    CUserSetupList userProfiles;
    std::unique_ptr<CAppEventLog> eventLog;
    std::unique_ptr<CKeyboardList> keyboardList;
    std::array<CKeyboard, 5> keyboards;
    CPluRangeList pluRanges;
};

// The general setup file's objects. Those a file of its version does not hold start as the frame's.
struct GeneralSetupContents {
    CGeneralSetup setup;
    std::array<CLabPropMap, 5> fieldDefs;  // by FieldDefMap
    CPriceZoneList priceZones;
    std::vector<std::uint16_t> wordList;
    std::unique_ptr<CQd47ComLink> qd47Link;  // null: the file holds none, the frame keeps its own
    CDeptCodeList deptCodes;
    CLumenRs232Link lumenLink;
    CKeyTypeDef keyTypes;
    CDefLineFont lineFonts;
    CEMailSettings eMailSettings;
    CVmKeySetup vmKeySetup;
    std::string databasePath;
    std::optional<std::string> backupDirectory;
    std::unique_ptr<SiteSetupContents> site;  // the old files' site objects (versions 100 to 220)
};

}  // namespace varnel
