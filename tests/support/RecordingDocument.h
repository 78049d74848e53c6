// A document for tests: it records every send it is asked for and answers with the results the test
// set, installed on a TestMainFrame for its lifetime.
#pragma once

#include "db/plu/Document.h"
#include "db/site/LinkScaleSettings.h"
#include "support/TestMainFrame.h"

#include <optional>
#include <vector>

namespace varnel::test {

class RecordingDocument final : public IDocument {
public:
    struct Send {
        bool now;  // SendDataNow rather than SendData
        bool showResult;
        SendRequests requests;
        std::optional<std::uint16_t> scaleNo{};  // the one scale sent to, for SendDataToScale
    };

    explicit RecordingDocument(TestMainFrame& frame) : m_frame(frame) { m_frame.m_document = this; }
    ~RecordingDocument() override { m_frame.m_document = nullptr; }
    RecordingDocument(const RecordingDocument&) = delete;
    RecordingDocument& operator=(const RecordingDocument&) = delete;

    bool SendData(std::uint32_t, bool showResult, const SendRequests& requests, const CMasterScale*) override
    {
        m_sends.push_back({false, showResult, requests});
        return m_sendDataResult;
    }
    MessageId SendDataNow(std::uint32_t, bool showResult, const SendRequests& requests, const CMasterScale*) override
    {
        m_sends.push_back({true, showResult, requests});
        return m_sendNowResult;
    }
    bool SendDataToScale(std::uint32_t, bool showResult, const SendRequests& requests,
                         const CLinkScaleSettings& scale) override
    {
        m_sends.push_back({false, showResult, requests, scale.m_scaleNo});
        return m_sendDataResult;
    }

    std::vector<Send> m_sends;
    bool m_sendDataResult = true;
    MessageId m_sendNowResult = 0;

private:
    TestMainFrame& m_frame;
};

}  // namespace varnel::test
