// How the tables and lists hand work to the scales: through the open document, which queues send
// jobs on the links' scales, and over the scales of every link for sends that differ by scale. The
// main frame answers for it.
#pragma once

#include <vector>

namespace varnel {

class IDocument;
struct CLinkScaleSettings;

class ISendQueue {
public:
    virtual ~ISendQueue() = default;

    // The document of the open database, which takes the send jobs; null while none is open (there is
    // nothing to send from, and the caller answers that nothing was sent).
    virtual IDocument* GetDocument() const = 0;
    // Every scale of every link, for sends that differ by scale.
    virtual std::vector<const CLinkScaleSettings*> GetLinkScales() const = 0;
};

}  // namespace varnel
