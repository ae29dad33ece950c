#include "platform/message_pump.h"

#include <atomic>

namespace vantrel {

namespace {
std::atomic<PumpHook> g_hook{nullptr};
}

void SetPumpHook(PumpHook hook) {
    g_hook.store(hook);
}

void PumpMessage() {
    if (PumpHook hook = g_hook.load())
        hook();
}

}  // namespace vantrel
