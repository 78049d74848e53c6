// "Enter Password": the setup password asked before the protected setup commands. A wrong entry shows
// 61263 "Incorrect password specified!" and may be tried again; the third wrong one ends the dialog as
// cancelled.
#pragma once

#include <string>
#include <string_view>

namespace varnel {

class EnterPasswordForm {
public:
    enum class Outcome { Right, TryAgain, Failed };
    static constexpr int kMaxTries = 3;

    explicit EnterPasswordForm(std::string expected) : m_expected(std::move(expected)) {}

    Outcome Submit(std::string_view entry);

private:
    std::string m_expected;
    int m_wrong = 0;
};

}  // namespace varnel
