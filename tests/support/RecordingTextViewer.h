// A text viewer for tests: records the files it was asked to show, installed for the test's lifetime.
#pragma once

#include "platform/TextViewer.h"

#include <string>
#include <vector>

namespace varnel::test {

class RecordingTextViewer final : public ITextViewer {
public:
    RecordingTextViewer() : m_previous(SetTextViewer(this)) {}
    ~RecordingTextViewer() override { SetTextViewer(m_previous); }
    RecordingTextViewer(const RecordingTextViewer&) = delete;
    RecordingTextViewer& operator=(const RecordingTextViewer&) = delete;

    Result<void> Show(const std::string& path) override
    {
        m_shown.push_back(path);
        return {};
    }

    std::vector<std::string> m_shown;

private:
    ITextViewer* m_previous;
};

}  // namespace varnel::test
