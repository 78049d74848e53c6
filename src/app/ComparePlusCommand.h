// "Compare PLUs (Scale vs. DB)": the PLUs of the department's scales (the current department's when
// none is given) compared with the database; a failed compare shows its status, no difference shows
// 31464, and differences open the compare result list on the scales that can be synchronised.
#pragma once

#include "db/site/ScaleDef.h"
#include "platform/Messages.h"

#include <string>

namespace varnel {

class CIdEnqLinkList;
class CMasterScale;
class CVrn3Doc;

inline constexpr MessageId kMsgSamePlus = 31464;

struct CompareCommandSite {
    CIdEnqLinkList* links = nullptr;
    const CMasterScale* department = nullptr;  // none: every scale of the links
    bool severalScalesPerLink = false;
    bool mayTransmit = true;
    std::string scaleDataDirectory;  // where the scales' compare result files are
};

// 0 when the compare ran (whatever it found), else the status shown.
MessageId ComparePlus(CVrn3Doc& document, const CompareCommandSite& site);

// The scales the result list shows: the department's, or every scale of the links, leaving out the
// disabled ones and those on a link that reports a communication error.
ScaleDefs CompareResultScales(const CIdEnqLinkList& links, const CMasterScale* department);

}  // namespace varnel
