// The logs of a finished text import: the summary log gets each enabled link's line per scale, and,
// when records were sent, the import-error log gets the PLUs that did not reach their scales. The
// event log's settings say whether these logs are kept; the link manager knows what was sent.
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

class CAppEventLog;
class CIdEnqLinkList;

void LogTextImport(const CAppEventLog& log, const CIdEnqLinkList& links, std::string_view importFile,
                   std::string_view database, std::uint32_t imported, std::uint32_t sent);

}  // namespace varnel
