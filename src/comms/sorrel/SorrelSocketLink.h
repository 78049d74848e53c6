// CSorrelSocketLink: the block-protocol link to a network scale of families 6 and 8 to 12. The link
// manager keeps it like the ID-ENQ links (worker, requests, send queue and record source are the
// base's); only the wire protocol differs (SorrelWire.h). Records travel in blocks, each answered by
// a 12-byte reply; commands 80, 81 and 91 frame a short-form exchange, which also closes and reopens
// the connection before each block, request and closing command.
//
// Sending (ProcessQueue): start of transfer -> blocks of the queued jobs, each awaited (300 s) ->
// end of transfer (and 3019 after a master-satellite send to a family-10 scale). A block holds jobs of
// one kind and table (kind 8 alone), at most "records per block" records (no count limit for kind 9,
// one record for kinds 11 and 12 on family 11) and about 220 bytes a record: a record that would pass
// that opens the next block, and a block's first record always goes in. A delivered or refused block
// takes its finished jobs off the queue, and a job the block ended inside resumes after the records
// delivered; a block that failed otherwise stays queued whole.
//
// Receiving (Transact): one request for the data kind, one reply block of records; production totals
// are cleared after they were read unless the general setup keeps them.
//
// Archive form, after the link base's: u16 version 101 (absent in setups of the oldest format),
// u16 port, four u16 octets, u32 send time-out, u32 connect time-out, u16 records per block
// (version 101 and up; 100 before).
#pragma once

#include "comms/idenq/NetworkLink.h"
#include "comms/sorrel/SorrelWire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace varnel {

class CSorrelSocketLink : public CNetworkLink {
    VARNEL_DECLARE_SERIAL(CSorrelSocketLink)
public:
    static constexpr std::uint16_t kVersion = 101;
    static constexpr std::uint16_t kDefaultPort = 50031;
    static constexpr std::uint16_t kDefaultRecordsPerBlock = 100;
    static constexpr std::uint32_t kBytesPerRecord = 220;
    static constexpr MessageId kMsgScaleReportedError = 61447;

    CSorrelSocketLink() : CSorrelSocketLink(SystemClock(), RealFileSystem(), SystemPinger()) {}
    CSorrelSocketLink(IClock& clock, IFileSystem& fs, IPinger& pinger);
    ~CSorrelSocketLink() override;

    void Serialize(CArchive& ar) override;

    bool Open() override;
    std::uint16_t GetReplyTimeout() const override { return m_commandReplyPending ? 5 : 300; }
    std::string GetDescription(const CGeneralSetup& setup) const override;
    std::string GetStatusText(const CGeneralSetup& setup) const override;
    bool IsSameAddress(const std::array<std::uint16_t, 4>& octets) const override;
    void WriteSetupDetails(std::string& out) const override;
    bool EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;
    bool EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;

    void PollScales(const std::vector<CLinkScale*>& scales) override;
    bool ProcessQueue() override;
    bool Transact() override;

    // The request code of a data kind for this link's scale; 0: not asked of it.
    std::uint16_t GetBlockCode(std::uint16_t dataKind) const;
    std::uint16_t GetLastScaleError() const { return m_lastScaleError; }
    bool HasBatchLabelRefusal() const { return m_batchLabelRefusal; }

    std::uint16_t m_recordsPerBlock = kDefaultRecordsPerBlock;

private:
    struct Block;

    CLinkScale* LinkScale() const;
    sorrel::Form GetForm() const;

    // Exchanges (worker thread).
    bool Reconnect(bool evenLongForm = false);
    MessageId SendBytes(std::span<const std::uint8_t> bytes, std::uint16_t traceKind);
    MessageId ReceiveExactly(std::span<std::uint8_t> into, bool allowCancel);
    MessageId DiscardBytes(std::uint32_t count, bool allowCancel);
    MessageId ReceiveReply();
    MessageId SendCommand(std::uint16_t code);
    MessageId StartTransfer();
    MessageId EndTransfer();
    MessageId SendBlock(const Block& block);
    MessageId ReceiveRecords(std::uint32_t length, bool paged, CLinkScale& scale);
    MessageId ReceiveRefusal(std::uint32_t length);
    MessageId RequestKind(CLinkScale& scale, bool paged);
    MessageId DeleteTotals(const CLinkScale& scale, bool paged);
    // Ends an operation of the scale with a failure: its result, off-line unless the scale only was
    // busy or the user cancelled, and the base's error report; false.
    bool Fail(CLinkScale& scale, MessageId result);

    // Blocks of the queue (the queue lock taken inside).
    void BuildBlock(Block& block);
    void DeleteFinishedJobs(bool delivered);
    std::size_t RecordsPerBlock() const;
    std::size_t RecordLimitOf(const CSendDataLog& job) const;

    std::uint16_t m_lastScaleError = 0;
    std::int32_t m_jobIndex = -1;
    std::int32_t m_firstJobOfBlock = 0;
    std::optional<std::int32_t> m_lastFinishedJob;
    std::uint16_t m_blockTable = 0;  // the table of the block last sent
    bool m_commandReplyPending = false;
    bool m_batchLabelRefusal = false;
};

}  // namespace varnel
