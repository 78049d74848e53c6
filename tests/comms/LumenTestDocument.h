// The document of the Lumen transfer tests: it hands out the records the test gave, each under its
// command index, then the end of the batch, and keeps the records it is asked to store.
#pragma once

#include "ScaleLine.h"
#include "db/plu/Document.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel::test {

class LumenTestDocument final : public IDocument {
public:
    struct Record {
        std::uint32_t kind = 0;
        Bytes data;
        bool operator==(const Record&) const = default;
    };

    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }

    bool GetNextLumenRecord(std::uint32_t& kind, std::span<std::uint8_t> buffer, std::uint32_t& length) override
    {
        ++fetches;
        if (next == toSend.size()) {
            kind = kLumenEnd;
            length = 0;
            return true;
        }
        const Record& record = toSend[next++];
        if (record.data.size() > buffer.size()) return false;
        std::ranges::copy(record.data, buffer.begin());
        kind = record.kind;
        length = static_cast<std::uint32_t>(record.data.size());
        return true;
    }
    bool StoreLumenRecord(std::uint32_t kind, std::span<const std::uint8_t> record) override
    {
        stored.push_back({kind, Bytes(record.begin(), record.end())});
        return storeAnswer;
    }

    std::vector<Record> toSend;
    std::size_t next = 0;
    std::size_t fetches = 0;
    std::vector<Record> stored;
    bool storeAnswer = true;
};

}  // namespace varnel::test
