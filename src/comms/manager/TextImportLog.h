// The logs of a finished text import: the summary log gets each enabled link's line per scale, and,
// when records were sent, the import-error log gets the PLUs that did not reach their scales. The
// event log's settings say whether these logs are kept; the link manager knows what was sent.
#pragma once

#include <cstdint>

namespace varnel {

class CAppEventLog;
class CIdEnqLinkList;
struct PluLogImport;

void LogTextImport(const CAppEventLog& log, const CIdEnqLinkList& links, const PluLogImport& import,
                   std::uint32_t imported, std::uint32_t sent);

}  // namespace varnel
