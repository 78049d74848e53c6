// The keyboard windows for tests: records what the commands open; a keyboard window opens unless
// told otherwise, and images exist when told.
#pragma once

#include "app/KeyboardCommands.h"

#include <string>
#include <vector>

namespace varnel::test {

class RecordingKeyboardWindows final : public IKeyboardWindows {
public:
    void EditPresetScales() override { m_calls.push_back("presets"); }
    void EditIndexPresets() override { m_calls.push_back("index presets"); }
    void EditImages() override { m_calls.push_back("images"); }
    bool HasImages() const override { return m_images; }
    bool IsKeyboardWindowOpen() const override { return m_open; }
    void BringKeyboardWindowToTop() override { m_calls.push_back("to top"); }
    bool OpenKeyboardWindow(const KeyboardWindowTarget& target) override
    {
        m_opened.push_back(target);
        return m_opens;
    }

    std::vector<std::string> m_calls;
    std::vector<KeyboardWindowTarget> m_opened;
    bool m_images = false;
    bool m_open = false;
    bool m_opens = true;
};

}  // namespace varnel::test
