// The setup password check.
#include "app/EnterPasswordForm.h"

#include "platform/UserPrompt.h"

namespace varnel {

constexpr MessageId kIncorrectPassword = 61263;

EnterPasswordForm::Outcome EnterPasswordForm::Submit(std::string_view entry)
{
    if (entry == m_expected) return Outcome::Right;
    ShowMessage(kIncorrectPassword);
    return ++m_wrong >= kMaxTries ? Outcome::Failed : Outcome::TryAgain;
}

}  // namespace varnel
