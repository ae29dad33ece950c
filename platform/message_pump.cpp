#include "platform/message_pump.h"

#include <atomic>
#include <thread>

namespace vantrel {

namespace {
std::atomic<PumpHook> g_hook{nullptr};
// The thread that installed the hook: the one whose events it handles.
std::atomic<std::thread::id> g_owner;
}  // namespace

void SetPumpHook(PumpHook hook) {
    g_owner.store(std::this_thread::get_id());
    g_hook.store(hook);
}

void PumpMessage() {
    PumpHook hook = g_hook.load();
    if (hook && g_owner.load() == std::this_thread::get_id())
        hook();
}

}  // namespace vantrel
