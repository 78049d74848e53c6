// The packets a receive transaction collected, handed to the document after the transaction on the
// user-interface thread.
#include "comms/idenq/IdEnqLink.h"

#include "db/plu/Document.h"

namespace varnel {

MessageId CIdEnqLink::FinishReceive()
{
    MessageId message = GetCommsError();
    if (message == 0 && !ProcessReceivedData()) message = kMsgProcessingFailed;
    FreeReceivedData();
    return message;
}

bool CIdEnqLink::ProcessReceivedData()
{
    for (ReceivedPacket& packet : m_received) {
        if (m_document == nullptr || !m_document->StoreReceivedRecord(m_receiveKind, *packet.from, packet.bytes))
            return false;
    }
    return true;
}

void CIdEnqLink::FreeReceivedData() { m_received.clear(); }

}  // namespace varnel
