#include "comms/dialogs/CommsDialogs.h"

#include <atomic>

namespace varnel {
namespace {

std::atomic<ICommsDialogs*> g_dialogs{nullptr};

}  // namespace

ICommsDialogs* GetCommsDialogs() { return g_dialogs.load(); }

ICommsDialogs* SetCommsDialogs(ICommsDialogs* dialogs) { return g_dialogs.exchange(dialogs); }

}  // namespace varnel
