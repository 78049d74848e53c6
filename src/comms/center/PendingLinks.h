// The links of one operation of a communication window that have not reported its end yet, and what
// their ends bring: a link's end (result 4 after a send, poll or resend, 5 after a receive) clears
// its notify window first, so nothing it posts later reaches the window; after a receive its packets
// go to the document, and in compare mode its selected scales that answered are compared with the
// database.
#pragma once

#include "comms/idenq/IdEnqLink.h"
#include "db/site/ScaleDef.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnel {

class CIdEnqLinkList;
class IDocument;

class PendingLinks {
public:
    // The selected links of the list (a null selection selects every link).
    void Collect(const CIdEnqLinkList& links, const ScaleDefs* scales);
    bool IsEmpty() const { return m_links.empty(); }
    bool Contains(std::uint16_t linkId) const;
    CIdEnqLink* Find(std::uint16_t linkId) const;
    // Takes the link off; false when it was not pending.
    bool Remove(std::uint16_t linkId);
    // Clears every pending link's notify window and forgets them: the window is going.
    void Release();

private:
    std::vector<CIdEnqLink*> m_links;
};

// A link's end of its part: its result (the link's comms error after result 4, the outcome of
// handing the received packets to the document after result 5). `document` null: nothing compared;
// a compare's result files are in `compareDirectory`.
MessageId EndLinkPart(CIdEnqLink& link, std::uintptr_t code, const ScaleDefs* scales, IDocument* document,
                      std::string_view compareDirectory, IFileSystem& fs);

}  // namespace varnel
