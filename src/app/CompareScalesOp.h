// The comparison of the current department's scales with the database, as an unattended run makes
// it: the PLUs compared, whether anything differed, and with `synchronise` every compared scale sent
// what differed. The result is the comparison's status, whatever the synchronisation does.
#pragma once

#include "platform/Messages.h"

namespace varnel {

class CVrn3Doc;
class IDocumentHost;

struct CompareScalesOutcome {
    MessageId result = 0;
    bool differences = false;
};

CompareScalesOutcome RunCompareScalesOp(CVrn3Doc& document, IDocumentHost& host, bool synchronise);

}  // namespace varnel
